// The main window's print commands: "&Drukuj..." in the "&Plik" menu and on
// the file tool bar, the printer set-up item and its dialog.
#include <algorithm>

#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/cp1250.h"

void TForm1::build_print_commands() {
    a_Print = rys1_build::add_action(this, "a_Print", "&Drukuj...", ShortCut('P', ssCtrl));
    psd = new TPrinterSetupDialog(this);
    psd->SetName("psd");

    // After "Z&apisz jako...": a line, the print command and the printer set-up.
    int at = 0;
    while (at < mi_File->Count() && mi_File->Items(at) != mi_SaveAs) ++at;
    ++at;
    auto* line = new TMenuItem(this);
    line->SetCaption("-");
    mi_File->Insert(at++, line);
    auto* print = new TMenuItem(this);
    print->SetName("mi_Print");
    print->SetAction(a_Print);
    mi_File->Insert(at++, print);
    mi_PrinterSetup = new TMenuItem(this);
    mi_PrinterSetup->SetName("mi_PrinterSetup");
    mi_PrinterSetup->SetCaption("&Ustawienia drukarki...");
    mi_File->Insert(at, mi_PrinterSetup);

    int x = 0;
    for (const TControl* c : tb_plik1->children()) x = std::max(x, c->Left() + c->Width());
    sb_print = new TToolButton(this);
    sb_print->SetName("sb_print");
    sb_print->SetBounds(x, 0, 23, 22);
    sb_print->SetParent(tb_plik1);
    sb_print->SetAction(a_Print);
}
