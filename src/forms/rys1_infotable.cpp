// The main window's page "&Metryka": the editing area of the title block,
// its tool bar, the menu "&Metryka" with the actions, the template dialogs,
// and the making of the boxes.
#include "forms/rys1.h"
#include "forms/rys1_build.h"
#include "platform/builder.h"
#include "platform/sysutils.h"

namespace {

using rys1_build::add_action;
using rys1_build::add_command;
using rys1_build::add_item;

// The size of the editing area's ground (the boxes' area).
constexpr int area_width = 997;
constexpr int area_height = 570;

TToolButton* add_button(TForm1* form, TToolBar* bar, std::string_view name, TToolButtonStyle style) {
    auto* b = new TToolButton(form);
    if (!name.empty()) b->SetName(std::string(name));
    b->Style = style;
    b->SetParent(bar);
    return b;
}

TToolButton* add_action_button(TForm1* form, TToolBar* bar, TAction* action) {
    TToolButton* b = add_button(form, bar, {}, TToolButtonStyle::tbsButton);
    b->SetAction(action);
    return b;
}

void add_divider(TForm1* form, TToolBar* bar) { add_button(form, bar, {}, TToolButtonStyle::tbsDivider); }

// The ground: white, cross-hatched in light grey.
void paint_ground(TPaintBox* box) {
    TCanvas* c = box->Canvas();
    if (!c) return;
    c->Brush.Color = clWhite;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->FillRect(box->ClientRect());
    c->Brush.Color = clSilver;
    c->Brush.Style = TBrushStyle::bsDiagCross;
    c->Pen.Color = clSilver;
    c->Rectangle(box->ClientRect());
}

}  // namespace

void TForm1::build_info_table() {
    ts_InfoTable = add_sheet(this, PageControl1, "ts_InfoTable", "&Metryka");
    ScrollBox1 = new TScrollBox(this);
    ScrollBox1->SetName("ScrollBox1");
    ScrollBox1->SetColor(clWhite);
    ScrollBox1->SetAlign(TAlign::alClient);
    ScrollBox1->SetParent(ts_InfoTable);
    Shape1 = new TPaintBox(this);
    Shape1->SetName("Shape1");
    Shape1->SetBounds(0, 0, area_width, area_height);
    Shape1->SetColor(clWhite);
    Shape1->OnPaint = [this](TObject*) { paint_ground(Shape1); };
    Shape1->SetParent(ScrollBox1);

    a_it_TemplateNew = add_action(this, "a_it_TemplateNew", "&Nowa");
    a_it_TemplateOpen = add_action(this, "a_it_TemplateOpen", "&Otwórz"_cp);
    a_it_TemplateSave = add_action(this, "a_it_TemplateSave", "&Zapisz");
    a_it_TitleList = add_action(this, "a_it_TitleList", "&Lista tytułów"_cp);
    a_it_TextboxInsert = add_action(this, "a_it_TextboxInsert", "&Wstaw pole");
    a_it_TextboxDelete = add_action(this, "a_it_TextboxDelete", "&Usuń pole"_cp);
    a_it_Arrow_Left = add_action(this, "a_it_Arrow_Left", "w lewo");
    a_it_Arrow_Right = add_action(this, "a_it_Arrow_Right", "w prawo");
    a_it_Arrow_Up = add_action(this, "a_it_Arrow_Up", "do góry"_cp);
    a_it_Arrow_Down = add_action(this, "a_it_Arrow_Down", "do dołu"_cp);

    // The tool bar, shown with the page.
    tb_InfoTable = new TToolBar(this);
    tb_InfoTable->SetName("tb_InfoTable");
    tb_InfoTable->SetTop(ToolBar1->Top() + ToolBar1->Height());
    tb_InfoTable->SetVisible(false);
    tb_InfoTable->SetParent(this);
    for (TAction* a : {a_it_TemplateNew, a_it_TemplateOpen, a_it_TemplateSave}) add_action_button(this, tb_InfoTable, a);
    add_divider(this, tb_InfoTable);
    tb_bezmetryki = add_tool_button(this, tb_InfoTable, "tb_bezmetryki", "Bez metryki");
    tb_bezmetryki->SetAction(a_it_WithoutInfoTable);
    TToolButton* titles = add_button(this, tb_InfoTable, "tb_it_TitleList", TToolButtonStyle::tbsCheck);
    titles->SetAction(a_it_TitleList);
    add_divider(this, tb_InfoTable);
    for (TAction* a : {a_it_TextboxInsert, a_it_TextboxDelete}) add_action_button(this, tb_InfoTable, a);
    add_divider(this, tb_InfoTable);
    tb_mprzesun = add_button(this, tb_InfoTable, "tb_mprzesun", TToolButtonStyle::tbsCheck);
    tb_mprzesun->SetCaption("Zmień położenie"_cp);
    tb_mprzesun->Grouped = true;
    tb_mprzesun->SetDown(true);
    tb_mrozmiar = add_button(this, tb_InfoTable, "tb_mrozmiar", TToolButtonStyle::tbsCheck);
    tb_mrozmiar->SetCaption("Zmień rozmiar"_cp);
    tb_mrozmiar->Grouped = true;
    tb_m10 = add_button(this, tb_InfoTable, "tb_m10", TToolButtonStyle::tbsCheck);
    tb_m10->SetCaption("x10");
    tb_m10->SetHint("Krok 10 pikseli");
    add_divider(this, tb_InfoTable);
    for (TAction* a : {a_it_Arrow_Left, a_it_Arrow_Right, a_it_Arrow_Up, a_it_Arrow_Down})
        add_action_button(this, tb_InfoTable, a);
    int x = 0;
    for (TControl* c : tb_InfoTable->children()) {
        auto* b = dynamic_cast<TToolButton*>(c);
        const bool divider = b && b->Style == TToolButtonStyle::tbsDivider;
        const int w = divider ? 8 : std::max(tb_InfoTable->ButtonWidth, text_width(tb_InfoTable->Font(), c->Caption()) + 16);
        c->SetBounds(x, 0, w, tb_InfoTable->ButtonHeight);
        x += w;
    }

    // The menu, enabled with the page.
    mi_InfoTable = new TMenuItem(this);
    mi_InfoTable->SetName("mi_InfoTable");
    mi_InfoTable->SetCaption("&Metryka");
    mi_InfoTable->SetEnabled(false);
    MainMenu1->Items()->Add(mi_InfoTable);
    for (TAction* a : {a_it_TemplateNew, a_it_TemplateOpen, a_it_TemplateSave}) add_command(this, mi_InfoTable, a);
    add_item(this, mi_InfoTable, {}, "-");
    for (TAction* a : {a_it_WithoutInfoTable, a_it_TitleList}) add_command(this, mi_InfoTable, a);
    add_item(this, mi_InfoTable, {}, "-");
    for (TAction* a : {a_it_TextboxInsert, a_it_TextboxDelete}) add_command(this, mi_InfoTable, a);
    add_item(this, mi_InfoTable, {}, "-");
    mi_Location = add_item(this, mi_InfoTable, "mi_Location", "Zmień &położenie"_cp);
    mi_Size = add_item(this, mi_InfoTable, "mi_Size", "Zmień &rozmiar"_cp);
    for (TMenuItem* mi : {mi_Location, mi_Size}) {
        mi->RadioItem = true;
        mi->GroupIndex = 1;
    }
    mi_Location->SetChecked(true);
    add_item(this, mi_InfoTable, {}, "-");
    for (TAction* a : {a_it_Arrow_Left, a_it_Arrow_Right, a_it_Arrow_Up, a_it_Arrow_Down})
        add_command(this, mi_InfoTable, a);

    OD_InfoTable = new TOpenDialog(this);
    OD_InfoTable->SetName("OD_InfoTable");
    OD_InfoTable->DefaultExt = "hlm";
    SD_InfoTable = new TSaveDialog(this);
    SD_InfoTable->SetName("SD_InfoTable");
    SD_InfoTable->DefaultExt = "hlm";
}

TMemo* TForm1::make_text_box(int n, int left, int top, int width, int height) {
    auto* m = new TMemo(this);
    m->SetName("tabs" + IntToStr(n));
    m->SetBounds(left, top, width, height);
    TFont font = m->Font();
    font.Color = clNavy;
    m->SetFont(font);
    m->ParentFont = false;
    m->WantTabs = true;
    m->WordWrap = false;
    m->SetParent(ScrollBox1);
    m->OnEnter = title_box_focus;
    m->OnExit = title_box_focus;
    m->OnChange = title_box_change;
    m->OnMouseDown = title_box_mouse_down;
    m->OnMouseMove = title_box_mouse_move;
    return m;
}

TComboBox* TForm1::make_title_list(int left, int top, int width) {
    auto* c = new TComboBox(this);
    c->SetName("tabs0");
    c->SetBounds(left, top, width, 21);
    c->SetParent(ScrollBox1);
    c->OnEnter = title_box_focus;
    c->OnExit = title_box_focus;
    c->OnChange = title_box_change;
    return c;
}
