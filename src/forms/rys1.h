// The main window.
#pragma once

#include <string>
#include <string_view>

#include "platform/comctrls.h"
#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    TMainMenu* MainMenu1;
    TMenuItem* mi_ObjectInsert;  // "Wstaw &obiekt"; its items come from the object table
    TMenuItem* mi_All;           // "Wszystkie profile"
    TActionList* ActionList1;
    TAction* a_SewageTreatmentPlant;  // shows the treatment-plant page
    TAction* a_it_WithoutInfoTable;   // drawings without the title block
    TToolBar* ToolBar1;
    TToolButton* tb_bezmetryki;
    TToolButton* tb_HideCrossing;
    TToolButton* tb_HideProtectingPipes;
    TToolButton* tb_HideCrossSections;
    TToolButton* tb_HideBoundaryDesc;
    TToolButton* tb_HidePageBorders;
    TSpeedButton* sb_LockTabShifting;
    TStatusBar* StatusBar1;
    TTimer* t_Save;   // autosave
    TTimer* t_Hints;  // restores the status bar after a short note
    TOpenDialog* OD1;
    TSaveDialog* SD1;

    // The pages: treatment plant, data, preview.
    TPageControl* PageControl1;
    TTabSheet* ts_SewageTreatment;
    TTabSheet* ts_Data;
    TTabSheet* ts_DrawingPreview;
    TStringGrid* sg1;     // the node table
    TPaintBox* Zoombox;   // the drawing preview

    // The side panel: the current profile's drawing parameters.
    TPanel* p_Side;
    TRadioGroup* rg_ManuallyValue;
    TRadioGroup* rg_ManuallyValueDistance;
    TRadioGroup* rg_PipeOrdinateMode;
    TCheckBox* cb_CalculateTerrainFromDepth;
    TCheckBox* cb_PipellTerrain;
    TCheckBox* cb_CompareLevel;
    TEdit* e_CompareLevel;
    TCheckBox* cb_CustomXScale;
    TEdit* e_ProfileXScale;
    TEdit* e_StartX;
    TEdit* e_StartY;
    TEdit* e_StartAngle;
    TRadioButton* rb_FlowDirectionLR;
    TRadioButton* rb_FlowDirectionRL;
    TComboBox* cb_NetworkType;
    TComboBox* cb_NodeDescription;
    TComboBox* cb_NodeWithSumpDescription;
    TComboBox* cb_SectionDescription;
    TEdit* e_CrossingDescription;
    TEdit* e_ProtectingPipeDescription;
    TCheckBox* cb_CrossingDescLikeInEditor;
    TCheckBox* cb_ProtectingPipeDescLikeInEditor;

    // The treatment-plant page.
    TPageControl* PageControl2;
    TTabSheet* ts_Drainage;
    TTabSheet* ts_SandFilter;
    TEdit* e_ElectrLength;
    TEdit* e_VentLength;
    TRadioButton* rb_VentWallInside;
    TRadioButton* rb_VentWallOutside;
    TCheckBox* cb_VentMast;
    TTrackBar* tb_DrainageTrenchAmount;
    TTrackBar* tb_DrainageTrenchLength;
    TSpinEdit* se_DrainageBedsAmount;
    TSpinEdit* se_DrainageMinLength;
    TEdit* e_DistanceBetweenPipes;
    TCheckBox* cb_IsEndBar;
    TCheckBox* cb_DrainageEndBar;
    TEdit* e_SandLayerHeight;
    TEdit* e_GravelLayerHeight;
    TCheckBox* cb_MarkDrainageLayersOnDrawing;
    TCheckBox* cb_DrainagePiezometer;
    TStringGrid* sg_FirstSump;
    TStringGrid* sg_LastSump;
    TTrackBar* tb_SandFilterWidth;
    TTrackBar* tb_SandFilterLength;
    TSpinEdit* se_SandFilterMinArea;
    TCheckBox* cb_SandFilterAutoCorrect;

    // The object text of the current node before the object menu changed it;
    // an object insertion the user cancels restores it.
    std::string previous_object;

    // The click of the object items of mi_ObjectInsert: puts the item's
    // object on the current node.
    void mi_InspectionChamberClick(TObject* Sender);
    // The node of the current table row (0 until the node table exists).
    virtual int current_node() const { return 0; }

    // The tab-moving rule: the profile tabs move only while the button is up.
    void sb_LockTabShiftingClick(TObject* Sender);

    // The program's short note: the text in the first panel of the status
    // bar on a yellow ground; t_Hints restores the bar four seconds after
    // the last note.
    void show_hint(std::string_view text);
    void t_HintsTimer(TObject* Sender);

    // Fills the insert-object menu from the object table and binds the
    // controls' events to their handlers (the application's notes go to
    // show_hint); the Program calls it once the window is made.
    void connect_handlers();
private:
    void build_panels();
};

extern TForm1* Form1;
