// The main window's pages, side panel, treatment-plant panel, tool buttons,
// timers and dialogs: the controls whose states are settings.
#include "forms/rys1.h"
#include "platform/builder.h"
#include "platform/sysutils.h"

namespace {

TStringAlignGrid* sump_cells(form_builder& b, const char* name) {
    auto* g = b.add<TStringAlignGrid>(name, {}, 10, 6 * 8);
    g->SetColCount(1);
    g->SetRowCount(6);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetDefaultColWidth(7);
    g->SetDefaultRowHeight(7);
    for (int r = 0; r < 6; ++r) g->set_cell_colour(0, r, clWhite);
    return g;
}

}  // namespace

void TForm1::build_panels() {
    mi_All = new TMenuItem(this);
    mi_All->SetName("mi_All");
    mi_All->SetCaption("Wszystkie profile");

    ActionList1 = new TActionList(this);
    ActionList1->SetName("ActionList1");
    a_SewageTreatmentPlant = new TAction(this);
    a_SewageTreatmentPlant->SetName("a_SewageTreatmentPlant");
    a_SewageTreatmentPlant->SetCaption("Oczyszczalnia ścieków"_cp);
    a_SewageTreatmentPlant->SetActionList(ActionList1);
    a_it_WithoutInfoTable = new TAction(this);
    a_it_WithoutInfoTable->SetName("a_it_WithoutInfoTable");
    a_it_WithoutInfoTable->SetCaption("&Bez metryki");
    a_it_WithoutInfoTable->AutoCheck = true;
    a_it_WithoutInfoTable->SetActionList(ActionList1);

    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    tb_HideCrossing = add_tool_button(this, ToolBar1, "tb_HideCrossing", "Ukryj kolizje");
    tb_HideProtectingPipes = add_tool_button(this, ToolBar1, "tb_HideProtectingPipes", "Ukryj rury osłonowe"_cp);
    tb_HideCrossSections = add_tool_button(this, ToolBar1, "tb_HideCrossSections", "Ukryj przekroje");
    tb_HideBoundaryDesc = add_tool_button(this, ToolBar1, "tb_HideBoundaryDesc", "Ukryj granice działek"_cp);
    tb_HidePageBorders = add_tool_button(this, ToolBar1, "tb_HidePageBorders", "Ukryj podział na strony"_cp);
    int x = 0;
    for (TControl* c : ToolBar1->children()) {
        c->SetLeft(x);
        x += c->Width();
    }
    sb_LockTabShifting = new TSpeedButton(this);
    sb_LockTabShifting->SetName("sb_LockTabShifting");
    sb_LockTabShifting->GroupIndex = 1;
    sb_LockTabShifting->AllowAllUp = true;
    sb_LockTabShifting->SetHint("Zablokuj przesuwanie zakładek"_cp);
    sb_LockTabShifting->SetEnabled(false);
    sb_LockTabShifting->SetBounds(x + 4, 0, 23, 22);
    sb_LockTabShifting->SetParent(ToolBar1);

    StatusBar1 = new TStatusBar(this);
    StatusBar1->SetName("StatusBar1");
    StatusBar1->SetParent(this);
    StatusBar1->AddPanel()->Width = 400;
    StatusBar1->AddPanel();

    t_Save = new TTimer(this);
    t_Save->SetName("t_Save");
    t_Save->SetInterval(10 * 60000);
    t_Hints = new TTimer(this);
    t_Hints->SetName("t_Hints");
    t_Hints->SetEnabled(false);
    t_Hints->SetInterval(4000);

    OD1 = new TOpenDialog(this);
    OD1->SetName("OD1");
    OD1->DefaultExt = "hlv";
    OD1->Title = "Otwórz projekt"_cp;
    OD1->Options |= ofFileMustExist;
    OD1->Filter = "projekt halvoren (.hlv)|*.hlv|projekt halvoren 1.x (.txt)|*.txt";
    SD1 = new TSaveDialog(this);
    SD1->SetName("SD1");
    SD1->DefaultExt = "hlv";
    SD1->Options |= ofOverwritePrompt;

    // The side panel on the right, the pages in the rest.
    p_Side = new TPanel(this);
    p_Side->SetName("p_Side");
    p_Side->SetWidth(260);
    p_Side->SetAlign(TAlign::alRight);
    p_Side->SetParent(this);
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetAlign(TAlign::alClient);
    PageControl1->SetParent(this);
    ts_SewageTreatment = add_sheet(this, PageControl1, "ts_SewageTreatment", "&Oczyszczalnia ścieków"_cp);
    ts_SewageTreatment->SetTabVisible(false);
    ts_Data = add_sheet(this, PageControl1, "ts_Data", "&Dane");
    ts_DrawingPreview = add_sheet(this, PageControl1, "ts_DrawingPreview", "&Podgląd"_cp);
    PageControl1->SetActivePage(ts_Data);

    sg1 = new TStringAlignGrid(this);
    sg1->SetName("sg1");
    sg1->SetFixedRows(2);
    sg1->SetRowCount(3);
    sg1->SetAlign(TAlign::alClient);
    sg1->SetParent(ts_Data);
    Zoombox = new TPaintBox(this);
    Zoombox->SetName("Zoombox");
    Zoombox->SetAlign(TAlign::alClient);
    Zoombox->SetColor(clWhite);
    Zoombox->SetParent(ts_DrawingPreview);

    form_builder s(this, p_Side);
    rg_ManuallyValue = s.add<TRadioGroup>("rg_ManuallyValue", "Wartość wprowadzana ręcznie"_cp, 240, 90);
    set_items(rg_ManuallyValue->Items(), {"&Rzędna rury"_cp, "&Zagłębienie"_cp, "&Spadek", "&Wszystkie"});
    rg_ManuallyValue->SetItemIndex(2);
    cb_CalculateTerrainFromDepth = s.add<TCheckBox>("cb_CalculateTerrainFromDepth", "Licz teren z zagłębienia"_cp, 240, 17);
    rg_ManuallyValueDistance = s.add<TRadioGroup>("rg_ManuallyValueDistance", {}, 240, 50);
    set_items(rg_ManuallyValueDistance->Items(), {"&Długość"_cp, "&Odległość"_cp});
    rg_ManuallyValueDistance->SetItemIndex(0);
    rg_PipeOrdinateMode = s.add<TRadioGroup>("rg_PipeOrdinateMode", "Rzędna rury"_cp, 240, 70);
    set_items(rg_PipeOrdinateMode->Items(), {"dna", "osi", "góry"_cp});
    rg_PipeOrdinateMode->SetItemIndex(0);
    cb_PipellTerrain = s.add<TCheckBox>("cb_PipellTerrain", "Rura równolegle do terenu"_cp, 240, 17);
    cb_CompareLevel = s.add<TCheckBox>("cb_CompareLevel", "Poziom porówn. [m n.p.m.]"_cp, 240, 17);
    e_CompareLevel = s.add<TEdit>("e_CompareLevel", {}, 80);
    e_CompareLevel->SetText("0");
    cb_CustomXScale = s.add<TCheckBox>("cb_CustomXScale", "Skala X", 240, 17);
    e_ProfileXScale = s.add<TEdit>("e_ProfileXScale", {}, 80);
    e_ProfileXScale->SetText("0");
    e_StartX = s.labelled<TEdit>("e_StartX", "X:", 80);
    e_StartY = s.labelled<TEdit>("e_StartY", "Y:", 80);
    e_StartAngle = s.labelled<TEdit>("e_StartAngle", "Kąt:"_cp, 80);
    for (TEdit* e : {e_StartX, e_StartY, e_StartAngle}) e->SetText("0");
    rb_FlowDirectionLR = s.add<TRadioButton>("rb_FlowDirectionLR", "Przepływ w prawo"_cp, 240, 17);
    rb_FlowDirectionRL = s.add<TRadioButton>("rb_FlowDirectionRL", "Przepływ w lewo"_cp, 240, 17);
    rb_FlowDirectionLR->SetChecked(true);
    cb_NetworkType = s.add<TComboBox>("cb_NetworkType", {}, 160);
    cb_NetworkType->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_NetworkType->Items(), {"wodociąg"_cp, "deszcz", "kanalizacja", "gazociąg"_cp, "ciepłociąg"_cp,
                                        "melioracja", "inny"});
    cb_NetworkType->SetItemIndex(6);
    cb_NodeDescription = s.labelled<TComboBox>("cb_NodeDescription", "Opis węzła:"_cp, 150);
    cb_NodeWithSumpDescription = s.labelled<TComboBox>("cb_NodeWithSumpDescription", "Ze studzienką:"_cp, 150);
    cb_SectionDescription = s.labelled<TComboBox>("cb_SectionDescription", "Opis odcinka:", 150);
    e_CrossingDescription = s.labelled<TEdit>("e_CrossingDescription", "Kolizje:", 150);
    e_CrossingDescription->SetText("@_tk_czy_projektowana|'[proj]'|' ' @_tk_medium @_tk_zaglebienie m");
    cb_CrossingDescLikeInEditor = s.add<TCheckBox>("cb_CrossingDescLikeInEditor", "Jak w edytorze", 240, 17);
    cb_CrossingDescLikeInEditor->SetChecked(true);
    e_ProtectingPipeDescription = s.labelled<TEdit>("e_ProtectingPipeDescription", "Rury osłonowe:"_cp, 150);
    e_ProtectingPipeDescription->SetText("@_to_typ @_to_srednica mm, L=@_to_dlugosc m");
    cb_ProtectingPipeDescLikeInEditor = s.add<TCheckBox>("cb_ProtectingPipeDescLikeInEditor", "Jak w edytorze", 240, 17);
    cb_ProtectingPipeDescLikeInEditor->SetChecked(true);

    // The treatment-plant page.
    form_builder t(this, ts_SewageTreatment);
    PageControl2 = t.add<TPageControl>("PageControl2", {}, 420, 260);
    ts_Drainage = add_sheet(this, PageControl2, "ts_Drainage", "drenaż"_cp);
    ts_SandFilter = add_sheet(this, PageControl2, "ts_SandFilter", "filtr");
    e_ElectrLength = t.labelled<TEdit>("e_ElectrLength", "Długość przyłącza elektrycznego do przepompowni [m]:"_cp, 60);
    e_VentLength = t.labelled<TEdit>("e_VentLength", "Długość podziemnego odcinka [m]:"_cp, 60);
    for (TEdit* e : {e_ElectrLength, e_VentLength}) {
        e->SetText("0");
        e->SetHint("Wykorzystywana do obliczeń objętości wykopów"_cp);
    }
    rb_VentWallInside = t.add<TRadioButton>("rb_VentWallInside", "ściana wewn."_cp, 160, 17);
    rb_VentWallOutside = t.add<TRadioButton>("rb_VentWallOutside", "ściana zewn."_cp, 160, 17);
    rb_VentWallInside->SetChecked(true);
    cb_VentMast = t.add<TCheckBox>("cb_VentMast", "maszt", 160, 17);

    form_builder d(this, ts_Drainage);
    tb_DrainageTrenchAmount = d.track_bar("tb_DrainageTrenchAmount", "Określ ilość nitek drenażu"_cp, 1, 6, 3, true);
    tb_DrainageTrenchLength = d.track_bar("tb_DrainageTrenchLength", "Określ długość poletka drenażowego"_cp, 6, 30, 16, false);
    se_DrainageBedsAmount = d.spin_edit("se_DrainageBedsAmount", "Ilość poletek: "_cp, 1, 4, 1);
    se_DrainageMinLength = d.spin_edit("se_DrainageMinLength", "Minimalna długość całkowita [mb]:"_cp, 1, 480, 1);
    se_DrainageMinLength->SetHint("Określ całkowitą minimalną długość drenażu"_cp);
    se_DrainageMinLength->SetVisible(false);
    e_DistanceBetweenPipes = d.labelled<TEdit>("e_DistanceBetweenPipes", "Rozstaw pomiędzy nitkami [m]: "_cp, 60);
    e_DistanceBetweenPipes->SetText("1.50");
    cb_IsEndBar = d.add<TCheckBox>("cb_IsEndBar", "Poprzeczka końcowa"_cp, 200, 17);
    cb_IsEndBar->SetChecked(true);
    cb_DrainageEndBar = d.add<TCheckBox>("cb_DrainageEndBar", "jako drenaż "_cp, 200, 17);
    cb_DrainageEndBar->SetHint("Końcowa poprzeczka drenażu wykonana jako drenaż (z warstwami podsypkowymi)"_cp);
    e_SandLayerHeight = d.labelled<TEdit>("e_SandLayerHeight", "Piach [m]:", 60);
    e_SandLayerHeight->SetText("0.40");
    e_GravelLayerHeight = d.labelled<TEdit>("e_GravelLayerHeight", "Żwir [m]:"_cp, 60);
    e_GravelLayerHeight->SetText("0.30");
    cb_MarkDrainageLayersOnDrawing = d.add<TCheckBox>("cb_MarkDrainageLayersOnDrawing",
                                                      "Zaznacz warstwy podsypkowe na profilu", 300, 17);
    cb_DrainagePiezometer = d.add<TCheckBox>("cb_DrainagePiezometer", "piezometr", 200, 17);
    cb_DrainagePiezometer->SetHint("Zaznacz by narysować w profilu urządzenie do poboru próbek"_cp);
    sg_FirstSump = sump_cells(d, "sg_FirstSump");
    sg_LastSump = sump_cells(d, "sg_LastSump");

    form_builder f(this, ts_SandFilter);
    tb_SandFilterWidth = f.track_bar("tb_SandFilterWidth", "Określ szerokość filtra"_cp, 1, 6, 3, true);
    tb_SandFilterLength = f.track_bar("tb_SandFilterLength", "Określ długość filtra"_cp, 6, 20, 16, false);
    se_SandFilterMinArea = f.spin_edit("se_SandFilterMinArea", "Minimalna powierzchnia [m2]:", 0, 0, 0);
    se_SandFilterMinArea->SetHint("Określ minimalną powierzchnię filtra pionowego"_cp);
    cb_SandFilterAutoCorrect = f.add<TCheckBox>("cb_SandFilterAutoCorrect", "korekta", 200, 17);
    cb_SandFilterAutoCorrect->SetChecked(true);
}
