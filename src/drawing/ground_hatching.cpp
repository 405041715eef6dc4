// Soil hatching under the existing terrain: covered ranges cut out of the
// terrain pieces, then slanted strokes under what is left and under the
// ranges of terrain descriptions.
#include <array>
#include <cmath>
#include <cstdlib>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "model/state.h"

namespace {

// The hatching kinds by the index a profile keeps for its bare terrain.
std::string hatching_kind(int index) {
    switch (index) {
        case 0: return "brak";
        case 1: return "grunt";
        default: return {};
    }
}

constexpr point3 removed{0, 0, 1};

}  // namespace

void DXF_Writer::hatch_ground() {
    if (sheet.ground_segments.empty()) return;
    for (std::size_t i = 0; i < sheet.ground_cuts.size(); ++i) cut_ground(sheet.ground_cuts[i]);

    const odcinek& p = model().profiles.at(drawing().drawn_profile);
    if (p.domysl_typ_kresk != 0) {
        const std::string kind = hatching_kind(p.domysl_typ_kresk);
        for (std::size_t i = 0; i < sheet.ground_segments.size(); ++i) {
            const ground_piece piece = sheet.ground_segments[i];
            hatch_segment(piece.start, piece.end, kind);
        }
    }
    for (ground_piece& piece : sheet.covered_segments) {
        const double code = piece.start.z;
        if (!(code < 0)) continue;
        piece.start.z = 0;
        const long k = std::labs(std::lround(code)) - 10;
        if (k < 0 || static_cast<std::size_t>(k) >= p.terrain_descriptions.size()) continue;
        const std::string& kind = p.terrain_descriptions[static_cast<std::size_t>(k)].hatching;
        if (kind != "brak") hatch_segment(piece.start, piece.end, kind);
    }
}

void DXF_Writer::cut_ground(const ground_cut& cut) {
    const double a = cut.start;
    const double b = cut.end;
    const double code = cut.code;
    std::vector<ground_piece>& pieces = sheet.ground_segments;
    auto cover = [&](const point3& from, const point3& to) {
        if (code < 0) sheet.covered_segments.push_back({{from.x, from.y, code}, to});
    };
    // Records appended while cutting (the far halves of split pieces) are
    // cut too.
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        ground_piece piece = pieces[i];
        if (piece.start.x == 0 && piece.end.x == 0) continue;
        const double x1 = piece.start.x;
        const double y1 = piece.start.y;
        const double x2 = piece.end.x;
        const double y2 = piece.end.y;
        const double k = x1 != x2 ? (y1 - y2) / (x1 - x2) : 0;
        // Wholly covered.
        if (a <= piece.start.x && piece.end.x <= b) {
            if (code < 0) {
                ground_piece copy = piece;
                copy.start.z = code;
                sheet.covered_segments.push_back(copy);
            }
            piece = {removed, removed};
        }
        // The range inside the piece: the piece ends at the range, a copy
        // starts after it.
        if (piece.start.x < a && b < piece.end.x) {
            const point3 at_a{a, y1 + (a - x1) * k, piece.end.z};
            const point3 at_b{b, y2 - (x2 - b) * k, piece.start.z};
            cover(at_a, {b, at_b.y, piece.end.z});
            ground_piece far = piece;
            far.start = at_b;
            piece.end = at_a;
            pieces[i] = piece;
            pieces.push_back(far);
        }
        // The range over the start.
        if (a <= piece.start.x && piece.start.x < b && b < piece.end.x) {
            cover(piece.start, {b, y1 + (b - x1) * k, piece.end.z});
            piece.start = {b, y2 - (x2 - b) * k, piece.start.z};
        }
        // The range over the end.
        if (piece.start.x < a && a < piece.end.x && piece.end.x <= b) {
            cover({a, y2 - (x2 - a) * k, 0}, piece.end);
            piece.end = {a, y1 + (a - x1) * k, piece.end.z};
        }
        pieces[i] = piece;
    }
}

void DXF_Writer::hatch_segment(const point3& start, const point3& end, const std::string& kind) {
    if (kind != "grunt") return;
    static constexpr std::array<bool, 4> pattern{true, true, true, false};
    const double u = drawing().units_per_metre;
    const double sum = (end.x - start.x) * (end.x - start.x) + (end.y - start.y) * (end.y - start.y);
    const float length = sum > 0 ? static_cast<float>(std::sqrt(sum)) : 0.0f;
    const double stroke = 0.07 * u;
    const double step = 0.03 * u;
    uint8_t n = 0;
    for (float t = 0; t < length; t = static_cast<float>(t + step), ++n) {
        if (!pattern[n % 4]) continue;
        const point3 p = point_at_distance(start, end, t, 0);
        const point3 q = point_at_distance(start, end, t + stroke, 0);
        const point3 r = rotate_point(p, q, -135);
        if (start.x <= r.x && r.x <= end.x) element_line(element_kreskowanie, p, r);
    }
}
