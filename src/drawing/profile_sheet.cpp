// The longitudinal profile sheet: every included profile side by side with
// its table, axis, datum, lines, pipe, annotations, name and ruler; then
// the legend, the title block and the vertical description texts.
//
// y = 0 is the top of the table under a profile; the table grows downward
// and the profile upward. Sizes given in metres of the 1:100 layout are
// multiplied by U (drawing units per metre), ordinates by the vertical
// factor after the profile's datum is taken off.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "files/settings_groups.h"
#include "files/title_block.h"
#include "forms/geo1.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "model/warnings.h"
#include "platform/sysutils.h"

namespace {

void progress(int position) {
    if (Form1 && Form1->progres) Form1->progres->SetPosition(position);
}

// An element of the settings' element table; one the table lacks draws in
// colour 0 on layer "0".
const linia_def& element_def(int index) {
    static const linia_def missing = [] {
        linia_def d;
        d.layer = "0";
        return d;
    }();
    const auto& defs = settings().line_defs;
    return static_cast<std::size_t>(index) < defs.size() ? defs[static_cast<std::size_t>(index)] : missing;
}

// The entered height of the table text style (font table row 1), 19 when
// it does not convert: sizes scaled by it / 19 follow the table's text.
double table_text_height() {
    double h = 0;
    if (!TryStrToFloat(fix_decimal_separator(topcje->sag_Fonts->Cells(1, 1)), h)) return 19;
    return h;
}

// The colour of a network type's pipes.
int network_colour(char letter) {
    switch (letter) {
        case 'w': return 5;
        case 'k': return 34;
        case 'd': return 84;
        case 'g': return 2;
        case 'c': return 200;
        case 'm': return 112;
        case 'i': return 9;
        default: return 144;
    }
}

// The profile's comparison level: its own when set, else a whole metre
// "AODDistanceFrom" below the lowest existing terrain, design terrain or
// pipe ordinate as "AODDependency" chooses. An empty line counts as 1e10.
double comparison_level(const odcinek& p, uint16_t profile) {
    if (p.poziom) return p.poziom_wart;
    double lowest = 0;
    switch (settings().aod_dependency) {
        case 1:
            lowest = p.terrain_lines[1].empty() ? 1e10 : min(column_kind::terp, profile);
            break;
        case 2:
            lowest = p.nodes.empty() ? 1e10 : min(column_kind::dno, profile);
            break;
        default:
            lowest = p.terrain_lines[0].empty() ? 1e10 : min(column_kind::ter, profile);
            break;
    }
    return static_cast<double>(Round(lowest - settings().aod_distance_from));
}

// The step of the chainage axis (metres) and its title.
struct axis_unit {
    double step = 1;
    std::string title;
    bool automatic = false;
};

axis_unit chainage_unit(const odcinek& p, bool first) {
    static const char* const units[] = {"m", "dam", "hm", "km"};
    const TComboBox& combo = *topcje->cb_Distance;
    const int item = combo.ItemIndex();
    auto item_text = [&combo](int k) { return k < combo.Items().Count() ? combo.Items()[k] : std::string(); };
    axis_unit u;
    if (item >= 0 && item <= 3) {
        u.step = std::pow(10.0, item);
        u.title = item_text(item);
        return u;
    }
    u.automatic = true;
    // A profile shorter than half a metre counts in metres.
    int k = 0;
    const int64_t length = Round(p.length);
    for (int j = 3; j >= 0; --j) {
        if (length / Round(std::pow(10.0, j)) > 0) {
            k = j;
            break;
        }
    }
    u.step = std::pow(10.0, k);
    u.title = first ? item_text(k) : "[" + std::string(units[k]) + "]";
    return u;
}

}  // namespace

void DXF_Writer::draw_profile_sheet() {
    model_state& m = model();
    const drawing_state& d = drawing();
    const double u = d.units_per_metre;
    const double fy = d.y_factor;
    const double t = d.title_column_width;
    const double hp = table_text_height();
    const bool distance_axis = topcje->l_Distance->Checked();
    const bool every_title_column = topcje->cb_TitleColumnBeforeEveryProfile->Checked();
    const bool mark_scales = m.scales_differ || topcje->cb_MarkScaleBelowProfile->Checked();
    auto& rows = settings().profile_table_rows;

    out_.group(0, "SECTION");
    out_.group(2, "ENTITIES");
    error_del('s');
    sheet.pipe_colour = element_def(element_rura).color;

    bool any_drawn = false;
    double table_height = 0;
    for (std::size_t index = 0; index < m.profiles.size(); ++index) {
        const auto profile = static_cast<uint16_t>(index);
        odcinek& p = m.profiles[index];
        if (!p.rysuj || p.length == 0 || p.nodes.empty()) continue;

        // 1. The profile's working state; its datum before anything of it is drawn.
        if (topcje->rg_PipeLineColor->ItemIndex() == 2) sheet.pipe_colour = network_colour(p.networktype);
        sheet.ground_segments.clear();
        sheet.covered_segments.clear();
        sheet.ground_cuts.clear();
        p.added_materials.clear();
        drawing().drawn_profile = profile;
        const bool first = !any_drawn;
        any_drawn = true;
        const bool title_column = first || every_title_column;
        // The existing and design terrain lines as the annotations, the
        // datum and the lines read them, whether or not the recalculation
        // interpolated them.
        przygotuj_linie_terenu(profile, line_terrain);
        przygotuj_linie_terenu(profile, line_design_terrain);
        const double datum = comparison_level(p, profile);
        p.poziom_wart = datum;
        const double x0 = p.sheet_x;
        const double fx = p.drawing_block;
        const double xa = x0 + p.nodes.front().draw_x;
        const double x_last = x0 + p.nodes.back().draw_x;
        progress(70);

        // 2. The table under the profile.
        double h = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            dane_pod_profil& row = rows[r];
            if ((row.shown || row.forced) && row.key != "hekto") {
                row.drawn = true;
                row.position = static_cast<float>(h);
                h = write_band_row(row.key, profile, t, h, static_cast<int>(r));
            } else {
                row.drawn = false;
            }
        }
        table_height = h;
        sheet.table_height = h;
        progress(80);

        // 3. The chainage axis under the table.
        if (distance_axis) {
            const linia_def& e = element_def(element_tabela);
            const double y1 = -(h + 0.6 * hp / 19) * u;
            const double yt = -(h + 0.4 * hp / 19) * u;
            const axis_unit unit = chainage_unit(p, first);
            const double s = std::max(1.0, unit.step);
            tekst style;
            apply_text_style(style, "t_pro", style);
            const double th = style.height * u;
            auto centred = [&](const std::string& shown, double x) {
                const point3 at{x, yt, 0};
                text(style, shown, label_offset(at, "x", 0, shown, style.width_factor), at, th, 0, 1);
            };
            if (title_column || unit.automatic) {
                const point3 at = title_column ? point3{x0 - (t - 0.05) * u, y1, 0} : point3{xa - 0.9 * u, y1, 0};
                text(style, unit.title, at, at, th, 0, 0);
            }
            const double c0 = p.nodes.front().odl;
            const double c_last = p.nodes.back().odl;
            centred(Format("%f", {c0 / s}), xa);
            line({0, y1, 0}, {0, yt, 0}, e.color, e.layer);
            const auto whole = static_cast<int64_t>(s);
            int64_t n = c0 >= 0 ? static_cast<int64_t>(std::floor(s + c0)) / whole
                                : static_cast<int64_t>(std::ceil(c0)) / whole;
            for (; static_cast<double>(n) * s <= c_last && n <= 1999; ++n) {
                const double x = x0 + godl_bs(profile, static_cast<double>(n) * s);
                line({x, y1, 0}, {x, y1 + 0.2 * u, 0}, e.color, e.layer);
                centred(IntToStr(n), x);
            }
            const double x_end = xa + p.drawn_width;
            line({xa, y1, 0}, {x_end, y1, 0}, e.color, e.layer);
            --n;
            if (c_last != static_cast<double>(n) * s) {
                centred(Format("+%f", {std::fabs((c_last - static_cast<double>(n) * s) / s)}), x_end);
                line({x_end, y1, 0}, {x_end, yt, 0}, e.color, e.layer);
            }
        }

        // 4. The table frame: the top of every drawn row and the bottom.
        if (element_drawn(element_tabela, profile)) {
            double y = 0;
            auto rule = [&](double at) {
                if (title_column) element_line(element_tabela, {x0 - t * u, -at * u, 0}, {x0, -at * u, 0});
                element_line(element_tabela, {x0, -at * u, 0}, {x_last, -at * u, 0});
            };
            for (const dane_pod_profil& row : rows) {
                if (!row.drawn) continue;
                rule(y);
                y += row.height / 100.0;
            }
            element_line(element_tabela, {x0, -y * u, 0}, {x_last, -y * u, 0});
            if (title_column) element_line(element_tabela, {x0 - t * u, -y * u, 0}, {x0, -y * u, 0});
        }

        // 5. The datum in the profile panel: shown, not entered.
        if (Form1->tab_profile && Form1->tab_profile->tab_index() == static_cast<int>(index)) {
            TEdit* edit = Form1->e_CompareLevel;
            const TNotifyEvent handler = edit->OnChange;
            edit->OnChange = nullptr;
            edit->SetText(Format("%f", {datum}));
            edit->OnChange = handler;
        }

        // 6. The annotations.
        if (!Form1->tb_HideBoundaryDesc->Down())
            for (const granica_opis& b : p.boundaries)
                if (b.node_id != 0) boundary_mark(b, profile);
        if (!Form1->tb_HideCrossing->Down())
            for (std::size_t i = 0; i < p.crossings.size(); ++i) {
                const kolizja& k = p.crossings[i];
                if (k.node_id == 0 || k.pipe_ordinate == 11111.0) continue;
                crossing(static_cast<int>(i), profile, x0 + godl_bs(profile, k.chainage + k.distance),
                         (k.ordinate - datum) * fy, k.ordinate, k.diameter, false);
            }
        if (const uint8_t r = TitleNr("teren_opis", ""); r < rows.size() && (rows[r].shown || rows[r].forced))
            for (const teren_opis& desc : p.terrain_descriptions)
                if (desc.node_id != 0) write_terrain_description_marks(desc);
        if (!Form1->tb_HideCrossSections->Down()) draw_geotechnical_columns(profile);

        // 7. The comparison-level text.
        {
            const linia_def& e = element_def(element_koment);
            tekst style;
            apply_text_style(style, "t_kom", style);
            const std::string level =
                Format(lang_text("TitlesBelowProfile", "CompareLevel", "poziom por. %f m n.p.m."), {datum});
            if (topcje->cb_ppt->Checked() && title_column) {
                const point3 at{x0 - (t - 0.05) * u, 0.1 * u, 0};
                text(style, level, at, at, style.height * u, 0, 0);
            } else if (!(topcje->cb_DontMarkTheSameAOD->Checked() && datum == m.profiles[0].poziom_wart && !first &&
                         !title_column)) {
                const double z = first ? -1 : 1;
                const point3 at{xa - 0.62 * u - 0.05 * fx, (-2.1 - 2.3 * z) * u, 0};
                text(style, level, at, at, style.height * u, 90, 0);
                const point3 bend{xa - 0.62 * u, -0.2 * z * u, 0};
                line({xa, 0, 0}, bend, e.color, e.layer);
                line(bend, {xa - 0.62 * u, (-0.2 * z - 4.2 * z) * u, 0}, e.color, e.layer);
            }
        }

        // 8. The scale marks.
        if (mark_scales) {
            const TStringGrid& scales = *topcje->sag_DrawingProperties;
            const double uf = d.unit_factor;
            const double ys = distance_axis ? (-h - 1.2) * u : (-h - 0.4) * u;
            const double yb = distance_axis ? (-h - 0.8) * u : -h * u;
            tekst style;
            apply_text_style(style, "t_pro", style);
            if (title_column) {
                const point3 at{x0 - (t - 0.05) * u, ys, 0};
                const std::string vertical = Format("%s: 1:%d", {scales.Cells(0, 2), Round(1e5 / (uf * fy))});
                text(style, vertical, at, at, style.height * u, 0, 0);
            }
            const point3 at{xa + 0.1 * u, ys, 0};
            const int64_t horizontal_scale = Round(1e5 / (uf * fx));
            const std::string horizontal =
                czy_sa_dane(profile, "skala")
                    ? Format("%s %s", {scales.Cells(0, 1), lang_text("MostUsedValues", "muv_AsInTable", "jak w tabeli")})
                    : Format("%s: 1:%d", {scales.Cells(0, 1), horizontal_scale});
            text(style, horizontal, at, at, style.height * u, 0, 0);
            if (horizontal.find("1:") != std::string::npos) scale_bar(at, static_cast<int>(horizontal_scale));
            const linia_def& e = element_def(element_koment);
            const point3 corner{xa, yb - 0.5 * u, 0};
            line({xa, yb, 0}, corner, e.color, e.layer);
            line(corner, {xa + 2.2 * u, yb - 0.5 * u, 0}, e.color, e.layer);
        }

        // 9 to 11. The lines, the pipe with the node objects, the user lines.
        draw_profile_lines(profile);
        progress(80);
        draw_pipes_and_objects(profile);
        draw_user_lines(profile);

        // 12. The title column's left border.
        if (title_column && element_drawn(element_tabela, profile))
            element_line(element_tabela, {x0 - t * u, 0, 0}, {x0 - t * u, -h * u, 0});

        // 13. The name flag and the vertical ruler.
        if (title_column)
            sheet.name_height = static_cast<double>((Round(max(column_kind::ter, profile) - datum) + 1) * 10);
        const double name_height = sheet.name_height;
        if (topcje->cb_ProfilesNames->Checked()) {
            const linia_def& e = element_def(element_koment);
            const double xn = xa + 0.2 * u;
            const double yn = name_height / 10 * fy;
            tekst style;
            apply_text_style(style, "t_kom", style);
            const point3 at{xn + 0.12 * u, yn + 0.05 * u, 0};
            text(style, p.nazwa, at, at, style.height * u, 0, 0);
            const point3 foot{xn, yn - 0.05 * u, 0};
            line({xn, yn + 0.3 * u, 0}, foot, e.color, e.layer);
            line(foot, {xn + 2.2 * u, yn - 0.05 * u, 0}, e.color, e.layer);
        }
        if (topcje->cb_VerticalRuler->Checked() && (first || index == 0 || datum != m.profiles[index - 1].poziom_wart)) {
            const double r =
                title_column ? 0 : symbol_half_width(profile, 0, 1, 1) * fx / u + 0.7 - t;
            const bool ticks = element_drawn(element_koment, profile);
            tekst style;
            apply_text_style(style, "t_kom", style);
            const double left = xa - (t + r) * u;
            for (int64_t k = 10; k <= static_cast<int64_t>(name_height); ++k) {
                const double y = static_cast<double>(k) / 10 * fy;
                const double reach = k % 10 == 0 ? 0.4 : (k % 5 == 0 ? 0.2 : 0.1);
                if (ticks) element_line(element_koment, {left, y, 0}, {xa - (t - reach + r) * u, y, 0});
                if (k % 10 == 0) {
                    const std::string figure = Format("%.0f", {static_cast<double>(k) / 10 + datum});
                    const point3 at{left + 0.12 * u, y + 0.05 * u, 0};
                    text(style, figure, at, at, style.height * u, 0, 0);
                }
            }
        }

        // 14. The ground hatching.
        if (element_drawn(element_kreskowanie, profile)) hatch_ground();

        // 15. The casing pipes.
        if (!Form1->tb_HideProtectingPipes->Down())
            for (std::size_t i = 0; i < p.casings.size(); ++i)
                if (p.casings[i].node_id != 0) draw_casing_pipe(p.casings[i], datum, static_cast<int>(i));

        // 16. The node lines and descriptions, for the arrangement after the last profile.
        for (std::size_t n = 0; n < p.nodes.size(); ++n)
            if (p.nodes[n].dlug != 0 || n + 1 == p.nodes.size()) add_node_description(profile, static_cast<int>(n));
    }

    // The legend in the first profile's title column.
    if (!sheet.legend_lines.empty()) {
        auto has = [this](const std::string& entry) {
            return std::find(sheet.legend_lines.begin(), sheet.legend_lines.end(), entry) != sheet.legend_lines.end();
        };
        auto any_with = [this](const std::string& part) {
            return std::any_of(sheet.legend_lines.begin(), sheet.legend_lines.end(),
                               [&part](const std::string& e) { return e.find(part) != std::string::npos; });
        };
        const std::string title = "a1=" + msg("msg_Glossary", "Legenda");
        if (!has(title)) sheet.legend_lines.push_back(title);
        if (any_with("b2=")) sheet.add_legend_line("b1=" + Form1->a_TerrainDescription->Caption() + ":");
        if (any_with("c2=")) {
            sheet.add_legend_line("c1=");
            sheet.add_legend_line("c1=" + (tGeo ? tGeo->Caption() : std::string()) + ":");
        }
        std::sort(sheet.legend_lines.begin(), sheet.legend_lines.end());
        tekst style;
        apply_text_style(style, "t_kom", style);
        const double hl = style.height;
        const double x = ((topcje->cb_VerticalRuler->Checked() ? 0.85 : 0.05) - t) * u;
        const std::size_t count = sheet.legend_lines.size();
        for (std::size_t k = 0; k < count; ++k) {
            const std::string& entry = sheet.legend_lines[k];
            const std::size_t eq = entry.find('=');
            const std::string shown = eq == std::string::npos ? std::string() : entry.substr(eq + 1);
            if (shown.empty()) continue;
            const point3 at{x, static_cast<double>(count - 1 - k) * 2 * hl * u + 5 * hl * u, 0};
            text(style, shown, at, at, hl * u, 0, 0);
        }
    }

    // The title block after the last profile that has nodes.
    point3 corner{};
    for (std::size_t i = m.profiles.size(); i-- > 0;) {
        const odcinek& p = m.profiles[i];
        if (!p.rysuj || p.nodes.empty()) continue;
        const double width = last_busy("max_r") - last_busy("min_l");
        const double lift = distance_axis && mark_scales ? 1.5 : 1.0;
        corner.x = (p.nodes.back().odl - p.nodes.front().odl) * p.drawing_block + 0.5 * u + p.sheet_x -
                   width / 25 * u - u * m.project.sheet_origins[0] / 10;
        corner.y = (-table_height - lift) * u - u * m.project.sheet_origins[1] / 10;
        break;
    }
    if (!Form1->tb_bezmetryki->Down()) write_title_block(corner);

    // Every drawn profile leaves at least its last node's description.
    if (!drawing_texts.empty()) write_vertical_texts();
    if (any_drawn) {
        sheet.legend_lines.clear();
        for (dane_pod_profil& row : rows) row.forced = false;
    }
    out_.group(0, "ENDSEC");
}
