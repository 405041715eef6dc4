// The main window's pages, side panel, treatment-plant panel, tool buttons,
// timers and dialogs: the controls whose states are settings.
#include "forms/rys1.h"

#include <algorithm>
#include <tuple>
#include <utility>

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
    build_preview_actions();

    ToolBar1 = new TToolBar(this);
    ToolBar1->SetName("ToolBar1");
    ToolBar1->SetParent(this);
    const int x = 0;
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
    Zoombox = new Zoom_panel(this);
    Zoombox->SetName("Zoombox");
    Zoombox->SetAlign(TAlign::alClient);
    Zoombox->SetColor(clBlack);
    Zoombox->ZoomFactor = 1.25;
    Zoombox->SetParent(ts_DrawingPreview);

    form_builder s(this, p_Side, 4, 0);
    gb_DataPanel = s.add<TGroupBox>("gb_DataPanel", {}, 250, 300);
    s.column(4, 0);
    gb_PreviewPanel = s.add<TGroupBox>("gb_PreviewPanel", {}, 250, 336);
    gb_PreviewPanel->SetVisible(false);

    // A check box with its edit beside it on one line.
    auto checked_edit = [this](form_builder& b, const char* check, std::string_view caption, const char* edit) {
        const int line = b.line();
        auto* c = b.add<TCheckBox>(check, caption, 178, 17);
        b.column(186, line - 2);
        auto* e = b.add<TEdit>(edit, {}, 54);
        e->SetText("0");
        e->SetEnabled(false);
        b.column(8, std::max(b.line(), line + 21));
        return std::pair{c, e};
    };
    const std::string_view kept_values_hint = "Wybierz kolumnę, której wartości będą stałe"_cp;
    form_builder dp(this, gb_DataPanel, 8, 16);
    cb_NetworkType = dp.labelled<TComboBox>("cb_NetworkType", "Typ", 160);
    cb_NetworkType->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_NetworkType->Items(), {"wodociąg"_cp, "deszcz", "kanalizacja", "gazociąg"_cp, "ciepłociąg"_cp,
                                        "melioracja", "inny"});
    cb_NetworkType->SetItemIndex(6);
    dp.skip(2);
    rg_ManuallyValue = dp.add<TRadioGroup>("rg_ManuallyValue", "Wartość wprowadzana ręcznie"_cp, 234, 58);
    rg_ManuallyValue->Columns = 2;
    set_items(rg_ManuallyValue->Items(), {"&Rzędna rury"_cp, "&Zagłębienie"_cp, "&Spadek", "&Wszystkie"});
    rg_ManuallyValue->SetItemIndex(2);
    rg_ManuallyValue->SetHint(kept_values_hint);
    cb_CalculateTerrainFromDepth = dp.add<TCheckBox>("cb_CalculateTerrainFromDepth", "Licz teren z zagłębienia"_cp, 234, 17);
    rg_ManuallyValueDistance = dp.add<TRadioGroup>("rg_ManuallyValueDistance", {}, 234, 36);
    rg_ManuallyValueDistance->Columns = 2;
    set_items(rg_ManuallyValueDistance->Items(), {"&Długość"_cp, "&Odległość"_cp});
    rg_ManuallyValueDistance->SetItemIndex(0);
    rg_ManuallyValueDistance->SetHint(kept_values_hint);
    rg_PipeOrdinateMode = dp.add<TRadioGroup>("rg_PipeOrdinateMode", "Rzędna rury"_cp, 234, 38);
    rg_PipeOrdinateMode->Columns = 3;
    set_items(rg_PipeOrdinateMode->Items(), {"dna", "osi", "góry"_cp});
    rg_PipeOrdinateMode->SetItemIndex(0);
    cb_PipellTerrain = dp.add<TCheckBox>("cb_PipellTerrain", "Rura równolegle do terenu"_cp, 234, 17);
    cb_PipellTerrain->SetHint("Wprowadź zagłębienie w pierwszym węźle"_cp);
    std::tie(cb_CompareLevel, e_CompareLevel) =
        checked_edit(dp, "cb_CompareLevel", "Poziom porówn. [m n.p.m.]"_cp, "e_CompareLevel");
    cb_CompareLevel->SetHint("Zaznacz by wprowadzić własny poziom porównawczy"_cp);
    // "1:" stands just before the scale's edit.
    std::tie(cb_CustomXScale, e_ProfileXScale) =
        checked_edit(dp, "cb_CustomXScale", "Skala X                        1:", "e_ProfileXScale");
    rb_FlowDirectionLR = dp.labelled<TRadioButton>("rb_FlowDirectionLR", "Kierunek przepływu"_cp, 44, 17);
    rb_FlowDirectionLR->SetCaption("-->");
    rb_FlowDirectionRL = new TRadioButton(this);
    rb_FlowDirectionRL->SetName("rb_FlowDirectionRL");
    rb_FlowDirectionRL->SetCaption("<--");
    rb_FlowDirectionRL->SetBounds(rb_FlowDirectionLR->Left() + 50, rb_FlowDirectionLR->Top(), 44, 17);
    rb_FlowDirectionRL->SetParent(gb_DataPanel);
    rb_FlowDirectionLR->SetChecked(true);
    // "<--" keeps beside "-->" when a language moves it.
    rb_FlowDirectionLR->observe([this](TComponent*, Prop p) {
        if (p == Prop::Bounds) rb_FlowDirectionRL->SetLeft(rb_FlowDirectionLR->Left() + 50);
    });

    // The sheet's placement, then the descriptions, each with its label above.
    form_builder v(this, gb_PreviewPanel, 8, 16);
    e_StartX = v.labelled<TEdit>("e_StartX", "Przesunięcie X [mm]"_cp, 70);
    e_StartY = v.labelled<TEdit>("e_StartY", "Przesunięcie Y [mm]"_cp, 70);
    e_StartAngle = v.labelled<TEdit>("e_StartAngle", "Kąt początkowy [°]"_cp, 70);
    for (TEdit* e : {e_StartX, e_StartY, e_StartAngle}) e->SetText("0");
    auto described = [&v]<class T>(T*& field, const char* name, std::string_view label) {
        v.add_label(label, "l_" + std::string(name));
        v.skip(15);
        field = v.add<T>(name, {}, 234);
    };
    described(cb_NodeDescription, "cb_NodeDescription", "Opis węzła:"_cp);
    described(cb_NodeWithSumpDescription, "cb_NodeWithSumpDescription", "Opis węzła ze studzienką:"_cp);
    described(cb_SectionDescription, "cb_SectionDescription", "Opis odcinka:");
    // The label edits, each with its "as in the editor" box under it.
    auto label_edit = [&v, &described](TEdit*& field, const char* name, std::string_view label, TCheckBox*& box,
                                             const char* box_name) {
        described(field, name, label);
        box = v.add<TCheckBox>(box_name, "Jak w edytorze", 234, 17);
        box->SetChecked(true);
        field->SetEnabled(false);
    };
    label_edit(e_CrossingDescription, "e_CrossingDescription", "Opis kolizji:", cb_CrossingDescLikeInEditor,
               "cb_CrossingDescLikeInEditor");
    e_CrossingDescription->SetText("@_tk_czy_projektowana|'[proj]'|' ' @_tk_medium @_tk_zaglebienie m");
    label_edit(e_ProtectingPipeDescription, "e_ProtectingPipeDescription", "Opis rury osłonowej:"_cp,
               cb_ProtectingPipeDescLikeInEditor, "cb_ProtectingPipeDescLikeInEditor");
    e_ProtectingPipeDescription->SetText("@_to_typ @_to_srednica mm, L=@_to_dlugosc m");

    // The treatment-plant page.
    form_builder t(this, ts_SewageTreatment);
    PageControl2 = t.add<TPageControl>("PageControl2", {}, 440, 400);
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
    // The sumps' cells beside the trench count.
    d.column(200, 8);
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
