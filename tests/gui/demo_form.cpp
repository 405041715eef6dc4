#include "gui/demo_form.h"

#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

template <class T>
T* make(TComponent* owner, TWinControl* parent, const std::string& name, int l, int t, int w, int h) {
    auto* c = new T(owner);
    c->SetName(name);
    c->SetBounds(l, t, w, h);
    c->SetParent(parent);
    return c;
}

TMenuItem* item(TComponent* owner, TMenuItem* parent, const std::string& caption, TShortCut sc = 0) {
    auto* m = new TMenuItem(owner);
    m->SetCaption(caption);
    m->SetShortCut(sc);
    parent->Add(m);
    return m;
}

}  // namespace

TNotifyEvent TDemoForm::logger(const std::string& what) {
    return [this, what](TObject*) { log.push_back(what); };
}

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    set_class_name("TDemoForm");
    SetName("DemoForm");
    SetCaption("Wszystkie kontrolki – pokaz"_cp);
    SetBounds(0, 0, 900, 600);
    Position = TPosition::poScreenCenter;

    images = new TImageList(this);
    images->Add("document-new");
    images->Add("document-save");
    images->Add("view-refresh");

    menu = new TMainMenu(this);
    menu->Images = images;
    TMenuItem* file = item(this, menu->Items(), "&Plik");
    file->OnClick = logger("menu file opened");
    mi_new = item(this, file, "&Nowy", ShortCut('N', ssCtrl));
    mi_new->ImageIndex = 0;
    mi_new->OnClick = logger("menu new");
    item(this, file, "-");
    mi_save = item(this, file, "&Zapisz", ShortCut('S', ssCtrl));
    mi_save->SetChecked(true);
    mi_recent = item(this, file, "Ostatnie");
    mi_recent->OnClick = logger("menu recent opened");
    item(this, mi_recent, "a.hlv");
    item(this, mi_recent, "b.hlv");
    TMenuItem* view = item(this, menu->Items(), "&Widok");
    TMenuItem* v1 = item(this, view, "Siatka");
    TMenuItem* v2 = item(this, view, "Rysunek");
    v1->RadioItem = v2->RadioItem = true;
    v1->GroupIndex = v2->GroupIndex = 1;
    v2->SetChecked(true);
    Menu = menu;

    actions = new TActionList(this);
    act_refresh = new TAction(this);
    act_refresh->SetActionList(actions);
    act_refresh->SetCaption("Od&świeżz"_cp);
    act_refresh->SetShortCut(VK_F5);
    act_refresh->ImageIndex = 2;
    act_refresh->OnExecute = logger("refresh");

    popup = new TPopupMenu(this);
    popup->SetName("popup");
    pm_first = item(this, popup->Items(), "Pierwsza");
    pm_second = item(this, popup->Items(), "Druga");
    pm_first->OnClick = logger("popup first");
    pm_second->OnClick = logger("popup second");
    popup->OnPopup = logger("on popup");

    toolbar = make<TToolBar>(this, this, "toolbar", 0, 0, 900, 29);
    toolbar->Images = images;
    tb_new = make<TToolButton>(this, toolbar, "tb_new", 0, 0, 23, 22);
    tb_new->SetCaption("Nowy");
    tb_new->ImageIndex = 0;
    tb_new->OnClick = logger("tool new");
    tb_sep = new TToolButton(this);
    tb_sep->Style = TToolButtonStyle::tbsDivider;
    tb_sep->SetParent(toolbar);
    tb_check = new TToolButton(this);
    tb_check->Style = TToolButtonStyle::tbsCheck;
    tb_check->SetCaption("Siatka");
    tb_check->SetParent(toolbar);
    tb_drop = new TToolButton(this);
    tb_drop->Style = TToolButtonStyle::tbsDropDown;
    tb_drop->SetAction(act_refresh);
    tb_drop->DropdownMenu = popup;
    tb_drop->SetParent(toolbar);

    status = make<TStatusBar>(this, this, "status", 0, 0, 900, 22);
    status->AddPanel()->SetText("Gotowy");
    status->Panels(0)->Width = 160;
    TStatusPanel* colour = status->AddPanel();
    colour->Style = TStatusPanelStyle::psOwnerDraw;
    colour->Width = 120;
    status->AddPanel()->SetText("km 0+000,00");
    status->OnDrawPanel = [](TStatusBar* bar, TStatusPanel*, const TRect& r) {
        TCanvas* c = bar->Canvas();
        c->Brush.Color = clTeal;
        c->FillRect({r.Left + 2, r.Top + 3, r.Left + 16, r.Bottom - 3});
        c->Brush.Style = TBrushStyle::bsClear;
        c->Font.Color = clNavy;
        c->TextOut(r.Left + 20, r.Top + 3, "własny"_cp);
    };

    side = make<TPanel>(this, this, "side", 0, 0, 180, 400);
    side->SetAlign(TAlign::alLeft);
    side->BevelOuter = TBevelCut::bvNone;
    tree = make<TTreeView>(this, side, "tree", 0, 0, 180, 400);
    tree->SetAlign(TAlign::alClient);
    TTreeNode* root = tree->Items().Add(nullptr, "Projekt");
    TTreeNode* pipes = tree->Items().AddChild(root, "Rurociągi"_cp);
    tree->Items().AddChild(pipes, "Wodociąg W1"_cp);
    tree->Items().AddChild(pipes, "Kanalizacja K2");
    tree->Items().AddChild(root, "Teren");
    root->Expand(true);
    tree->PopupMenu = popup;

    splitter = make<TSplitter>(this, this, "splitter", 180, 0, 4, 400);
    splitter->SetAlign(TAlign::alLeft);

    pages = make<TPageControl>(this, this, "pages", 0, 0, 700, 500);
    pages->SetAlign(TAlign::alClient);
    sheet_std = new TTabSheet(this);
    sheet_std->SetName("sheet_std");
    sheet_std->SetCaption("Standardowe");
    sheet_std->SetPageControl(pages);
    sheet_grid = new TTabSheet(this);
    sheet_grid->SetName("sheet_grid");
    sheet_grid->SetCaption("Siatka");
    sheet_grid->SetPageControl(pages);
    sheet_draw = new TTabSheet(this);
    sheet_draw->SetName("sheet_draw");
    sheet_draw->SetCaption("Rysunek");
    sheet_draw->SetPageControl(pages);
    pages->OnChange = logger("page change");

    // --- standard controls ---
    TTabSheet* s = sheet_std;
    label = make<TLabel>(this, s, "label", 8, 10, 150, 16);
    label->SetCaption("Zażółć gęślą jaźń:"_cp);
    edit = make<TEdit>(this, s, "edit", 160, 8, 150, 21);
    edit->SetHint("Nazwa odcinka");
    edit->OnChange = logger("edit change");
    memo = make<TMemo>(this, s, "memo", 8, 36, 302, 60);
    memo->Lines().Add("Pierwsza linia");
    memo->Lines().Add("Druga linia – łąka"_cp);
    button = make<TButton>(this, s, "button", 8, 104, 90, 25);
    button->SetCaption("&Przelicz");
    button->OnClick = logger("button");
    check = make<TCheckBox>(this, s, "check", 110, 108, 120, 17);
    check->SetCaption("Pokaż siatkę"_cp);
    check->OnClick = logger("check");
    radio1 = make<TRadioButton>(this, s, "radio1", 8, 136, 100, 17);
    radio1->SetCaption("Stal");
    radio1->SetChecked(true);
    radio2 = make<TRadioButton>(this, s, "radio2", 110, 136, 100, 17);
    radio2->SetCaption("PE");
    radio_group = make<TRadioGroup>(this, s, "radio_group", 8, 160, 302, 70);
    radio_group->SetCaption("Materiał"_cp);
    radio_group->Columns = 2;
    radio_group->Items().SetText("PVC\nPE\nStal\nŻeliwo"_cp);
    radio_group->SetItemIndex(1);
    radio_group->OnClick = logger("radio group");
    combo = make<TComboBox>(this, s, "combo", 8, 238, 150, 21);
    combo->Style = TComboBoxStyle::csDropDownList;
    combo->Items().SetText("DN 100\nDN 150\nDN 200");
    combo->SetItemIndex(0);
    combo->OnChange = logger("combo change");
    color_combo = make<TComboBox>(this, s, "color_combo", 160, 238, 150, 21);
    color_combo->Style = TComboBoxStyle::csOwnerDrawFixed;
    color_combo->Items().SetText("Czerwony\nZielony\nNiebieski");
    color_combo->OnDrawItem = [this](TWinControl*, int index, TRect r, TOwnerDrawState) {
        static const TColor colors[] = {clRed, clGreen, clBlue};
        TCanvas* c = color_combo->Canvas();
        c->FillRect(r);
        c->Brush.Color = colors[index % 3];
        c->FillRect({r.Left + 2, r.Top + 2, r.Left + 22, r.Bottom - 2});
        c->Brush.Style = TBrushStyle::bsClear;
        c->TextOut(r.Left + 28, r.Top + 1, color_combo->Items()[index]);
    };
    color_combo->SetItemIndex(2);
    list = make<TListBox>(this, s, "list", 8, 268, 150, 80);
    list->Items().SetText("Odcinek 1\nOdcinek 2\nOdcinek 3\nOdcinek 4");
    list->OnClick = logger("list click");
    check_list = make<TCheckListBox>(this, s, "check_list", 160, 268, 150, 80);
    check_list->Items().SetText("Woda\nGaz\nKanalizacja");
    check_list->SetChecked(1, true);
    check_list->OnClickCheck = logger("check list");
    spin = make<TSpinEdit>(this, s, "spin", 330, 8, 80, 21);
    spin->MinValue = 0;
    spin->MaxValue = 50;
    spin->SetValue(12);
    spin->OnChange = logger("spin change");
    track = make<TTrackBar>(this, s, "track", 330, 36, 200, 40);
    track->SetRange(0, 20);
    track->SetPosition(5);
    track->OnChange = logger("track change");
    progress = make<TProgressBar>(this, s, "progress", 330, 84, 200, 16);
    progress->SetPosition(60);
    group = make<TGroupBox>(this, s, "group", 330, 110, 200, 70);
    group->SetCaption("Narzędzia"_cp);
    speed1 = make<TSpeedButton>(this, group, "speed1", 10, 24, 60, 26);
    speed1->SetCaption("Linia");
    speed1->GroupIndex = 1;
    speed1->SetDown(true);
    speed2 = make<TSpeedButton>(this, group, "speed2", 74, 24, 60, 26);
    speed2->SetCaption("Łuk"_cp);
    speed2->GroupIndex = 1;
    speed2->OnClick = logger("speed2");
    caption_panel = make<TPanel>(this, s, "caption_panel", 330, 190, 200, 40);
    caption_panel->SetCaption("Panel z podpisem");
    caption_panel->SetColor(clCream);
    caption_panel->BevelOuter = TBevelCut::bvLowered;
    TFont bold = caption_panel->Font();
    bold.Style = fsBold;
    bold.Color = clMaroon;
    caption_panel->SetFont(bold);

    // --- grid and tab strip ---
    grid = make<TStringGrid>(this, sheet_grid, "grid", 0, 0, 700, 300);
    grid->SetAlign(TAlign::alClient);
    grid->SetColCount(5);
    grid->SetRowCount(8);
    grid->Options |= goEditing;
    const char* heads[] = {"Nr", "Km", "Rzędna"_cp, "Spadek", "Uwagi"};
    for (int c = 0; c < 5; ++c) grid->SetCell(c, 0, heads[c]);
    for (int r = 1; r < 8; ++r) {
        grid->SetCell(0, r, IntToStr(r));
        grid->SetCell(1, r, "0+" + IntToStr(r * 50));
        grid->SetCell(2, r, IntToStr(100 + r) + ".25");
    }
    tabs = make<TTabControl>(this, sheet_grid, "tabs", 0, 0, 700, 26);
    tabs->SetAlign(TAlign::alBottom);
    tabs->AddTab("Profil 1");
    tabs->AddTab("Profil 2");
    tabs->AddTab("Przekrój"_cp);
    tabs->OnChange = logger("tab change");

    // --- drawing ---
    paint_box = make<TPaintBox>(this, sheet_draw, "paint_box", 8, 8, 340, 300);
    paint_box->OnPaint = [this](TObject*) {
        ++paints;
        TCanvas* c = paint_box->Canvas();
        c->Brush.Color = clWhite;
        c->FillRect({0, 0, 340, 300});
        c->Pen.Color = clNavy;
        c->Pen.Width = 2;
        c->MoveTo(10, 280);
        c->LineTo(320, 200);
        c->Pen.Width = 1;
        c->Pen.Color = clRed;
        c->Brush.Color = clYellow;
        c->Ellipse(20, 20, 120, 90);
        c->Brush.Style = TBrushStyle::bsClear;
        c->Pen.Color = clGreen;
        c->Arc(150, 20, 250, 120, 250, 70, 150, 70);
        c->Brush.Style = TBrushStyle::bsDiagCross;
        c->Brush.Color = clPurple;
        c->Polygon({{200, 150}, {300, 150}, {250, 230}});
        c->Brush.Style = TBrushStyle::bsClear;
        TFont f = c->Font;
        f.SetSize(12);
        f.Orientation = 900;
        f.Color = clMaroon;
        c->Font = f;
        c->TextOut(40, 270, "Rzędna 102.50"_cp);
        f.Orientation = 0;
        f.Style = fsBold;
        c->Font = f;
        c->SetTextAlign(TA_CENTER | TA_BASELINE);
        c->TextOut(170, 160, "TA_CENTER");
        c->SetTextAlign(TA_LEFT | TA_TOP);
        TRect r{60, 110, 190, 150};
        c->Brush.Style = TBrushStyle::bsClear;
        c->Pen.Color = clGray;
        c->Rectangle(r);
        c->Font.Style = 0;
        c->DrawText("Tekst zawijany w prostokącie DrawText"_cp, r, DT_WORDBREAK | DT_CENTER);
    };
    image = make<TImage>(this, sheet_draw, "image", 360, 8, 200, 150);
    RecordingCanvas& ic = image->Canvas();
    ic.Brush.Color = clSkyBlue;
    ic.FillRect({0, 0, 200, 150});
    ic.Pen.Color = clBlack;
    ic.Polyline({{10, 140}, {60, 60}, {110, 100}, {190, 20}});
    ic.Brush.Style = TBrushStyle::bsClear;
    ic.TextOut(10, 10, "TImage");
}
