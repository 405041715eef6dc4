// The records of a project: profiles, nodes, line points, the attachments of
// a profile, the material and object records and the project record. All
// are plain values: copying a record copies its texts and arrays deeply.
// Fields stand in the order the project keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

// A node quantity that may differ on the two sides of a node: "s1" the
// incoming side, "s2" the outgoing side.
struct value_pair {
    double s1 = 0;
    double s2 = 0;
    value_pair() = default;
    value_pair(double a, double b) : s1(a), s2(b) {}
    explicit value_pair(double v) : s1(v), s2(v) {}
    bool operator==(const value_pair&) const = default;
};

// One point of a prepared line (existing terrain, design terrain, line 1,
// line 2) or of the working line.
struct teren {
    double reserved = 0;
    double chainage = 0;
    value_pair entered;
    value_pair used;
    value_pair gap;
    uint8_t is_node = 0;
    std::string text;
    int32_t index = 0;
};

// --- attachments of a profile -----------------------------------------------
// Each is placed by a node id (0 = not attached), a copy of that node's
// chainage and a distance from the node; `row_map` is the annotation
// editor's working row map and is never stored.

// An additional ordinate on one of the profile's lines.
struct rzedne_npm {
    value_pair ordinate;
    std::string description;
    uint8_t line_code = 0;  // 0 existing terrain, 3 line 1, 4 line 2, 8 design terrain
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    uint16_t node_index = 0;
    double chainage = 0;
    double distance = 0;
};

// A terrain-description range.
struct teren_opis {
    std::string abbreviation;
    std::string description;
    std::string hatching;  // "grunt", or "brak" for none
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    double length = 0;
    double chainage = 0;
    double distance = 0;
    double drawn_x_from = 0;
    double drawn_x_to = 0;
};

// A plot-boundary mark.
struct granica_opis {
    std::string left_text;
    std::string right_text;
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    double chainage = 0;
    double distance = 0;
    double angle = 90;
    bool automatic = false;
};

// A casing pipe.
struct oslonowa {
    std::string material;
    std::string description;
    std::string kind;
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    double length = 0;  // negative: towards lower chainages
    double diameter = 0;
    double chainage = 0;
    double distance = 0;
};

// A crossing with another utility.
struct kolizja {
    std::string medium;
    std::string description;
    std::string node_label;  // built, not stored
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    uint16_t twin_profile_id = 0;
    uint16_t twin_node_id = 0;
    double ordinate = 0;
    double diameter = 0;
    double diameter2 = 0;
    double height = 0;
    double chainage = 0;
    double distance = 0;
    double twin_distance = 0;
    double pipe_ordinate = 0;
    double depth = 0;
    double clearance = 0;
    double angle = 90;
    bool projected = false;
    bool to_remove = false;
    bool constant_depth = false;
    bool automatic = false;
};

// A cross-section mark with its soil layers (each list item followed by the
// byte 0x1E).
struct przekroj {
    std::vector<std::string> layer_name_list;
    std::vector<std::string> layer_abbreviation_list;
    std::vector<std::string> layer_thickness_list;
    std::string name;
    std::string layer_names;
    std::string layer_abbreviations;
    std::string layer_thicknesses;
    uint16_t node_id = 0;
    uint16_t row_map = 0;
    double chainage = 0;
    double distance = 0;
    double ground_water = -111.0;  // -111.0 = none
};

// --- material and object records --------------------------------------------

struct mat_main {
    std::string name;
    int32_t id = 0;
    int32_t unit = 0;  // unit code
    double quantity = 0;
    double quantity2 = 0;  // second amount
};

struct mat_adds {
    std::string description;
    std::string producer;
    std::string type;
    std::string index;      // catalogue index
    std::string node_name;  // the node the object was put on
    std::string material;
    std::string date;
    uint16_t node_id = 0;
    bool hide = false;
    TColor color = clWhite;
    uint8_t cad_color = 0;
};

// One line of a bill of materials.
struct mat_stat {
    mat_main main;
    mat_adds adds;
};

// A pipe series (object kind "pipe"); the id of `main` is the series id.
// The four lists run parallel, one row per size.
struct mat_rura_typosz {
    mat_main main;
    mat_adds adds;
    std::vector<std::string> thickness;
    std::vector<std::string> indexes;
    std::vector<std::string> length;
    std::vector<std::string> diameter;  // whole millimetres, or two joined by "/"
    std::string pipe_class;             // "class"
    std::string sdr;
    std::string sn;
    std::string pn;
    std::string roughness;
    std::string medium;
    std::string mop;
};

// A sump of the project list. Sizes in whole millimetres.
struct mat_studzienka {
    mat_main main;
    mat_adds adds;  // node name = the node it serves
    bool anchor2ground = false;
    bool without_bottom = false;
    bool drop = false;
    int8_t max_extension_count = 0;  // negative: the body is always "height_all" high
    uint16_t height_all = 0;
    uint16_t diameter = 200;
    uint16_t cover_diameter = 0;
    uint16_t cover_height = 0;
    uint16_t cone_height = 0;
    uint16_t thickness = 0;
    uint16_t bottom_thickness = 0;
    uint16_t filter_diameter = 0;
    uint16_t filter_top_to_pipe_bottom_distance = 0;
    uint16_t drop_diameter = 0;
    uint16_t drop_corr_y = 0;
    uint16_t height_bottom2inlet = 0;
    uint16_t cover_distance_from_border = 0;
    uint16_t extension_height = 0;
    uint16_t height_above_terrain = 0;
    int16_t drop_size = 0;  // computed drop-pipe diameter
    int32_t height_ordinate = 0;
    int32_t bottom = 5000000;  // computed bottom ordinate; 5000000 = not connected
    std::string connections;   // "inlets": the links of the nodes it serves, each followed by 0x1E
    std::string inlet_nodes;   // computed inlet list
    std::string inlet_diameters;
    std::string inlet_angles;
    std::string inlet_ordinates;
    std::string fittings;
    std::string extra_inlet;
    char kind = '0';
    // Computed with the bottom, never stored.
    uint16_t total_height = 0;     // height of the body to draw and count
    uint8_t fittings_count = 0;    // items of the fittings text
    bool volume_pending = false;   // not yet counted by the earthwork volumes of this pass
    bool drawing_pending = false;  // not yet drawn in this pass
};

// One of the three covers of a tank.
struct tank_cover {
    uint16_t width = 0;
    uint16_t length = 0;
    uint16_t distance_from_left = 0;
    uint16_t extension_height = 0;
    uint16_t height = 0;
    uint16_t filter_diameter = 0;
    uint16_t filter_top_to_pipe_bottom_distance = 0;
    int8_t max_extension_count = 0;
};

// A tank-like object of a profile (septic tank, separator, chamber).
struct mat_osadnik {
    mat_main main;
    mat_adds adds;
    std::array<int32_t, 2> r_top{};  // top corner radius of sides 1 and 2
    int16_t height_outlet_bottom = 0;
    int32_t volume = 0;
    uint16_t length = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t height_inlet_bottom = 0;
    uint16_t inlet_diameter = 0;
    uint16_t r_bottom = 0;
    uint16_t distance_to_next = 500;
    uint16_t partition1_left = 0;
    uint16_t partition2_left = 0;
    uint16_t base1_width = 0;
    uint16_t base1_height = 0;
    uint16_t base1_distance_from_left = 0;
    uint16_t base2_width = 0;
    uint16_t base2_distance_from_right = 0;
    uint16_t basement_width = 0;
    uint16_t basement_length = 0;
    uint16_t basement_height = 0;
    uint16_t thickness = 0;
    int16_t partition1_height = 0;
    int16_t partition2_height = 0;
    std::string file_next;  // object file of the next chamber
    std::array<tank_cover, 3> covers{};
};

// --- node and profile -------------------------------------------------------

// The earthwork quantities of a node (`wezel.volumes`, accumulated over the
// work attributed to it) and the totals of a profile (`odcinek.volume_totals`,
// the two widths unused there): areas in m2, volumes in m3, lengths in m.
enum volume_slot : int {
    vs_turf_area = 0,
    vs_walls_area = 1,
    vs_volume_excavation = 2,
    vs_volume_sidefill = 3,
    vs_volume_bedding = 4,
    vs_width_bedding_top = 5,
    vs_width_sidefill_top = 6,
    vs_drainage_beds_length = 7,
    vs_volume_cut = 8,
    vs_volume_embankment = 11,
    vs_volume_to_exchange = 12,
    vs_infrastructure_area = 13,
};

// One node of a profile: one row of the main table.
struct wezel {
    uint16_t id = 0;
    int16_t rings = 0;
    value_pair lin;
    value_pair lin2;
    value_pair ter;
    value_pair ter_used;
    value_pair terp;
    value_pair terp_used;
    value_pair dno;
    value_pair zag;
    value_pair depth_below_terrain;
    value_pair fi;
    value_pair lin_used;
    value_pair lin2_used;
    value_pair temp;
    value_pair szer;
    std::array<value_pair, 2> drawing_position{};
    std::array<double, 2> old_flow{};
    double flow = 0;
    double flow_in = 0;
    double dlug = 0;
    double spad = 0;
    double odl = 0;
    double kat = 0;
    double sflow = 0;
    double calc1 = 0;
    double rad = 0;
    std::string mat;
    std::string obiekt;
    std::string kom;
    std::string wez;
    std::string result;
    std::string var;
    std::string var2;
    std::string scheme_label;
    std::string spare_text;
    double dx = 0;
    double dy = 0;
    double direction = 0;
    std::array<double, 3> scheme_block{};
    std::array<double, 3> table_block{};
    double wsplx = 0;
    double wsply = 0;
    double arc_center_x = 0;
    double arc_center_y = 0;
    std::array<double, 14> volumes{};
    std::array<uint8_t, 4> marks{};
    int16_t tidx = -1;
    int16_t object_index = -1;
    int32_t series_index = -1;
    int32_t size_index = -1;
    int32_t scale = 0;
    double draw_factor = 0;
    double draw_x = 0;
    bool operator==(const wezel&) const = default;
};

// Extremes of one profile and the node index (as a real) of each.
struct profile_statistics {
    double depth_max = 0;
    double depth_min = 0;
    double slope_max = 0;
    double slope_min = 0;
    double sections_quantity = 0;
    double section_max = 0;
    double depth_max_node = 0;
    double depth_min_node = 0;
    double slope_max_node = 0;
    double slope_min_node = 0;
    double section_max_node = 0;
    double terrain_max = 0;
    double terrain_min = 0;
    double terrain_max_node = 0;
    double terrain_min_node = 0;
    double spare1 = 0;
    double spare2 = 0;
};

// The kinds of the four prepared lines of a profile.
enum class line_kind { terrain = 0, design_terrain = 1, line1 = 2, line2 = 3 };

// One profile: one pipeline run, one tab of the main window.
struct odcinek {
    std::string nazwa;
    std::string scheme_text;
    std::string paired_ids;
    double startX = 0;
    double startY = 0;
    double startAngle = 0;
    int32_t pskalax = 0;
    double drawing_block = 0;
    double poziom_wart = 0;
    double length = 0;
    double drawn_width = 0;
    double sheet_x = 0;
    std::array<double, 2> tank_volumes{};  // the tanks' volume and their excavation
    bool poziom = false;
    bool pskala = false;
    bool rysuj = false;
    bool rownol = false;
    bool pl2r_wart = false;
    bool pl2r = false;
    bool flows_done = false;
    bool sum_forward = false;
    uint8_t crossing_source = 0;
    bool terrain_edited = false;
    uint8_t stala = 0;             // kept value: 0 pipe ordinate, 1 depth, 2 slope, 3 all
    uint8_t stala_odleglosci = 0;  // 0 lengths entered, 1 chainages entered
    uint8_t rzedna = 0;            // pipe level referred to: 0 bottom, 1 axis, 2 top
    bool on_scheme = false;
    profile_statistics statistics;
    std::vector<rzedne_npm> ordinates;
    std::vector<wezel> nodes;
    std::vector<oslonowa> casings;
    std::vector<kolizja> crossings;
    std::vector<przekroj> sections;
    std::vector<mat_stat> bill;
    std::vector<mat_stat> added_materials;
    std::vector<mat_osadnik> tanks;
    std::vector<teren_opis> terrain_descriptions;
    uint8_t domysl_typ_kresk = 0;
    std::vector<granica_opis> boundaries;
    std::array<std::vector<teren>, 4> terrain_lines;  // by line_kind
    uint16_t idp = 0;
    uint16_t scheme_mark = 0;
    int8_t main_typosz_id = -1;
    std::array<double, 14> volume_totals{};
    char networktype = 'i';
};

// --- project ----------------------------------------------------------------

// Project and investor data, in the order of the keys of [dane_proj].
struct projekt_dane {
    std::string inwestor;
    std::string inor_miejscowosc;
    std::string inor_kod;
    std::string inor_poczta;
    std::string obiekt;
    std::string inwestycja;
    std::string miejscowosc;
    std::string kod;
    std::string poczta;
    std::string gmina;
    std::string dzialka;
    std::string branza;
    std::string nr_zlecenia;
    std::string data;
    std::string wlas1;
    std::string wlas2;
    std::string wlas3;
};

// The statistics of the whole project: the totals, extremes and counts of
// the profiles included in the drawing, with the node and profile of each
// extreme (indices held as reals).
struct project_statistics {
    double depth_max = 0;
    double depth_min = 0;
    double slope_max = 0;
    double slope_min = 0;
    double length = 0;
    double sections_quantity = 0;
    double section_max = 0;
    double depth_max_node = 0;
    double depth_min_node = 0;
    double slope_max_node = 0;
    double slope_min_node = 0;
    double section_max_node = 0;
    double depth_max_profile = 0;
    double depth_min_profile = 0;
    double slope_max_profile = 0;
    double slope_min_profile = 0;
    double section_max_profile = 0;
    double volume_excavation = 0;
    double volume_sidefill = 0;
    double volume_bedding = 0;
    double volume_embankment = 0;
    double volume_cut = 0;
    double volume_to_exchange = 0;
    double turf_area = 0;
    double walls_area = 0;
    double infrastructure_area = 0;
    double drainage_beds_length = 0;
    double tanks_volume = 0;
    double tank_excavation_volume = 0;
    uint16_t crossings_count = 0;
    uint16_t joints_count = 0;
    uint16_t wall_passages_count = 0;
    uint16_t pumpstations_count = 0;
};

// The network type letters, in the order of the per-type bills.
inline constexpr char network_letters[] = "wkdgcmi";

// The one project record.
struct projekt {
    projekt_dane dane;
    std::vector<mat_stat> bill;
    std::array<std::vector<mat_stat>, 7> network_bills;  // by network_letters
    project_statistics statistics;
    std::vector<mat_studzienka> sumps;
    std::vector<mat_rura_typosz> pipe_series;  // at most 100
    // The object editor's working copies, one per object kind.
    mat_main main_copy;
    mat_adds adds_copy;
    mat_studzienka sump_copy;
    mat_rura_typosz series_copy;
    mat_osadnik tank_copy;
    int32_t next_typosz_id = 0;
    std::vector<uint64_t> counted_nodes;  // nodes already counted by the bill of materials
    std::array<double, 4> sheet_origins{};  // profile sheet x, y; cross-section sheet x, y
    int16_t main_profile = -1;
    std::string ConfigFile;
};

// One entry of the warnings list.
struct error_spec {
    char kind = 0;
    std::string title;
    std::string message;
    uint16_t first = 0;
    uint16_t second = 0;
    TColor color = clYellow;
};
