// The template chooser's controls and their layout.
#include "forms/skojarzone.h"

#include "platform/sysutils.h"

Ttskojarzone* tskojarzone = nullptr;

namespace {

TSpeedButton* button(Ttskojarzone* f, const char* name, std::string_view caption, std::string_view hint, int left,
                     int top, int width) {
    auto* b = new TSpeedButton(f);
    b->SetName(name);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetBounds(left, top, width, 25);
    b->SetParent(f);
    return b;
}

}  // namespace

Ttskojarzone::Ttskojarzone(TComponent* owner) : TForm(owner) {
    set_class_name("Ttskojarzone");
    SetName("tskojarzone");
    SetCaption("Szablony dokumentów"_cp);
    BorderStyle = TFormBorderStyle::bsSizeable;
    Position = TPosition::poScreenCenter;
    KeyPreview = true;
    SetBounds(0, 0, 420, 420);

    l_Search = new TLabel(this);
    l_Search->SetName("l_Search");
    l_Search->SetCaption("Szukaj: ");
    l_Search->SetBounds(8, 11, 50, 15);
    l_Search->SetParent(this);
    e_Search = new TEdit(this);
    e_Search->SetName("e_Search");
    e_Search->SetBounds(60, 8, 320, 21);
    e_Search->SetParent(this);
    l_Search->FocusControl = e_Search;

    cb_Templates = new TListBox(this);
    cb_Templates->SetName("cb_Templates");
    cb_Templates->Style = TListBoxStyle::lbOwnerDrawFixed;
    cb_Templates->ItemHeight = 18;
    TFont font = cb_Templates->Font();
    font.Name = "MS Sans Serif";
    font.SetHeight(13);
    cb_Templates->SetFont(font);
    cb_Templates->ParentFont = false;
    cb_Templates->SetBounds(8, 36, 404, 306);
    cb_Templates->SetParent(this);

    sb_Make = button(this, "sb_Make", "Utwórz"_cp, {}, 8, 350, 90);
    sb_Cancel = button(this, "sb_Cancel", "Anuluj", {}, 104, 350, 90);
    sb_TemplateEdit = button(this, "sb_TemplateEdit", "...", "Edytuj wzorzec dokumentu", 300, 350, 30);
    sb_TemplateHide = button(this, "sb_TemplateHide", "+/-", "Ukryj/Przywróć szablon"_cp, 336, 350, 30);
    sb_ShowHiddenTemplates = button(this, "sb_ShowHiddenTemplates", "~", "Pokaż ukryte szablony"_cp, 372, 350, 30);
    sb_ShowHiddenTemplates->GroupIndex = 1;
    sb_ShowHiddenTemplates->AllowAllUp = true;

    sb_Status = new TStatusBar(this);
    sb_Status->SetName("sb_Status");
    sb_Status->SetAlign(TAlign::alBottom);
    sb_Status->SetParent(this);
    sb_Status->AddPanel()->Width = 400;
    sb_Status->SetSimplePanel(false);
}
