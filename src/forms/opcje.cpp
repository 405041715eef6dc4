// The settings dialog's controls and their layout: the tree, the seventeen
// pages, the tables and the buttons.
#include "forms/opcje.h"

#include "platform/builder.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

Ttopcje* topcje = nullptr;

namespace {

// The pages are chosen from the tree: their tabs are hidden.
TTabSheet* page(TForm* f, TPageControl* pc, const char* name, std::string_view caption) {
    TTabSheet* t = add_sheet(f, pc, name, caption);
    t->SetTabVisible(false);
    return t;
}

TStringAlignGrid* grid(form_builder& b, const char* name, int cols, int rows, int fixed_cols, int width, int height) {
    auto* g = b.add<TStringAlignGrid>(name, {}, width, height);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetFixedCols(fixed_cols);
    g->SetFixedRows(1);
    g->SetDefaultRowHeight(18);
    g->Options |= goEditing;
    return g;
}

}  // namespace

Ttopcje::Ttopcje(TComponent* owner) : TForm(owner) {
    set_class_name("Ttopcje");
    SetName("topcje");
    SetCaption("Konfiguracja");
    BorderStyle = TFormBorderStyle::bsDialog;
    Position = TPosition::poScreenCenter;
    SetBounds(0, 0, 760, 560);

    tv_Config = new TTreeView(this);
    tv_Config->SetName("tv_Config");
    tv_Config->SetBounds(4, 4, 180, 470);
    tv_Config->SetParent(this);
    PageControl1 = new TPageControl(this);
    PageControl1->SetName("PageControl1");
    PageControl1->SetBounds(188, 4, 566, 470);
    PageControl1->SetParent(this);

    ts_Scale = page(this, PageControl1, "ts_Scale", "&Rysunek");
    ts_Table = page(this, PageControl1, "ts_Table", "&Tabela");
    ts_Lines = page(this, PageControl1, "ts_Lines", "&Linie");
    ts_Fonts = page(this, PageControl1, "ts_Fonts", "&Czcionki");
    ts_Other = page(this, PageControl1, "ts_Other", "&Inne");
    ts_DataTableColumns = page(this, PageControl1, "ts_DataTableColumns", "&Kolumny");
    ts_CrossSection = page(this, PageControl1, "ts_CrossSection", "&Przekrój"_cp);
    ts_Layers = page(this, PageControl1, "ts_Layers", "&Warstwy");
    ts_AutoFill = page(this, PageControl1, "ts_AutoFill", "&Autouzupełnianie"_cp);
    ts_Company = page(this, PageControl1, "ts_Company", "&Użytkownik"_cp);
    ts_Auto_list = page(this, PageControl1, "ts_Auto_list", "Listy danych");
    ts_AutoSave = page(this, PageControl1, "ts_AutoSave", "Bezpieczeństwo"_cp);
    ts_DrawingParams = page(this, PageControl1, "ts_DrawingParams", "Parametry");
    ts_DrawingParams2 = page(this, PageControl1, "ts_DrawingParams2", "Parametry 2");
    ts_DataTable = page(this, PageControl1, "ts_DataTable", "&Tabela \"Dane\"");
    ts_Warnings = page(this, PageControl1, "ts_Warnings", "&Ostrzeżenia"_cp);
    ts_Personnel = page(this, PageControl1, "ts_Personnel", "Kadra");

    build_drawing_pages();
    build_other_pages();
    build_fill_and_table_pages();

    // The tree: each node carries the index of its page.
    auto& nodes = tv_Config->Items();
    auto node = [&](TTreeNode* parent, std::string_view text, int page_index) {
        TTreeNode* n = parent ? nodes.AddChild(parent, text) : nodes.Add(nullptr, text);
        n->SelectedIndex = page_index;
        return n;
    };
    TTreeNode* user = node(nullptr, "Użytkownik"_cp, 9);
    node(user, "Kadra", 16);
    TTreeNode* drawing = node(nullptr, "Rysunek", 0);
    node(drawing, "Tabela", 1);
    node(drawing, "Linie", 2);
    node(drawing, "Czcionki", 3);
    node(drawing, "Warstwy", 7);
    node(drawing, "Parametry profilu", 12);
    node(drawing, "Parametry profilu 2", 13);
    TTreeNode* table = node(nullptr, "Tabela \"Dane\"", 5);
    node(table, "Autouzupełnianie"_cp, 8);
    node(table, "Parametry tabeli", 14);
    node(nullptr, "Listy danych", 10);
    node(nullptr, "Przekrój"_cp, 6);
    node(nullptr, "Inne", 4);
    node(nullptr, "Bezpieczeństwo"_cp, 11);
    node(nullptr, "Ostrzeżenia"_cp, 15);
    for (const auto& root : nodes.roots()) root->Expand(false);
    PageControl1->SetActivePage(ts_Scale);

    b_OK = new TButton(this);
    b_OK->SetName("b_OK");
    b_OK->SetCaption("OK");
    b_OK->ModalResult = mrOk;
    b_OK->Default = true;
    b_OK->SetBounds(590, 490, 75, 25);
    b_OK->SetParent(this);
    b_Cancel = new TButton(this);
    b_Cancel->SetName("b_Cancel");
    b_Cancel->SetCaption("Anuluj");
    b_Cancel->ModalResult = mrCancel;
    b_Cancel->Cancel = true;
    b_Cancel->SetBounds(672, 490, 75, 25);
    b_Cancel->SetParent(this);
    gb_Preferences = new TGroupBox(this);
    gb_Preferences->SetName("gb_Preferences");
    gb_Preferences->SetCaption("Konfiguracja");
    gb_Preferences->SetBounds(4, 478, 560, 44);
    gb_Preferences->SetParent(this);
    form_builder pb(this, gb_Preferences, 6, 16);
    b_Default = pb.add<TButton>("b_Default", "Przywróć pierwotną"_cp, 130, 23);
    pb.column(140, 16);
    b_PreferencesOpen = pb.add<TButton>("b_PreferencesOpen", "&Otwórz..."_cp, 130, 23);
    pb.column(274, 16);
    b_Save = pb.add<TButton>("b_Save", "&Zapisz", 130, 23);
    pb.column(408, 16);
    b_PreferencesSaveAs = pb.add<TButton>("b_PreferencesSaveAs", "Zapisz jako...", 130, 23);

    cd = new TColorDialog(this);
    cd->SetName("cd");
    pm_Layers = new TPopupMenu(this);
    pm_Layers->SetName("pm_Layers");
    for (auto [name, caption] : {std::pair{"mi_LayerAdd", "Dodaj"}, std::pair{"mi_LayerInsert", "Wstaw"},
                                 std::pair{"", "-"}, std::pair{"mi_LayerDelete", "Usuń"_cp}}) {
        auto* mi = new TMenuItem(this);
        mi->SetName(name);
        mi->SetCaption(caption);
        pm_Layers->Items()->Add(mi);
    }
    pm_Titles = new TPopupMenu(this);
    pm_Titles->SetName("pm_Titles");
    pm_Rules = new TPopupMenu(this);
    pm_Rules->SetName("pm_Rules");
    al_config = new TActionList(this);
    al_config->SetName("al_config");
    auto action = [this](const char* name, std::string_view caption, std::string_view hint) {
        auto* a = new TAction(this);
        a->SetName(name);
        a->SetCaption(caption);
        a->SetHint(hint);
        a->SetActionList(al_config);
        return a;
    };
    a_LineAdd = action("a_LineAdd", "Dodaj", "Dodaj nową linię na końcu tabeli"_cp);
    a_LineDelete = action("a_LineDelete", "Usuń..."_cp, "Usuń bieżącą linię"_cp);
    a_AddTitle = action("a_AddTitle", "Dodaj", "Dodaj nowy tytuł na końcu tabeli"_cp);
    a_InsertTitle = action("a_InsertTitle", "Wstaw", "Wstaw nowy tytuł przed bieżącym"_cp);
    a_DeleteTitle = action("a_DeleteTitle", "Usuń"_cp, "Usuń bieżący tytuł z tabeli"_cp);
    a_AddRule = action("a_AddRule", "Dodaj", "");
    a_InsertRule = action("a_InsertRule", "Wstaw", "");
    a_DeleteRule = action("a_DeleteRule", "Usuń"_cp, "");
    auto menu = [this](TPopupMenu* pm, std::initializer_list<TAction*> actions) {
        for (TAction* a : actions) {
            auto* mi = new TMenuItem(this);
            mi->SetAction(a);
            pm->Items()->Add(mi);
        }
    };
    menu(pm_Titles, {a_AddTitle, a_InsertTitle, a_DeleteTitle});
    menu(pm_Rules, {a_AddRule, a_InsertRule, a_DeleteRule});
}

void Ttopcje::build_drawing_pages() {
    // "Rysunek"
    form_builder b(this, ts_Scale);
    cb_jedn = b.labelled<TComboBox>("cb_jedn", "Jednostka rysunku:", 80);
    cb_jedn->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_jedn->Items(), {"mm", "cm", "dm", "m", "dam", "hm", "km"});
    cb_jedn->SetItemIndex(0);
    sag_DrawingProperties = grid(b, "sag_DrawingProperties", 4, 5, 1, 420, 100);
    set_header(sag_DrawingProperties, {"", "Profil", "Przekrój"_cp, "Schemat"});
    sag_DrawingProperties->SetCol(0, {"", "Skala X", "Skala Y", "Tytuł"_cp, "Numer"});
    sag_DrawingProperties->SetCol(1, {"Profil", "200", "100", "PROFIL PODŁUŻNY"_cp, "3"});
    sag_DrawingProperties->SetCol(2, {"Przekrój"_cp, "10", "10", "PRZEKRÓJ POPRZECZNY"_cp, "2"});
    sag_DrawingProperties->SetCol(3, {"Schemat", "100", "100", "SCHEMAT", "1"});
    cb_Fit2Page = b.add<TCheckBox>("cb_Fit2Page", "Dopasuj rysunek profilu do strony", 300);
    gb_dopasuj = b.add<TGroupBox>("gb_dopasuj", {}, 300, 44);
    form_builder gb(this, gb_dopasuj, 6, 16);
    e_skala_krot = gb.labelled<TEdit>("e_skala_krot", "Zmieniaj skalę \"X\" co:"_cp, 60);
    e_skala_krot->SetText("50");
    e_skala_krot->SetEnabled(false);
    e_TrimSections = b.labelled<TEdit>("e_TrimSections", "Skracaj odcinki dłuższe niż... (rysunek schematu) [m]: "_cp, 60);
    e_TrimSections->SetText("20");
    cb_MarkFlowDirect = b.add<TCheckBox>("cb_MarkFlowDirect", "Zaznaczaj kierunek przepływu na rysunkach profilu i schematu"_cp, 420);
    cb_MarkFlowDirectOnEverySectionOnScheme =
        b.add<TCheckBox>("cb_MarkFlowDirectOnEverySectionOnScheme", "Na rysunku schematu na każdym odcinku"_cp, 420);
    cb_MarkFlowDirectOnEverySectionOnScheme->SetChecked(true);
    cb_ProfilesNamesOnScheme = b.add<TCheckBox>("cb_ProfilesNamesOnScheme", "Umieszczaj nazwy profili na rysunku schematu", 420);
    p_BackgroundColor = b.labelled<TPanel>("p_BackgroundColor", "Kolor tła podglądu:"_cp, 40);
    p_BackgroundColor->SetColor(clWhite);
    se_SymbolSize = b.labelled<TSpinEdit>("se_SymbolSize", "Rozmiar symboli armatury [%]", 60);
    se_SymbolSize->MinValue = 50;
    se_SymbolSize->MaxValue = 150;
    se_SymbolSize->SetValue(100);
    se_SymbolSize->SetHint("Wartość domyślna: 100%"_cp);
    sb_DefaultInfotableChoose = b.labelled<TSpeedButton>("sb_DefaultInfotableChoose", "Domyślna metryka: "_cp, 23, 22);
    sb_DefaultInfotableChoose->SetCaption("...");
    l_DefaultInfotableChoose = b.add<TLabel>("l_DefaultInfotableChoose", "Domyślna metryka "_cp, 420, 15);
    l_FileSettings = b.add<TLabel>("l_FileSettings", "Plik konfiguracyjny dla projektu: Domyślny"_cp, 420, 15);
    sb_ClearSettingsFile = b.add<TSpeedButton>("sb_ClearSettingsFile", "X", 23, 22);
    sb_ClearSettingsFile->SetHint("Zastosuj dla projektu konfigurację domyślną"_cp);
    sb_ClearSettingsFile->SetEnabled(false);

    // "Tabela"
    b = form_builder(this, ts_Table);
    sag_TableContent = grid(b, "sag_TableContent", 9, 2, 1, 540, 200);
    set_header(sag_TableContent, {"Lp.", "", "Opis", "Jedn.", "Dokł."_cp, "Węzeł"_cp, "Formuła"_cp, "Wys.", "Łącz"_cp});
    cb_Distance = b.labelled<TComboBox>("cb_Distance", "Jednostka odległości:"_cp, 120);
    cb_Distance->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_Distance->Items(), {"Metr", "Dekametr", "Hektometr", "Kilometr", "Automatycznie"});
    cb_Distance->SetItemIndex(4);
    e_GradientPrefix = b.labelled<TEdit>("e_GradientPrefix", "Przedrostek spadku:", 60);
    e_GradientPrefix->MaxLength = 5;
    e_GradientPrefix->SetHint("Przedrostek może się składać z maks. 5 znaków"_cp);
    cb_GradientModeDrawing = b.labelled<TComboBox>("cb_GradientModeDrawing", "Jednostka spadku:", 100);
    cb_GradientModeDrawing->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_GradientModeDrawing->Items(), {"%", "‰"_cp, "Odwrotność"_cp});
    cb_GradientModeDrawing->SetItemIndex(0);
    l_Distance = b.add<TCheckBox>("l_Distance", "Odległość"_cp, 200);
    l_Distance->SetChecked(true);
    gb_PutIntoTable = b.add<TGroupBox>("gb_PutIntoTable", "Umieszczaj w tabeli", 400, 110);
    form_builder pt(this, gb_PutIntoTable, 8, 18);
    cb_AutoLine = pt.add<TCheckBox>("cb_AutoLine", "Linia / Linia2", 300);
    cb_AutoAngle = pt.add<TCheckBox>("cb_AutoAngle", "Kąt"_cp, 300);
    cb_AutoTerrainDesc = pt.add<TCheckBox>("cb_AutoTerrainDesc", "Opis terenu", 300);
    cb_AutoProjGroundLevel = pt.add<TCheckBox>("cb_AutoProjGroundLevel", "Teren proj.", 300);
    for (TCheckBox* c : {cb_AutoLine, cb_AutoAngle, cb_AutoTerrainDesc, cb_AutoProjGroundLevel}) c->SetChecked(true);

    // "Linie"
    b = form_builder(this, ts_Lines);
    sag_Lines = grid(b, "sag_Lines", 6, 16, 0, 540, 300);
    set_header(sag_Lines, {"Linia", "Rysuj", "Kolor", "Warstwa", "Jak rura", "Media"});
    const char* const line_captions[] = {"Teren", "Rura", "Dno wykopu", "Linia 1", "Linia 2", "Tabela", "Metryka",
                                         "Komentarz", "Teren projektowany", "Oś rury"_cp, "Rura osłonowa"_cp,
                                         "Obiekty", "Obiekty - symbole", "Wierzch obsypki"};
    for (int r = 0; r < 14; ++r) sag_Lines->SetCell(0, r + 1, line_captions[r]);
    cb_1PipeLine = b.add<TCheckBox>("cb_1PipeLine", "Pojedyncza linia rury", 300);
    e_DrawAxisFrom = b.labelled<TEdit>("e_DrawAxisFrom", "Rysuj oś rury od średnicy [mm]"_cp, 60);
    e_DrawAxisFrom->SetText("0");
    rg_PipeLineColor = b.add<TRadioGroup>("rg_PipeLineColor", "Kolor linii rury taki jak kolor: ", 300, 80);
    set_items(rg_PipeLineColor->Items(), {"rury z powyższej tabeli"_cp, "rury w typoszeregu", "przypisany do typu sieci"});
    rg_PipeLineColor->SetItemIndex(0);

    // "Czcionki"
    b = form_builder(this, ts_Fonts);
    cb_fonts = b.labelled<TComboBox>("cb_fonts", "Nazwa:", 200);
    cb_fonts->SetText("arial");
    lab_kat = b.add<TLabel>("lab_kat", {}, 420, 15);
    sb_Folder = b.add<TSpeedButton>("sb_Folder", "...", 23, 22);
    sag_Fonts = grid(b, "sag_Fonts", 6, 9, 1, 540, 170);
    set_header(sag_Fonts, {"Typ", "Wysokość"_cp, "Kolor", "Odstęp"_cp, "Szerokość"_cp, "Warstwa"});
    sag_Fonts->SetCol(0, {"Typ", "Tabela pod profilem", "Metryka", "Komentarz", "Kolizje istn.", "Kolizje proj.",
                          "Rury osłonowe"_cp, "Teren poza węzłami"_cp, "Schemat"});
    cb_DescriptionOnLeft = b.add<TCheckBox>("cb_DescriptionOnLeft", "Opisy rzędnych na profilu z lewej strony"_cp, 400);
    cb_CrossingsColorByMediumType = b.add<TCheckBox>("cb_CrossingsColorByMediumType", "Kolor opisów kolizji wg medium"_cp, 400);
    sag_CrossingsFonts = grid(b, "sag_CrossingsFonts", 3, 2, 0, 300, 80);
    set_header(sag_CrossingsFonts, {"Medium", "Tylko istn.", "Kolor"});
    cb_TextHeightInTableLikeForType = b.add<TCheckBox>("cb_TextHeightInTableLikeForType", "Wysokość"_cp, 200);
    cb_TextColorInTableLikeForType = b.add<TCheckBox>("cb_TextColorInTableLikeForType", "Kolor", 200);
    cb_TextHeightInTableLikeForType->SetChecked(true);
    cb_TextColorInTableLikeForType->SetChecked(true);

    // "Warstwy" and the in-cell choosers
    b = form_builder(this, ts_Layers);
    sag_Layers = grid(b, "sag_Layers", 6, 2, 1, 540, 300);
    set_header(sag_Layers, {"Lp.", "Nazwa", "Kolor", "Typ linii", "Grub. linii", "Blok."});
    cb_LineType = b.add<TComboBox>("cb_LineType", {}, 120);
    cb_LineType->Style = TComboBoxStyle::csOwnerDrawFixed;
    set_items(cb_LineType->Items(), {"———————"_cp, "— — — —"_cp, "· · · · · ·"_cp, "— · — · —"_cp, "— · · — · ·"_cp});
    cb_LineType->SetVisible(false);
    sag_Layers->SetRow(1, {"1", "0", "1", cb_LineType->Items()[0], "1", std::string(1, check_off)});
    cb_warstwy = b.add<TComboBox>("cb_warstwy", {}, 120);
    cb_warstwy->SetVisible(false);
    cb_LineName = b.add<TComboBox>("cb_LineName", {}, 120);
    cb_LineName->SetVisible(false);
    cb_Precision = b.add<TComboBox>("cb_Precision", {}, 80);
    cb_Precision->Style = TComboBoxStyle::csDropDownList;
    for (const char* p : precision_items) cb_Precision->Items().Add(p);
    cb_Precision->SetVisible(false);

    // "Parametry"
    b = form_builder(this, ts_DrawingParams);
    auto check = [&b](const char* name, std::string_view caption, bool on) { return b.check_box(name, caption, on, 520); };
    cb_CrossingOrdinate = check("cb_CrossingOrdinate", "Kota rzędnej każdej kolizji"_cp, false);
    cb_ChamberBottomOrdinate = check("cb_ChamberBottomOrdinate", "Kota dna studzienki, o rzędnej podanej przez użytkownika"_cp, true);
    cb_TankBottomOrdinate = check("cb_TankBottomOrdinate", "Kota dna zbiornika", true);
    cb_CrossingDistance = check("cb_CrossingDistance", "Przy kolizji odległość od początku profilu"_cp, true);
    cb_CrossingPipeOrdinate = check("cb_CrossingPipeOrdinate", "Przy kolizji rzędną rurociągu "_cp, true);
    cb_ProtectingTubesDescPlace = b.labelled<TComboBox>("cb_ProtectingTubesDescPlace", "Opis rury osłonowej:"_cp, 100);
    cb_ProtectingTubesDescPlace->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_ProtectingTubesDescPlace->Items(), {"początek"_cp, "środek"_cp, "koniec"});
    cb_ProtectingTubesDescPlace->SetItemIndex(1);
    cb_MarkInlets = check("cb_MarkInlets", "Zaznaczaj dopływy do studzienek"_cp, true);
    cb_SludgeManholeDetailsInTable = check("cb_SludgeManholeDetailsInTable",
        "Wpisz w tabeli pod profilem rzędną dna oraz zagłębienie studzienki osadnikowej"_cp, true);
    cb_ManholeInletsSchemeNextToManhole = check("cb_ManholeInletsSchemeNextToManhole", "Schemat podłączeń studzienki obok studzienki"_cp, false);
    cb_MarkInletsFromDeactivatedProfiles = check("cb_MarkInletsFromDeactivatedProfiles", "Zaznaczaj dopływy z wyłączonych profili"_cp, false);
    cb_PipeOrdinateWhereExtraTerrainOrdinate = check("cb_PipeOrdinateWhereExtraTerrainOrdinate",
        "Przy dodatkowej rzędnej terenu wpisz rzędną rurociągu"_cp, false);
    cb_PipeDepthWhereExtraTerrainOrdinate = check("cb_PipeDepthWhereExtraTerrainOrdinate",
        "Przy dodatkowej rzędnej terenu wpisz zagłębienie rurociągu"_cp, false);
    cb_ProtTubesOrdinate = check("cb_ProtTubesOrdinate", "Rzędna początku rury osłonowej"_cp, false);
    cb_ProtTubesDistance = check("cb_ProtTubesDistance", "Odległość początku rury osłonowej"_cp, true);
    cb_ProtTubesEndOrdinate = check("cb_ProtTubesEndOrdinate", "Rzędna końca rury osłonowej"_cp, false);
    cb_ProtTubesEndDistance = check("cb_ProtTubesEndDistance", "Odległość końca rury osłonowej"_cp, true);
    cb_DynamicCrossingOrdinate = check("cb_DynamicCrossingOrdinate",
        "Kota obok kolizji w odniesieniu do jej dna lub wierzchu - w zależności od jej położenia"_cp, false);
    cb_DimensionBetweenCrossingAndPipe = check("cb_DimensionBetweenCrossingAndPipe",
        "Wymiar pomiędzy kolizją, a projektowanym rurociągiem"_cp, false);

    // "Parametry 2"
    b = form_builder(this, ts_DrawingParams2);
    e_TableTitleColumnWidth = b.labelled<TEdit>("e_TableTitleColumnWidth",
        "Szerokość kolumny tytułowej na rysunku profilu (0-automat)"_cp, 50);
    e_TableTitleColumnWidth->SetText("0");
    e_odstep = b.labelled<TEdit>("e_odstep", "Odstęp pomiędzy profilami [mm]: "_cp, 50);
    e_odstep->SetText("15");
    cb_VerticalRuler = check("cb_VerticalRuler", "Pionowa linijka na rysunku profilu", true);
    cb_MarkScaleBelowProfile = check("cb_MarkScaleBelowProfile", "Oznaczenie skali na rysunku profilu", true);
    cb_RearrangeCommentsWithoutMoveNodes = check("cb_RearrangeCommentsWithoutMoveNodes",
        "Rozsuwaj napisy pod profilem, nienaruszając pozycji opisów węzłów"_cp, false);
    cb_InGeoCrossDescriptionsInMiddle = check("cb_InGeoCrossDescriptionsInMiddle",
        "W przekroju geotechnicznym opisy na środku wysokości warstw"_cp, false);
    cb_NodeLabelsInCircle = check("cb_NodeLabelsInCircle", "Opisy węzłów w kółkach"_cp, true);
    cb_NodeLabelsInTwoLines = check("cb_NodeLabelsInTwoLines", "Opisy węzłów naprzemiennie w dwóch liniach"_cp, false);
    cb_VerticalLinesToTerrainLine = check("cb_VerticalLinesToTerrainLine", "Dociągaj pionowe linie opisów do linii terenu"_cp, false);
    cb_ProfilesNames = check("cb_ProfilesNames", "Nazwy profili", false);
    cb_TitleColumnBeforeEveryProfile = check("cb_TitleColumnBeforeEveryProfile", "Kolumna tytułowa przed każdym profilem"_cp, false);
    cb_GeoCrossAboveTerrainLine = check("cb_GeoCrossAboveTerrainLine", "Przekrój geotechniczny umieść ponad linią terenu"_cp, true);
    cb_ppt = check("cb_ppt", "Poziom porównawczy terenu w pierwszym profilu w poziomie"_cp, true);
    cb_DontMarkTheSameAOD = check("cb_DontMarkTheSameAOD", "nie oznaczaj w kolejnych profilach jeżeli taki sam jak w pierwszym"_cp, false);
    e_AODDistanceFrom = b.labelled<TEdit>("e_AODDistanceFrom", "Automatyczne wyznaczanie wartości: m poniżej najmniejszej rzędnej "_cp, 50);
    e_AODDistanceFrom->SetText("6");
    cb_AODDependency = b.labelled<TComboBox>("cb_AODDependency", "rzędnej:"_cp, 160);
    cb_AODDependency->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_AODDependency->Items(), {"terenu istniejącego"_cp, "terenu projektowanego", "dna rury"});
    cb_AODDependency->SetItemIndex(0);
}

void Ttopcje::build_other_pages() {
    // "Inne"
    form_builder b(this, ts_Other);
    cb_Language = b.labelled<TComboBox>("cb_Language", "Język:"_cp, 160);
    cb_Language->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_Language->Items(), {"english", "polski"});
    e_FileNamePattern = b.labelled<TEdit>("e_FileNamePattern", "Wzorzec nazwy pliku:", 260);
    e_FileNamePattern->SetText("@_inwestor-@_inwestycja_miejscowosc");
    cb_dokl = b.labelled<TComboBox>("cb_dokl", "Dokładność wyświetlanych liczb:"_cp, 90);
    cb_dokl->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_dokl->Items(), {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000"});
    cb_dokl->SetItemIndex(2);
    e_AutoBackdrop = b.labelled<TEdit>("e_AutoBackdrop",
        "Uwzględniaj przepad w studzience jeżeli różnica zagłębienia większa niż [mm]: "_cp, 60);
    e_AutoBackdrop->SetText("500");
    cb_DropUp = b.add<TCheckBox>("cb_DropUp", "Dodatnia wartość spadku - rura wznosząca"_cp, 420);
    cb_ShowSewageTreatTab = b.add<TCheckBox>("cb_ShowSewageTreatTab", "Pokazuj zakładkę Oczyszczalnia ścieków"_cp, 420);
    cb_SplitPipes = b.add<TCheckBox>("cb_SplitPipes", "Dziel rury na długości handlowe, zgodnie z ustawieniami typoszeregu"_cp, 520);
    cb_SplitPipes->SetChecked(true);
    cb_PrintPreviewMovingByMiddleButton = b.add<TCheckBox>("cb_PrintPreviewMovingByMiddleButton",
        "Przesuwanie podglądu za pomocą środkowego przycisku myszy (rolki)"_cp, 520);
    gb_CrossingEditor = b.add<TGroupBox>("gb_CrossingEditor", "Edytor kolizji", 520, 130);
    form_builder ce(this, gb_CrossingEditor, 8, 18);
    cb_CrossingDepthLikeConst = ce.add<TCheckBox>("cb_CrossingDepthLikeConst", "Stałe zagłębienie kolizji"_cp, 400);
    rg_CrossingEditorCalculateDepthToProjGroundLevel =
        ce.add<TRadioGroup>("rg_CrossingEditorCalculateDepthToProjGroundLevel", "Zagłębienie do terenu projektowanego"_cp, 480, 80);
    set_items(rg_CrossingEditorCalculateDepthToProjGroundLevel->Items(),
              {"Zawsze", "Tylko dla kolizji projektowanych", "Nigdy (licz do terenu istniejącego)"_cp});
    rg_CrossingEditorCalculateDepthToProjGroundLevel->SetItemIndex(2);
    cb_RoundingModeE = b.add<TCheckBox>("cb_RoundingModeE", "Zaokrąglenia liczb wg \"europejskiego\" algorytmu"_cp, 420);
    cb_RoundingModeE->SetChecked(true);
    cb_RoundingModeE->SetVisible(false);

    // "Kolumny"
    b = form_builder(this, ts_DataTableColumns);
    sag_DataTable = grid(b, "sag_DataTable", 6, 27, 1, 540, 340);
    set_header(sag_DataTable, {"Lp.", "Nazwa", "Nazwa własna"_cp, "Jedn.", "Dokł."_cp, "Szerokość"_cp});
    cb_GradientMode = b.labelled<TComboBox>("cb_GradientMode", "Jednostka spadku:", 100);
    cb_GradientMode->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_GradientMode->Items(), {"%", "‰"_cp, "Odwrotność"_cp});
    cb_GradientMode->SetItemIndex(0);
    cb_FlowUnitV = b.labelled<TComboBox>("cb_FlowUnitV", "Jednostka przepływu:"_cp, 60);
    cb_FlowUnitV->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_FlowUnitV->Items(), {"m3", "dm3", "cm3", "mm3"});
    cb_FlowUnitV->SetItemIndex(0);
    cb_FlowUnitT = b.labelled<TComboBox>("cb_FlowUnitT", "/", 60);
    cb_FlowUnitT->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_FlowUnitT->Items(), {"d", "h", "min.", "s"});
    cb_FlowUnitT->SetItemIndex(1);

    // "Przekrój"
    b = form_builder(this, ts_CrossSection);
    auto real_edit = [&b](const char* name, std::string_view label, const char* value) {
        auto* e = b.labelled<TEdit>(name, label, 70);
        e->SetText(value);
        return e;
    };
    e_obsypka = real_edit("e_obsypka", "Wysokość obsypki [m]:"_cp, "0");
    e_podsypka = real_edit("e_podsypka", "Wysokość podsypki [m]:"_cp, "0");
    e_PipeDescription = b.labelled<TEdit>("e_PipeDescription", "Opis rury: ", 200);
    e_PipeDescription->SetText("@m@d @r");
    e_SumpWallThickness = real_edit("e_SumpWallThickness", "Grubość ścianki studzienki [m]:"_cp, "0.05");
    e_SumpHollow = real_edit("e_SumpHollow", "Szerokość rozkopu [m]:"_cp, "0.2");
    e_SlopeWidthAddition = real_edit("e_SlopeWidthAddition", "Dodatek do szerokości nasypu [m]:"_cp, "0");
    cb_Slope = b.add<TCheckBox>("cb_Slope", "Nachylenie zbocza nasypu [-]:", 300);
    cb_Slope->SetChecked(true);
    e_Slope = real_edit("e_Slope", "1:", "1");

    // "Użytkownik", "Kadra"
    b = form_builder(this, ts_Company);
    sag_Company = grid(b, "sag_Company", 2, 12, 1, 500, 260);
    sag_Company->SetColWidth(0, 140);
    sag_Company->SetColWidth(1, 340);
    sag_Company->SetCol(0, {"Parametr", "Nazwa", "Miejscowość/Ulica"_cp, "Kod pocztowy", "Poczta", "Telefon", "Faks",
                            "E-mail", "Www", "Własny 1"_cp, "Własny 2"_cp, "Własny 3"_cp});
    sag_Company->SetCell(1, 0, "Wartość"_cp);
    b = form_builder(this, ts_Personnel);
    sag_Workers = grid(b, "sag_Workers", 4, 11, 0, 540, 240);
    set_header(sag_Workers, {"Nazwisko i imię"_cp, "Stanowisko", "Numer uprawnień"_cp, "Specjalność"_cp});

    // "Listy danych"
    b = form_builder(this, ts_Auto_list);
    cb_listy = b.add<TComboBox>("cb_listy", {}, 320);
    cb_listy->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_listy->Items(), {"Materiał rury/rury osłonowej"_cp, "Komentarz [tabela \"Dane\"]", "Medium [kolizje]",
                                  "Opis [kolizje]", "Opis [rury osłonowe]"_cp, "Opis węzła [schemat]"_cp,
                                  "Opis odcinka [schemat]", "Typ rury [rury osłonowe]"_cp, "Typ kosztorysu [kosztorys]",
                                  "Opis terenu [opisy terenu]", "Opis studzienki [studzienki]",
                                  "Opis węzła ze studzienką [schemat]"_cp, "Opis obiektu [obiekty]",
                                  "Opis rzędnej [dodatkowe rzędne]"_cp});
    cb_listy->SetItemIndex(0);
    mm = b.add<TMemo>("mm", {}, 520, 360);

    // "Bezpieczeństwo"
    b = form_builder(this, ts_AutoSave);
    cb_AutoBackup = b.add<TCheckBox>("cb_AutoBackup", "Twórz kopię zapasową otwieranego pliku"_cp, 420);
    cb_AutoBackup->SetChecked(true);
    se_AutoSave = b.labelled<TSpinEdit>("se_AutoSave", "Automatyczny zapis co [min]:", 60);
    se_AutoSave->MinValue = 0;
    se_AutoSave->MaxValue = 120;
    se_AutoSave->SetValue(10);
    se_AutoSave->SetHint("0 minut wyłącza opcję automatycznego zapisu"_cp);
    gb_Directories = b.add<TGroupBox>("gb_Directories", "Foldery", 540, 76);
    // Each folder on a line: its two buttons, then the folder.
    form_builder d(this, gb_Directories, 8, 18);
    sb_DocsExplore = d.add<TSpeedButton>("sb_DocsExplore", "...", 23, 22);
    sb_ConfigExplore = d.add<TSpeedButton>("sb_ConfigExplore", "...", 23, 22);
    d.column(34, 18);
    sb_ChangeDocsDirectory = d.add<TSpeedButton>("sb_ChangeDocsDirectory", ">", 23, 22);
    sb_ChangeConfigDirectory = d.add<TSpeedButton>("sb_ChangeConfigDirectory", ">", 23, 22);
    d.column(64, 22);
    l_DocsDirValue = d.add<TLabel>("l_DocsDirValue", {}, 460, 15);
    d.skip(7);
    l_ConfigDirValue = d.add<TLabel>("l_ConfigDirValue", {}, 460, 15);

    // "Ostrzeżenia"
    b = form_builder(this, ts_Warnings);
    pc_Rules = b.add<TPageControl>("pc_Rules", {}, 540, 400);
    ts_OwnRules = add_sheet(this, pc_Rules, "ts_OwnRules", "Reguły &własne"_cp);
    form_builder r(this, ts_OwnRules);
    sag_Rules = grid(r, "sag_Rules", 6, 2, 0, 520, 360);
    set_header(sag_Rules, {"", "Włącz"_cp, "Kolor", "Opis", "Formuła"_cp, "Media"});
}

void Ttopcje::build_fill_and_table_pages() {
    // "Autouzupełnianie"
    form_builder b(this, ts_AutoFill);
    cb_Node = b.add<TCheckBox>("cb_Node", "Węzeł"_cp, 200);
    cb_Node->SetChecked(true);
    gb_Node = b.add<TGroupBox>("gb_Node", {}, 520, 96);
    form_builder n(this, gb_Node, 8, 14);
    rg_NodePrefix = n.add<TRadioGroup>("rg_NodePrefix", "Przedrostek", 200, 50);
    set_items(rg_NodePrefix->Items(), {"Automatyczny", "Stały:"_cp});
    rg_NodePrefix->SetItemIndex(0);
    e_wez = n.add<TEdit>("e_wez", {}, 60);
    e_wez->SetText("s");
    e_wez->MaxLength = 3;
    e_wez->SetHint("Przedrostek może się składać z maks. 3 znaków"_cp);
    e_wez->SetEnabled(false);
    n.column(260, 14);
    cb_NodeIncrementation = n.add<TCheckBox>("cb_NodeIncrementation", "Inkrementacja", 240);
    cb_WholeProjectNodeIncrementation = n.add<TCheckBox>("cb_WholeProjectNodeIncrementation", "Jedna dla całego projektu"_cp, 240);
    cb_NodeIncrementation->SetChecked(true);
    cb_WholeProjectNodeIncrementation->SetChecked(true);
    // Each choice on a line of its own: the check box, the ways to fill
    // and the value beside the way that takes it.
    int line = b.line();
    auto next_line = [&b, &line](int height) {
        line += height + 4;
        b.column(8, line);
    };
    cb_Material = b.add<TCheckBox>("cb_Material", "Materiał"_cp, 160, 17);
    cb_Material->SetChecked(true);
    b.column(180, line);
    cb_AutoFillMaterialLikePrevious = b.add<TCheckBox>("cb_AutoFillMaterialLikePrevious", "jak w poprzednim węźle"_cp, 260, 17);
    cb_AutoFillMaterialLikePrevious->SetChecked(true);
    next_line(17);
    // A check box, its group of ways and the edit of a way (row from 0).
    auto ways = [&](TCheckBox*& check, const char* check_name, std::string_view caption, TRadioGroup*& group,
                    const char* group_name, int rows) {
        b.column(8, line + 18);
        check = b.add<TCheckBox>(check_name, caption, 160, 17);
        check->SetChecked(true);
        b.column(180, line);
        group = b.add<TRadioGroup>(group_name, {}, 260, 20 + 21 * rows);
    };
    auto way_edit = [&](TEdit*& edit, const char* name, int row, const char* text) {
        b.column(450, line + 16 + 21 * row);
        edit = b.add<TEdit>(name, {}, 60);
        edit->SetText(text);
    };
    ways(cb_Diameter, "cb_Diameter", "Średnica [mm]"_cp, rg_AutoDiameter, "rg_AutoDiameter", 2);
    set_items(rg_AutoDiameter->Items(), {"jak w poprzednim węźle"_cp, "inna: "});
    rg_AutoDiameter->SetItemIndex(0);
    way_edit(e_AutoDiameter, "e_AutoDiameter", 1, "110");
    next_line(rg_AutoDiameter->Height());
    ways(cb_Drop, "cb_Drop", "Spadek [%]", rg_AutoDrop, "rg_AutoDrop", 2);
    set_items(rg_AutoDrop->Items(), {"jak w poprzednim węźle"_cp, "inny: "});
    rg_AutoDrop->SetItemIndex(1);
    way_edit(Edit1, "Edit1", 1, "2.00");
    next_line(rg_AutoDrop->Height());
    ways(cb_TrenchWidth, "cb_TrenchWidth", "Szerokość wykopu [m]"_cp, rg_AutoTrenchWidth, "rg_AutoTrenchWidth", 3);
    set_items(rg_AutoTrenchWidth->Items(), {"jak w poprzednim węźle"_cp, "stała:"_cp, "średnica zwiększona o:"_cp});
    rg_AutoTrenchWidth->SetItemIndex(1);
    way_edit(e_szer, "e_szer", 1, "0.50");
    way_edit(e_AutoAdd2Diameter, "e_AutoAdd2Diameter", 2, "0.50");
    next_line(rg_AutoTrenchWidth->Height());
    b.column(8, line + 2);
    cb_AutoTrenchSlope = b.add<TCheckBox>("cb_AutoTrenchSlope", "Nachylenie ścian 1: "_cp, 160, 17);
    b.column(180, line);
    e_AutoTrenchSlope = b.add<TEdit>("e_AutoTrenchSlope", {}, 60);
    e_AutoTrenchSlope->SetText("1.50");
    next_line(21);
    b.column(8, line + 2);
    cb_TerrainProj = b.add<TCheckBox>("cb_TerrainProj", "Teren projektowany", 160, 17);
    cb_TerrainProj->SetChecked(true);
    b.column(180, line);
    cb_AutoTerrainProjLikeTerrainExist = b.add<TComboBox>("cb_AutoTerrainProjLikeTerrainExist", {}, 120);
    cb_AutoTerrainProjLikeTerrainExist->Style = TComboBoxStyle::csDropDownList;
    set_items(cb_AutoTerrainProjLikeTerrainExist->Items(), {"jeżeli pusty"_cp, "zawsze"});
    cb_AutoTerrainProjLikeTerrainExist->SetItemIndex(0);
    next_line(21);
    cb_CrossingEditorAutoDescription = b.add<TCheckBox>("cb_CrossingEditorAutoDescription", "Opis kolizji", 200, 17);
    cb_CrossingEditorAutoDescription->SetChecked(true);

    // "Tabela "Dane""
    b = form_builder(this, ts_DataTable);
    se_wys = b.labelled<TSpinEdit>("se_wys", "Wysokość czcionki:"_cp, 50);
    se_wys->MinValue = 8;
    se_wys->MaxValue = 16;
    se_wys->SetValue(10);
    auto check = [&b](const char* name, std::string_view caption, bool on) { return b.check_box(name, caption, on, 520); };
    cb_DepthAlways2BottomPipe = check("cb_DepthAlways2BottomPipe", "Zagłębienie licz zawsze do dna rury"_cp, true);
    cb_InterpolationGroundExists = check("cb_InterpolationGroundExists", "Interpolacja rzędnej terenu istniejącego"_cp, true);
    cb_InterpolationGroundProj = check("cb_InterpolationGroundProj", "Interpolacja rzędnej terenu projektowanego"_cp, true);
    cb_InterpolationLine1 = check("cb_InterpolationLine1", "Interpolacja rzędnej linii 1"_cp, true);
    cb_InterpolationLine2 = check("cb_InterpolationLine2", "Interpolacja rzędnej linii 2"_cp, true);
    cb_InterpolationPipeBottom = check("cb_InterpolationPipeBottom", "Interpolacja rzędnej rury"_cp, true);
    cb_ExtrapolationGroundExists = check("cb_ExtrapolationGroundExists", "Ekstrapolacja rzędnej terenu istniejącego"_cp, true);
    cb_ExtrapolationGroundProj = check("cb_ExtrapolationGroundProj", "Ekstrapolacja rzędnej terenu projektowanego"_cp, true);
    cb_AlwaysShowBottomPipe = check("cb_AlwaysShowBottomPipe", "Zawsze pokazuj rzędną dna rury"_cp, false);
    cb_CalculateDepthToProjGroundLevel = check("cb_CalculateDepthToProjGroundLevel",
        "Zagłębienie licz w stosunku do terenu projektowanego"_cp, false);
    cb_AutoCalculatedCellColor = check("cb_AutoCalculatedCellColor", "Kolor tła automatycznie wyliczanej komórki"_cp, true);
    p_AutoColor = b.add<TPanel>("p_AutoColor", {}, 40, 17);
    p_AutoColor->SetColor(0x00DCFFFF);
    cb_ActiveRowColor = check("cb_ActiveRowColor", "Kolor tła aktywnego wiersza/węzła"_cp, false);
    p_ActiveRowColor = b.add<TPanel>("p_ActiveRowColor", {}, 40, 17);
    p_ActiveRowColor->SetColor(0x00F5F5F5);
    cb_CalculateInvertsAccordToMainSection = check("cb_CalculateInvertsAccordToMainSection",
        "Przeliczaj rzędne rury w przyłączach na podstawie danych z profilu głównego"_cp, false);
    cb_DontCalculateNodeWithManholeObject = check("cb_DontCalculateNodeWithManholeObject",
        "z wyjątkiem węzłów z obiektem \"Studzienka\""_cp, true);
    cb_DontCalculateNodeWithManholeObject->SetEnabled(false);
    cb_CalculateTerrainAccordToMainSection = check("cb_CalculateTerrainAccordToMainSection",
        "Przeliczaj rzędne terenu w przyłączach na podstawie danych z profilu głównego"_cp, false);
    cb_WhereTrenchCalculateDepthToGroundLevel = check("cb_WhereTrenchCalculateDepthToGroundLevel",
        "W węźle z obiektem \"Rów\" licz zagłębienie i rzędną do terenu"_cp, false);
    CalcLengthAngleFromCoords = check("CalcLengthAngleFromCoords", "Licz długość i kąt na podstawie współrzędnych"_cp, true);
    e_CalcColumnFormula = b.labelled<TEdit>("e_CalcColumnFormula", "Formuła kolumny \"wyliczeniowej\""_cp, 300);
    e_CalcColumnFormula->SetText("@_td_rzedna_dna");
    cb_InterpolationEmpty = check("cb_InterpolationEmpty", "Interpolacja pustych", false);
    cb_InterpolationEmpty->SetVisible(false);
    cb_InterpolationMark = check("cb_InterpolationMark", "Znacznik interpolacji", false);
    cb_InterpolationMark->SetVisible(false);
}

