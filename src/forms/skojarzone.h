// The document template chooser "Szablony dokumentów" and the document
// generator it holds: the header of each template, the list of templates
// found, and the working state of one generation (the block tree and the
// rich text live in the generator's engine, src/files/wydruki.h). The
// handlers and operations are defined in src/files (skojarzone.cpp,
// wydruki*.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/stdctrls.h"

// The header of one template.
struct head_info {
    std::string title;      // TITLE; default the file name with its extension
    std::string ver;        // VER
    uint8_t font_size = 8;  // FONT_SIZE
    std::string font_name;  // FONT_NAME
    std::string doc_type;   // TYPE (at most three characters); "rtf" builds rich text
    std::string file_name;  // FILE_NAME, expanded: the document's name without extension
    std::string path;       // the template's full path
    int header_lines = 0;   // lines the header occupies (0 without a header)
};

// The parts of a text split at its first repeat block.
struct tag_result {
    std::string before;   // before the block, trimmed
    std::string name;     // the block's name, lower case
    std::string content;  // between the opening and the matching closing tag
    std::string after;    // after the closing tag, trimmed
};

// The working state of the generator: the block tree, the rich text and
// the lists of a generation.
struct template_engine;

class Ttskojarzone : public TForm {
public:
    explicit Ttskojarzone(TComponent* owner);

    TListBox* cb_Templates;         // one item "i=title" per listed template
    TLabel* l_Search;
    TEdit* e_Search;                // filter on the titles
    TSpeedButton* sb_Make;          // "Utwórz"
    TSpeedButton* sb_Cancel;        // "Anuluj"
    TSpeedButton* sb_TemplateEdit;  // opens the template in the text editor
    TSpeedButton* sb_TemplateHide;  // "+/-": hides or restores the template
    TSpeedButton* sb_ShowHiddenTemplates;  // stays down: the hidden templates are listed
    TStatusBar* sb_Status;          // the selected template's full path

    // Every template found by the last refresh (the list box's items name
    // their positions here).
    std::vector<head_info> template_list;
    // The generation's state: the rest of a block list still to be read,
    // the continuous numbers of the estimate items, the document's lines.
    std::string pending_rest;
    std::array<uint16_t, 4> estimate_numbers{};
    std::vector<std::string> shared_lines;
    // The generator's working objects (made on first use).
    std::shared_ptr<template_engine> engine;

    // --- the chooser (files/skojarzone.cpp) --------------------------------
    // Makes the drawing and the bill of materials current, then lists the
    // templates (hidden ones while the toggle is down).
    void FormShow(TObject* Sender);
    // Appends the templates of a folder and its subfolders to template_list.
    void ZnajdzPliki(const std::string& folder, const std::string& pattern);
    void cb_TemplatesDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void cb_TemplatesClick(TObject* Sender);
    void sb_MakeClick(TObject* Sender);
    void sb_CancelClick(TObject* Sender);
    void sb_TemplateEditClick(TObject* Sender);
    void sb_TemplateHideClick(TObject* Sender);
    void sb_ShowHiddenTemplatesClick(TObject* Sender);
    void e_SearchChange(TObject* Sender);
    void e_SearchKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void cb_TemplatesKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void connect_handlers();
    // The template of a list item ("i=title"), nullptr for none.
    const head_info* item_template(int item) const;

    // --- the generator (files/wydruki*.cpp) --------------------------------
    // The line with every "@_" variable replaced by its value and every "~"
    // deleted; with the type "rtf" the pieces are also written into the
    // rich text (one line per call).
    void wypelnij_linie(const std::string& line, const std::string& doc_type, int i0, int i1, int i2, int i3,
                        std::string& result);
    std::string wypelnij_linie(const std::string& line, const std::string& doc_type, int i0, int i1, int i2, int i3);
    // The value of one variable (name with its modifiers, lower case).
    void zamien(const std::string& name, int i0, int i1, int i2, int i3, std::string& value);
    // Reads a template's header, defaults first.
    void info_plik(const std::string& path, head_info& info);
    // Splits a text at its first repeat block.
    void wyciagnij_tag(const std::string& text, tag_result& result);
    // Adds the block tree of a text under a node of the tree (-1: at the top
    // level), after the node's children.
    void drzewo_kreator(const std::string& text, int parent);
    // Repeats every block of the tree over its collection.
    void drzewo_replikator();
    // Makes the document of a template in the configuration folder; opens it
    // with its program when `open` is set.
    void wypelnij_wzorzec(const std::string& path, bool open);
    // Makes and opens the document, remembers the chosen item and puts the
    // template at the top of the recent documents.
    void generuj(const std::string& path);
};

extern Ttskojarzone* tskojarzone;
