// A form with one control of every kind the renderer knows, wired so that
// tests can see which handlers ran.
#pragma once

#include <string>
#include <vector>

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner);

    std::vector<std::string> log;

    TMainMenu* menu;
    TMenuItem* mi_new;
    TMenuItem* mi_save;
    TMenuItem* mi_recent;
    TImageList* images;
    TActionList* actions;
    TAction* act_refresh;
    TToolBar* toolbar;
    TToolButton* tb_new;
    TToolButton* tb_sep;
    TToolButton* tb_check;
    TToolButton* tb_drop;
    TPopupMenu* popup;
    TMenuItem* pm_first;
    TMenuItem* pm_second;
    TStatusBar* status;
    TPanel* side;
    TTreeView* tree;
    TSplitter* splitter;
    TPageControl* pages;
    TTabSheet* sheet_std;
    TTabSheet* sheet_grid;
    TTabSheet* sheet_draw;

    TLabel* label;
    TEdit* edit;
    TMemo* memo;
    TButton* button;
    TCheckBox* check;
    TRadioButton* radio1;
    TRadioButton* radio2;
    TRadioGroup* radio_group;
    TComboBox* combo;
    TComboBox* color_combo;
    TListBox* list;
    TCheckListBox* check_list;
    TSpinEdit* spin;
    TTrackBar* track;
    TProgressBar* progress;
    TGroupBox* group;
    TSpeedButton* speed1;
    TSpeedButton* speed2;
    TPanel* caption_panel;

    TStringGrid* grid;
    TTabControl* tabs;

    TPaintBox* paint_box;
    TImage* image;
    int paints = 0;

private:
    TNotifyEvent logger(const std::string& what);
};
