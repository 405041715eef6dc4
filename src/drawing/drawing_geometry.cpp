// The geometry helpers of the drawing writer: a point along the line through
// two points, a point turned about a centre, the base size of a fitting
// symbol, and how much room the symbol at a node takes on the profile sheet
// and the scheme.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/utils.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

bool single_pipe_line() { return topcje->cb_1PipeLine->Checked(); }

// Lower-cases the letters A to Z only.
std::string ascii_lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// An object variable's text as a number: 0 for an empty text; a text that
// does not convert raises EConvertError.
double variable_number(int8_t n, uint16_t profile, int node, int side, bool no_default = false) {
    const std::string text = Trim(wyciag_var(n, profile, node, no_default, side));
    return text.empty() ? 0 : StrToFloat(fix_decimal_separator(text));
}

// The entries of a text split at ";" (a last ";" ends the last entry).
int entry_count(const std::string& text) {
    if (text.empty()) return 0;
    int n = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == ';' && i + 1 < text.size()) ++n;
    return n;
}

}  // namespace

point3 DXF_Writer::point_at_distance(const point3& from, const point3& to, double d, int base_end) {
    const point3& base = base_end == 1 ? to : from;
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    point3 out{base.x, base.y, 0};
    // Straight up or down when the points share x (the cosine of the right
    // angle taken as exactly 0).
    const double angle = dx != 0 ? std::fabs(std::atan(dy / dx)) : std::numbers::pi / 2;
    if (dx != 0) out.x = base.x + std::cos(angle) * d * (dx / std::fabs(dx));
    if (dy != 0) out.y = base.y + std::sin(angle) * d * (dy / std::fabs(dy));
    return out;
}

point3 DXF_Writer::rotate_point(const point3& centre, const point3& p, double degrees) {
    const double a = radians(degrees);
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double x = p.x - centre.x;
    const double y = p.y - centre.y;
    return {centre.x + c * x - s * y, centre.y + s * x + c * y, 0};
}

double DXF_Writer::symbol_size(int mode, double pipe_size) const {
    const double s0 = settings().symbol_size_factor * drawing().units_per_metre;
    if (single_pipe_line() || mode == 0) return s0;
    return std::max(s0, 1.12 * pipe_size);
}

double DXF_Writer::symbol_half_width(uint16_t profile, int node, int mode, int end, int) const {
    const odcinek& p = model().profiles.at(profile);
    const wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    const std::string o = ascii_lower(w.obiekt);
    if (o.empty()) return 0.0;
    const bool profile_sheet = mode == 1;
    const bool ordinates_differ = w.dno.s1 != w.dno.s2;
    const double fi_node = fi(profile, node, "s1");
    const double d = std::max(fi(profile, node - 1, "s1"), fi_node);
    const double q = 0.5 * symbol_size(mode, d / 1000 * drawing().y_factor);
    const double f = profile_sheet ? w.draw_factor : p.drawing_block;
    const int sump_index =
        contains_text(o, "sump") && !jest_obiekt2(w.obiekt, "osadnikopodobne") ? znajdz_obiekt(profile, node) : -1;
    const mat_studzienka* sump = sump_index >= 0 && static_cast<std::size_t>(sump_index) < model().project.sumps.size()
                                     ? &model().project.sumps[static_cast<std::size_t>(sump_index)]
                                     : nullptr;
    double r = 0.0;

    // 1. Tanks and treatment elements whose pipes meet at two levels.
    if (profile_sheet && ordinates_differ && w.obiekt != "rewizyjna" &&
        (contains_text(o, treatment_block_name("osadn")) || contains_text(o, treatment_block_name("separ")) || contains_text(o, treatment_block_name("zloze")) ||
         jest_obiekt2(w.obiekt, "osadnikopodobne")))
        r = 0.15;
    // 2. A cabinet beside the pipe.
    if (contains_text(o, "szafkb")) r = profile_sheet ? fi_node * 3 / 1000 + 0.425 : 0.125;
    // 3. A gas tank.
    if (contains_text(o, "lpg_tank") && ordinates_differ && w.obiekt != "rewizyjna") r = w.fi.s1 / 1000 + 0.1;
    // 4. Distribution, collecting and closing boxes.
    if (contains_text(o, treatment_block_name("rozdz")) || contains_text(o, treatment_block_name("zbier")) || contains_text(o, treatment_block_name("zamyk")))
        r = 0.15;
    // 5. A drop at a node that is not a sump.
    if (profile_sheet && !jest_obiekt2(w.obiekt, "studzienki") && jest_kaskada(profile, node) && !single_pipe_line() &&
        o != "lpg_tank")
        r = w.fi.s1 / 2000;
    // 6. A project sump: its wall, or the edge of its cover opening where
    // the pipe meets the cone.
    if (contains_text(o, "sump") && sump) {
        const double top =
            (static_cast<double>(sump->bottom) + sump->total_height - sump->cover_height - sump->cone_height) / 1000;
        if (end == 1)
            r = top > w.dno.s1 ? sump->diameter / 2000.0
                               : sump->diameter / 2000.0 - sump->cover_distance_from_border / 1000.0;
        else
            r = top > w.dno.s2 ? sump->diameter / 2000.0
                               : sump->cover_distance_from_border / 1000.0 + sump->cover_diameter / 1000.0 -
                                     sump->diameter / 2000.0;
    }
    // 7. An inspection chamber of the size its comment gives.
    if (contains_text(o, "rewizyjna")) r = wyc_kol(w.kom, "rewizyjna", "s1") / 2;
    // 8. Water-meter chambers and sumps holding fittings.
    const bool meter_object = contains_text(o, "wodomierzowa");
    if (meter_object || (sump && (sump->kind == 'w' || !sump->fittings.empty()))) {
        const double k = meter_object || (sump && sump->kind == 'w' && sump->fittings.empty())
                             ? 3.0
                             : static_cast<double>(sump->fittings_count);
        r = k * q / f;
        // The meter's own pipe, drawn beside it in a water-meter sump.
        if (profile_sheet && !single_pipe_line() && !meter_object && sump && sump->kind == 'w' &&
            (sump->drop_size != 0 || (end == 0 && ordinates_differ)))
            r += (end == 1 ? fi(profile, node - 1, "s1") : fi_node) / 1000;
    }
    // 9. A building entry at an end of the profile.
    if (contains_text(o, "zestaw wodomierzowy") || contains_text(o, "wejscie do budynku")) {
        r = 0;
        const double v = variable_number(1, profile, node, 2);
        const bool last = node == static_cast<int>(p.nodes.size()) - 1;
        if (v != 0) {
            if (node == 0 && end == 0 && v > 0)
                r = profile_sheet ? fi_node / 1000 + v - 0.5 * variable_number(8, profile, node, 1) - 0.3
                                  : v + 3 * q / drawing().x_factor - 1.5;
            else if (last && end == 1 && v < 0)
                r = profile_sheet ? fi_node / 1000 - v - 0.5 * variable_number(8, profile, node, 1) - 0.3
                                  : 3 * q / drawing().x_factor - 1.5 - v;
        }
        if (r < 0) r = 0;
    }
    // 10. A tapping sleeve, its valve on the side variable 2 names.
    if (contains_text(o, "nawiertka") &&
        StrToFloat(fix_decimal_separator(Trim(topcje->sag_DrawingProperties->Cells(1, 1)))) <= 1000) {
        if (!profile_sheet) {
            r = q / f;
        } else {
            const std::string side = Trim(wyciag_var(2, profile, node, false, 1));
            const double v0 = variable_number(0, profile, node, 1);
            r = (end == 1 && side == "0") || (end == 0 && side == "1") ? v0 / 2000 + 2 * q / f : v0 / 2000;
        }
    }
    // 11. A pipe object (and a tee on the profile).
    if (contains_text(o, "rurociąg"_cp) || (profile_sheet && contains_text(o, "trójnik"_cp))) {
        if (!Trim(wyciag_var(1, profile, node, true, 1)).empty()) {
            r = fi_node / 2000;
        } else {
            const double v0 = variable_number(0, profile, node, 1);
            if (v0 > fi_node) r = v0 / 2000;
        }
    }
    // 12. A group of fittings side by side.
    if (o == "grupa") r = entry_count(Trim(wyciag_var(0, profile, node, true, 1))) * q / f;
    // 13. Valves.
    if (contains_text(o, "zawor") || contains_text(o, "zasuwa")) r = q / f;
    // 14. A passage.
    if (contains_text(o, "przejscie")) r = (profile_sheet ? 0.125 : 0.25) * q / f;
    // 15. A riser.
    if (profile_sheet && contains_text(o, "pion")) r = variable_number(0, profile, node, 1) * (end == 1 ? 1 : 3) / 2000;
    // 16. A hydrant on the pipe.
    if (contains_text(o, "hydrant") && wyciag_var(1, profile, node, false, 1) == "0") r = q / f;
    // 17. A cabinet.
    if (contains_text(o, "szafka")) r = profile_sheet ? w.fi.s1 * 3 / 1000 + 0.05 : 0.125;
    // 18. A gutter.
    if (contains_text(o, "rynna"))
        r = variable_number(8, profile, node, 1) * 0.5 + 0.05 + variable_number(0, profile, node, 2) / 1000 + 0.1;
    // 19. A water tank on the profile.
    if (profile_sheet && contains_text(o, "zbiornikw")) r = w.fi.s1 / 2000 + 0.1;
    return r;
}
