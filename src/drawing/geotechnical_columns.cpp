// Geotechnical columns: a borehole's layers, ground water and legend
// entries drawn as a narrow column at its chainage.
#include <algorithm>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "model/state.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

constexpr double no_ground_water = -111.0;

// A layer's thickness in metres; either decimal separator is taken, and a
// text that is no number counts as 0.
double thickness_of(const std::string& text) {
    double value = 0;
    if (!TryStrToFloat(Trim(fix_decimal_separator(text)), value)) return 0;
    return value;
}

const std::string& item(const std::vector<std::string>& list, std::size_t k) {
    static const std::string none;
    return k < list.size() ? list[k] : none;
}

std::vector<std::string> split_at_commas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(',', from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

std::string legend_entry(const std::string& symbol, const std::string& name) {
    return Format("c2=   %s - %s", {symbol, name});
}

}  // namespace

void DXF_Writer::draw_geotechnical_columns(uint16_t profile) {
    const odcinek& p = model().profiles.at(profile);
    const double u = drawing().units_per_metre;
    const double fy = drawing().y_factor;
    const double datum = p.poziom_wart;
    const bool above_terrain = topcje->cb_GeoCrossAboveTerrainLine->Checked();
    const bool in_middle = topcje->cb_InGeoCrossDescriptionsInMiddle->Checked();

    tekst style;
    style.position = -1;
    apply_text_style(style, "t_kom", style);
    const double h = style.height;
    auto write = [&](const std::string& shown, double x, double y, int rotation) {
        const point3 at{x, y, 0};
        text(style, shown, at, at, h * u, rotation, 0);
    };
    auto tick = [&](double x1, double x2, double y) { element_line(element_koment, {x1, y, 0}, {x2, y, 0}); };

    for (const przekroj& s : p.sections) {
        if (s.node_id == 0) continue;
        const double c = s.chainage + s.distance;
        const double terrain = rzedna_terenu(profile, c);
        // A column beyond the terrain line has no ground to stand in.
        if (terrain == no_ordinate) continue;
        const double design = rzedna_terenu_proj(profile, c);
        const double top = design == no_ordinate ? terrain : std::max(terrain, design);
        const double x = p.sheet_x + godl_bs(profile, c);

        std::vector<double> thickness;
        for (const std::string& t : s.layer_thickness_list) thickness.push_back(thickness_of(t));
        const bool layers = !thickness.empty();
        double depth = 1.0;
        if (layers) {
            depth = 0.1;
            for (const double t : thickness) depth += t;
        }
        const bool water = s.ground_water != no_ground_water;
        if (water) depth = std::max(depth, s.ground_water + 0.1);

        const double marked = (top - datum) * fy + 0.3 * u;
        double y0 = marked;
        if (!above_terrain) {
            y0 = (terrain - datum - depth) * fy;
            element_line(element_koment, {x, marked + 0.5 * fy, 0}, {x, marked + 2.5 * fy, 0});
        }
        element_line(element_koment, {x, y0, 0}, {x, y0 + depth * fy, 0});

        if (!s.name.empty()) {
            double yt = marked;
            if (water && s.ground_water + 0.95 >= depth) yt += 0.6 * depth * u;
            write(s.name, x + style.far_offset * u, yt, 90);
        }

        if (water) {
            const double g = s.ground_water;
            const double yw = (depth - g) * fy + y0;
            tick(x - 0.9 * u, x, yw);
            write(Format("%f", {g}), x - 0.9 * u, yw + 0.05 * u, 0);
            write(Format("%f", {terrain - g}), x - 0.9 * u, yw - (h + 0.1) * u, 0);
            level_mark({x - 0.1 * u, yw, 0}, true);
        }

        if (!layers) continue;
        double y = y0 + depth * fy;
        tick(x - 0.1 * u, x + 0.15 * u, y);
        comment_label(Format("%f", {terrain}), true, x - 0.15 * u, y, true, false);
        double reached = 0;
        for (std::size_t k = 0; k < thickness.size(); ++k) {
            const double t = thickness[k];
            const std::string& symbol = item(s.layer_abbreviation_list, k);
            const std::string& name = item(s.layer_name_list, k);
            const std::string& shown = symbol.empty() ? name : symbol;
            if (in_middle) {
                y -= t * fy;
                tick(x, x + 0.15 * u, y);
                write(Format("%f %s", {t, shown}), x + 0.17 * u, y + t / 2 * fy - 0.6 * h * u, 0);
            } else {
                reached += t;
                const std::string label = Format("%f %s", {reached, shown});
                y -= t * fy;
                tick(x, x + 0.15 * u, y);
                double yl = y - 0.6 * h * u;
                if (t * fy < 1.2 * h * u) yl -= 1.2 * h * u - t * fy;
                write(label, x + 0.17 * u, yl, 0);
            }
        }
        for (std::size_t k = 0; k < thickness.size(); ++k) {
            const std::string& symbol = item(s.layer_abbreviation_list, k);
            const std::string& name = item(s.layer_name_list, k);
            if (symbol.empty()) continue;
            if (symbol.find(',') == std::string::npos || name.find(',') == std::string::npos) {
                sheet.add_legend_line(legend_entry(symbol, name));
                continue;
            }
            const std::vector<std::string> symbols = split_at_commas(symbol);
            const std::vector<std::string> names = split_at_commas(name);
            if (symbols.size() != names.size()) continue;
            for (std::size_t j = 0; j < symbols.size(); ++j)
                sheet.add_legend_line(legend_entry(Trim(symbols[j]), Trim(names[j])));
        }
    }
}
