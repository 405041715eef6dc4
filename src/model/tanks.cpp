#include "model/tanks.h"

#include <array>

#include "model/messages.h"
#include "model/objects.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/sysutils.h"

void usun_osadnik(uint16_t profile, int node, int index) {
    if (index < 0) index = znajdz_obiekt(profile, node);
    auto& tanks = model().profiles.at(profile).tanks;
    if (index < 0 || static_cast<std::size_t>(index) >= tanks.size()) return;
    tanks.erase(tanks.begin() + index);
}

void usun_nieuzywane_osadniki(uint16_t profile) {
    odcinek& p = model().profiles.at(profile);
    for (std::size_t i = p.tanks.size(); i-- > 0;) {
        const uint16_t id = p.tanks[i].adds.node_id;
        for (const wezel& w : p.nodes) {
            if (w.id != id || jest_obiekt2(w.obiekt, "osadnikopodobne")) continue;
            usun_osadnik(profile, -1, static_cast<int>(i));
            break;
        }
    }
}

bool has_treatment_code(const std::string& object) {
    const std::string t = LowerCase(object);
    for (const char* code : {"epurbloc", "sl-fe", "sl-sg"})
        if (t.find(code) != std::string::npos) return true;
    return false;
}

namespace {

// One cover of an element; sizes in millimetres.
struct cover_row {
    uint16_t width = 0;
    uint16_t length = 0;  // 0: a round cover
    uint16_t distance_from_left = 0;
    uint16_t extension_height = 0;  // one extension ring
    uint16_t height = 0;            // the neck
    uint16_t filter_diameter = 0;
    uint16_t filter_top_to_pipe_bottom_distance = 0;
    int8_t max_extension_count = 0;
};

// One element of a small household treatment plant. Sizes in millimetres,
// volume in litres; heights of the inlet and outlet inverts above the
// inside bottom.
struct element_row {
    const char* name;   // the object text that names it
    const char* title;  // the tank's name
    const char* type;   // its code
    int32_t volume;
    uint16_t length;
    uint16_t width;
    uint16_t height;  // overall, covers included
    uint16_t height_inlet_bottom;
    int16_t height_outlet_bottom;
    uint16_t inlet_diameter;
    int32_t r_top_inlet;  // top corner radii
    int32_t r_top_outlet;
    uint16_t r_bottom;
    uint16_t thickness;  // the inner outline lies thickness / 10 inside
    uint16_t partition1_left;
    int16_t partition1_height;  // > 0 rising from the bottom, < 0 hanging from the top, 0 full height
    uint16_t partition2_left;
    int16_t partition2_height;
    uint16_t base1_width;  // two feet, both base1_height high
    uint16_t base1_height;
    uint16_t base1_distance_from_left;
    uint16_t base2_width;
    uint16_t base2_distance_from_right;
    uint16_t basement_width;  // base slab
    uint16_t basement_length;
    uint16_t basement_height;
    std::array<cover_row, 3> covers;
};

// A two-chamber polyethylene septic tank of 2000 l and one of 3000 l, the
// separator chamber before the filter, and the filter bed.
const element_row elements[] = {
    {"epurbloc", "Osadnik gnilny EPURBLOC 2000 l", "epurbloc", 2000, 1800, 1100, 1650, 1200, 1150, 110, 200, 200,
     200, 100, 1200, -500, 0, 0, 200, 50, 250, 200, 250, 1300, 2000, 100,
     {cover_row{600, 0, 200, 300, 250, 0, 0, 2}, cover_row{600, 0, 1000, 300, 250, 0, 0, 2}, cover_row{}}},
    {"epurbloc 3000", "Osadnik gnilny EPURBLOC 3000 l", "epurbloc", 3000, 2300, 1250, 1750, 1250, 1200, 110, 200,
     200, 200, 100, 1500, -500, 0, 0, 200, 50, 300, 200, 300, 1450, 2500, 100,
     {cover_row{600, 0, 250, 300, 250, 0, 0, 2}, cover_row{600, 0, 1450, 300, 250, 0, 0, 2}, cover_row{}}},
    {"sl-sg", "Separator zawiesiny", "sl-sg", 300, 800, 700, 1050, 700, 650, 110, 150, 150, 150, 100, 0, 0, 0, 0,
     0, 0, 0, 0, 0, 900, 1000, 100, {cover_row{600, 0, 100, 300, 200, 0, 0, 2}, cover_row{}, cover_row{}}},
    {"sl-fe", "Złoże filtracyjne"_cp, "sl-fe", 1000, 1500, 1000, 1100, 800, 150, 110, 150, 150, 150, 100, 0, 0, 0, 0,
     0, 0, 0, 0, 0, 1200, 1700, 100,
     {cover_row{600, 0, 450, 300, 200, 0, 0, 2}, cover_row{160, 0, 1300, 0, 0, 110, 0, 0}, cover_row{}}},
};

}  // namespace

bool osadnik_dane2(mat_osadnik& record, const std::string& lowered_text) {
    record = mat_osadnik{};
    const std::string key = LowerCase(Trim(lowered_text));
    for (const element_row& e : elements) {
        if (key != e.name) continue;
        record.main.name = e.title;
        record.adds.type = e.type;
        record.volume = e.volume;
        record.length = e.length;
        record.width = e.width;
        record.height = e.height;
        record.height_inlet_bottom = e.height_inlet_bottom;
        record.height_outlet_bottom = e.height_outlet_bottom;
        record.inlet_diameter = e.inlet_diameter;
        record.r_top = {e.r_top_inlet, e.r_top_outlet};
        record.r_bottom = e.r_bottom;
        record.thickness = e.thickness;
        record.partition1_left = e.partition1_left;
        record.partition1_height = e.partition1_height;
        record.partition2_left = e.partition2_left;
        record.partition2_height = e.partition2_height;
        record.base1_width = e.base1_width;
        record.base1_height = e.base1_height;
        record.base1_distance_from_left = e.base1_distance_from_left;
        record.base2_width = e.base2_width;
        record.base2_distance_from_right = e.base2_distance_from_right;
        record.basement_width = e.basement_width;
        record.basement_length = e.basement_length;
        record.basement_height = e.basement_height;
        for (std::size_t c = 0; c < e.covers.size(); ++c) {
            const cover_row& from = e.covers[c];
            tank_cover& to = record.covers[c];
            to.width = from.width;
            to.length = from.length;
            to.distance_from_left = from.distance_from_left;
            to.extension_height = from.extension_height;
            to.height = from.height;
            to.filter_diameter = from.filter_diameter;
            to.filter_top_to_pipe_bottom_distance = from.filter_top_to_pipe_bottom_distance;
            to.max_extension_count = from.max_extension_count;
        }
        return true;
    }
    return false;
}

std::vector<std::string> treatment_element_names() {
    std::vector<std::string> names;
    for (const element_row& e : elements) names.emplace_back(e.name);
    return names;
}

std::string unknown_treatment_element_message(const std::string& text) {
    std::string known;
    for (const std::string& n : treatment_element_names()) known += (known.empty() ? "" : ", ") + n;
    return format_language_text(
        msg("msg_TreatmentElementUnknown",
            "Nie znaleziono wymiarów elementu oczyszczalni: \"%s\".%sZnane elementy: %s."_cp),
        {text, "\r\n", known});
}

std::string find_object_file(const std::string& path) {
    if (path.empty()) return {};
    if (FileExists(path)) return path;
    const std::string name = ExtractFileName(path);
    if (name.empty()) return {};
    const std::string folder = ExtractFileDir(path);
    const std::string wanted = AnsiLowerCase(name);
    for (const std::string& f : list_folder(folder, "*", false))
        if (AnsiLowerCase(f) == wanted) return path_join(folder, f);
    return {};
}
