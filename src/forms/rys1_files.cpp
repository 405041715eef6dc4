// The main window's file commands: the project actions, the "&Plik" menu,
// the file tool bar with the three recent-files menus, help and settings.
#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/sysutils.h"

namespace {

using rys1_build::add_action;
using rys1_build::add_command;
using rys1_build::add_separator;

TToolButton* file_button(TForm1* form, TToolBar* bar, std::string_view name, int left) {
    auto* b = new TToolButton(form);
    b->SetName(std::string(name));
    b->SetBounds(left, 0, 23, 22);
    b->SetParent(bar);
    return b;
}

// A recent-files menu: four entries "<prefix>1" to "<prefix>4", hidden
// until the menu fills them.
TPopupMenu* recent_menu(TForm1* form, std::string_view name, std::string_view prefix) {
    auto* pm = new TPopupMenu(form);
    pm->SetName(std::string(name));
    for (int n = 1; n <= 4; ++n) {
        auto* mi = new TMenuItem(form);
        mi->SetName(std::string(prefix) + IntToStr(n));
        mi->Tag = n;
        mi->SetVisible(false);
        pm->Items()->Add(mi);
    }
    return pm;
}

}  // namespace

void TForm1::build_file_commands() {
    a_ProjectNew = add_action(this, "a_ProjectNew", "&Nowy", ShortCut('N', ssCtrl));
    a_ProjectOpen = add_action(this, "a_ProjectOpen", "&Otwórz"_cp, ShortCut('O', ssCtrl));
    a_ProjectSave = add_action(this, "a_ProjectSave", "&Zapisz", ShortCut('S', ssCtrl));
    a_ProjectSave->SetEnabled(false);
    a_ProjectData = add_action(this, "a_ProjectData", "O projekcie...");
    a_CopyData = add_action(this, "a_CopyData", "Kopiuj dane");
    a_PasteData = add_action(this, "a_PasteData", "Wklej");
    a_Help = add_action(this, "a_Help", "Pomo&c", ShortCut(VK_F1, 0));
    a_Configuration = add_action(this, "a_Configuration", "&Konfiguracja");

    mi_File = new TMenuItem(this);
    mi_File->SetName("mi_File");
    mi_File->SetCaption("&Plik");
    MainMenu1->Items()->Insert(0, mi_File);
    add_command(this, mi_File, a_ProjectNew);
    add_command(this, mi_File, a_ProjectOpen);
    add_command(this, mi_File, a_ProjectSave);
    mi_SaveAs = new TMenuItem(this);
    mi_SaveAs->SetName("mi_SaveAs");
    mi_SaveAs->SetCaption("Z&apisz jako...");
    mi_File->Add(mi_SaveAs);
    add_separator(this, mi_File);
    add_command(this, mi_File, a_ProjectData);
    add_command(this, mi_File, a_CopyData);
    add_command(this, mi_File, a_PasteData);
    add_separator(this, mi_File);
    add_command(this, mi_File, a_Configuration);
    mi_Help = new TMenuItem(this);
    mi_Help->SetName("mi_Help");
    mi_Help->SetAction(a_Help);
    MainMenu1->Items()->Add(mi_Help);

    pm_rec = recent_menu(this, "pm_rec", "plik");
    pm_rec_metryka = recent_menu(this, "pm_rec_metryka", "plim");
    pm_rec_skojarzone = recent_menu(this, "pm_rec_skojarzone", "plis");

    tb_plik1 = new TToolBar(this);
    tb_plik1->SetName("tb_plik1");
    tb_plik1->SetParent(this);
    sb_nowy_projekt = file_button(this, tb_plik1, "sb_nowy_projekt", 0);
    sb_nowy_projekt->SetAction(a_ProjectNew);
    PJSB_otworz = file_button(this, tb_plik1, "PJSB_otworz", 23);
    PJSB_otworz->SetAction(a_ProjectOpen);
    PJSB_otworz->Style = TToolButtonStyle::tbsDropDown;
    PJSB_otworz->DropdownMenu = pm_rec;
    auto* save = file_button(this, tb_plik1, "sb_zapisz", 46);
    save->SetAction(a_ProjectSave);
    PJLinkedMenuSpeedButton2 = file_button(this, tb_plik1, "PJLinkedMenuSpeedButton2", 76);
    PJLinkedMenuSpeedButton2->SetHint("Ostatnio używane szablony metryki"_cp);
    PJLinkedMenuSpeedButton2->Style = TToolButtonStyle::tbsDropDown;
    PJLinkedMenuSpeedButton2->DropdownMenu = pm_rec_metryka;
    PJLinkedMenuSpeedButton3 = file_button(this, tb_plik1, "PJLinkedMenuSpeedButton3", 99);
    PJLinkedMenuSpeedButton3->SetHint("Ostatnio używane dokumenty skojarzone"_cp);
    PJLinkedMenuSpeedButton3->Style = TToolButtonStyle::tbsDropDown;
    PJLinkedMenuSpeedButton3->DropdownMenu = pm_rec_skojarzone;
    SpeedButton8 = file_button(this, tb_plik1, "SpeedButton8", 129);
    SpeedButton8->SetAction(a_Configuration);
    SpeedButton6 = file_button(this, tb_plik1, "SpeedButton6", 152);
    SpeedButton6->SetAction(a_Help);
}
