// The object editor's reading of object files.
#include "forms/ed_obiekt.h"

#include <cstdint>

#include "model/pairs.h"
#include "model/records.h"
#include "model/state.h"
#include "model/tanks.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/sysutils.h"

namespace {

constexpr const char* section = "object";

// A whole-number key, cut to the width of its field.
template <class T>
T whole(const IniFile& ini, const std::string& key, int def = 0) {
    return static_cast<T>(ini.ReadInteger(section, key, def));
}

// The head and add-ons every object file carries; they also become the
// editor's working copies. The add-ons are bound to the current node of
// the node table when the current profile has nodes.
void read_head_and_adds(const IniFile& ini, mat_main& head, mat_adds& adds) {
    head.name = ini.ReadString(section, "name", "");
    adds.type = ini.ReadString(section, "type", "");
    adds.description = ini.ReadString(section, "description", "");
    adds.producer = ini.ReadString(section, "producer", "");
    adds.index = ini.ReadString(section, "index", "");
    adds.hide = ini.ReadBool(section, "hide", false);
    adds.color = StringToColor(ini.ReadString(section, "color", "clWhite"));
    adds.material = ini.ReadString(section, "material", "");
    adds.date = ini.ReadString(section, "date", "");
    model_state& m = model();
    if (m.current_profile < m.profiles.size()) {
        const auto& nodes = m.profiles[m.current_profile].nodes;
        const int row = view().current_node();
        if (row >= 0 && static_cast<std::size_t>(row) < nodes.size()) {
            adds.node_name = nodes[static_cast<std::size_t>(row)].wez;
            adds.node_id = nodes[static_cast<std::size_t>(row)].id;
        }
    }
    m.project.main_copy = head;
    m.project.adds_copy = adds;
}

}  // namespace

void TtObjectProp::czytaj_dane_osadnik(const std::string& file, mat_osadnik& tank) {
    // Object files come from systems that ignore letter case.
    const std::string found = find_object_file(file);
    const std::string path = found.empty() ? file : found;
    IniFile ini(path);
    read_head_and_adds(ini, tank.main, tank.adds);

    tank.volume = whole<int32_t>(ini, "volume");
    tank.length = whole<uint16_t>(ini, "length");
    tank.width = whole<uint16_t>(ini, "width");
    tank.height = whole<uint16_t>(ini, "height");
    tank.height_inlet_bottom = whole<uint16_t>(ini, "height_inlet_bottom");
    tank.height_outlet_bottom = whole<int16_t>(ini, "height_outlet_bottom");
    tank.inlet_diameter = whole<uint16_t>(ini, "inlet_diameter");
    for (std::size_t i = 0; i < tank.covers.size(); ++i) {
        const std::string cover = "cover" + IntToStr(static_cast<int>(i) + 1);
        tank_cover& c = tank.covers[i];
        c.length = whole<uint16_t>(ini, cover + "_length");
        c.width = whole<uint16_t>(ini, cover + "_width");
        c.distance_from_left = whole<uint16_t>(ini, cover + "_distance_from_left");
        c.height = whole<uint16_t>(ini, cover + "_height");
        c.extension_height = whole<uint16_t>(ini, cover + "_extension_height");
        c.max_extension_count = whole<int8_t>(ini, cover + "_max_extension_count");
        c.filter_diameter = whole<uint16_t>(ini, cover + "_filter_diameter");
        c.filter_top_to_pipe_bottom_distance = whole<uint16_t>(ini, cover + "_filter_top_to_pipe_bottom_distance");
    }
    const std::string r_top = ini.ReadString(section, "r_top", "0");
    tank.r_top = {static_cast<int32_t>(Round(wyciag(r_top, "s1"))), static_cast<int32_t>(Round(wyciag(r_top, "s2")))};
    tank.r_bottom = whole<uint16_t>(ini, "r_bottom");
    const std::string next = ini.ReadString(section, "file_next", "");
    tank.file_next = next.empty() ? std::string() : ExcludeTrailingPathDelimiter(ExtractFileDir(path)) + "\\" + next;
    tank.distance_to_next = whole<uint16_t>(ini, "distance_to_next", 500);
    tank.base1_distance_from_left = whole<uint16_t>(ini, "base1_distance_from_left");
    tank.base1_width = whole<uint16_t>(ini, "base1_width");
    tank.base1_height = whole<uint16_t>(ini, "base1_height");
    tank.base2_distance_from_right = whole<uint16_t>(ini, "base2_distance_from_right");
    tank.base2_width = whole<uint16_t>(ini, "base2_width");
    tank.basement_width = whole<uint16_t>(ini, "basement_width");
    tank.basement_length = whole<uint16_t>(ini, "basement_length");
    tank.basement_height = whole<uint16_t>(ini, "basement_height");
    tank.thickness = whole<uint16_t>(ini, "thickness");
    tank.partition1_left = whole<uint16_t>(ini, "partition1_left");
    tank.partition2_left = whole<uint16_t>(ini, "partition2_left");
    tank.partition1_height = whole<int16_t>(ini, "partition1_height");
    tank.partition2_height = whole<int16_t>(ini, "partition2_height");
}
