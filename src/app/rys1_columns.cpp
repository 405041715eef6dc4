// The node table's columns: the rebuild from the column order, the refresh
// of the current profile's nodes, the side panel's values, column moves and
// widths, and the data-presence questions of the drawing.
#include <algorithm>
#include <memory>

#include "app/node_table.h"
#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/columns.h"
#include "model/formula.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/forms.h"
#include "platform/sysutils.h"

namespace {

const std::string no_text;

bool preview_showing() { return Form1->PageControl1->ActivePage() == Form1->ts_DrawingPreview; }

// The formula column of a node: the expanded text, and its value when it is
// a number (false when it is a text or does not evaluate).
struct formula_cell {
    std::string text;
    bool numeric = false;
    bool failed = false;
    double value = 0;
};

formula_cell evaluate_formula(uint16_t profile, int node) {
    formula_cell out;
    const std::string& formula = settings().calc_column_formula;
    if (formula.empty() || !tskojarzone) return out;
    out.text = Trim(tskojarzone->wypelnij_linie(fix_decimal_separator(formula), "txt", profile, node, 0, 0));
    if (out.text.empty() || out.text.find(':') != std::string::npos) return out;
    const std::string lower = LowerCase(out.text);
    if (std::any_of(lower.begin(), lower.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return out;
    try {
        TCalcExpress ce(nullptr);
        ce.SetFormula(replace_all(std::string(1, decimal_separator), ".", out.text));
        out.value = static_cast<double>(ce.evaluate({}));
        out.numeric = true;
    } catch (const Exception&) {
        out.failed = true;
    }
    return out;
}

}  // namespace

int TForm1::panel_position(int panel_row) const { return panel_row - sag_Panel->RowCount() + column_kind_count; }

const std::string& TForm1::table_text(int position, int row) const {
    if (position < sg1->ColCount()) return sg1->Cells(position, row);
    if (row < 0 || static_cast<std::size_t>(row) >= hidden_cells.size()) return no_text;
    const auto& cells = hidden_cells[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(position) < cells.size() ? cells[static_cast<std::size_t>(position)] : no_text;
}

void TForm1::przypisz_kolumny(bool all_to_panel) {
    model_state& m = model();
    sg1->BeginUpdate();
    sag_Panel->BeginUpdate();
    sg1->SetColCount(1);
    sg1->SetCell(0, 0, "");
    sag_Panel->SetRowCount(2);
    for (int c = 0; c < 3; ++c) sag_Panel->SetCell(c, 1, "");
    for (int p = 0; p < column_kind_count; ++p) {
        const int e = m.column_order[static_cast<std::size_t>(p)];
        const auto k = static_cast<std::size_t>(e % 100);
        m.column_map[k] = static_cast<uint8_t>(p);
        if (e >= 100 || all_to_panel) {
            int row = 1;
            if (!sag_Panel->Cells(0, 1).empty()) {
                row = sag_Panel->RowCount();
                sag_Panel->SetRowCount(row + 1);
            }
            sag_Panel->SetCell(0, row, m.column_titles[k]);
            sag_Panel->SetCell(1, row, m.column_units[k]);
            sag_Panel->SetCell(2, row, "");
        } else {
            if (!sg1->Cells(0, 0).empty()) sg1->SetColCount(sg1->ColCount() + 1);
            sg1->SetCell(p, 0, m.column_titles[k]);
            sg1->SetCell(p, 1, m.column_units[k]);
            const column_info& info = column_of(kind_from_index(static_cast<int>(k)));
            if (m.column_widths[k] == 0) m.column_widths[k] = info.width;
            sg1->SetColWidth(p, m.column_widths[k]);
            sg1->set_col_alignment(p, info.alignment == TAlignment::taRightJustify ? alRight
                                      : info.alignment == TAlignment::taCenter     ? alCenter
                                                                                   : alLeft);
        }
    }
    for (int k = 0; k < column_kind_count; ++k) {
        const column_kind kind = kind_from_index(k);
        const bool whole = is_text_column(kind) || kind == column_kind::scale || kind == column_kind::pipe ||
                           kind == column_kind::kol || kind == column_kind::osl;
        m.column_decimals[static_cast<std::size_t>(k)] = whole ? 0 : m.column_kind_decimals[static_cast<std::size_t>(k)];
    }
    for (int p = 0; p < column_kind_count; ++p)
        m.text_columns[static_cast<std::size_t>(p)] = is_text_column(m.kind_at(static_cast<uint8_t>(p)));
    sag_Panel->EndUpdate();
    sg1->EndUpdate();
    // The rebuilt columns show the nodes again, each kind where it now
    // stands (the table and the panel fill together).
    odswiez_dane(m.current_profile, true);
    koloruj_kolumny();
}

void TForm1::odswiez_dane(uint16_t profile, bool flag) { odswiez_dane(profile, profile, flag); }

void TForm1::odswiez_dane(uint16_t first, uint16_t last, bool blank_last_row) {
    model_state& m = model();
    const cell_display display = display_of(grid_side::table);
    const int columns = sg1->ColCount();
    std::string text;
    for (uint16_t profile = first; profile <= last && profile < m.profiles.size(); ++profile) {
        odcinek& p = m.profiles[profile];
        const int count = static_cast<int>(p.nodes.size());
        sg1->BeginUpdate();
        sg1->SetRowCount(std::max(3, count + 2));
        hidden_cells.assign(static_cast<std::size_t>(sg1->RowCount()), {});
        if (count == 0) czysc_dane();
        for (int i = 0; i < count; ++i) {
            const int row = i + 2;
            auto& hidden = hidden_cells[static_cast<std::size_t>(row)];
            hidden.assign(column_kind_count, {});
            for (int pos = 0; pos < column_kind_count; ++pos) {
                const column_kind k = m.kind_at(static_cast<uint8_t>(pos));
                if (k == column_kind::user1) {
                    const formula_cell f = evaluate_formula(profile, i);
                    if (f.numeric) {
                        p.nodes[static_cast<std::size_t>(i)].calc1 = f.value;
                        text = fixed_text(m.column_decimals[static_cast<std::size_t>(index_of(k))], f.value);
                    } else if (f.failed) {
                        p.nodes[static_cast<std::size_t>(i)].calc1 = 0;
                        text.clear();
                    } else {
                        text = f.text;
                    }
                } else if ((k == column_kind::kol || k == column_kind::osl) && pos >= columns) {
                    text.clear();  // counted only where the table shows them
                } else {
                    node_text(text, profile, i, k, grid_side::table, display);
                }
                if (pos < columns)
                    sg1->SetCell(pos, row, text);
                else
                    hidden[static_cast<std::size_t>(pos)] = text;
            }
        }
        if (blank_last_row && count > 0) {
            const int row = count + 1;
            for (column_kind k : {column_kind::fi, column_kind::dlug, column_kind::spad, column_kind::mat,
                                  column_kind::szer, column_kind::pipe}) {
                const int pos = m.position_of(k);
                if (pos < columns)
                    sg1->SetCell(pos, row, "");
                else
                    hidden_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(pos)].clear();
            }
        }
        sg1->EndUpdate();
    }
    if (p_Side->Visible()) odcinek_2_panel(sg1->Row() - 2);
}

void TForm1::odcinek_2_panel(int node) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    const uint16_t profile = m.current_profile;
    odcinek& p = m.profiles[profile];
    const bool all_in_panel = preview_showing();
    const int table_columns = all_in_panel ? 0 : sg1->ColCount();
    if (p.nodes.empty()) {
        for (int c = 0; c < sg1->ColCount(); ++c) sg1->SetCell(c, 2, "");
        for (int r = 1; r < sag_Panel->RowCount(); ++r) sag_Panel->SetCell(2, r, "");
    }
    if (!p_Side->Visible()) return;
    st_ProfileName->SetCaption(Format("%s [%d/%d]", {p.nazwa, static_cast<int>(profile) + 1,
                                                     static_cast<int>(m.profiles.size())}));
    if (node < 0 || node >= static_cast<int>(p.nodes.size())) return;
    l_NodeNo->SetCaption(Format("%s [%d/%d]:", {m.column_titles[static_cast<std::size_t>(index_of(column_kind::wez))],
                                                node + 1, sg1->RowCount() - 2}));
    const cell_display display = display_of(grid_side::panel);
    std::string text;
    sag_Panel->BeginUpdate();
    for (int row = 1; row < sag_Panel->RowCount(); ++row) {
        const int pos = panel_position(row);
        if (pos < table_columns || pos < 0 || pos >= column_kind_count) continue;
        const column_kind k = m.kind_at(static_cast<uint8_t>(pos));
        wezel& w = p.nodes[static_cast<std::size_t>(node)];
        if (k == column_kind::user1) {
            const std::string& formula = settings().calc_column_formula;
            if (formula.empty()) {
                sag_Panel->SetCell(2, row, "");
                continue;
            }
            const formula_cell f = evaluate_formula(profile, node);
            w.result = f.text;
            if (f.failed) continue;
            sag_Panel->SetCell(2, row, f.numeric ? fixed_text(m.column_decimals[static_cast<std::size_t>(index_of(k))],
                                                              f.value)
                                                 : f.text);
            continue;
        }
        node_text(text, profile, node, k, grid_side::panel, display);
        if (k == column_kind::pipe) text.clear();
        sag_Panel->SetCell(2, row, text);
        if (k == column_kind::scale) sag_Panel->cell_font(2, row).Style = w.scale != 0 ? TFontStyles{fsBold} : 0u;
    }
    sag_Panel->EndUpdate();
}

bool TForm1::czy_sa_dane(uint16_t profile, const std::string& what) const { return ::czy_sa_dane(profile, what); }

void TForm1::sg1ColumnMoved(TObject*, int from, int to) {
    if (from > 25 || to > 25 || from < 0 || to < 0) return;
    auto& order = model().column_order;
    const uint8_t moved = order[static_cast<std::size_t>(from)];
    if (from < to)
        std::move(order.begin() + from + 1, order.begin() + to + 1, order.begin() + from);
    else
        std::move_backward(order.begin() + to, order.begin() + from, order.begin() + from + 1);
    order[static_cast<std::size_t>(to)] = moved;
    przypisz_kolumny(preview_showing());
    odswiez_dane(model().current_profile, true);
}

void TForm1::sg1ColWidthsChanged(TObject*) {
    model_state& m = model();
    for (int p = 0; p < sg1->ColCount() && p < column_kind_count; ++p)
        m.column_widths[static_cast<std::size_t>(index_of(m.kind_at(static_cast<uint8_t>(p))))] = sg1->ColWidths(p);
}

void TForm1::sg1FixedColClick(TObject*, int col) {
    sg1->Options &= ~goEditing;
    sg1->SetSelection(TGridRect{col, 2, col, sg1->RowCount() - 1});
}

void TForm1::a_AdjustColWidthsExecuate(TObject*) { sg1->auto_size_cols(); }

namespace {

// The row height that fits a font of the given size at the screen's pixels
// per inch: size x PPI / 48, rounded by the process's rounding mode.
int row_height_for(int font_size, int ppi) {
    return static_cast<int>(Round(static_cast<double>(font_size) * ppi / 48.0));
}

void fit_rows_to_font(TStringGrid* grid, int ppi) {
    if (grid) grid->SetDefaultRowHeight(row_height_for(grid->Font().Size(), ppi) + 2);
}

void set_font_size(TControl* control, int size) {
    TFont font = control->Font();
    font.SetSize(size);
    control->SetFont(font);
}

// A grid's drop-down chooser: the grid's font, an item as high as the row
// inside its lines, and room for every item.
void fit_chooser_to_grid(TComboBox* chooser, const TStringGrid* grid) {
    if (!chooser || !grid) return;
    set_font_size(chooser, grid->Font().Size());
    chooser->ItemHeight = std::max(0, grid->DefaultRowHeight() - 2);
    chooser->SetHeight(chooser->Items().Count() * chooser->ItemHeight + 2);
}

}  // namespace

void TForm1::resajz(uint8_t font_size) {
    const int ppi = Screen::PixelsPerInch();
    const int row = row_height_for(font_size, ppi);
    for (TStringGrid* grid : {static_cast<TStringGrid*>(sg1), static_cast<TStringGrid*>(sag_Panel)}) {
        set_font_size(grid, font_size);
        grid->SetDefaultRowHeight(row);
    }
    if (topcje) {
        Ttopcje& d = *topcje;
        for (TStringGrid* grid : {d.sag_DrawingProperties, d.sag_TableContent, d.sag_Lines, d.sag_Fonts,
                                  d.sag_CrossingsFonts, d.sag_DataTable, d.sag_Layers, d.sag_Company, d.sag_Workers,
                                  d.sag_Rules})
            fit_rows_to_font(grid, ppi);
        fit_chooser_to_grid(d.cb_warstwy, d.sag_Lines);
        fit_chooser_to_grid(d.cb_LineName, d.sag_Lines);
        fit_chooser_to_grid(d.cb_LineType, d.sag_Layers);
        if (d.cb_fonts) set_font_size(d.cb_fonts, font_size);
    }
    if (tdane) {
        fit_rows_to_font(tdane->sag_MainData, ppi);
        fit_rows_to_font(tdane->sag_dane_kadra, ppi);
    }
    // The value list opens over a table cell: the table's font, seven items.
    const int item = std::max(0, row - 2);
    lb_listy->SetFont(sg1->Font());
    lb_listy->ItemHeight = item;
    lb_listy->SetHeight(7 * item + 2);
    sb_ObjectParameters->SetBounds(sb_ObjectParameters->Left(), sb_ObjectParameters->Top(), item, item);
}
