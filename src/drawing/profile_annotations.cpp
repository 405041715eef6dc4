// Annotations of the profile: free labels with leaders, plot-boundary
// marks, the terrain and auxiliary lines with their inserted ordinates,
// and crossings with other utilities.
#include <algorithm>
#include <cmath>
#include <string>

#include "drawing/drawing_state.h"
#include "drawing/dxf_writer.h"
#include "files/settings_groups.h"
#include "forms/kolizje.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/annotations.h"
#include "model/pairs.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/terrain.h"
#include "model/utils.h"
#include "platform/graphics.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

// The crossing symbol of the symbol library.
constexpr const char* crossing_block = "KOLIZJA";

double units() { return drawing().units_per_metre; }

bool checked(const TCheckBox* box) { return box && box->Checked(); }

// The colour number of a row of the settings' fonts table.
int font_colour(int row) { return StrToInt(Trim(topcje->sag_Fonts->Cells(2, row))) & 0xFF; }

// Column 1 of fonts row 1 as written there (the table text height in
// hundredths of a metre).
double table_text_height() { return StrToFloat(fix_decimal_separator(topcje->sag_Fonts->Cells(1, 1))); }

// The band row of a key; nullptr when the table has none.
dane_pod_profil* band_row(const std::string& key) {
    const uint8_t r = TitleNr(key, "");
    auto& rows = settings().profile_table_rows;
    return r < rows.size() ? &rows[r] : nullptr;
}

// A value of a band row with the row's precision: as many decimals as the
// index for 0 to 5, the steps 0.5, 0.05 and 0.005 for 6 to 8.
std::string row_value_text(const dane_pod_profil& row, double value) {
    const int precision = std::max<int>(0, row.precision);
    if (precision >= 6) return format_fixed(-precision, value);
    return Format("%." + std::to_string(precision) + "f", {value});
}

// The band row of the line an element draws: existing terrain, line 1,
// line 2, design terrain.
const char* line_row_key(int element) {
    switch (element) {
        case element_ter: return "teren";
        case element_lin1: return "linia";
        case element_lin2: return "linia2";
        case element_terp: return "teren_proj";
        default: return "";
    }
}

bool starts_with(const std::string& text, std::string_view prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// The additional ordinate an inserted point of a line was made from: the
// one its index names, or, when the list has changed since the line was
// prepared (the refresh before a drawing drops empty entries), the one at
// its chainage with its description; -1 when none.
int ordinate_entry(const odcinek& p, const teren& point, const std::string& description) {
    auto matches = [&](const rzedne_npm& r) {
        return r.chainage + r.distance == point.chainage && r.description == description;
    };
    const auto& entries = p.ordinates;
    if (point.index >= 0 && static_cast<std::size_t>(point.index) < entries.size() &&
        matches(entries[static_cast<std::size_t>(point.index)]))
        return point.index;
    const auto it = std::find_if(entries.begin(), entries.end(), matches);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

}  // namespace

void DXF_Writer::comment_label(const std::string& label, bool write_text, double x, double y, bool horizontal,
                               bool downward) {
    const double u = units();
    const double e = downward ? -1 : 1;
    // Measured in the font the last text style left, before this one's.
    const double width = text_width_at(measure_face_, measure_pixels_, label);
    tekst style;
    style.text = label;
    style.width_factor = 0.9;
    style.position = -1;
    apply_text_style(style, "t_kom", style);

    if (element_drawn(element_koment, drawing().drawn_profile)) {
        const double shelf = horizontal ? width * 0.8 / 45 : 0.15;
        element_line(element_koment, {x + 0.1 * u, y, 0}, {x + 0.1 * u, y + 0.6 * e * u, 0});
        element_line(element_koment, {x + 0.1 * u, y, 0}, {x, y + 0.2 * e * u, 0});
        element_line(element_koment, {x, y + 0.2 * e * u, 0}, {x + shelf * u, y + 0.2 * e * u, 0});
    }
    if (!write_text) return;
    const double h = style.height;
    const point3 at{horizontal ? x + 0.16 * u : x + 0.05 * u, downward ? y - 0.26 * u - h * u : y + 0.26 * u, 0};
    text(style, label, at, at, h * u, horizontal ? 0 : 90, 0);
}

void DXF_Writer::boundary_mark(const granica_opis& boundary, uint16_t profile) {
    const auto& profiles = model().profiles;
    if (profile >= profiles.size()) return;
    const odcinek& p = profiles[profile];
    const double u = units();
    const double chainage = boundary.chainage + boundary.distance;
    const double terrain = rzedna_terenu(profile, chainage);
    const double y0 = terrain != no_ordinate ? (terrain - p.poziom_wart) * drawing().y_factor + 0.8 * u : 0;
    const double x = p.sheet_x + godl_bs(profile, chainage);
    const bool leaders = element_drawn(element_koment, profile);

    if (leaders) element_line(element_koment, {x, y0 - 0.05 * u, 0}, {x, y0 + 0.95 * u, 0});
    // A one-sided arrow towards each owner's side, the owner written up
    // along the mark.
    auto side = [&](const std::string& owner, double direction) {
        if (owner.empty()) return;
        if (leaders) {
            element_line(element_koment, {x, y0, 0}, {x + 0.4 * direction * u, y0, 0});
            element_line(element_koment, {x + 0.2 * direction * u, y0 - 0.05 * u, 0},
                         {x + 0.4 * direction * u, y0, 0});
        }
        tekst style;
        style.text = owner;
        style.position = -1;
        apply_text_style(style, "t_pro", style);
        const double shift = direction < 0 ? style.far_offset : -style.near_offset;
        const point3 at{x + shift * u, y0 + 0.02 * u, 0};
        text(style, owner, at, at, style.height * u, 90, 0);
    };
    side(boundary.left_text, -1);
    side(boundary.right_text, 1);
    write_band_value("odleglosc", 'g', font_colour(1), chainage, chainage);
}

void DXF_Writer::auxiliary_line(int element) {
    model_state& m = model();
    std::vector<teren>& line = m.terrain_work;
    const uint16_t profile = drawing().drawn_profile;
    if (profile >= m.profiles.size()) {
        line.clear();
        return;
    }
    const odcinek& p = m.profiles[profile];
    const double u = units();
    const double vf = drawing().y_factor;
    const double datum = p.poziom_wart;
    auto level = [&](double ordinate) { return (ordinate - datum) * vf; };

    // 1. The drawn x of every point.
    for (teren& t : line) {
        const bool node = t.is_node && t.index >= 0 && static_cast<std::size_t>(t.index) < p.nodes.size();
        t.reserved = node ? p.sheet_x + p.nodes[static_cast<std::size_t>(t.index)].draw_x
                          : p.sheet_x + godl_bs(profile, t.chainage);
    }

    // 2. The segments; lines 1 and 2 leave out those with an empty end.
    const double empty = m.empty_value;
    const bool auxiliary = element == element_lin1 || element == element_lin2;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const teren& a = line[i - 1];
        const teren& b = line[i];
        if (auxiliary && (a.used.s1 == empty || a.used.s2 == empty || b.used.s1 == empty || b.used.s2 == empty))
            continue;
        const point3 start{a.reserved + a.gap.s2, level(a.used.s2), 0};
        const point3 end{b.reserved - b.gap.s1, level(b.used.s1), 0};
        element_line(element, start, end);
        if (element == element_ter) sheet.ground_segments.push_back({start, end});
    }

    // 3. The steps where a point's two levels differ.
    for (const teren& t : line)
        if (t.gap.s1 == 0 && t.gap.s2 == 0 && t.used.s1 != t.used.s2)
            element_line(element, {t.reserved, level(t.used.s1), 0}, {t.reserved, level(t.used.s2), 0});

    // What the inserted points write into the table.
    dane_pod_profil* own_row = band_row(line_row_key(element));
    const bool own_row_drawn = own_row && (own_row->shown || own_row->forced);
    const dane_pod_profil* terrain_row = band_row("teren");
    const bool terrain_shown = terrain_row && terrain_row->shown;
    const dane_pod_profil* depth_row = band_row("zaglebienie");
    const bool depth_values = checked(topcje->cb_PipeDepthWhereExtraTerrainOrdinate) && depth_row && depth_row->shown;
    const bool pipe_values = checked(topcje->cb_PipeOrdinateWhereExtraTerrainOrdinate);
    const bool ticks = element_drawn(element_koment, profile);
    const int colour = checked(topcje->cb_TextColorInTableLikeForType) ? font_colour(7) : font_colour(1);
    const int pipe_level = checked(topcje->cb_AlwaysShowBottomPipe) ? 0 : p.rzedna;
    const int depth_level = checked(topcje->cb_DepthAlways2BottomPipe) ? 0 : p.rzedna;

    // A tick across a row and a vertical value text at x, ending short of
    // the row's text line.
    auto tick = [&](const dane_pod_profil& row, double x) {
        if (ticks)
            element_line(element_koment, {x, -row.position * u, 0}, {x, -(row.position + row.height / 100.0) * u, 0});
    };
    auto value = [&](const dane_pod_profil& row, double x, double v, bool incoming) {
        const std::string shown = row_value_text(row, v);
        tekst style;
        style.text = shown;
        style.type = 't';
        style.position = -1;
        apply_text_style(style, "t_pro", style);
        style.colour = static_cast<uint8_t>(colour);
        const double ax = incoming ? x - style.near_offset * u : x + style.far_offset * u;
        const point3 alignment{ax, -(0.5 * table_text_height() / 19 + row.position) * u, 0};
        const point3 insertion = label_offset(alignment, "y", row.position, shown, style.width_factor);
        text(style, shown, insertion, alignment, style.height * u, 90, 1);
    };

    for (const teren& t : line) {
        const double x = t.reserved;
        const bool inserted = !t.is_node;
        // 4. The description.
        bool left_out = false;
        if (!t.text.empty()) {
            left_out = element == element_terp && inserted && terrain_shown && starts_with(t.text, "^*");
            if (!left_out) {
                std::string description = starts_with(t.text, "^*") ? t.text.substr(2) : t.text;
                const int entry = inserted ? ordinate_entry(p, t, description) : -1;
                if (entry >= 0) rzedne_uzupelnij_opis(description, static_cast<uint16_t>(entry), profile, description);
                if (!description.empty()) {
                    tekst record;
                    record.text = std::move(description);
                    record.position = x;
                    record.y = level(std::min(t.used.s1, t.used.s2)) - 0.02 * u;
                    record.type = 't';
                    record.second_flag = 0;
                    apply_text_style(record, "t_terd", record);
                }
            }
        }
        if (!inserted) continue;
        // 5. The point's own values in its line's row.
        if (own_row_drawn) {
            tick(*own_row, x);
            value(*own_row, x, t.used.s1, true);
            if (t.used.s2 != t.used.s1) value(*own_row, x, t.used.s2, false);
        }
        if (left_out) continue;
        // 6. The pipe there, its depth and the chainage.
        if (pipe_values || depth_values) {
            bottom_ordinate pipe;
            rzedna_dna(profile, pipe, t.chainage);
            if (pipe.ordinate != no_ordinate) {
                const double d = fi(profile, static_cast<int>(pipe.segment), "s1");
                if (pipe_values) write_band_value("dno", 't', colour, pipe.ordinate + d * pipe_level / 2000, t.chainage);
                if (depth_values) {
                    const double bottom = pipe.ordinate + d * depth_level / 2000;
                    tick(*depth_row, x);
                    value(*depth_row, x, t.used.s1 - bottom, true);
                    if (t.used.s2 != t.used.s1) value(*depth_row, x, t.used.s2 - bottom, false);
                }
            }
        }
        write_band_value("odleglosc", 't', colour, t.chainage, t.chainage);
    }

    // 7.
    line.clear();
}

void DXF_Writer::crossing(int index, uint16_t profile, double x, double y, double ordinate, double diameter,
                          bool node_object) {
    const auto& profiles = model().profiles;
    if (profile >= profiles.size()) return;
    const odcinek& p = profiles[profile];
    const kolizja* record = nullptr;
    if (!node_object) {
        if (index < 0 || static_cast<std::size_t>(index) >= p.crossings.size()) return;
        record = &p.crossings[static_cast<std::size_t>(index)];
    }
    const double vf = drawing().y_factor;
    const double hf = p.drawing_block;
    if (diameter == ordinate || diameter == 0) diameter = 40;
    const double r = diameter / 2000;
    const double big_d = diameter / 1000;
    const linia_def& symbols = settings().line_defs.at(element_obi_symb);
    const bool leaders = element_drawn(element_koment, profile);
    const double height = record ? record->height : 0;

    // 1. The section: the symbol, or a duct's rectangle standing on the
    // ordinate.
    if (node_object || height == 0)
        insert(crossing_block, {x, y + r * vf, 0}, {r * hf, r * vf, 1}, 0, 0, symbols.layer);
    else
        rectangle({.origin = {x - r * hf, y + height / 1000 * vf, 0},
                   .colour = 0,
                   .width = 2 * r * hf,
                   .height = height / 1000 * vf,
                   .layer = symbols.layer});

    // 2. A node object's crossing: its tick and ordinate.
    if (node_object) {
        if (leaders) element_line(element_koment, {x, y, 0}, {x + 0.4 * hf, y, 0});
        if (checked(topcje->cb_CrossingOrdinate)) comment_label(Format("%f", {ordinate}), true, x, y, true, false);
        return;
    }

    // 3. A crossing of the profile.
    const kolizja& k = *record;
    const bool dynamic = checked(topcje->cb_DynamicCrossingOrdinate);
    const bool below = k.clearance < 0;
    const double q = below && dynamic ? y + big_d * vf : y;
    if (leaders) element_line(element_koment, {x, q, 0}, {x + 0.4 * hf, q, 0});
    // 3.1 The clearance as a dimension from the tick to the pipe.
    if (checked(topcje->cb_DimensionBetweenCrossingAndPipe) && k.clearance != 0 && k.clearance != no_ordinate) {
        const double a = k.clearance >= 0 || dynamic ? 0 : big_d;
        draw_dimension({x, q, 0}, true, -(k.clearance - a), true, true, 15);
    }
    // 3.2
    if (checked(topcje->cb_CrossingOrdinate)) {
        if (below && dynamic)
            comment_label(Format("%f", {ordinate + big_d}), true, x, q, true, true);
        else
            comment_label(Format("%f", {ordinate}), true, x, q, true, false);
    }
    // 3.3 A second size about the same centre.
    if (k.diameter2 > 0) {
        const double r2 = k.diameter2 / 2000;
        if (k.height == 0) {
            insert(crossing_block, {x, y + r * vf, 0}, {r2 * hf, r2 * vf, 1}, 0, 0, symbols.layer);
        } else {
            const double bottom = y - (k.diameter2 - diameter) / 2000 * vf;
            const double tall = (k.height + k.diameter2 - diameter) / 1000 * vf;
            rectangle({.origin = {x - r2 * hf, bottom + tall, 0},
                       .colour = 0,
                       .width = 2 * r2 * hf,
                       .height = tall,
                       .layer = symbols.layer});
        }
    }
    // 3.4 Crossed out when it is to be removed.
    if (k.to_remove && leaders) {
        element_line(element_koment, {x - r * hf, y - r * vf, 0}, {x + r * hf, y + 3 * r * vf, 0});
        element_line(element_koment, {x - r * hf, y + 3 * r * vf, 0}, {x + r * hf, y - r * vf, 0});
    }
    // 3.5 The description, for the arrangement of the vertical texts.
    std::string description;
    if (checked(Form1->cb_CrossingDescLikeInEditor)) {
        const int mode = tkolizje ? tkolizje->rg_PipeOrdinateMode->ItemIndex() : 0;
        kolizje_uzupelnij_opis(k.description, static_cast<uint16_t>(index), profile, mode, description);
    } else {
        description = tskojarzone->wypelnij_linie(Form1->e_CrossingDescription->Text(), "txt", profile, index, 0, -1);
    }
    const char type = k.projected ? 'l' : 'k';
    if (!description.empty()) {
        tekst record_text;
        record_text.text = std::move(description);
        record_text.position = x;
        record_text.y = y;
        record_text.second_flag = 0;
        record_text.type = type;
        apply_text_style(record_text, k.projected ? "t_kolp" : "t_kol", record_text);
    }
    // 3.6 The colour of its values in the table.
    int colour = font_colour(k.projected ? 5 : 4);
    if (checked(topcje->cb_CrossingsColorByMediumType)) {
        const auto& media = settings().crossing_media;
        const auto it = std::find(media.begin(), media.end(), AnsiLowerCase(k.medium));
        if (it != media.end()) {
            const int row = static_cast<int>(it - media.begin()) + 1;
            const TStringGrid& colours = *topcje->sag_CrossingsFonts;
            const std::string& designed = colours.Cells(1, row);
            if (!k.projected || (designed.size() == 1 && designed[0] == check_off))
                colour = StrToInt(Trim(colours.Cells(2, row))) & 0xFF;
        }
    }
    if (!checked(topcje->cb_TextColorInTableLikeForType)) colour = font_colour(1);
    // 3.7 Its chainage and the pipe's level there.
    const double chainage = k.chainage + k.distance;
    if (checked(topcje->cb_CrossingDistance)) write_band_value("odleglosc", type, colour, chainage, chainage);
    if (checked(topcje->cb_CrossingPipeOrdinate)) {
        bottom_ordinate pipe;
        rzedna_dna(profile, pipe, chainage);
        if (pipe.ordinate != no_ordinate) {
            const int level = checked(topcje->cb_AlwaysShowBottomPipe) ? 0 : p.rzedna;
            const double d = fi(profile, static_cast<int>(pipe.segment), "s1");
            write_band_value("dno", type, colour, pipe.ordinate + d * level / 2000, chainage);
        }
    }
}
