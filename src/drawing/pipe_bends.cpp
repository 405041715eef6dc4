// Vertical pipe bends on the profile: the arc in true proportions as a
// block of its own, inserted at the run's start with the sheet's factors.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "files/opcje_tables.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"

namespace {

// A number of the block text: the pattern's text with a point for the
// decimal separator.
std::string block_number(std::string_view pattern, double v) {
    std::string text = Format(pattern, {v});
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

}  // namespace

double DXF_Writer::chord_angle(const point3& c, const point3& x, const point3& y) {
    const double radius = plan_distance(x, c);
    if (radius == 0) return 0;
    // Rounding may take the half chord a hair past the radius.
    const double sine = std::clamp(plan_distance(x, y) / 2 / radius, -1.0, 1.0);
    return 2 * std::asin(sine) * 180 / std::numbers::pi;
}

void DXF_Writer::pipe_bend(const point3& p1, const point3& p2, uint16_t node, uint8_t element, bool extreme_label,
                           bool radius_label, std::string& block) {
    block.clear();
    const drawing_state& d = drawing();
    const uint16_t profile = d.drawn_profile;
    const odcinek& p = model().profiles.at(profile);
    const wezel& w = p.nodes.at(node);
    const linia_def& e = settings().line_defs.at(element);
    const int colour = element == element_rura ? node_pipe_colour(profile, node) : e.color;
    const double r = w.rad;
    const double hf = w.draw_factor;
    const double vf = d.y_factor;
    const double u = d.units_per_metre;

    // The run in metres from P1, and the circle through its ends; without
    // one the run stays straight.
    plan_point centre;
    if (hf == 0 || vf == 0 ||
        !circle_center({p1.x, p1.y}, {p1.x + (p2.x - p1.x) / hf, p1.y + (p2.y - p1.y) / vf}, r, centre)) {
        line(p1, p2, colour, e.layer);
        return;
    }
    const point3 b{p1.x + (p2.x - p1.x) / hf, p1.y + (p2.y - p1.y) / vf, 0};
    const point3 c{centre.x, centre.y, 0};
    const std::string name = "ARC_" + std::to_string(profile) + "_" + std::to_string(node) + "_" +
                             std::to_string(static_cast<int>(element));

    // The lowest point of a sag, the highest of a crest, when it lies
    // inside the run.
    if (extreme_label && p1.x < c.x && c.x < b.x) {
        const point3 extreme{p1.x + (c.x - p1.x) * hf, p1.y + (c.y - r - p1.y) * vf, 0};
        comment_label(Format("%.2f", {p.poziom_wart + extreme.y / vf}), true, extreme.x - 0.1 * u, extreme.y, true,
                      false);
    }

    const point3 q{c.x + std::fabs(r), c.y, 0};
    const double a1 = chord_angle(c, q, b);
    const double a2 = chord_angle(c, p1, b);
    const double start = r > 0 ? 360 - a1 - a2 : a1;
    const double end = r > 0 ? 360 - a1 : a1 + a2;

    const std::string layer = layer_name(valid_warstwa(e.layer));
    const std::string colour_text = std::to_string(colour);
    const std::string lines[] = {
        "  0", "BLOCK",
        "  8", layer,
        " 62", colour_text,
        "  2", name,
        " 70", "     0",
        " 10", block_number("%g", p1.x),
        " 20", block_number("%g", p1.y),
        "  3", name,
        "  1", "",
        "  0", "ARC",
        "  8", layer,
        " 62", colour_text,
        " 10", block_number("%g", c.x),
        " 20", block_number("%g", c.y),
        " 40", block_number("%.5f", std::fabs(r)),
        " 50", block_number("%.5f", start),
        " 51", block_number("%.5f", end),
        "  0", "ENDBLK",
    };
    for (const std::string& l : lines) {
        if (!block.empty()) block += "\r\n";
        block += l;
    }
    // Once per name: the crown and the shifted lines of the same run reuse
    // the invert's block.
    if (bend_blocks.empty()) bend_block_names.clear();
    if (bend_block_names.insert(name).second) bend_blocks.push_back(block);

    insert(name, p1, {hf, vf, 1}, 0, colour, e.layer);

    if (radius_label) {
        const double a = chord_angle(c, q, p1);
        point3 arrow_end = point_at_distance(p1, c, 0.7 * u, 0);
        arrow(true, element_koment, arrow_end.x, arrow_end.y, p1.x, p1.y);
        point3 at = point_at_distance(p1, c, 0.1 * u, 0);
        tekst style;
        apply_text_style(tekst{}, "t_pro", style);
        const double shift = r > 0 ? -0.02 * u : 0.02 * u;
        at.x += shift;
        arrow_end.x += shift;
        const int64_t rotation = Round(r > 0 ? 540 - a : a + 180) % 360;
        text(style, Format("R%g m", {std::fabs(r)}), at, arrow_end, 0.7 * style.height * u,
             static_cast<int>(rotation), 0);
    }
}
