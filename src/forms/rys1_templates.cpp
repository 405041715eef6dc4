// The main window's command "Dokumenty skojarzone" with its menu.
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
}
