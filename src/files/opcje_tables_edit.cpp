// The settings dialog's tables as the user edits them: keys, mouse, drag,
// popup menus and actions, the in-cell choosers and the painted cells.
#include <algorithm>
#include <string>

#include "files/kolory.h"
#include "files/media.h"
#include "files/opcje_tables.h"
#include "files/settings_groups.h"
#include "files/settings_tables.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "model/messages.h"
#include "model/settings_state.h"
#include "platform/cp1250.h"
#include "platform/forms.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

const std::string on_mark(1, check_on);
const std::string off_mark(1, check_off);
const char* const colour_hint = "Kolor";

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// The filters judge typed characters; the control keys (Backspace, Enter,
// Esc) always pass.
bool printable(char c) { return static_cast<unsigned char>(c) >= 32; }
void digits_only(char& key) {
    if (printable(key) && !is_digit(key)) key = 0;
}

void toggle(TStringGrid& g, int col, int row) { g.SetCell(col, row, g.Cells(col, row) == on_mark ? off_mark : on_mark); }

// The text a cell had when its edit began.
std::string edit_start;

// A colour number typed into a colour cell: the empty text takes `empty`;
// a number outside 1..highest puts back the text the cell had.
void check_colour_cell(TStringGrid& g, int col, int row, int highest, const char* empty) {
    const std::string t = g.Cells(col, row);
    if (t.empty()) {
        g.SetCell(col, row, empty);
        return;
    }
    int n = 0;
    if (!TryStrToInt(t, n) || n < 1 || n > highest) g.SetCell(col, row, edit_start);
}

// The cell under a mouse point, row 0 and outside the cells giving false.
bool data_cell_at(const TStringGrid& g, int x, int y, int& col, int& row) {
    g.MouseToCell(x, y, col, row);
    return col >= 0 && row >= 1;
}

Ttopcje& dlg() { return *topcje; }

// The record index of the current row of a record table, -1 when none.
int record(const TStringGrid& g) { return g.Row() - 1; }

TStringAlignGrid* table_of(TObject* sender) { return dynamic_cast<TStringAlignGrid*>(sender); }

// --- the colour chooser over a table's cell ------------------------------------

void colour_chooser(TStringAlignGrid& g) {
    if (g.cell_hint(g.Col(), 0) != colour_hint) return;
    // The layer table has no "by layer" colour.
    choose_drawing_colour(&g, &g != dlg().sag_Layers);
}

// Enter opens the colour chooser on a colour column and, on the layer
// column of the text styles, moves to the layer chooser. Every table but the
// band rows and the rules ends its keys here.
void font_keys(TStringAlignGrid& g, Word& key) {
    if (key != VK_RETURN) return;
    if (g.cell_hint(g.Col(), 0) == colour_hint) {
        colour_chooser(g);
        key = 0;
    } else if (g.Col() == 5 && dlg().cb_warstwy->Visible() && dlg().cb_warstwy->Parent() == g.Parent()) {
        dlg().cb_warstwy->SetFocus();
        key = 0;
    }
}

// --- the in-cell choosers --------------------------------------------------------

// Puts a chooser over a cell of a table.
void place_chooser(TComboBox* c, TStringAlignGrid& g, int col, int row, int left_add, int width_add) {
    const TRect r = g.CellRect(col, row);
    c->SetParent(g.Parent());
    c->SetBounds(g.Left() + r.Left + left_add, g.Top() + r.Top + 1, g.ColWidths(col) + width_add, c->Height());
    const int i = c->Items().IndexOf(g.Cells(col, row));
    c->SetItemIndex(i >= 0 ? i : (c->Items().Count() > 0 ? 0 : -1));
    c->SetVisible(true);
}

void position_choosers(TStringAlignGrid& g) {
    Ttopcje& d = dlg();
    const int col = g.Col(), row = g.Row();
    if (&g == d.sag_Lines || &g == d.sag_Fonts) {
        const bool on = (&g == d.sag_Lines && col == 3) || (&g == d.sag_Fonts && col == 5);
        if (on) place_chooser(d.cb_warstwy, g, col, row, 1, 6);
        else d.cb_warstwy->SetVisible(false);
    }
    if (&g == d.sag_Layers) {
        if (col == 3) place_chooser(d.cb_LineType, g, col, row, 1, 6);
        else d.cb_LineType->SetVisible(false);
    }
    if (&g == d.sag_Lines) {
        if (col == 0 && row >= static_cast<int>(builtin_line_count) + 1 && d.PageControl1->ActivePage() == d.ts_Lines)
            place_chooser(d.cb_LineName, g, col, row, 7, 0);
        else
            d.cb_LineName->SetVisible(false);
    }
    if (&g == d.sag_TableContent || &g == d.sag_DataTable) {
        if (col == 4) place_chooser(d.cb_Precision, g, col, row, 6, 19);
        else d.cb_Precision->SetVisible(false);
    }
}

void after_line_edit(int col, int row);

void warstwy_chosen() {
    Ttopcje& d = dlg();
    const std::string layer = d.cb_warstwy->Text();
    if (d.PageControl1->ActivePage() == d.ts_Lines) {
        TStringAlignGrid& g = *d.sag_Lines;
        g.SetCell(g.Col(), g.Row(), layer);
        after_line_edit(g.Col(), g.Row());
    } else if (d.PageControl1->ActivePage() == d.ts_Fonts) {
        TStringAlignGrid& g = *d.sag_Fonts;
        g.SetCell(g.Col(), g.Row(), layer);
    }
    d.cb_warstwy->SetVisible(false);
    if (d.PageControl1->ActivePage() == d.ts_Lines) d.sag_Lines->SetFocus();
    else if (d.PageControl1->ActivePage() == d.ts_Fonts) d.sag_Fonts->SetFocus();
}

void line_type_chosen() {
    Ttopcje& d = dlg();
    TStringAlignGrid* g = d.PageControl1->ActivePage() == d.ts_Lines ? d.sag_Lines
                          : d.PageControl1->ActivePage() == d.ts_Layers ? d.sag_Layers
                                                                        : nullptr;
    d.cb_LineType->SetVisible(false);
    if (!g) return;
    g->SetCell(g->Col(), g->Row(), d.cb_LineType->Text());
    // Only the solid line has a thickness.
    if (d.cb_LineType->ItemIndex() != 0 && g->Col() + 1 < g->ColCount()) g->SetCell(g->Col() + 1, g->Row(), "1");
    g->SetFocus();
}

void precision_chosen() {
    Ttopcje& d = dlg();
    if (d.PageControl1->ActivePage() == d.ts_Table) {
        std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
        const int i = record(*d.sag_TableContent);
        if (i >= 0 && i < static_cast<int>(rows.size()))
            rows[static_cast<std::size_t>(i)].precision = static_cast<int8_t>(std::max(0, d.cb_Precision->ItemIndex()));
        d.cb_Precision->SetVisible(false);
        d.sag_TableContent->SetFocus();
        RefreshSag_TableContent();
    } else if (d.PageControl1->ActivePage() == d.ts_DataTableColumns) {
        d.sag_DataTable->SetCell(4, d.sag_DataTable->Row(), d.cb_Precision->Text());
        d.cb_Precision->SetVisible(false);
        d.sag_DataTable->SetFocus();
    }
}

void line_name_chosen() {
    Ttopcje& d = dlg();
    std::vector<linia_def>& defs = settings().line_defs;
    const int i = record(*d.sag_Lines);
    if (i >= static_cast<int>(builtin_line_count) && i < static_cast<int>(defs.size())) {
        const uint8_t n = TitleNr("", d.cb_LineName->Text());
        const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
        if (n < rows.size()) {
            defs[static_cast<std::size_t>(i)].name = rows[n].title;
            defs[static_cast<std::size_t>(i)].key = rows[n].key;
        }
    }
    d.cb_LineName->SetVisible(false);
    d.sag_Lines->SetFocus();
    RefreshSag_Lines();
}

// The choice handling of each chooser, found by the chooser's name.
TNotifyEvent choice_of(TComboBox* c) {
    const std::string& n = c->Name();
    if (n == "cb_warstwy") return [](TObject*) { warstwy_chosen(); };
    if (n == "cb_LineType") return [](TObject*) { line_type_chosen(); };
    if (n == "cb_Precision") return [](TObject*) { precision_chosen(); };
    if (n == "cb_LineName") return [](TObject*) { line_name_chosen(); };
    return nullptr;
}

// Up and Down move through the list without touching the table; Enter
// takes the item.
void chooser_keys(TComboBox* c, Word& key) {
    if (key == VK_DOWN) {
        if (!c->DroppedDown) {
            c->DroppedDown = true;
            c->SetItemIndex(c->Items().Count() > 0 ? 0 : -1);
        }
        c->OnChange = nullptr;
    } else if (key == VK_UP) {
        if (c->DroppedDown && c->ItemIndex() == 0) {
            c->DroppedDown = false;
            c->SetItemIndex(0);
        }
        c->OnChange = nullptr;
    } else if (key == VK_RETURN) {
        c->DroppedDown = false;
        c->OnChange = choice_of(c);
        fire(c, c->OnChange, c);
        key = 0;
    }
}

// --- layers -------------------------------------------------------------------

void renumber_layers() { przenumeruj_grida(*dlg().sag_Layers, 0, 1); }

void layer_row_add(int before) {
    TStringAlignGrid& g = *dlg().sag_Layers;
    if (before < 0) {
        g.SetRowCount(g.RowCount() + 1);
        g.SetCell(5, g.RowCount() - 1, off_mark);
    } else {
        g.insert_row(before);
        g.SetCell(5, before, off_mark);
    }
    renumber_layers();
}

void layer_row_delete(int row) {
    TStringAlignGrid& g = *dlg().sag_Layers;
    if (row <= 1 || row >= g.RowCount()) return;
    g.remove_row(row);
    renumber_layers();
}

void layer_keys(TStringAlignGrid& g, Word& key) {
    const int col = g.Col(), row = g.Row();
    if (!g.editing()) {
        if (key == VK_DOWN && row == g.RowCount() - 1) layer_row_add(-1);
        else if (key == VK_INSERT && row > 1) {
            layer_row_add(row);
            key = 0;
        } else if (key == VK_DELETE && row > 1) {
            layer_row_delete(row);
            key = 0;
        }
        if (key == VK_RETURN && col == 5) {
            toggle(g, 5, row);
            key = 0;
        }
        if (key == VK_SPACE && col == 5) {
            toggle(g, 5, row);
            key = 0;
        }
        if (key == VK_RETURN && col == 3 && dlg().cb_LineType->Visible()) {
            dlg().cb_LineType->SetFocus();
            key = 0;
        }
        font_keys(g, key);
        renumber_layers();
    } else if (key == VK_ESCAPE) {
        g.end_edit(true);
        key = 0;
    }
}

void layer_key_press(TStringAlignGrid& g, char& key) {
    if (!printable(key)) return;
    const int col = g.Col();
    if (col == 1) {
        if (!(key == '$' || key == '-' || key == '_' || is_digit(key) || is_letter(key))) key = 0;
    } else if (col == 2 || col == 4) {
        digits_only(key);
    } else {
        key = 0;
    }
}

void layer_after_edit(TStringAlignGrid& g, int col, int row) {
    if (col == 2) check_colour_cell(g, col, row, 255, "1");
    if (col == 4) {
        // The thickness applies to solid lines only.
        const auto& types = dlg().cb_LineType->Items();
        if (g.Cells(4, row).empty() || (types.Count() > 0 && g.Cells(3, row) != types[0])) g.SetCell(4, row, "1");
    }
    if (col == 5 && g.Cells(5, row).empty()) g.SetCell(5, row, off_mark);
}

// Leaving the table: a row without a colour gets colour 1 when it has a
// name and goes when it has none.
void layer_exit(TStringAlignGrid& g) {
    for (int r = g.RowCount() - 1; r >= 1; --r) {
        if (!g.Cells(2, r).empty()) continue;
        if (!g.Cells(1, r).empty()) g.SetCell(2, r, "1");
        else if (r > 1) g.remove_row(r);
    }
    renumber_layers();
}

// --- text styles and crossing colours -------------------------------------------------

const char* const font_defaults[] = {"", "19", "1", "4", "70"};

void font_after_edit(TStringAlignGrid& g, int col, int row) {
    if (col >= 1 && col <= 4 && g.Cells(col, row).empty()) g.SetCell(col, row, font_defaults[col]);
    if (col == 2) check_colour_cell(g, col, row, 256, "1");
    if (col == 4) {
        const std::string& t = g.Cells(4, row);
        if (t.empty() || t.back() != '%') g.SetCell(4, row, t + "%");
    }
}

void crossing_row_add(int before) {
    TStringAlignGrid& g = *dlg().sag_CrossingsFonts;
    if (g.RowCount() >= 100) return;
    int row = before;
    if (before < 0) {
        row = g.RowCount();
        g.SetRowCount(row + 1);
    } else {
        g.insert_row(before);
    }
    g.SetRow(row, {"", off_mark, "1"});
}

void crossing_keys(TStringAlignGrid& g, Word& key) {
    const int col = g.Col(), row = g.Row();
    if (g.editing()) return;
    if ((key == VK_RETURN || key == VK_SPACE) && col == 1) {
        toggle(g, 1, row);
        key = 0;
    } else if (key == VK_DELETE) {
        if (g.RowCount() <= 2) g.SetRow(1, {"", off_mark, "1"});
        else g.remove_row(row);
        key = 0;
    } else if (key == VK_INSERT) {
        crossing_row_add(row);
        key = 0;
    } else if (key == VK_DOWN && row == g.RowCount() - 1) {
        crossing_row_add(-1);
    }
}

void crossing_after_edit(TStringAlignGrid& g, int col, int row) {
    if (col == 1 && g.Cells(1, row).empty()) g.SetCell(1, row, off_mark);
    if (col == 2) check_colour_cell(g, col, row, 256, "1");
}

// --- drawing elements ------------------------------------------------------------

linia_def* line_at(int row) {
    std::vector<linia_def>& defs = settings().line_defs;
    return row >= 1 && row <= static_cast<int>(defs.size()) ? &defs[static_cast<std::size_t>(row - 1)] : nullptr;
}

void after_line_edit(int col, int row) {
    TStringAlignGrid& g = *dlg().sag_Lines;
    linia_def* d = line_at(row);
    if (!d) return;
    const std::string t = g.Cells(col, row);
    if (col == 2) {
        check_colour_cell(g, col, row, 256, "1");
        int n = 1;
        d->color = static_cast<uint16_t>(TryStrToInt(g.Cells(2, row), n) ? n : 1);
    } else if (col == 3) {
        d->layer = t.empty() ? std::string("0") : t;
    } else if (col == 5) {
        d->media = t.empty() ? std::string("a") : t;
    }
    RefreshSag_Lines();
}

void line_double_click(TStringAlignGrid& g) {
    const int col = g.Col(), row = g.Row();
    linia_def* d = line_at(row);
    if (!d) return;
    if (col == 1) {
        d->draw = !d->draw;
        RefreshSag_Lines();
    } else if (col == 4) {
        d->like_pipe = !d->like_pipe;
        RefreshSag_Lines();
    }
    colour_chooser(g);
    if (col == 5) {
        if (const auto letters = choose_networks(d->media)) {
            d->media = *letters;
            RefreshSag_Lines();
        }
    }
}

void line_keys(TStringAlignGrid& g, Word& key) {
    Ttopcje& d = dlg();
    const int col = g.Col(), row = g.Row();
    if (g.editing()) return;
    if (((key == VK_SPACE || key == VK_RETURN) && (col == 1 || col == 4)) || (key == VK_RETURN && col == 5)) {
        line_double_click(g);
        key = 0;
    } else if (key == VK_RETURN && col == 0 && d.cb_LineName->Visible()) {
        d.cb_LineName->SetFocus();
        key = 0;
    } else if (key == VK_RETURN && col == 3 && d.cb_warstwy->Visible()) {
        d.cb_warstwy->SetFocus();
        key = 0;
    } else if (key == VK_DOWN && row == g.RowCount() - 1) {
        d.a_LineAdd->Execute();
    } else if (key == VK_DELETE && row > static_cast<int>(builtin_line_count)) {
        d.a_LineDelete->Execute();
        key = 0;
    }
    font_keys(g, key);
}

// --- band rows ---------------------------------------------------------------------

dane_pod_profil* band_row_at(int row) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    return row >= 1 && row <= static_cast<int>(rows.size()) ? &rows[static_cast<std::size_t>(row - 1)] : nullptr;
}

void band_double_click(TStringAlignGrid& g) {
    const int col = g.Col();
    dane_pod_profil* d = band_row_at(g.Row());
    if (!d) return;
    if (col == 1) d->shown = !d->shown;
    else if (col == 5) d->at_nodes = !d->at_nodes;
    else if (col == 8) {
        if (d->at_nodes)
            ShowMessage(msg("msg_DisabledWhenIsNodeActive",
                            "Opcja \"Łącz\" jest nieaktywna gdy została zaznaczona opcja \"Węzeł\""_cp));
        else
            d->join = !d->join;
    }
    if (col == 1 || col == 4 || col == 5 || col == 8) RefreshSag_TableContent();
}

void band_after_edit(TStringAlignGrid& g, int col, int row) {
    dane_pod_profil* d = band_row_at(row);
    if (!d) return;
    const std::string t = g.Cells(col, row);
    if (col == 2) d->title = t;
    else if (col == 3) d->unit = t;
    else if (col == 6) d->formula = t;
    else if (col == 7) {
        std::string h = t;
        if (const std::size_t p = h.find('%'); p != std::string::npos) h.erase(p, 1);
        int64_t v = 0;
        // A height outside 0..255 takes the nearest allowed value; a text
        // that is not a whole number keeps the height the row had.
        if (TryStrToInt64(h, v)) d->height = static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255));
    }
    RefreshSag_TableContent();
}

void band_keys(TStringAlignGrid& g, Word& key) {
    Ttopcje& d = dlg();
    const int col = g.Col(), row = g.Row();
    if (g.editing()) return;
    if ((key == VK_SPACE || key == VK_RETURN) && (col == 1 || col == 5 || col == 8)) {
        band_double_click(g);
        key = 0;
    } else if (key == VK_RETURN && col == 4 && d.cb_Precision->Visible()) {
        d.cb_Precision->SetFocus();
        key = 0;
    } else if (key == VK_DOWN && row == g.RowCount() - 1) {
        d.a_AddTitle->Execute();
    } else if (key == VK_INSERT) {
        d.a_InsertTitle->Execute();
        key = 0;
    } else if (key == VK_DELETE) {
        d.a_DeleteTitle->Execute();
        key = 0;
    }
}

void band_row_moved(int from, int to) {
    std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    const int n = static_cast<int>(rows.size());
    if (from < 1 || to < 1 || from > n || to > n || from == to) return;
    auto first = rows.begin();
    if (from < to) std::rotate(first + (from - 1), first + from, first + to);
    else std::rotate(first + (to - 1), first + (from - 1), first + from);
    RefreshSag_TableContent();
}

// --- check rules ------------------------------------------------------------------

rule_def* rule_at(int row) {
    std::vector<rule_def>& rules = settings().check_rules;
    return row >= 1 && row <= static_cast<int>(rules.size()) ? &rules[static_cast<std::size_t>(row - 1)] : nullptr;
}

void rule_double_click(TStringAlignGrid& g) {
    Ttopcje& d = dlg();
    if (settings().check_rules.empty()) d.a_AddRule->Execute();
    const int col = g.Col();
    rule_def* r = rule_at(g.Row());
    if (!r) return;
    if (col == 1) {
        r->enabled = !r->enabled;
    } else if (col == 2) {
        d.cd->Color = r->color;
        if (d.cd->Execute()) r->color = d.cd->Color;
    } else if (col == 5) {
        if (const auto letters = choose_networks(r->media)) r->media = *letters;
    }
    if (col == 1 || col == 2 || col == 5) RefreshSag_Rules();
}

void rule_after_edit(TStringAlignGrid& g, int col, int row) {
    const std::string t = g.Cells(col, row);
    if (settings().check_rules.empty()) dlg().a_AddRule->Execute();
    rule_def* r = rule_at(row);
    if (!r) return;
    if (col == 3) r->description = t;
    else if (col == 4) r->formula = t;
    else if (col == 5) r->media = t.empty() ? std::string("a") : t;
    RefreshSag_Rules();
}

void rule_keys(TStringAlignGrid& g, Word& key) {
    Ttopcje& d = dlg();
    const int col = g.Col(), row = g.Row();
    if (g.editing()) return;
    if (((key == VK_SPACE || key == VK_RETURN) && col == 1) || (key == VK_RETURN && (col == 2 || col == 5))) {
        rule_double_click(g);
        key = 0;
    } else if (key == VK_DOWN && row == g.RowCount() - 1) {
        d.a_AddRule->Execute();
    } else if (key == VK_INSERT) {
        d.a_InsertRule->Execute();
        key = 0;
    } else if (key == VK_DELETE) {
        d.a_DeleteRule->Execute();
        key = 0;
    }
}

// --- painting -----------------------------------------------------------------------

// The whole cell is painted over (the event's rectangle is the text's).
void paint_cell(TStringAlignGrid& g, int col, int row) {
    Ttopcje& d = dlg();
    const TRect rect = g.CellRect(col, row);
    TCanvas* canvas = g.Canvas();
    if (!canvas || row < 1) return;
    if (col == 2 && (&g == d.sag_Layers || &g == d.sag_Fonts || &g == d.sag_CrossingsFonts || &g == d.sag_Lines))
        przekoloruj(row, g, *canvas, rect);
    if (&g == d.sag_Rules && col == 2) draw_rule_colour(row, g, *canvas, rect);
    if (col == 5 && (&g == d.sag_Lines || &g == d.sag_Rules)) {
        canvas->Brush.Style = TBrushStyle::bsSolid;
        canvas->Brush.Color = g.effective_brush(col, row).Color;
        canvas->FillRect(rect);
        if (&g == d.sag_Rules && settings().check_rules.empty()) return;
        draw_media(g.Cells(5, row), *canvas, rect);
    }
}

}  // namespace

void connect_table_handlers() {
    Ttopcje& d = dlg();
    for (TStringAlignGrid* g : {d.sag_Layers, d.sag_CrossingsFonts, d.sag_Lines, d.sag_Fonts})
        g->set_cell_hint(2, 0, colour_hint);
    // Check cells show a ticked or an empty box in the symbol font; their
    // marks change by keys and the mouse only.
    const std::pair<TStringAlignGrid*, int> checks[] = {{d.sag_Layers, 5}, {d.sag_CrossingsFonts, 1},
                                                        {d.sag_Lines, 1},  {d.sag_Lines, 4},
                                                        {d.sag_Rules, 1},  {d.sag_TableContent, 1},
                                                        {d.sag_TableContent, 5}, {d.sag_TableContent, 8}};
    for (const auto& [g, col] : checks) {
        g->col_font(col).Name = "Wingdings";
        g->set_col_editable(col, false);
    }
    // Cells that choosers or the program fill.
    d.sag_Lines->set_col_editable(0, false);
    d.sag_Rules->set_col_editable(2, false);
    d.sag_TableContent->set_col_editable(4, false);
    d.sag_DataTable->set_col_editable(1, false);
    d.sag_DataTable->set_col_editable(3, false);
    d.sag_DataTable->set_col_editable(4, false);
    d.sag_Layers->set_col_editable(3, false);
    d.sag_Layers->set_cell_editable(1, 1, false);
    for (TStringAlignGrid* g : {d.sag_Layers, d.sag_CrossingsFonts, d.sag_Lines, d.sag_Fonts, d.sag_Rules,
                                d.sag_TableContent, d.sag_DataTable}) {
        g->WantReturns = true;
        g->OnBeforeEdit = [](TObject* s, int col, int row) {
            TStringAlignGrid& g = *table_of(s);
            edit_start = g.Cells(col, row);
            const bool percent = (&g == dlg().sag_Fonts && col == 4) || (&g == dlg().sag_TableContent && col == 7);
            if (percent && !edit_start.empty() && edit_start.back() == '%') {
                std::string t = edit_start;
                t.pop_back();
                g.SetCell(col, row, t);
            }
        };
        g->OnClick = [](TObject* s) { position_choosers(*table_of(s)); };
        g->OnDrawCell = [](TObject* s, int col, int row, TRect, TGridDrawState) { paint_cell(*table_of(s), col, row); };
    }

    TStringAlignGrid* layers = d.sag_Layers;
    layers->Options |= goRowMoving;
    layers->OnKeyPress = [layers](TObject*, char& k) { layer_key_press(*layers, k); };
    layers->OnKeyDown = [layers](TObject*, Word& k, TShiftState) { layer_keys(*layers, k); };
    layers->OnAfterEdit = [layers](TObject*, int col, int row) { layer_after_edit(*layers, col, row); };
    layers->OnMouseUp = [layers](TObject*, TMouseButton, TShiftState, int x, int y) {
        int col = -1, row = -1;
        if (data_cell_at(*layers, x, y, col, row) && col == 5) toggle(*layers, 5, row);
    };
    layers->OnDblClick = [layers](TObject*) {
        if (layers->Col() == 5 && layers->Row() >= 1) toggle(*layers, 5, layers->Row());
        colour_chooser(*layers);
    };
    layers->OnRowMoved = [](TObject*, int, int) { renumber_layers(); };
    layers->OnExit = [layers](TObject*) { layer_exit(*layers); };
    const auto& layer_menu = d.pm_Layers->Items();
    layer_menu->Items(0)->OnClick = [](TObject*) { layer_row_add(-1); };
    layer_menu->Items(1)->OnClick = [layers](TObject*) {
        if (layers->Row() > 1) layer_row_add(layers->Row());
    };
    layer_menu->Items(3)->OnClick = [layers](TObject*) { layer_row_delete(layers->Row()); };
    layers->PopupMenu = d.pm_Layers;

    TStringAlignGrid* fonts = d.sag_Fonts;
    fonts->OnKeyPress = [](TObject*, char& k) { digits_only(k); };
    fonts->OnKeyDown = [fonts](TObject*, Word& k, TShiftState) {
        if (!fonts->editing()) font_keys(*fonts, k);
    };
    fonts->OnAfterEdit = [fonts](TObject*, int col, int row) { font_after_edit(*fonts, col, row); };
    fonts->OnDblClick = [fonts](TObject*) { colour_chooser(*fonts); };

    TStringAlignGrid* crossings = d.sag_CrossingsFonts;
    crossings->OnKeyPress = [crossings](TObject*, char& k) {
        if (crossings->Col() >= 1) digits_only(k);
    };
    crossings->OnKeyDown = [crossings](TObject*, Word& k, TShiftState) { crossing_keys(*crossings, k); };
    crossings->OnAfterEdit = [crossings](TObject*, int col, int row) { crossing_after_edit(*crossings, col, row); };
    crossings->OnDblClick = [crossings](TObject*) {
        if (crossings->Col() == 1 && crossings->Row() >= 1) toggle(*crossings, 1, crossings->Row());
        colour_chooser(*crossings);
    };
    crossings->OnMouseUp = [crossings](TObject*, TMouseButton, TShiftState, int x, int y) {
        int col = -1, row = -1;
        if (data_cell_at(*crossings, x, y, col, row) && col == 1) fire(crossings, crossings->OnDblClick, crossings);
    };

    TStringAlignGrid* lines = d.sag_Lines;
    lines->OnKeyPress = [lines](TObject*, char& k) {
        if (lines->Col() == 2) digits_only(k);
    };
    lines->OnKeyDown = [lines](TObject*, Word& k, TShiftState) { line_keys(*lines, k); };
    lines->OnAfterEdit = [](TObject*, int col, int row) { after_line_edit(col, row); };
    lines->OnDblClick = [lines](TObject*) { line_double_click(*lines); };
    lines->OnMouseUp = [lines](TObject*, TMouseButton, TShiftState, int x, int y) {
        int col = -1, row = -1;
        if (data_cell_at(*lines, x, y, col, row) && (col == 1 || col == 4)) line_double_click(*lines);
    };
    d.a_LineAdd->OnExecute = [](TObject*) { line_add(-1, true); };
    d.a_LineDelete->OnExecute = [lines](TObject*) {
        if (lines->Row() > static_cast<int>(builtin_line_count)) line_delete(record(*lines));
    };

    TStringAlignGrid* bands = d.sag_TableContent;
    bands->Options |= goRowMoving;
    bands->OnKeyDown = [bands](TObject*, Word& k, TShiftState) { band_keys(*bands, k); };
    bands->OnAfterEdit = [bands](TObject*, int col, int row) { band_after_edit(*bands, col, row); };
    bands->OnDblClick = [bands](TObject*) { band_double_click(*bands); };
    bands->OnMouseUp = [bands](TObject*, TMouseButton, TShiftState, int x, int y) {
        int col = -1, row = -1;
        if (data_cell_at(*bands, x, y, col, row) && (col == 1 || col == 5 || col == 8)) band_double_click(*bands);
    };
    bands->OnRowMoved = [](TObject*, int from, int to) { band_row_moved(from, to); };
    d.a_AddTitle->OnExecute = [](TObject*) { title_add(-1, true); };
    d.a_InsertTitle->OnExecute = [bands](TObject*) { title_add(record(*bands), false); };
    d.a_DeleteTitle->OnExecute = [bands](TObject*) { title_delete(record(*bands)); };
    bands->PopupMenu = d.pm_Titles;

    TStringAlignGrid* rules = d.sag_Rules;
    rules->OnKeyDown = [rules](TObject*, Word& k, TShiftState) { rule_keys(*rules, k); };
    rules->OnAfterEdit = [rules](TObject*, int col, int row) { rule_after_edit(*rules, col, row); };
    rules->OnDblClick = [rules](TObject*) { rule_double_click(*rules); };
    rules->OnMouseUp = [rules](TObject*, TMouseButton, TShiftState, int x, int y) {
        int col = -1, row = -1;
        if (data_cell_at(*rules, x, y, col, row) && col == 1) rule_double_click(*rules);
    };
    d.a_AddRule->OnExecute = [](TObject*) { rule_add(-1, true); };
    d.a_InsertRule->OnExecute = [rules](TObject*) { rule_add(record(*rules), false); };
    d.a_DeleteRule->OnExecute = [rules](TObject*) {
        if (!settings().check_rules.empty()) rule_delete(record(*rules));
    };
    rules->PopupMenu = d.pm_Rules;

    TStringAlignGrid* columns = d.sag_DataTable;
    columns->OnKeyPress = [columns](TObject* s, char& k) {
        if (columns->Col() == 5 && printable(k)) integer_key_filter(s, k);
    };
    columns->OnKeyDown = [columns](TObject*, Word& k, TShiftState) {
        if (!columns->editing() && k == VK_RETURN && columns->Col() == 4 && dlg().cb_Precision->Visible()) {
            dlg().cb_Precision->SetFocus();
            k = 0;
        }
    };

    for (TComboBox* c : {d.cb_warstwy, d.cb_LineType, d.cb_Precision, d.cb_LineName}) {
        c->OnChange = choice_of(c);
        c->OnKeyDown = [c](TObject*, Word& k, TShiftState) { chooser_keys(c, k); };
    }
    d.cb_LineName->SetParent(d.ts_Lines);

    // The pages take the choosers they use.
    d.ts_Fonts->OnShow = [](TObject*) { dlg().cb_warstwy->SetParent(dlg().ts_Fonts); };
    d.ts_Fonts->OnHide = [](TObject*) { dlg().cb_warstwy->SetVisible(false); };
    d.ts_Lines->OnShow = [](TObject*) {
        dlg().cb_warstwy->SetParent(dlg().ts_Lines);
        dlg().cb_LineType->SetParent(dlg().ts_Lines);
        zaladuj_nazwy_linii();
    };
    d.ts_Lines->OnHide = [](TObject*) { dlg().cb_warstwy->SetVisible(false); };
    d.ts_Layers->OnShow = [](TObject*) { dlg().cb_LineType->SetParent(dlg().ts_Layers); };
    d.ts_Layers->OnHide = [](TObject*) { zaladuj_warstwy(); };
    d.ts_Table->OnShow = [](TObject*) { dlg().cb_Precision->SetParent(dlg().ts_Table); };
    d.ts_DataTableColumns->OnShow = [](TObject*) { dlg().cb_Precision->SetParent(dlg().ts_DataTableColumns); };
}
