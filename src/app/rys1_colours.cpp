// The node table's and the side panel's colours (computed columns, entered
// and interpolated values, a design terrain off the existing one, pipe
// series), the newly selected cell and the double click that switches the
// hand-entered value.
#include <algorithm>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

constexpr TColor light_green = 0x00C8FFD2;   // red 210, green 255, blue 200
constexpr TColor header_grey = 0x00C8D0D4;   // red 212, green 208, blue 200
constexpr TColor note_yellow = 0x0000FFFF;   // red 255, green 255, blue 0

bool colouring_on() { return topcje && topcje->cb_AutoCalculatedCellColor->Checked(); }
TColor auto_colour() { return topcje->p_AutoColor->Color(); }
int item(const TRadioGroup* g) { return g->ItemIndex(); }

// Which table columns (kinds) are computed as a whole, by the hand-entered
// choices and the settings; with the cell of the first or last node that is
// entered after all.
struct computed_kinds {
    std::array<bool, column_kind_count> kind{};
    std::array<int, column_kind_count> white_node{};  // -1 none, else 0 first, 1 last
};

computed_kinds computed() {
    computed_kinds c;
    c.white_node.fill(-1);
    auto set = [&c](column_kind k, int white = -1) {
        c.kind[static_cast<std::size_t>(index_of(k))] = true;
        c.white_node[static_cast<std::size_t>(index_of(k))] = white;
    };
    const TForm1& f = *Form1;
    const Ttopcje& o = *topcje;
    if (item(f.rg_ManuallyValueDistance) == 0)
        set(column_kind::odl, 0);
    else
        set(column_kind::dlug, 1);
    for (column_kind k : {column_kind::sflow, column_kind::kol, column_kind::osl, column_kind::user1}) set(k);
    if (o.cb_TrenchWidth->Checked() && (o.rg_AutoTrenchWidth->ItemIndex() == 2 || o.cb_AutoTrenchSlope->Checked()))
        set(column_kind::szer);
    if (o.cb_TerrainProj->Checked() && o.cb_AutoTerrainProjLikeTerrainExist->ItemIndex() == 1) set(column_kind::terp);
    switch (item(f.rg_ManuallyValue)) {
        case 0:
            set(column_kind::zag);
            set(column_kind::spad);
            break;
        case 1:
            if (f.cb_PipellTerrain->Checked()) set(column_kind::zag, 0);
            if (!f.cb_CalculateTerrainFromDepth->Checked()) set(column_kind::dno);
            set(column_kind::spad);
            break;
        case 2:
            set(column_kind::dno, 0);
            set(column_kind::zag);
            break;
        default: break;
    }
    return c;
}

bool interpolated(column_kind k) {
    switch (k) {
        case column_kind::ter: return topcje->cb_InterpolationGroundExists->Checked();
        case column_kind::terp: return topcje->cb_InterpolationGroundProj->Checked();
        case column_kind::lin: return topcje->cb_InterpolationLine1->Checked();
        default: return topcje->cb_InterpolationLine2->Checked();
    }
}

const value_pair& entered_of(const wezel& w, column_kind k) { return w.*column_of(k).node.pair; }

bool design_terrain_automatic() {
    return topcje->cb_TerrainProj->Checked() && topcje->cb_AutoTerrainProjLikeTerrainExist->ItemIndex() == 1;
}

bool design_differs(const wezel& w) { return w.ter_used.s1 != w.terp_used.s1 || w.ter_used.s2 != w.terp_used.s2; }

}  // namespace

void TForm1::koloruj_kolumny() {
    model_state& m = model();
    if (p_Side->Visible() && sg1->ColCount() > 0) koloruj_panel(sg1->Row());
    sg1->BeginUpdate();
    sg1->reset_col_colours();
    sg1->reset_cell_colours();
    sg1->reset_cell_fonts();
    if (colouring_on()) {
        const computed_kinds c = computed();
        const int last = m.current_profile < m.profiles.size()
                             ? static_cast<int>(m.profiles[m.current_profile].nodes.size()) - 1
                             : -1;
        for (int k = 0; k < column_kind_count; ++k) {
            if (!c.kind[static_cast<std::size_t>(k)]) continue;
            const int pos = m.column_map[static_cast<std::size_t>(k)];
            if (pos >= sg1->ColCount()) continue;
            sg1->set_col_colour(pos, auto_colour());
            const int white = c.white_node[static_cast<std::size_t>(k)];
            if (white == 0 && last >= 0) sg1->set_cell_colour(pos, 2, clWhite);
            if (white == 1 && last >= 0) sg1->set_cell_colour(pos, last + 2, clWhite);
        }
        if (last >= 0) koloruj_komorki(0, last);
    }
    sg1->EndUpdate();
}

void TForm1::koloruj_komorki(int first, int last) {
    model_state& m = model();
    if (!colouring_on() || m.current_profile >= m.profiles.size()) return;
    const odcinek& p = m.profiles[m.current_profile];
    const int count = static_cast<int>(p.nodes.size());
    if (count == 0) return;
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    const int columns = sg1->ColCount();
    auto pos = [&m](column_kind k) { return static_cast<int>(m.position_of(k)); };
    auto shown = [columns](int position) { return position < columns; };
    sg1->BeginUpdate();
    for (int i = first; i <= last; ++i) {
        const wezel& w = p.nodes[static_cast<std::size_t>(i)];
        const int row = i + 2;
        if (shown(pos(column_kind::scale))) sg1->cell_font(pos(column_kind::scale), row).Style = w.scale != 0 ? TFontStyles{fsBold} : 0u;
        const bool own_series = w.series_index >= 0 && !m.project.pipe_series.empty() &&
                                static_cast<std::size_t>(w.series_index) < m.project.pipe_series.size();
        const TColor series_colour =
            own_series ? m.project.pipe_series[static_cast<std::size_t>(w.series_index)].adds.color : clWindowText;
        if (shown(pos(column_kind::pipe)))
            sg1->set_cell_colour(pos(column_kind::pipe), row, w.tidx == -1 || !own_series ? clWhite : series_colour);
        if (shown(pos(column_kind::fi))) {
            TFont& font = sg1->cell_font(pos(column_kind::fi), row);
            const bool in_series = own_series && w.size_index >= 0;
            font.Style = in_series ? TFontStyles{fsBold} : 0u;
            font.Color = in_series ? series_colour : clWindowText;
        }
        for (column_kind k : {column_kind::ter, column_kind::terp, column_kind::lin, column_kind::lin2}) {
            if (!shown(pos(k))) continue;
            const value_pair& entered = entered_of(w, k);
            TFont& font = sg1->cell_font(pos(k), row);
            if (entered.s1 != m.empty_value || entered.s2 != m.empty_value || !interpolated(k)) {
                sg1->reset_cell_colour(pos(k), row);
                font.Color = clWindowText;
            } else {
                sg1->set_cell_colour(pos(k), row, auto_colour());
                font.Color = clGray;
            }
        }
        if (shown(pos(column_kind::sflow))) {
            const bool excepted = p.pl2r ? i == last : i == first;
            sg1->cell_font(pos(column_kind::sflow), row).Style = w.flow_in != 0 && !excepted ? TFontStyles{fsBold} : 0u;
        }
    }
    // Lengths and angles computed from the plan coordinates.
    if (item(rg_ManuallyValueDistance) == 0 && topcje->CalcLengthAngleFromCoords->Checked()) {
        const int from = std::max(0, first - 1);
        const int to = std::max(0, std::min(last, count - 2));
        for (int i = from; i <= to; ++i) {
            const bool apart = count >= 2 && i + 1 < count &&
                               (p.nodes[static_cast<std::size_t>(i)].wsplx != p.nodes[static_cast<std::size_t>(i + 1)].wsplx ||
                                p.nodes[static_cast<std::size_t>(i)].wsply != p.nodes[static_cast<std::size_t>(i + 1)].wsply);
            for (column_kind k : {column_kind::dlug, column_kind::kat}) {
                if (!shown(pos(k))) continue;
                if (apart)
                    sg1->set_cell_colour(pos(k), i + 2, auto_colour());
                else
                    sg1->reset_cell_colour(pos(k), i + 2);
            }
        }
    }
    if (!design_terrain_automatic() && shown(pos(column_kind::terp)))
        for (int i = 0; i < count; ++i) {
            if (design_differs(p.nodes[static_cast<std::size_t>(i)]))
                sg1->set_cell_colour(pos(column_kind::terp), i + 2, light_green);
            else
                sg1->reset_cell_colour(pos(column_kind::terp), i + 2);
        }
    sg1->EndUpdate();
}

void TForm1::koloruj_panel(int row) {
    model_state& m = model();
    sg1->reset_row_colours();
    sag_Panel->BeginUpdate();
    sag_Panel->reset_row_colours();
    sag_Panel->reset_cell_colours();
    sag_Panel->set_cell_colour(0, 0, header_grey);
    sag_Panel->set_cell_colour(1, 0, header_grey);
    if (colouring_on() && m.current_profile < m.profiles.size()) {
        const odcinek& p = m.profiles[m.current_profile];
        const int node = row - 2;
        const int count = static_cast<int>(p.nodes.size());
        const bool has_node = node >= 0 && node < count;
        const computed_kinds c = computed();
        for (int r = 1; r < sag_Panel->RowCount(); ++r) {
            const int position = panel_position(r);
            if (position < 0 || position >= column_kind_count) continue;
            const column_kind k = m.kind_at(static_cast<uint8_t>(position));
            const auto ki = static_cast<std::size_t>(index_of(k));
            if (k == column_kind::ter || k == column_kind::terp || k == column_kind::lin || k == column_kind::lin2) {
                if (!has_node) continue;
                const value_pair& entered = entered_of(p.nodes[static_cast<std::size_t>(node)], k);
                const bool plain = entered.s1 != m.empty_value || entered.s2 != m.empty_value || !interpolated(k);
                sag_Panel->set_row_colour(r, plain ? clWhite : auto_colour());
                sag_Panel->cell_font(2, r).Color = plain ? clWindowText : clGray;
                if (k == column_kind::terp && !design_terrain_automatic())
                    sag_Panel->set_row_colour(r, design_differs(p.nodes[static_cast<std::size_t>(node)]) ? light_green : clWhite);
                continue;
            }
            bool computed_kind = c.kind[ki];
            // In the panel the depth kept at the first node and the pipe
            // level with depths entered follow their own rules.
            if (k == column_kind::dno && item(rg_ManuallyValue) == 1) computed_kind = true;
            if (!computed_kind) continue;
            const int white = c.white_node[ki];
            const bool white_here = (white == 0 && node == 0) || (white == 1 && node == count - 1);
            sag_Panel->set_row_colour(r, white_here ? clWhite : auto_colour());
        }
    }
    sag_Panel->EndUpdate();
}

void TForm1::sg1SelectCell(TObject*, int col, int row, bool& can_select) {
    can_select = true;
    model_state& m = model();
    odcinek_2_panel(row - 2);
    l_NodeNo->SetCaption(Format("%s [%d/%d]:", {m.column_titles[static_cast<std::size_t>(index_of(column_kind::wez))],
                                                row - 1, sg1->RowCount() - 2}));
    if (sg1->cell_colour(sg1->Col(), sg1->Row()) == note_yellow) sg1->reset_cell_colour(sg1->Col(), sg1->Row());
    if (lb_listy->Visible()) lb_listy->SetVisible(false);
    const bool object_column = col < column_kind_count && m.kind_at(static_cast<uint8_t>(col)) == column_kind::obiekt;
    if (object_column && !sg1->Cells(col, row).empty()) {
        const TRect r = sg1->CellRect(col, row);
        sb_ObjectParameters->SetBounds(r.Right - sb_ObjectParameters->Width() - 1, r.Top + 1,
                                       sb_ObjectParameters->Width(), sb_ObjectParameters->Height());
    }
    if (m.current_profile < m.profiles.size() && !m.profiles[m.current_profile].nodes.empty()) {
        const auto& nodes = m.profiles[m.current_profile].nodes;
        const int node = std::clamp(row - 2, 0, static_cast<int>(nodes.size()) - 1);
        a_ObjectEdit->SetEnabled(jest_obiekt2(LowerCase(nodes[static_cast<std::size_t>(node)].obiekt), "all"));
        sb_ObjectParameters->SetVisible(object_column && a_ObjectEdit->Enabled());
    }
    if (p_Side->Visible() && sg1->ColCount() > 0) koloruj_panel(row);
    const TColor active_row = topcje ? topcje->p_ActiveRowColor->Color() : 0;
    if (active_row != 0 && topcje->cb_ActiveRowColor->Checked()) {
        sg1->reset_row_colours();
        sg1->set_row_colour(row, active_row);
    }
}

void TForm1::sg1DblClick(TObject*) {
    model_state& m = model();
    const TGridRect s = sg1->Selection();
    const int col = sg1->Col();
    if (col >= column_kind_count) return;
    const column_kind k = m.kind_at(static_cast<uint8_t>(col));
    if (s.Top <= 2 && s.Bottom >= sg1->RowCount() - 1) {
        sg1->auto_size_col(col);
    } else {
        int wanted = -1;
        if (k == column_kind::dno) wanted = 0;
        if (k == column_kind::zag) wanted = 1;
        if (k == column_kind::spad) wanted = 2;
        if (wanted >= 0 && rg_ManuallyValue->ItemIndex() != wanted) rg_ManuallyValue->SetItemIndex(wanted);
    }
    int distance = -1;
    if (k == column_kind::dlug) distance = 0;
    if (k == column_kind::odl) distance = 1;
    if (distance >= 0 && rg_ManuallyValueDistance->ItemIndex() != distance)
        rg_ManuallyValueDistance->SetItemIndex(distance);
}
