// The vertical description texts of the profile sheet: node lines and
// descriptions recorded per profile, then every recorded text sorted,
// spread apart and written with its leaders after the last profile.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "forms/skojarzone.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/terrain.h"
#include "platform/cp1250.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {

bool has(const std::string& lowered, const std::string& word) { return lowered.find(word) != std::string::npos; }

// The block names of the treatment-plant elements a node's object may hold.
struct treatment_blocks {
    std::string tank = treatment_block_name("osadn");
    std::string separator = treatment_block_name("separ");
    std::string filter = treatment_block_name("zloze");
    std::string distribution = treatment_block_name("rozdz");
    std::string closing = treatment_block_name("zamyk");
    std::string collecting = treatment_block_name("zbier");
};

const treatment_blocks& blocks() {
    static const treatment_blocks names;
    return names;
}

// Where the line of a building-like end object stops: at the y of its
// connection, which the building routine keeps for it. Buildings are not
// drawn on the sheet yet, so the line keeps the top it was given.
double building_line_top(uint16_t /*profile*/, int /*node*/, double top) { return top; }

// The top of a node's vertical line (drawing units): to the terrain or
// just under the pipe, then stopped at the symbol of the node's object.
double line_top(uint16_t profile, int node) {
    const odcinek& p = model().profiles.at(profile);
    const wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    const double u = drawing().units_per_metre;
    const double fy = drawing().y_factor;
    const double datum = p.poziom_wart;
    const double lowest_pipe = std::min(w.dno.s1, w.dno.s2);
    const double highest_pipe = std::max(w.dno.s1, w.dno.s2);
    const bool to_terrain = topcje->cb_VerticalLinesToTerrainLine->Checked();
    const std::string object = LowerCase(w.obiekt);

    double t = to_terrain ? (std::min(w.ter_used.s1, w.ter_used.s2) - datum) * fy : (lowest_pipe - datum) * fy - 0.01 * u;

    if (jest_obiekt2(w.obiekt, "budynkopodobne")) t = building_line_top(profile, node, t);
    if (has(object, "rewizyjna") || has(object, "wodomierzowa")) {
        const double size = wyc_kol(w.kom, "rewizja", "s2");
        t = size != 0 ? (size - datum) * fy : (lowest_pipe - datum - 0.03) * fy;
        if (has(object, "wodomierzowa")) t -= 0.1 * fy;
    }
    if (has(object, "sump")) {
        const auto& sumps = model().project.sumps;
        const int sump = jest_obiekt2(w.obiekt, "osadnikopodobne") ? -1 : znajdz_obiekt(profile, node);
        if (sump >= 0 && static_cast<std::size_t>(sump) < sumps.size()) {
            const mat_studzienka& s = sumps[static_cast<std::size_t>(sump)];
            t = (s.bottom / 1000.0 - s.bottom_thickness / 10000.0 - datum - 0.03) * fy;
        }
    }
    if ((has(object, "rurociąg"_cp) || has(object, "trójnik"_cp) || has(object, "nawiertka")) && !to_terrain) {
        const double axis = object_variable(1, profile, node);
        const double radius = object_variable(0, profile, node) / 2000;
        t = (std::min(lowest_pipe, axis - radius) - datum) * fy;
    }
    if (has(object, "rów"_cp)) t = (object_variable(0, profile, node) - datum - 0.05) * fy;
    if (has(object, "spust")) t = (lowest_pipe - datum) * fy - 0.33 * u;
    if (has(object, "zawor") || (has(object, "hydrant") && wyciag_var(1, profile, node, false, 1) == "0") ||
        has(object, "szafka") || has(object, "przejscie")) {
        const double q = settings().symbol_size_factor;
        if (topcje->cb_1PipeLine->Checked())
            t = (lowest_pipe - datum) * fy - 0.5 * q * u;
        else
            t = (lowest_pipe - std::max(0.5 * q * u / fy, fi(profile, node, "s1") * 0.25 / 1000) - datum) * fy;
    }
    if (has(object, blocks().distribution) || has(object, blocks().closing))
        t = (lowest_pipe - datum - 0.019633) * fy;
    if (has(object, blocks().collecting)) t = (highest_pipe - datum - 1.113157) * fy;
    if (w.obiekt == "kolizja" && w.kom.find('@') != std::string::npos)
        t = (wyc_kol(w.kom, "kolizja", "s1") - datum) * fy;
    return t;
}

}  // namespace

void DXF_Writer::add_node_description(uint16_t profile, int node) {
    const odcinek& p = model().profiles.at(profile);
    const wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    const std::string object = LowerCase(w.obiekt);

    tekst record;
    if (has(object, blocks().tank) || has(object, blocks().separator) || has(object, blocks().filter)) {
        record.text = w.obiekt;
    } else if (!w.kom.empty()) {
        record.text = tskojarzone->wypelnij_linie(w.kom, "htm", profile, node, 0, 11111);
        if (const std::size_t at = record.text.find('@'); at != std::string::npos) record.text.erase(at, 1);
    }
    record.position = p.sheet_x + w.draw_x;
    record.y = line_top(profile, node);
    record.second_flag = 1;
    record.type = 0;
    apply_text_style(record, "t_kom", record);
}

namespace {

// The room a text needs between two lines, in drawing units.
double room(const tekst& t, double u) {
    const double spacing = 2 * std::min(std::fabs(t.near_offset), std::fabs(t.far_offset));
    return (t.text.empty() ? spacing : spacing + t.height) * u;
}

// The arrangement that keeps node descriptions at their nodes and moves the
// other texts out of their way. A backward walk pushes a text to the left
// so that it touches its right neighbour; from then on it moves with that
// neighbour, so such texts are kept as tied runs and placed once at the
// end, each from its right neighbour, instead of being walked again by every
// later push.
void arrange_keeping_nodes(std::vector<tekst>& texts, double u, bool on_left) {
    const std::size_t n = texts.size();
    std::vector<double> width(n);
    for (std::size_t k = 0; k < n; ++k) width[k] = room(texts[k], u);
    auto placed = [&](std::size_t k) -> double& { return texts[k].arranged_position; };
    auto anchor = [&](std::size_t k) { return texts[k].position; };

    // The backward walk's gap left of text k + 1 is the width of text k + z.
    const std::size_t zb = on_left ? 1 : 0;
    auto back_gap = [&](std::size_t k) { return width[k + zb]; };
    // tied[k]: text k stands one gap left of text k + 1. run_start[k], for a
    // text k that is not tied: the first text of the tied run ending at k.
    std::vector<char> tied(n, 0);
    std::vector<std::size_t> run_start(n);
    for (std::size_t k = 0; k < n; ++k) run_start[k] = k;
    // Sums of the backward gaps: before[k] = gap(0) + ... + gap(k - 1).
    std::vector<double> before(n, 0);
    for (std::size_t k = 1; k < n; ++k) before[k] = before[k - 1] + back_gap(k - 1);

    for (std::size_t i = 0; i < n; ++i) {
        if (texts[i].type != 0) continue;
        placed(i) = anchor(i);
        // Forward walk up to the next node description.
        for (std::size_t j = i + 1; j < n; ++j) {
            const double g = on_left ? width[j] : width[j - 1];
            const bool node_text = texts[j].type == 0;
            if (placed(j - 1) + g >= anchor(j)) {
                if (node_text)
                    texts[j].moved = 1;
                else
                    placed(j) = placed(j - 1) + g;
            } else {
                if (node_text) texts[j].moved = 0;
                placed(j) = anchor(j);
            }
            if (node_text) break;
        }
        // Backward walk: push the left neighbours until one has room.
        if (i == 0 || !texts[i].moved) continue;
        std::size_t j = i - 1;
        double right = placed(i);  // where text j + 1 stands
        std::size_t stop = i;      // the first text of the run now tied to i
        for (;;) {
            const double g = back_gap(j);
            if (right - g > placed(j)) break;
            placed(j) = right - g;
            tied[j] = 1;
            // A run already tied to j moves with it: skip to its first text.
            const std::size_t first = run_start[j];
            right = placed(j) - (before[j] - before[first]);
            stop = first;
            if (first == 0) break;
            j = first - 1;
        }
        run_start[i] = stop;
    }
    // The tied texts, each one gap left of its right neighbour.
    for (std::size_t k = n; k-- > 1;)
        if (tied[k - 1]) placed(k - 1) = placed(k) - back_gap(k - 1);
}

// One pass from left to right that moves every colliding text to the right,
// changing the order of two texts when the right one's line ends lower.
void arrange_moving_all(std::vector<tekst>& texts, double u, bool on_left) {
    const std::size_t z = on_left ? 1 : 0;
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        double g = room(texts[i + z], u);
        if (texts[i].arranged_position + g >= texts[i + 1].position) {
            if (texts[i + 1].y < texts[i].y && i > 0 && texts[i - 1].arranged_position + g >= texts[i].position) {
                std::swap(texts[i], texts[i + 1]);
                texts[i].arranged_position = texts[i - 1].arranged_position + room(texts[i - 1 + z], u);
                g = room(texts[i + z], u);
            }
            texts[i + 1].arranged_position = texts[i].arranged_position + g;
        } else {
            texts[i + 1].arranged_position = texts[i + 1].position;
        }
    }
}

}  // namespace

void DXF_Writer::write_vertical_texts() {
    std::vector<tekst>& texts = drawing_texts;
    const double u = drawing().units_per_metre;
    const bool on_left = topcje->cb_DescriptionOnLeft->Checked();
    std::stable_sort(texts.begin(), texts.end(), [](const tekst& a, const tekst& b) { return a.position < b.position; });
    for (tekst& t : texts) t.arranged_position = t.position;
    if (topcje->cb_RearrangeCommentsWithoutMoveNodes->Checked())
        arrange_keeping_nodes(texts, u, on_left);
    else
        arrange_moving_all(texts, u, on_left);

    const bool leaders = element_drawn(element_koment, drawing().drawn_profile);
    for (const tekst& t : texts) {
        const double x = t.arranged_position;
        const point3 at{x - t.near_offset * u, 0.25 * u, 0};
        text(t, t.text, at, at, t.height * u, 90, 0);
        if (!leaders || !t.first_line) continue;
        const point3 bend_top{x, t.y - 0.25 * u, 0};
        const point3 bend_bottom{x, 0.25 * u, 0};
        element_line(element_koment, bend_top, bend_bottom);
        element_line(element_koment, bend_top, {t.position, t.y, 0});
        if (t.second_flag) element_line(element_koment, {t.position, 0, 0}, bend_bottom);
    }
}
