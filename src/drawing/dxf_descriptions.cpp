// What several sheets share besides the primitives: the title block laid
// out from the main window's boxes, the dimension line, and the
// placeholders of a description template.
#include <cmath>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "files/title_block.h"
#include "forms/skojarzone.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

// Pixels of the title-block area per metre of the 1:100 layout.
constexpr double pixels_per_metre = 25;

std::string expand(const std::string& line) {
    return tskojarzone->wypelnij_linie(line, "htm", drawing().drawn_profile, 0, 0, 0);
}

double sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

void replace_first(std::string& text, std::string_view placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

}  // namespace

bool element_drawn(int element, uint16_t profile) {
    const auto& defs = settings().line_defs;
    if (element < 0 || static_cast<std::size_t>(element) >= defs.size()) return false;
    const linia_def& e = defs[static_cast<std::size_t>(element)];
    if (!e.draw) return false;
    if (e.media == "a") return true;
    const auto& profiles = model().profiles;
    if (profile >= profiles.size()) return false;
    return e.media.find(std::string{profiles[profile].networktype, ','}) != std::string::npos;
}

void DXF_Writer::write_title_block(const point3& corner) {
    const double u = drawing().units_per_metre;
    const int last = last_busy("last");
    const int min_top = last_busy("min_t");
    const int min_left = last_busy("min_l");
    const linia_def& frame = settings().line_defs.at(element_metryka);
    const bool framed = element_drawn(element_metryka, drawing().drawn_profile);
    tekst style;
    apply_text_style(style, "t_opi", style);
    const double text_height = style.height;
    for (int n = 0; n <= last; ++n) {
        const TControl* box = title_box(n);
        if (!box) continue;
        const double t = (box->Top() - min_top) / pixels_per_metre;
        const double l = (box->Left() - min_left) / pixels_per_metre;
        const double w = box->Width() / pixels_per_metre;
        const double h = box->Height() / pixels_per_metre;
        if (framed)
            rectangle({.origin = {corner.x + l * u, corner.y - t * u, 0},
                       .colour = frame.color,
                       .width = w * u,
                       .height = h * u,
                       .layer = frame.layer});
        const double x = corner.x + (l + style.near_offset) * u;
        if (const auto* memo = dynamic_cast<const TMemo*>(box)) {
            const TStringList& lines = memo->Lines();
            const int count = lines.Count();
            const double pitch = count > 1 ? h / count : h;
            for (int k = 0; k < count; ++k) {
                const std::string shown = expand(replace_all("\t", std::string(10, ' '), lines[k]));
                const point3 at{x, corner.y - (t + (k + 1) * (pitch + text_height) / 2) * u, 0};
                text(style, shown, at, at, text_height * u, 0, 0);
            }
        } else {
            const std::string shown = expand(box->Text());
            const point3 at{x, corner.y - (t + h / 2 + text_height / 2) * u, 0};
            text(style, shown, at, at, text_height * u, 0, 0);
        }
    }
}

void DXF_Writer::draw_dimension(const point3& start, bool start_tick, double length, bool end_tick, bool vertical,
                                int tick) {
    if (length == 0) return;
    const drawing_state& s = drawing();
    const double u = s.units_per_metre;
    const double d = tick / 1000.0;
    const std::string label = Format("%f", {std::fabs(length)});
    tekst style;
    style.text = label;
    apply_text_style(style, "t_pro", style);
    const double offset = style.near_offset;
    if (vertical) {
        const point3 end{start.x, start.y + length * s.y_factor, 0};
        auto ticks = [&](const point3& p) {
            element_line(element_koment, {p.x - d * u, p.y, 0}, {p.x + d * u, p.y, 0});
            element_line(element_koment, {p.x - d * u, p.y + 0.5 * d * u, 0}, {p.x + d * u, p.y - 0.5 * d * u, 0});
        };
        if (start_tick) ticks(start);
        if (end_tick) ticks(end);
        const double middle = (start.y + end.y) / 2;
        point3 anchor{start.x + offset * u, middle, 0};
        if (std::fabs(length) * s.y_factor * s.unit_factor / 1000 < 0.5) {
            // Too short to hold its text: a leader out to the left.
            const point3 bend{start.x - 0.2 * u, middle - sign(length) * 0.1 * u, 0};
            const point3 leader_end{bend.x, bend.y - sign(length) * 0.5 * u, 0};
            element_line(element_koment, {start.x, middle, 0}, bend);
            element_line(element_koment, bend, leader_end);
            anchor = {bend.x + offset * u, bend.y - sign(length) * 0.25 * u, 0};
        }
        text(style, label, label_offset(anchor, "y", 0, label, style.width_factor), anchor, style.height * u, 90, 1);
        element_line(element_koment, start, end);
        return;
    }
    const auto& profiles = model().profiles;
    const double f = s.drawn_profile < profiles.size() ? profiles[s.drawn_profile].drawing_block : 0;
    const point3 end{start.x + length * f, start.y, 0};
    auto ticks = [&](const point3& p) {
        element_line(element_koment, {p.x, p.y - d * u, 0}, {p.x, p.y + d * u, 0});
        element_line(element_koment, {p.x - 0.5 * d * u, p.y - d * u, 0}, {p.x + 0.5 * d * u, p.y + d * u, 0});
    };
    if (start_tick) ticks(start);
    if (end_tick) ticks(end);
    const point3 anchor{start.x + length / 2 * f, start.y - offset * u, 0};
    text(style, label, label_offset(anchor, "x", 0, label, style.width_factor), anchor, style.height * u, 0, 1);
    element_line(element_koment, start, end);
}

void uzupelnij_opis(const std::string& pattern, int node, uint16_t profile, double x, bool node_ordinate,
                    bool incoming, std::string& out) {
    const wezel& w = model().profiles.at(profile).nodes.at(static_cast<std::size_t>(node));
    std::string text = pattern;
    replace_first(text, "@m", w.mat);
    replace_first(text, "@d", FloatToStr(incoming ? fi(profile, node - 1, "s1") : w.fi.s1));
    if (w.fi.s2 != w.fi.s1) replace_first(text, "@o", FloatToStr(w.fi.s2));
    double pipe = incoming ? w.dno.s1 : w.dno.s2;
    if (!node_ordinate && x != 0) {
        bottom_ordinate at;
        rzedna_dna(profile, at, w.odl + x);
        pipe = at.ordinate;
    }
    const double terrain = rzedna_terenu(profile, w.odl + x);
    if (pipe != no_ordinate) replace_first(text, "@r", Format("%f", {pipe}));
    if (pipe != no_ordinate && terrain != no_ordinate) replace_first(text, "@z", Format("%f", {terrain - pipe}));
    out = std::move(text);
}
