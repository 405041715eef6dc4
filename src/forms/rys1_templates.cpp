// The main window's command "Dokumenty skojarzone" with its menu, and the
// preview's sheet buttons and cross-section chooser, which the document
// variables read.
#include "forms/rys1.h"
#include "platform/builder.h"
#include "platform/sysutils.h"

void TForm1::build_template_controls() {
    a_Templates = new TAction(this);
    a_Templates->SetName("a_Templates");
    a_Templates->SetCaption("Dokumenty skojarzone");
    a_Templates->SetShortCut(ShortCut('D', ssCtrl));
    a_Templates->SetActionList(ActionList1);
    mi_Tools = new TMenuItem(this);
    mi_Tools->SetName("mi_Tools");
    mi_Tools->SetCaption("&Narzędzia"_cp);
    MainMenu1->Items()->Add(mi_Tools);
    auto* item = new TMenuItem(this);
    item->SetName("mi_Templates");
    item->SetAction(a_Templates);
    mi_Tools->Add(item);

    // The sheet kinds of the preview: exactly one button is down.
    int x = 0;
    for (const TControl* c : ToolBar1->children()) x = std::max(x, c->Left() + c->Width());
    auto sheet = [this, &x](const char* name, std::string_view hint) {
        TToolButton* b = add_tool_button(this, ToolBar1, name, hint);
        b->Grouped = true;
        b->SetLeft(x);
        x += b->Width();
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
    cb_CrossSections->SetBounds(x + 4, 0, 140, 21);
    cb_CrossSections->SetEnabled(false);
    cb_CrossSections->SetParent(ToolBar1);
}
