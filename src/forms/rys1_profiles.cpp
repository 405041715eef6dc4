// The main window's profile tab strip with its popup menu, the "Profil"
// menu, the profile and object commands and the pick list of the node table.
#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/sysutils.h"

namespace {

using rys1_build::add_action;
using rys1_build::add_command;
using rys1_build::add_item;
using rys1_build::add_separator;

}  // namespace

void TForm1::build_profile_commands() {
    a_ProfileNew = add_action(this, "a_ProfileNew", "Wstaw profil");
    a_ProfileRename = add_action(this, "a_ProfileRename", "Zmień nazwę"_cp);
    a_ProfileDelete = add_action(this, "a_ProfileDelete", "Usuń profil"_cp);
    a_ProfileDuplicate = add_action(this, "a_ProfileDuplicate", "Powiel profil");
    a_ProfileChangeOrder = add_action(this, "a_ProfileChangeOrder", "Odwróć kolejność danych"_cp);
    a_ProfileMarkAsMain = add_action(this, "a_ProfileMarkAsMain", "Oznacz jako główny"_cp);
    a_ProfileJoin = add_action(this, "a_ProfileJoin", "Dołącz do profilu..."_cp);
    a_ProfileSplit = add_action(this, "a_ProfileSplit", "Rozdziel w bieżącym węźle na dwa profile "_cp);
    a_SearchNodeProfil = add_action(this, "a_SearchNodeProfil", "Szukaj ");
    a_SearchNodeProfil->SetShortCut(ShortCut('F', ssCtrl));
    a_ObjectEdit = add_action(this, "a_ObjectEdit", "Edytuj obiekt");
    a_ObjectEdit->SetShortCut(ShortCut(VK_F3, 0));
    a_ObjectEdit->SetEnabled(false);
    a_Objects = add_action(this, "a_Objects", "Obiekty");
    a_TerrainDescription = add_action(this, "a_TerrainDescription", "Opis terenu");

    // The tab strip's popup menu.
    pm_tabs = new TPopupMenu(this);
    pm_tabs->SetName("pm_tabs");
    TMenuItem* popup = pm_tabs->Items();
    mi_Draw = add_item(this, popup, "mi_Draw", "Uwzględnij"_cp);
    mi_that1 = add_item(this, mi_Draw, "mi_that1", "Bieżący profil (włącz/wyłącz)"_cp);
    add_separator(this, mi_Draw);
    mi_only1 = add_item(this, mi_Draw, "mi_only1", "Tylko bieżący profil"_cp);
    mi_OnlyTheSameType = add_item(this, mi_Draw, "mi_OnlyTheSameType", "Tylko profile typu: ");
    mi_AllWithout1 = add_item(this, mi_Draw, "mi_AllWithout1", "Wszystkie profile oprócz bieżącego"_cp);
    mi_Draw->Add(mi_All);
    add_separator(this, popup);
    for (TAction* a : {a_ProfileNew, a_ProfileDuplicate, a_ProfileDelete, a_ProfileRename}) add_command(this, popup, a);
    add_separator(this, popup);
    add_command(this, popup, a_ProfileMarkAsMain);
    add_command(this, popup, a_ProfileChangeOrder);

    // The main menu "Profil".
    mi_Profile = new TMenuItem(this);
    mi_Profile->SetName("mi_Profile");
    mi_Profile->SetCaption("Profil");
    MainMenu1->Items()->Insert(0, mi_Profile);
    for (TAction* a : {a_ProfileNew, a_ProfileDuplicate, a_ProfileDelete, a_ProfileRename}) add_command(this, mi_Profile, a);
    add_separator(this, mi_Profile);
    for (TAction* a : {a_ProfileMarkAsMain, a_ProfileChangeOrder, a_ProfileJoin, a_ProfileSplit})
        add_command(this, mi_Profile, a);
    add_separator(this, mi_Profile);
    add_command(this, mi_Profile, a_SearchNodeProfil);
    mi_ImportCrossingsFromDxfFile =
        add_item(this, mi_Profile, "mi_ImportCrossingsFromDxfFile", "Import kolizji z pliku DXF...");
    mi_ImportCrossingsFromDxfFile->SetVisible(false);

    // Under the node table.
    tab_profile = new TTab95Control(this);
    tab_profile->SetName("tab_profile");
    tab_profile->SetHeight(24);
    tab_profile->SetAlign(TAlign::alBottom);
    tab_profile->SetTabPosition(tpBottomRight);
    // A tab moves only once moving it moves its profile too; until then a
    // moved caption would stand on another profile.
    tab_profile->AllowTabShifting = false;
    tab_profile->HotTrack = false;
    tab_profile->SetColor(clWhite);
    tab_profile->TabInactiveColor = clBtnFace;
    TFont active;
    active.Name = "Tahoma";
    active.SetSize(8);
    tab_profile->SetFont(active);
    TFont inactive;
    inactive.Name = "MS Sans Serif";
    inactive.SetSize(8);
    tab_profile->SetTabInactiveFont(inactive);
    tab_profile->ShowHint = false;
    tab_profile->Tabs.Add("profil1");
    tab_profile->ImageIndexes.SetString(0, "-1");
    tab_profile->set_tab_index(0);
    tab_profile->SetParent(ts_Data);
    tab_profile->PopupMenu = pm_tabs;

    lb_listy = new TListBox(this);
    lb_listy->SetName("lb_listy");
    lb_listy->SetColor(clInfoBk);
    lb_listy->SetBounds(0, 0, 160, 120);
    lb_listy->SetVisible(false);
    lb_listy->SetParent(ts_Data);

    sb_ObjectParameters = new TSpeedButton(this);
    sb_ObjectParameters->SetName("sb_ObjectParameters");
    sb_ObjectParameters->SetAction(a_ObjectEdit);
    sb_ObjectParameters->SetHint("Edytuj obiekt");
    sb_ObjectParameters->SetBounds(sb_LockTabShifting->Left() + sb_LockTabShifting->Width() + 4, 0, 23, 22);
    sb_ObjectParameters->SetParent(ToolBar1);
}
