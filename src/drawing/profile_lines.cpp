// The lines along a profile: terrain, auxiliary and design-terrain lines,
// the pipe of every segment with its outlines, trench bottom, backfill,
// axis and drain layers, the flow arrow, drop pipes into sumps and the
// user-defined lines.
#include "drawing/profile_lines.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "drawing/profile_sheet.h"
#include "files/settings_groups.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/utils.h"
#include "platform/cp1250.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

// A tank or treatment-plant tank: its node draws the tank and nothing else.
bool tank_node(const wezel& w) {
    static const std::string tanks[] = {treatment_block_name("osadn"), treatment_block_name("separ"), treatment_block_name("zloze")};
    if (w.obiekt.empty()) return false;
    const std::string o = AnsiLowerCase(w.obiekt);
    return std::any_of(std::begin(tanks), std::end(tanks), [&o](const std::string& t) { return contains_text(o, t); }) ||
           jest_obiekt2(w.obiekt, "osadnikopodobne");
}

// The project sump bound to a "sump" node; nullptr for any other node and
// for a "sump" node without one.
const mat_studzienka* project_sump(uint16_t profile, int node) {
    if (LowerCase(model().profiles[profile].nodes[static_cast<std::size_t>(node)].obiekt) != "sump") return nullptr;
    const int s = znajdz_obiekt(profile, node);
    const auto& sumps = model().project.sumps;
    if (s < 0 || static_cast<std::size_t>(s) >= sumps.size()) return nullptr;
    return &sumps[static_cast<std::size_t>(s)];
}

void progress(int position) {
    if (Form1 && Form1->progres) Form1->progres->SetPosition(position);
}

// The single-line term s x m: the pipe's bottom line is drawn at the pipe
// ordinate plus D x s x m / 2000.
int single_line_term() {
    const bool single = topcje && topcje->cb_1PipeLine->Checked();
    const int mode = Form1 ? std::max(Form1->rg_PipeOrdinateMode->ItemIndex(), 0) : 0;
    return single ? mode : 0;
}

bool single_pipe_line() { return topcje && topcje->cb_1PipeLine->Checked(); }

// Objects whose symbol stands on the pipe: the end trim of the incoming
// pipe takes the factor of the node they stand on.
bool trims_with_own_factor(const std::string& lower_object) {
    static const char* const words[] = {"przejscie", "zawor", "zasuwa", "nawiertka", "trójnik"_cp,
                                        "rurociąg"_cp, "hydrant nadz.", "hydrant podz.", "sump",
                                        "rewizyjna", "wodomierzowa"};
    for (const char* w : words)
        if (contains_text(lower_object, w)) return true;
    return false;
}

// A value of a user line that stands for nothing: the empty value, or one
// that is not a finite number.
bool missing(double v) { return !std::isfinite(v) || v == model().empty_value; }

}  // namespace

// ---------------------------------------------------------------------------
// Terrain, auxiliary and design-terrain lines

void DXF_Writer::draw_profile_lines(uint16_t profile) {
    model_state& m = model();
    if (profile >= m.profiles.size()) return;
    const odcinek& p = m.profiles[profile];
    struct line_of_element {
        int element;
        line_kind kind;
    };
    static constexpr line_of_element lines[] = {{element_ter, line_kind::terrain},
                                                {element_lin1, line_kind::line1},
                                                {element_lin2, line_kind::line2},
                                                {element_terp, line_kind::design_terrain}};
    for (const line_of_element& l : lines) {
        if (!element_drawn(l.element, profile)) continue;
        if (l.element == element_ter)
            for (std::size_t n = 0; n < p.nodes.size(); ++n)
                if (contains_text(AnsiLowerCase(p.nodes[n].obiekt), "rów"_cp)) draw_ditch(static_cast<int>(n));
        const std::vector<teren>& points = p.terrain_lines[static_cast<std::size_t>(l.kind)];
        // A line of one point (a profile of one node) draws nothing, rather
        // than the working line another profile left behind.
        if (points.size() < 2) continue;
        m.terrain_work = points;
        auxiliary_line(l.element);
    }
}

// ---------------------------------------------------------------------------
// The pipe, node by node

int DXF_Writer::node_pipe_colour(uint16_t profile, int node) const {
    const model_state& m = model();
    if (!topcje || topcje->rg_PipeLineColor->ItemIndex() != 1 || profile >= m.profiles.size())
        return sheet.pipe_colour;
    const odcinek& p = m.profiles[profile];
    if (node < 0 || static_cast<std::size_t>(node) >= p.nodes.size()) return sheet.pipe_colour;
    const wezel& w = p.nodes[static_cast<std::size_t>(node)];
    if (w.series_index < 0 || w.size_index < 0 ||
        static_cast<std::size_t>(w.series_index) >= m.project.pipe_series.size())
        return sheet.pipe_colour;
    return m.project.pipe_series[static_cast<std::size_t>(w.series_index)].adds.cad_color;
}

namespace {

// One segment of the pipe from node i to node i + 1 and what runs with it.
class segment_painter {
public:
    segment_painter(DXF_Writer& w, uint16_t profile, int node, int colour)
        : w_(w),
          profile_(profile),
          p_(model().profiles[profile]),
          i_(node),
          a_(p_.nodes[static_cast<std::size_t>(node)]),
          b_(p_.nodes[static_cast<std::size_t>(node) + 1]),
          colour_(colour),
          u_(drawing().units_per_metre),
          fy_(drawing().y_factor),
          datum_(p_.poziom_wart),
          sm_(single_line_term()) {}

    void draw();

private:
    double y(double ordinate) const { return (ordinate - datum_) * fy_; }
    bool bend() const { return a_.rad != 0 && 2 * std::fabs(a_.rad) > a_.dlug; }

    // A line of "rura" in the node's pipe colour, or its bend.
    void pipe_line(double xa, double ya, double xb, double yb, bool extreme, bool radius) {
        run(element_rura, xa, ya, xb, yb, extreme, radius);
    }
    void run(int element, double xa, double ya, double xb, double yb, bool extreme, bool radius) {
        const point3 a{xa, ya, 0};
        const point3 b{xb, yb, 0};
        if (bend()) {
            std::string block;
            w_.pipe_bend(a, b, static_cast<uint16_t>(i_), static_cast<uint8_t>(element), extreme, radius, block);
        } else if (element == element_rura) {
            w_.line(a, b, colour_, settings().line_defs.at(element_rura).layer);
        } else {
            w_.element_line(element, a, b);
        }
    }
    void rura(const point3& a, const point3& b) { w_.line(a, b, colour_, settings().line_defs.at(element_rura).layer); }

    void drain_layers(double xa, double ya, double xb, double yb, double fi1, bool tunnel);

    DXF_Writer& w_;
    uint16_t profile_;
    odcinek& p_;
    int i_;
    wezel& a_;
    wezel& b_;
    int colour_;
    double u_;
    double fy_;
    double datum_;
    int sm_;
};

void segment_painter::draw() {
    const double x0 = p_.sheet_x;
    const double fxa = a_.draw_factor;
    const double fxb = b_.draw_factor;
    const double d_a = fi(profile_, i_, "s1");
    const double fi1 = a_.fi.s1;
    const double fi2 = a_.fi.s2;
    const bool tunnel = AnsiLowerCase(a_.mat) == "tunel";
    const std::string object_b = AnsiLowerCase(b_.obiekt);
    const bool last_b = static_cast<std::size_t>(i_) + 2 == p_.nodes.size();
    const bool drain = czy_jest_drenaz(profile_, i_);

    // 1, 2. Ends and levels of the bottom line.
    double xa = x0 + a_.draw_x;
    double xb = xa + a_.dlug * fxa;
    double ya;
    double yb;
    if (!tunnel) {
        ya = y(d_a * sm_ / 2000 + a_.dno.s2);
        yb = y(d_a * sm_ / 2000 + b_.dno.s1);
    } else {
        ya = y(a_.dno.s2 - fi1 / 1000 + 0.11);
        yb = y(b_.dno.s1 - fi1 / 1000 + 0.11);
    }

    // 3. Start trim.
    const double start_trim = w_.symbol_half_width(profile_, i_, 1, 0);
    xa += start_trim * fxa;
    a_.drawing_position[0].s2 = xa;
    if (i_ == 0) a_.drawing_position[0].s1 = x0 + a_.draw_x - start_trim * fxa;

    // 4. Flow arrow over the first segment.
    if (i_ == 0 && topcje && topcje->cb_MarkFlowDirect->Checked()) {
        const double y1 = ya + fi(profile_, 0, "s1") / 1000 * fy_ + 0.1 * u_;
        const double fx = p_.drawing_block;
        const double y2 = fx != 0 ? y1 - (model().slope_sign * a_.spad / 100) * 0.3 * u_ * fy_ / fx : y1;
        w_.arrow(p_.pl2r_wart, element_koment, xa + 0.1 * u_, y1, xa + 0.4 * u_, y2);
    }

    // 5. End trim.
    const double end_trim = w_.symbol_half_width(profile_, i_ + 1, 1, 1);
    const double end_factor = trims_with_own_factor(object_b) ? fxb : fxa;
    xb = x0 + b_.draw_x - end_trim * end_factor;
    b_.drawing_position[0].s1 = xb;
    if (last_b) b_.drawing_position[0].s2 = x0 + b_.draw_x + end_trim * fxb;

    const bool rura_drawn = element_drawn(element_rura, profile_);
    const double r = a_.rad;

    // 6. Bottom line.
    if (rura_drawn) pipe_line(xa, ya, xb, yb, r > 0, r < 0);

    // 7. The step of the pipe at a cascade.
    progress(90);
    if (jest_kaskada(profile_, i_) && !jest_obiekt2(a_.obiekt, "studzienki") && a_.obiekt != "szafka")
        w_.draw_drop(i_, true, a_.dno.s2, a_.dno.s1, fi1, 0, fi(profile_, i_ > 0 ? i_ - 1 : i_, "s1"), x0 + a_.draw_x,
                     0, 0);

    // 8. Trench bottom.
    const settings_state& s = settings();
    if ((s.bedding_height != 0 || !rura_drawn) && !drain && element_drawn(element_dno_wyk, profile_))
        w_.element_line(element_dno_wyk, {xa, ya - s.bedding_height * fy_, 0}, {xb, yb - s.bedding_height * fy_, 0});

    // 9. Backfill line.
    if (s.sidefill_height != 0 && !drain && element_drawn(element_obsyp, profile_)) {
        const double up = (fi2 / 1000 + s.sidefill_height) * fy_;
        w_.element_line(element_obsyp, {xa, ya + up, 0}, {xb, yb + up, 0});
    }

    // 10. Pipe axis.
    if (fi1 >= s.draw_axis_from && element_drawn(element_os_rury, profile_))
        run(element_os_rury, xa, y(fi1 / 2000 + a_.dno.s2), xb, y(d_a / 2000 + b_.dno.s1), false, false);

    // 11. The further lines of the pipe.
    if (!rura_drawn) return;
    const double delta = fi2 - fi1;
    // 11.1 Below the bottom line by half the change of diameter.
    if (delta != 0) {
        ya -= delta / 2000 * fy_;
        yb -= delta / 2000 * fy_;
        pipe_line(xa, ya, xb, yb, r < 0, false);
    }
    const bool single = single_pipe_line();
    // 11.2 The top line and the steps at a change of diameter.
    if (!single) {
        if (!tunnel) {
            ya = y(fi1 / 1000 + a_.dno.s2);
            yb = y(d_a / 1000 + b_.dno.s1);
        } else {
            ya = y(a_.dno.s2 + 0.11);
            yb = y(b_.dno.s1 + 0.11);
        }
        pipe_line(xa, ya, xb, yb, r < 0, r > 0);
        const double fi1_b = b_.fi.s1;
        if (fi1 != fi1_b && !last_b && !jest_kaskada(profile_, i_ + 1) &&
            (b_.obiekt.empty() || object_b == "spust" || object_b == "odpowietrznik")) {
            const double x = x0 + b_.draw_x;
            if (b_.dno.s1 != b_.dno.s2) rura({x, y(b_.dno.s1), 0}, {x, y(b_.dno.s2), 0});
            const double top_out = fi1_b / 1000 + b_.dno.s2;
            const double top_in = fi1 / 1000 + b_.dno.s1;
            if (top_out != top_in) rura({x, y(top_out), 0}, {x, y(top_in), 0});
        }
    }
    // 11.3 Above the top (or single) line by half the change of diameter.
    if (delta != 0) {
        const double g = single ? 1 : 2;
        ya += delta / (1000 * g) * fy_;
        yb += delta / (1000 * g) * fy_;
        pipe_line(xa, ya, xb, yb, r < 0, false);
    }
    // 11.4 The collecting sump ahead; the noted letter holds for this
    // segment only.
    char noted = 0;
    if (const mat_studzienka* own = project_sump(profile_, i_); own && own->kind == 'r' && b_.obiekt == "sump")
        if (const mat_studzienka* next = project_sump(profile_, i_ + 1)) noted = next->kind;
    static const std::string collecting_block = treatment_block_name("zbier");
    const bool collecting = contains_text(object_b, collecting_block);
    if (collecting || noted == 'n') {
        const double xe = xb + 0.35 * fxa;
        rura({xa, ya - 1.1 * fy_, 0}, {xe, yb - 1.1 * fy_, 0});
        rura({xa, ya - 1.21 * fy_, 0}, {xe, yb - 1.21 * fy_, 0});
    }
    // 11.5 Drain layers.
    if (!collecting && drain && Form1 && Form1->cb_MarkDrainageLayersOnDrawing->Checked())
        drain_layers(xa, ya, xb, yb, fi1, tunnel);
}

void segment_painter::drain_layers(double xa, double ya, double xb, double yb, double fi1, bool tunnel) {
    if (!element_drawn(element_dno_wyk, profile_)) return;
    if (tunnel) {
        ya -= fi1 / 1000 * fy_;
        yb -= fi1 / 1000 * fy_;
    }
    tekst style;
    w_.apply_text_style(tekst{}, "t_kom", style);
    const settings_state& s = settings();
    const struct {
        double height;
        const char* key;
        std::string builtin;
    } layers[] = {{s.gravel_layer_height, "l_GravelLayerHeight", "żwir"_cp},
                  {s.sand_layer_height, "l_SandLayerHeight", "piasek"}};
    for (const auto& l : layers) {
        if (l.height == 0) continue;
        ya -= l.height * fy_;
        yb -= l.height * fy_;
        w_.element_line(element_dno_wyk, {xa, ya, 0}, {xb, yb, 0});
        const std::string text =
            Format("%s h=%f", {lang_text("Form1", l.key, l.builtin), l.height});
        const point3 at{xa + 0.5 * u_, ya, 0};
        w_.text(style, text, at, at, (style.height - 0.05) * u_, 0, 0);
    }
}

// The drop pipe into the project sump of a "sump" node.
void draw_sump_drop(DXF_Writer& w, uint16_t profile, int node, int colour) {
    odcinek& p = model().profiles[profile];
    const wezel& n = p.nodes[static_cast<std::size_t>(node)];
    if (n.obiekt != "sump") return;
    const mat_studzienka* sump = project_sump(profile, node);
    if (!sump || sump->drop_size == 0) return;
    const double bottom = sump->bottom / 1000.0;
    const double fall = std::fabs(std::max(n.dno.s1, n.dno.s2) - bottom);
    if (!(fall > settings().drop_from / 1000.0) && !sump->drop) return;

    const drawing_state& d = drawing();
    const double u = d.units_per_metre;
    const double fy = d.y_factor;
    const double datum = p.poziom_wart;
    const double fx = n.draw_factor;
    const int sm = single_line_term();
    const bool single = single_pipe_line();
    const std::string& layer = settings().line_defs.at(element_rura).layer;
    const double dd = std::abs(sump->drop_size);
    const double e = sump->drop_corr_y;
    const double t = sump->thickness;
    const double xn = p.sheet_x + n.draw_x;

    // 1. The side of the drop.
    const bool incoming = bottom < n.dno.s1 && node > 0 &&
                          model().slope_sign * p.nodes[static_cast<std::size_t>(node) - 1].spad > 0;
    const double z = incoming ? -1 : 1;
    const double pipe = incoming ? n.dno.s1 : n.dno.s2;
    // 2. From the node point to the outer face of the wall.
    const double a = (n.drawing_position[0].s2 - n.drawing_position[0].s1) / 2 + t / 10000 * fx;
    const double elbow = (bottom + e / 1000 - datum) * fy;
    const double start = 225 + 45 * z;
    const double end = 315 + 45 * z;
    // 3. The inner line, with two outline lines.
    if (!single) {
        const double x = xn + (dd / 1000 * fx + a) * z;
        const double low = elbow + dd / 1000 * fy + dd / 1000 * fx;
        w.line({x, low, 0}, {x, (pipe - datum) * fy, 0}, colour, layer);
        w.arc({xn + a * z, low, 0}, dd / 1000 * fx, start, end, colour, layer);
    }
    // 4. The outer line.
    const double x_outer = xn + (2 * dd / 1000 * fx + a) * z;
    const double low = elbow + dd * sm / 2000 * fy + 2 * dd / 1000 * fx;
    w.line({x_outer, low, 0}, {x_outer, (dd * sm / 2000 + pipe - datum) * fy, 0}, colour, layer);
    w.arc({xn + a * z, low, 0}, 2 * dd / 1000 * fx, start, end, colour, layer);
    // 5. The elbow's ordinate when it is raised.
    if (e != 0) {
        w.comment_label(Format("%.2f", {bottom + e / 1000}), true, xn + a * z - 0.6 * u, elbow, false, false);
        w.element_line(element_koment, {xn + a * z, elbow, 0}, {x_outer - 0.2 * u, elbow, 0});
    }
    // 6. The pipe through a thick wall.
    if (t > 500) {
        const double d_n = fi(profile, node, "s1");
        const double back = xn + a * z - z * t / 10000 * fx;
        const double base = d_n * sm / 2000 + bottom + e / 1000;
        if (!single) {
            const double top = (base + n.fi.s1 / 1000 - datum) * fy;
            w.line({xn + a * z, top, 0}, {back, top, 0}, colour, layer);
        }
        const double low_y = (base - datum) * fy;
        w.line({xn + a * z, low_y, 0}, {back, low_y, 0}, colour, layer);
    }
}

}  // namespace

void DXF_Writer::draw_pipes_and_objects(uint16_t profile) {
    const auto& defs = settings().line_defs;
    if (defs.size() <= element_dno_wyk || !(defs[element_rura].draw || defs[element_dno_wyk].draw)) return;
    if (profile >= model().profiles.size()) return;
    const std::size_t count = model().profiles[profile].nodes.size();
    for (std::size_t n = 0; n < count; ++n) {
        const int node = static_cast<int>(n);
        const int colour = node_pipe_colour(profile, node);
        draw_node_objects(profile, node);
        if (tank_node(model().profiles[profile].nodes[n])) continue;
        if (n + 1 < count) segment_painter(*this, profile, node, colour).draw();
        draw_sump_drop(*this, profile, node, colour);
    }
}

// ---------------------------------------------------------------------------
// User-defined lines

void draw_user_line_segments(DXF_Writer& writer, uint16_t profile, const linia_def& entry) {
    const odcinek& p = model().profiles.at(profile);
    const double fy = drawing().y_factor;
    const double datum = p.poziom_wart;
    const double x0 = p.sheet_x;
    for (std::size_t i = 0; i + 1 < p.nodes.size(); ++i) {
        const wezel& a = p.nodes[i];
        const wezel& b = p.nodes[i + 1];
        if (missing(a.temp.s1) || missing(a.temp.s2) || missing(b.temp.s1) || missing(b.temp.s2)) continue;
        double x1 = x0 + a.draw_x;
        double x2 = x1 + a.dlug * a.draw_factor;
        if (entry.like_pipe) {
            x1 = a.drawing_position[0].s2;
            x2 = b.drawing_position[0].s1;
        }
        if (jest_obiekt2(a.obiekt, "budynkopodobne")) x1 = x0 + a.draw_x + 0.25 * a.draw_factor;
        if (jest_obiekt2(b.obiekt, "budynkopodobne")) x2 = x0 + b.draw_x - 0.25 * a.draw_factor;
        writer.line({x1, (a.temp.s2 - datum) * fy, 0}, {x2, (b.temp.s1 - datum) * fy, 0}, entry.color, entry.layer);
        if (a.temp.s1 != a.temp.s2 && jest_obiekt2(a.obiekt, "studzienki")) {
            const double x = x0 + a.draw_x;
            writer.line({x, (a.temp.s1 - datum) * fy, 0}, {x, (a.temp.s2 - datum) * fy, 0}, entry.color,
                        entry.layer);
        }
    }
}

void DXF_Writer::draw_user_lines(uint16_t profile) {
    if (profile >= model().profiles.size() || model().profiles[profile].nodes.empty()) return;
    const auto& defs = settings().line_defs;
    for (std::size_t e = builtin_element_count; e < defs.size(); ++e) {
        if (!element_drawn(static_cast<int>(e), profile)) continue;
        // A line whose row is gone has nothing to draw from.
        const uint8_t row = TitleNr("", defs[e].name);
        if (row == 255) continue;
        if (copy2temp("user", profile, row)) continue;
        draw_user_line_segments(*this, profile, defs[e]);
    }
}
