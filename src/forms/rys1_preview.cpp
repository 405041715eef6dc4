// The main window's preview controls: the zoom commands, and the preview
// tool bar with the sheet buttons, the cross-section chooser, the hide
// buttons, the zoom buttons, the button of the separate window and the
// coordinates under the pointer. The tool bar shows with the preview page.
#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/builder.h"
#include "platform/cp1250.h"

// Made with the action list, before the table's commands: Ctrl+Z finds the
// previous view before the undo (the page change gives it to one of them).
void TForm1::build_preview_actions() {
    a_Zin = rys1_build::add_action(this, "a_Zin", "Powiększ"_cp, ShortCut(VK_ADD, 0));
    a_Zout = rys1_build::add_action(this, "a_Zout", "Pomniejsz");
    a_Zprevious = rys1_build::add_action(this, "a_Zprevious", "Widok poprzedni");
    a_Zreset = rys1_build::add_action(this, "a_Zreset", "Widok oryginalny");
    for (TAction* a : {a_Zin, a_Zout, a_Zprevious, a_Zreset}) a->Category = "Podgląd"_cp;
}

void TForm1::build_preview_controls() {
    tb_podglad1 = new TToolBar(this);
    tb_podglad1->SetName("tb_podglad1");
    tb_podglad1->SetTop(ToolBar1->Top() + ToolBar1->Height());
    tb_podglad1->SetVisible(false);
    tb_podglad1->SetParent(this);

    // The sheet kinds of the preview: exactly one button is down.
    auto sheet = [this](const char* name, std::string_view hint) {
        TToolButton* b = add_tool_button(this, tb_podglad1, name, hint);
        b->Grouped = true;
        return b;
    };
    tb_PreviewProfile = sheet("tb_PreviewProfile", "Podgląd profilu"_cp);
    tb_PreviewCrossSection = sheet("tb_PreviewCrossSection", "Podgląd przekroju"_cp);
    tb_PreviewScheme = sheet("tb_PreviewScheme", "Podgląd schematu"_cp);
    tb_PreviewSump = sheet("tb_PreviewSump", "Studzienki");
    tb_PreviewProfile->SetDown(true);
    tb_PreviewCrossSection->SetEnabled(false);
    tb_PreviewSump->SetEnabled(false);
    cb_CrossSections = new TComboBox(this);
    cb_CrossSections->SetName("cb_CrossSections");
    cb_CrossSections->Style = TComboBoxStyle::csDropDownList;
    cb_CrossSections->SetHint("Wybierz przekrój"_cp);
    cb_CrossSections->SetBounds(0, 0, 140, 21);
    cb_CrossSections->SetEnabled(false);
    cb_CrossSections->SetParent(tb_podglad1);

    tb_HideCrossing = add_tool_button(this, tb_podglad1, "tb_HideCrossing", "Ukryj kolizje");
    tb_HideProtectingPipes = add_tool_button(this, tb_podglad1, "tb_HideProtectingPipes", "Ukryj rury osłonowe"_cp);
    tb_HideCrossSections = add_tool_button(this, tb_podglad1, "tb_HideCrossSections", "Ukryj przekroje");
    tb_HideBoundaryDesc = add_tool_button(this, tb_podglad1, "tb_HideBoundaryDesc", "Ukryj granice działek"_cp);
    tb_HidePageBorders = add_tool_button(this, tb_podglad1, "tb_HidePageBorders", "Ukryj podział na strony"_cp);

    auto zoom = [this](const char* name, TAction* action) {
        TToolButton* b = add_tool_button(this, tb_podglad1, name, "");
        b->Style = TToolButtonStyle::tbsButton;
        b->SetAction(action);
        return b;
    };
    tb_zoom_in = zoom("tb_zoom_in", a_Zin);
    tb_zoom_out = zoom("tb_zoom_out", a_Zout);
    tb_zoom_reset = zoom("tb_zoom_reset", a_Zreset);
    tb_PreviewOnOff = add_tool_button(this, tb_podglad1, "tb_PreviewOnOff", "");

    e_xy = new TMemo(this);
    e_xy->SetName("e_xy");
    e_xy->SetReadOnly(true);
    e_xy->WordWrap = false;
    e_xy->TabStop = false;
    // Two lines in the tool bar's height.
    TFont font = e_xy->Font();
    font.SetSize(7);
    e_xy->SetFont(font);
    e_xy->ParentFont = false;
    e_xy->SetBounds(0, 0, 120, 29);
    e_xy->SetParent(tb_podglad1);

    // The buttons stand in their order from the left.
    int x = 0;
    for (TControl* c : tb_podglad1->children()) {
        c->SetLeft(x);
        x += c->Width() + (dynamic_cast<TToolButton*>(c) ? 0 : 4);
    }
}
