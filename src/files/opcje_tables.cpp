// The settings dialog's tables: look-ups, the choosers' item lists, the
// refill of the record tables, the painted cells and the routines that add
// and remove drawing elements, band rows and check rules.
#include "files/opcje_tables.h"

#include <algorithm>
#include <random>

#include "files/settings_tables.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/drawing_palette.h"
#include "model/messages.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "platform/forms.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

const std::string on_mark(1, check_on);
const std::string off_mark(1, check_off);

std::string mark(bool on) { return on ? on_mark : off_mark; }

// The screen colour of a drawing colour number; a number outside the
// palette takes its nearest end.
TColor palette_colour(int n) { return drawing_palette_colour(std::clamp(n, 1, drawing_palette_size), clWhite); }

// Resets what a refill rebuilds: the cells' own records and the rows' colours.
void reset_table(TStringAlignGrid& g) {
    g.reset_all_properties();
    g.reset_row_colours();
}

// Asks whether to delete the named item; true on Yes.
bool delete_confirmed(const std::string& name) {
    const std::string q =
        format_language_text(msg("msg_ItemDeleteQuestion", "Czy napewno usunąć: %s\"%s\"?"_cp), {"\r", name});
    return Application()->MessageBox(q, program_title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace

std::string valid_warstwa(const std::string& layer) {
    if (layer.empty() || !topcje || !topcje->sag_Layers) return "0";
    const TStringGrid& g = *topcje->sag_Layers;
    for (int r = 1; r < g.RowCount(); ++r)
        if (g.Cells(1, r) == layer) return layer;
    return "0";
}

std::string media2txt(const std::string& letters) {
    if (letters.empty()) return {};
    if (letters == "a") {
        const std::string all = Form1 && Form1->mi_All ? Form1->mi_All->Caption() : std::string();
        return AnsiLowerCase(all.substr(0, all.find(' ')));
    }
    std::string text;
    const TStringList* names = Form1 && Form1->cb_NetworkType ? &Form1->cb_NetworkType->Items() : nullptr;
    for (int i = 0; network_letters[i] != '\0'; ++i) {
        if (letters.find(std::string{network_letters[i], ','}) == std::string::npos) continue;
        if (names && i < names->Count()) text += (*names)[i];
        text += ',';
    }
    if (!text.empty()) text.pop_back();
    return text;
}

void zaladuj_warstwy() {
    if (!topcje || !topcje->cb_warstwy || !topcje->sag_Layers) return;
    TStringList& items = topcje->cb_warstwy->Items();
    items.BeginUpdate();
    items.Clear();
    for (int r = 1; r < topcje->sag_Layers->RowCount(); ++r) items.Add(topcje->sag_Layers->Cells(1, r));
    items.EndUpdate();
}

void zaladuj_nazwy_linii() {
    if (!topcje || !topcje->cb_LineName) return;
    const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    TStringList& items = topcje->cb_LineName->Items();
    items.BeginUpdate();
    items.Clear();
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].key == "user") items.Add(rows[i].title);
    items.EndUpdate();
}

void przenumeruj_grida(TStringGrid& grid, int col, int first_row) {
    for (int r = first_row; r < grid.RowCount(); ++r) grid.SetCell(col, r, IntToStr(r));
}

TColor greyed_row_colour() {
    if (Form1 && Form1->sg1) return Form1->sg1->cell_colour(0, 1);
    return clBtnFace;
}

// --- refilling the record tables ------------------------------------------------

void RefreshSag_Lines() {
    if (!topcje || !topcje->sag_Lines) return;
    TStringAlignGrid& g = *topcje->sag_Lines;
    const std::vector<linia_def>& defs = settings().line_defs;
    g.BeginUpdate();
    reset_table(g);
    g.SetRowCount(static_cast<int>(defs.size()) + 1);
    for (std::size_t i = 0; i < defs.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const linia_def& d = defs[i];
        if (i >= builtin_line_count) g.SetCell(0, r, d.name);
        g.SetCell(1, r, mark(d.draw));
        if (!d.draw) g.set_row_colour(r, greyed_row_colour());
        g.SetCell(2, r, IntToStr(d.color));
        g.SetCell(3, r, d.layer);
        g.SetCell(4, r, mark(d.like_pipe));
        g.SetCell(5, r, d.media);
        g.set_cell_hint(5, r, media2txt(d.media));
    }
    g.EndUpdate();
}

void RefreshSag_Rules() {
    if (!topcje || !topcje->sag_Rules) return;
    TStringAlignGrid& g = *topcje->sag_Rules;
    const std::vector<rule_def>& rules = settings().check_rules;
    g.BeginUpdate();
    reset_table(g);
    g.SetRowCount(std::max(static_cast<int>(rules.size()) + 1, 2));
    if (rules.empty()) {
        g.SetRow(1, {"", off_mark, "", "", "", ""});
        g.set_row_colour(1, greyed_row_colour());
        g.set_cell_hint(5, 1, "");
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const rule_def& rule = rules[i];
        g.SetRow(r, {"", mark(rule.enabled), "", rule.description, rule.formula, rule.media});
        if (!rule.enabled) g.set_row_colour(r, greyed_row_colour());
        g.set_cell_hint(5, r, media2txt(rule.media));
    }
    g.EndUpdate();
}

void RefreshSag_TableContent() {
    if (!topcje || !topcje->sag_TableContent) return;
    const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    if (rows.empty()) return;
    TStringAlignGrid& g = *topcje->sag_TableContent;
    g.BeginUpdate();
    reset_table(g);
    g.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const dane_pod_profil& d = rows[i];
        const bool join_shown = d.join && !d.at_nodes && d.key != "dlugosc" && d.key != "dlug_spad";
        const bool user = d.key == "user";
        g.SetRow(r, {IntToStr(r), mark(d.shown), d.title, d.unit, precision_text(d.precision), mark(d.at_nodes),
                     user ? d.formula : d.name, IntToStr(d.height) + "%", mark(join_shown)});
        if (!d.shown) g.set_row_colour(r, greyed_row_colour());
        g.cell_font(6, r).Color = user ? clBlack : static_cast<TColor>(0x808080);
    }
    g.EndUpdate();
}

// --- painting --------------------------------------------------------------------

void draw_media(const std::string& letters, TCanvas& canvas, const TRect& rect) {
    const std::string text = letters == "a" ? std::string("w,k,d,g,c,m,i,") : letters;
    for (int i = 0; network_letters[i] != '\0'; ++i) {
        if (text.find(std::string{network_letters[i], ','}) == std::string::npos) continue;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.Brush.Color = palette_colour(network_colours[static_cast<std::size_t>(i)]);
        const int left = rect.Left + 2 + 10 * i;
        canvas.FillRect(TRect{left, rect.Top + 3, left + 7, rect.Bottom - 3});
    }
}

void przekoloruj(int row, TStringAlignGrid& grid, TCanvas& canvas, const TRect& rect) {
    const std::string& text = grid.Cells(2, row);
    if (text.empty()) return;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = grid.Color();
    canvas.FillRect(rect);
    int n = 0;
    canvas.Brush.Color = palette_colour(TryStrToInt(text, n) ? n : 1);
    canvas.Pen.Color = clBlack;
    canvas.Rectangle(rect.Left + 10, rect.Top + 3, rect.Left + 20, rect.Bottom - 3);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font = grid.effective_font(2, row);
    canvas.TextOut(rect.Left + 23, rect.Top + 2, text);
}

void draw_rule_colour(int row, TStringAlignGrid& grid, TCanvas& canvas, const TRect& rect) {
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Brush.Color = grid.Color();
    canvas.FillRect(rect);
    const std::vector<rule_def>& rules = settings().check_rules;
    if (row < 1 || row > static_cast<int>(rules.size())) return;
    const int left = rect.Left + static_cast<int>(Round((rect.Right - rect.Left) / 2.0)) - 5;
    canvas.Brush.Color = rules[static_cast<std::size_t>(row - 1)].color;
    canvas.Pen.Color = clBlack;
    canvas.Rectangle(left, rect.Top + 3, left + 10, rect.Bottom - 3);
}

// --- the records behind the tables --------------------------------------------------

void title_add(int index, bool append) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    dane_pod_profil d;
    d.key = "user";
    d.precision = 2;
    d.shown = true;
    d.at_nodes = true;
    d.join = false;
    d.height = 100;
    d.reserved = false;
    if (append || index < 0 || index >= static_cast<int>(rows.size())) rows.push_back(d);
    else rows.insert(rows.begin() + index, d);
    RefreshSag_TableContent();
}

void title_delete(int index) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    if (index < 0 || index >= static_cast<int>(rows.size())) return;
    dane_pod_profil& d = rows[static_cast<std::size_t>(index)];
    if (d.key != "user") d.shown = false;
    else if (delete_confirmed(d.title)) rows.erase(rows.begin() + index);
    RefreshSag_TableContent();
}

void rule_add(int index, bool append) {
    static std::minstd_rand light{std::random_device{}()};
    std::uniform_int_distribution<int> part(0, 134);
    rule_def rule;
    rule.enabled = true;
    const int red = 120 + part(light), green = 120 + part(light), blue = 120 + part(light);
    rule.color = static_cast<TColor>(red | (green << 8) | (blue << 16));
    rule.media = "a";
    std::vector<rule_def>& rules = settings().check_rules;
    if (append || index < 0 || index >= static_cast<int>(rules.size())) rules.push_back(rule);
    else rules.insert(rules.begin() + index, rule);
    RefreshSag_Rules();
}

void rule_delete(int index) {
    std::vector<rule_def>& rules = settings().check_rules;
    if (index < 0 || index >= static_cast<int>(rules.size())) return;
    if (delete_confirmed(rules[static_cast<std::size_t>(index)].description)) rules.erase(rules.begin() + index);
    RefreshSag_Rules();
}

linia_def new_user_line() {
    linia_def d;
    d.layer = "0";
    d.media = "a";
    d.color = 1;
    d.draw = true;
    d.like_pipe = false;
    return d;
}

void line_add(int index, bool append) {
    const linia_def d = new_user_line();
    std::vector<linia_def>& defs = settings().line_defs;
    if (append || index < static_cast<int>(builtin_line_count) || index >= static_cast<int>(defs.size()))
        defs.push_back(d);
    else
        defs.insert(defs.begin() + index, d);
    RefreshSag_Lines();
}

void line_delete(int index) {
    std::vector<linia_def>& defs = settings().line_defs;
    if (index < static_cast<int>(builtin_line_count) || index >= static_cast<int>(defs.size())) return;
    if (delete_confirmed(defs[static_cast<std::size_t>(index)].name)) defs.erase(defs.begin() + index);
    RefreshSag_Lines();
}
