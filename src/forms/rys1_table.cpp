// The main window's node table options, the side panel's grid with the
// profile and node labels, the edit and node commands, the node menu and
// the table's popup menu.
#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/builder.h"
#include "platform/sysutils.h"

namespace {

using rys1_build::add_action;
using rys1_build::add_command;

TMenuItem* add_menu(TForm1* form, std::string_view name, std::string_view caption) {
    auto* mi = new TMenuItem(form);
    mi->SetName(std::string(name));
    mi->SetCaption(caption);
    form->MainMenu1->Items()->Add(mi);
    return mi;
}

}  // namespace

void TForm1::build_table_commands() {
    sg1->SetFixedRows(2);
    sg1->SetFixedCols(0);
    sg1->SetColCount(14);
    sg1->SetRowCount(3);
    sg1->Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goEditing |
                   goDrawFocusSelected | goColSizing | goColMoving;
    sg1->AutoEditNextCell = true;
    sg1->NextCellEdit = nc_rightdown;
    sg1->AfterLastCellEdit = lc_stop;

    // The side panel: the profile, the node and the grid of the panel kinds
    // above the profile's settings.
    constexpr int grid_height = 230;
    for (TControl* c : p_Side->children()) c->SetTop(c->Top() + grid_height + 40);
    st_ProfileName = new TLabel(this);
    st_ProfileName->SetName("st_ProfileName");
    st_ProfileName->SetCaption("");
    st_ProfileName->SetBounds(4, 2, 250, 16);
    st_ProfileName->SetParent(p_Side);
    l_NodeNo = new TLabel(this);
    l_NodeNo->SetName("l_NodeNo");
    l_NodeNo->SetCaption("Węzeł nr: "_cp);
    l_NodeNo->SetBounds(4, 20, 250, 16);
    l_NodeNo->SetParent(p_Side);
    sag_Panel = new TStringAlignGrid(this);
    sag_Panel->SetName("sag_Panel");
    sag_Panel->SetColCount(3);
    sag_Panel->SetRowCount(2);
    sag_Panel->SetFixedCols(2);
    sag_Panel->SetFixedRows(1);
    sag_Panel->SetColWidth(0, 100);
    sag_Panel->SetColWidth(1, 54);
    sag_Panel->SetColWidth(2, 60);
    sag_Panel->SetDefaultRowHeight(17);
    sag_Panel->Options = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing | goRowMoving |
                         goEditing;
    set_header(sag_Panel, {"Parametr", "Jedn.", "Wartość"_cp});
    sag_Panel->SetBounds(4, 38, 250, grid_height);
    sag_Panel->SetParent(p_Side);

    a_Exit = add_action(this, "a_Exit", "Za&kończ"_cp);
    a_Undo = add_action(this, "a_Undo", "Cofnij", ShortCut('Z', ssCtrl));
    a_Redo = add_action(this, "a_Redo", "Ponów"_cp, ShortCut('Y', ssCtrl));
    a_NodeInsert = add_action(this, "a_NodeInsert", "&Wstaw", ShortCut(VK_INSERT, 0));
    a_NodeAdd = add_action(this, "a_NodeAdd", "&Dodaj");
    a_NodeDelete = add_action(this, "a_NodeDelete", "&Usuń"_cp);
    a_NodeCut = add_action(this, "a_NodeCut", "W&ytnij");
    a_NodeCopy = add_action(this, "a_NodeCopy", "&Kopiuj");
    a_NodePaste = add_action(this, "a_NodePaste", "Wkl&ej");
    a_CellCut = add_action(this, "a_CellCut", "Wytnij");
    a_CellCopy = add_action(this, "a_CellCopy", "Kopiuj");
    a_CellPaste = add_action(this, "a_CellPaste", "Wklej");
    a_AdjustColWidths = add_action(this, "a_AdjustColWidths", "Dopasuj szerokość kolumn"_cp);

    mi_Edit = add_menu(this, "mi_Edit", "&Edycja");
    add_command(this, mi_Edit, a_Undo);
    add_command(this, mi_Edit, a_Redo);
    mi_Node = add_menu(this, "mi_Node", "Węzeł"_cp);
    for (TAction* a : {a_NodeInsert, a_NodeAdd, a_NodeDelete, a_NodeCut, a_NodeCopy, a_NodePaste, a_ObjectEdit})
        add_command(this, mi_Node, a);

    pm_dane = new TPopupMenu(this);
    pm_dane->SetName("pm_dane");
    for (TAction* a : {a_CellCut, a_CellCopy, a_CellPaste}) add_command(this, pm_dane->Items(), a);
    sb_CopyToClipboard = new TMenuItem(this);
    sb_CopyToClipboard->SetName("sb_CopyToClipboard");
    sb_CopyToClipboard->SetCaption("Kopiuj tabelę do schowka"_cp);
    pm_dane->Items()->Add(sb_CopyToClipboard);
    add_command(this, pm_dane->Items(), a_AdjustColWidths);
    sg1->PopupMenu = pm_dane;
}
