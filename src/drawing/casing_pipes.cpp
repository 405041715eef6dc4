// Casing pipes on the profile: two lines around the pipe, piece by piece
// over the segments they cross, their description and table values.
#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/annotations.h"
#include "model/pairs.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"

namespace {

bool checked(const TCheckBox* box) { return box && box->Checked(); }

// The pipe bottom and its segment at a chainage. Before the first node the
// first segment's slope is followed back from the first node's incoming
// level, at or after the last node the last node's slope from its outgoing
// level, so that a casing pipe reaching past either end has levels there
// too; `found` is false only when a chainage within the profile has none.
struct pipe_level {
    double ordinate = 0;
    int segment = 0;
    bool found = true;
};

pipe_level pipe_at(uint16_t profile, double chainage) {
    bottom_ordinate at;
    rzedna_dna(profile, at, chainage);
    if (at.ordinate != no_ordinate) return {at.ordinate, static_cast<int>(at.segment), true};
    const std::vector<wezel>& nodes = model().profiles[profile].nodes;
    const double sign = model().slope_sign;
    const wezel& first = nodes.front();
    const wezel& last = nodes.back();
    if (chainage < first.odl) return {first.dno.s1 + sign * std::fabs(chainage - first.odl) * first.spad / 100, 0, true};
    if (chainage >= last.odl)
        return {last.dno.s2 - sign * std::fabs(chainage - last.odl) * last.spad / 100,
                static_cast<int>(nodes.size()) - 1, true};
    return {0, 0, false};
}

}  // namespace

void DXF_Writer::draw_casing_pipe(const oslonowa& entry, double datum, int index) {
    const uint16_t profile = drawing().drawn_profile;
    const auto& profiles = model().profiles;
    if (profile >= profiles.size()) return;
    const odcinek& p = profiles[profile];
    const std::vector<wezel>& nodes = p.nodes;
    if (nodes.size() < 2) return;
    const int last = static_cast<int>(nodes.size()) - 1;
    const double fy = drawing().y_factor;
    const double sign = model().slope_sign;
    const double casing = entry.diameter;
    auto node_x = [&](int i) { return p.sheet_x + nodes[static_cast<std::size_t>(i)].draw_x; };
    auto lower_y = [&](double ordinate, int i) {
        return (ordinate - (casing - fi(profile, i, "s1")) / 2000 - datum) * fy;
    };

    // 1. The lower chainage; a casing pipe starting at its node is drawn
    // from just inside the segment after it.
    const double s0 = entry.chainage + entry.distance;
    const double low = std::min(s0, s0 + entry.length);
    const double start = entry.distance == 0 ? low + 0.01 : low;
    const double reach = std::fabs(entry.length);

    // 2. The level and segment at the start.
    pipe_level at_start = pipe_at(profile, start);
    if (!at_start.found) return;
    double y0 = at_start.ordinate;
    const int j = at_start.segment;
    bottom_ordinate inside;
    rzedna_dna(profile, inside, start);
    if (inside.ordinate == no_ordinate) {
        // Beyond an end the level follows from the lower chainage itself.
        y0 = pipe_at(profile, low).ordinate;
    } else if (j < last) {
        // On the pipe as drawn between the edges of the node symbols.
        const wezel& a = nodes[static_cast<std::size_t>(j)];
        const wezel& b = nodes[static_cast<std::size_t>(j + 1)];
        const double from = a.drawing_position[0].s2;
        const double to = b.drawing_position[0].s1;
        if ((from != 0 || to != 0) && to - from != 0 && a.draw_factor != 0) {
            const double drawn_slope = -(b.dno.s1 - a.dno.s2) * a.draw_factor / (to - from) * 100;
            if (from != node_x(j)) y0 += 0.01 * (from - node_x(j)) * drawn_slope / a.draw_factor;
        }
    }

    // 3. The pieces, one per segment, up to the last node.
    const linia_def& element = settings().line_defs.at(element_oslon);
    const bool drawn = element_drawn(element_oslon, profile);
    const double rise = casing / 1000 * fy;
    const double offset = start - nodes[static_cast<std::size_t>(j)].odl;
    double left = reach;
    bool any = false;
    point3 first_start{node_x(j) + offset * nodes[static_cast<std::size_t>(j)].draw_factor, lower_y(y0, j), 0};
    point3 last_end = first_start;
    for (int i = j; left > 0 && i < last; ++i) {
        const wezel& w = nodes[static_cast<std::size_t>(i)];
        const double x = node_x(i);
        const double f = w.draw_factor;
        point3 a;
        double length;
        if (!any) {
            a = first_start;
            length = std::min(left, w.dlug - offset);
        } else {
            a = {x, lower_y(w.dno.s2, i), 0};
            length = std::min(left, w.dlug);
        }
        const double end_x = !any ? x + std::min(offset + left, w.dlug) * f : x + std::min(left, w.dlug) * f;
        const point3 b{end_x, a.y - 0.01 * sign * w.spad * length * fy, 0};
        if (drawn) {
            line(a, b, element.color, element.layer);
            line({a.x, a.y + rise, 0}, {b.x, b.y + rise, 0}, element.color, element.layer);
        }
        last_end = b;
        left -= length;
        any = true;
    }

    // 4. Where the description stands.
    point3 anchor = first_start;
    const int place = topcje->cb_ProtectingTubesDescPlace->ItemIndex();
    if (place == 1) {
        if (any && reach <= nodes[static_cast<std::size_t>(j)].dlug) {
            anchor = {(first_start.x + last_end.x) / 2, (first_start.y + last_end.y) / 2, 0};
        } else {
            const pipe_level middle = pipe_at(profile, start + reach / 2);
            if (middle.found) {
                const wezel& m = nodes[static_cast<std::size_t>(middle.segment)];
                anchor = {node_x(middle.segment) + (low + reach / 2 - m.odl) * m.draw_factor,
                          lower_y(middle.ordinate, middle.segment), 0};
            }
        }
    } else if (place == 2) {
        anchor = last_end;
    }

    // 5. The description joins the profile's vertical texts.
    std::string description;
    if (checked(Form1->cb_ProtectingPipeDescLikeInEditor))
        oslonowe_uzupelnij_opis(entry.description, static_cast<uint16_t>(index), profile, description);
    else
        description =
            tskojarzone->wypelnij_linie(Form1->e_ProtectingPipeDescription->Text(), "txt", profile, index, 0, -1);
    if (!description.empty()) {
        tekst record;
        record.text = std::move(description);
        record.position = anchor.x;
        record.y = anchor.y;
        record.second_flag = 0;
        record.type = 'o';
        apply_text_style(record, "t_osl", record);
    }

    // 6. The ends' chainages and pipe levels in the table.
    const int colour = StrToInt(Trim(topcje->sag_Fonts->Cells(2, 6))) & 0xFF;
    const int reference = checked(topcje->cb_AlwaysShowBottomPipe) ? 0 : p.rzedna;
    auto pipe_value = [&](double chainage) {
        const pipe_level at = pipe_at(profile, chainage);
        if (at.found)
            write_band_value("dno", 'o', colour, at.ordinate + reference * fi(profile, at.segment, "s1") / 2000, chainage);
    };
    const double end = low + reach;
    if (checked(topcje->cb_ProtTubesDistance)) write_band_value("odleglosc", 'o', colour, low, low);
    if (checked(topcje->cb_ProtTubesEndDistance)) write_band_value("odleglosc", 'o', colour, end, end);
    if (checked(topcje->cb_ProtTubesOrdinate)) pipe_value(low);
    if (checked(topcje->cb_ProtTubesEndOrdinate)) pipe_value(end);
}
