// The drawing writer: builds the drawing file "rysunek.dxf" in memory, as
// chunks of code and value lines, and streams it out once through a
// temporary file renamed over the target, so a failure while drawing leaves
// the old file as it was. The primitives every sheet uses (texts in the
// settings' styles, rectangles, arrows, scale bars, level marks,
// dimensions, the title block) write their entities into the chunks at
// once, each layer group in the spelling the layer table declares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "drawing/dxf_groups.h"
#include "drawing/dxf_sections.h"
#include "drawing/geometry.h"
#include "drawing/profile_sheet.h"
#include "platform/types.h"

// One placed text of the drawing writer.
struct tekst {
    std::string text;
    // Set: the style leaves the offsets on their side (no mirroring).
    uint8_t keep_side = 0;
    // Read by the profile sheet's arrangement: one more leader line for a
    // first-line record that carries it.
    uint8_t second_flag = 0;
    // Set on the first line of a text split at "\P".
    uint8_t first_line = 0;
    // Set by the profile sheet's arrangement.
    uint8_t moved = 0;
    double near_offset = 0;  // metres
    double far_offset = 0;   // metres
    double height = 0;       // metres
    uint8_t colour = 0;
    double width_factor = 0;
    // x of the anchor along the sheet; -1: the text takes no part in the
    // arrangement.
    double position = -1;
    double y = 0;  // the anchor's second coordinate
    double arranged_position = 0;
    std::string layer;
    // The kind of value a text of the table under the profile shows: "g"
    // plot boundary, "k" existing crossing, "l" designed crossing, "o"
    // casing pipe, "t" terrain or auxiliary line, other letters the table's
    // own values.
    char type = 0;
};

// The arguments of DXF_Writer::rectangle, named, so that a call says which
// is which: the top-left corner is (origin.x + dx, origin.y - dy), the
// rectangle `width` wide and `height` high downward (drawing units). Each
// edge of "top, right, bottom, left" is drawn when its character of `edges`
// is "1"; a pattern that is not exactly four characters draws all four.
struct granica_opis;
struct oslonowa;
struct teren_opis;

struct rectangle_spec {
    point3 origin{};
    int colour = 0;
    double dx = 0;
    double dy = 0;
    double width = 0;
    double height = 0;
    std::string layer;
    std::string edges = "1111";
};

class DXF_Writer {
public:
    // Keeps the path the drawing goes to; nothing is opened or written
    // until the whole file is in the buffer.
    explicit DXF_Writer(std::string path);
    // Drops the buffer; the file is left as it was unless the drawing was
    // written out.
    ~DXF_Writer();
    DXF_Writer(const DXF_Writer&) = delete;
    DXF_Writer& operator=(const DXF_Writer&) = delete;

    const std::string& path() const { return path_; }
    // The groups written so far.
    dxf_group_output& out() { return out_; }
    const dxf_group_output& out() const { return out_; }

    // The sheet's extents, set by the header writer.
    point3 extents_max{};
    point3 extents_min{};

    // The comment-like texts of the sheet being drawn, which the profile
    // sheet arranges; emptied when a drawing starts.
    std::vector<tekst> drawing_texts;
    // The definitions of the pipe-bend blocks, one text each; emptied by the
    // header writer and put into the blocks section.
    std::vector<std::string> bend_blocks;
    // The names of the collected bend blocks, each once; forgotten when
    // bend_blocks is emptied.
    std::unordered_set<std::string> bend_block_names;

    // ---- the primitives ----

    // `out` = `in` with the style of a text kind ("t_pro", "t_opi",
    // "t_kom", "t_kol", "t_kolp", "t_osl", "t_terd", "t_sch") of the
    // settings' fonts table: height, colour, width factor, layer, the near
    // and far offsets; a comment-like text with a position also goes into
    // drawing_texts, one record per line. The style's height becomes the
    // font label_offset measures with.
    void apply_text_style(const tekst& in, std::string_view kind, tekst& out);
    // Where a text stands so that it ends short of `p`: mode "y", "x" or
    // "xr", `d` metres, `factor` the text's width factor.
    point3 label_offset(const point3& p, std::string_view mode, double d, std::string_view text,
                        double factor) const;
    void rectangle(const rectangle_spec& r);
    // A line of the element from (x1, y1) to (x2, y2) with its head at the
    // second point; with `head_at_end` false, from the second point to the
    // first with the head at the first.
    void arrow(bool head_at_end, int element, double x1, double y1, double x2, double y2);
    // An open box one metre of the layout long and the length it stands
    // for at the scale 1:`scale`.
    void scale_bar(const point3& p, int scale);
    // A level triangle standing on its apex `p`; with `second` a zigzag
    // below it.
    void level_mark(const point3& p, bool second);
    // A dimension line of `length` metres (signed) from `start`, vertical
    // (at the sheet's vertical factor) or horizontal (at the drawn
    // profile's horizontal factor), with ticks of half-length `tick`/1000
    // metres at the ends asked for and its length as a text. A length of 0
    // draws nothing.
    void draw_dimension(const point3& start, bool start_tick, double length, bool end_tick, bool vertical, int tick);
    // Every title-block box at the corner point.
    void write_title_block(const point3& corner);

    // A line on a drawing element (its colour and layer).
    void element_line(int element, const point3& a, const point3& b);
    // A line of a colour on a layer.
    void line(const point3& a, const point3& b, int colour, std::string_view layer);
    // A circle, an arc (degrees, counter-clockwise from `start` to `end`)
    // and an insert of a block, each of a colour on a layer.
    void circle(const point3& centre, double radius, int colour, std::string_view layer);
    void arc(const point3& centre, double radius, double start, double end, int colour, std::string_view layer);
    void insert(std::string_view block, const point3& at, const point3& scale, double rotation, int colour,
                std::string_view layer);
    // A TEXT in a style record's colour, width factor and layer.
    void text(const tekst& style, std::string_view text, const point3& insertion, const point3& alignment,
              double height, int rotation, int justification);

    // ---- geometry helpers ----

    // `from` (`base_end` 0) or `to` (`base_end` 1) moved by `d` along the
    // direction from `from` to `to`; z = 0.
    static point3 point_at_distance(const point3& from, const point3& to, double d, int base_end);
    // `p` turned about `centre` counter-clockwise by `degrees`; z = 0.
    static point3 rotate_point(const point3& centre, const point3& p, double degrees);
    // The base size of a fitting symbol in drawing units on the scheme
    // (mode 0) or the profile sheet (mode 1), for a pipe `pipe_size`
    // drawing units high.
    double symbol_size(int mode, double pipe_size) const;
    // How far from the node point the pipe begins (`end` 0) or ends (`end`
    // 1), in metres of the profile, by the node's object on the scheme
    // (mode 0) or the profile sheet (mode 1). `direction` is not used.
    double symbol_half_width(uint16_t profile, int node, int mode, int end, int direction = 0) const;

    // ---- the driver and the sections ----

    // The whole file into the buffer: HEADER (progress 10), TABLES (30),
    // BLOCKS (50), the chosen sheet's ENTITIES (100), then EOF; the progress
    // bar over the main window's status bar shows meanwhile unless the
    // preview has a window of its own.
    void write_drawing();
    // Prepares the sheet state and writes the HEADER section.
    void write_header();
    // The TABLES section: line types, the text style, the layers.
    void write_tables();
    // The LAYER table: each layer of the settings once, under its first
    // row's spelling.
    void write_layers();
    // The BLOCKS section: the symbol blocks the project needs, each once.
    void write_blocks();
    // The sheets: each writes its ENTITIES section.
    void draw_profile_sheet();
    void draw_scheme();
    void draw_cross_section();

    // ---- the profile sheet ----

    // The profile sheet's working state of this drawing.
    profile_sheet_state sheet;

    // The table under the profile: one row drawn from `top` (metres of the
    // layout) for the profile, with a title column `title_width` wide;
    // returns the next row's top.
    double write_band_row(const std::string& key, uint16_t profile, double title_width, double top, int row);
    // One value written into the row of `key` at a chainage between nodes;
    // `code` names the caller's kind of value and changes nothing drawn.
    void write_band_value(const std::string& key, char code, int colour, double value, double chainage);
    // A terrain description's start and end chainages in the row "odleglosc".
    void write_terrain_description_marks(const teren_opis& description);

    // The terrain, design-terrain and auxiliary lines of the profile.
    void draw_profile_lines(uint16_t profile);
    // Node by node: the node's objects, then its pipe segment to the next
    // node and its drop pipe into a sump.
    void draw_pipes_and_objects(uint16_t profile);
    // The user-defined lines drawn from rows of the table.
    void draw_user_lines(uint16_t profile);
    // The colour of a node's pipe lines: its pipe series' colour or the
    // sheet's pipe colour.
    int node_pipe_colour(uint16_t profile, int node) const;
    // A pipe run from `p1` to `p2` drawn as a bend of the start node's
    // radius: a block in true proportions, collected once per name, and
    // its insert; `block` receives the definition.
    void pipe_bend(const point3& p1, const point3& p2, uint16_t node, uint8_t element, bool extreme_label,
                   bool radius_label, std::string& block);
    // The central angle (degrees) of the chord XY of the circle about C
    // through X.
    static double chord_angle(const point3& c, const point3& x, const point3& y);

    // A free label: its leader lines and, with `write_text`, the text.
    void comment_label(const std::string& text, bool write_text, double x, double y, bool horizontal,
                       bool downward);
    // The plot-boundary mark of an entry at its chainage.
    void boundary_mark(const granica_opis& boundary, uint16_t profile);
    // The line held in the working terrain line, drawn as element 0, 3, 4
    // or 8 with its steps, descriptions and table values; then emptied.
    void auxiliary_line(int element);
    // A crossed utility's section and its annotations.
    void crossing(int index, uint16_t profile, double x, double y, double ordinate, double diameter,
                  bool node_object);
    // A casing pipe of the drawn profile.
    void draw_casing_pipe(const oslonowa& entry, double datum, int index);

    // The soil hatching under the drawn profile's terrain.
    void hatch_ground();
    void cut_ground(const ground_cut& cut);
    void hatch_segment(const point3& start, const point3& end, const std::string& kind);
    // The geotechnical columns of the profile.
    void draw_geotechnical_columns(uint16_t profile);
    // A node's vertical line and description, recorded for the arrangement.
    void add_node_description(uint16_t profile, int node);
    // Every recorded vertical text, sorted, spread apart and written with
    // its leaders.
    void write_vertical_texts();

    // ---- node objects on the profile sheet and the scheme ----

    // Every object of a node of the profile sheet.
    void draw_node_objects(uint16_t profile, int node);
    // The ditch symbol of a "rów" node of the drawn profile.
    void draw_ditch(int node);
    // The step of the pipe at a node with two pipe ordinates `a` and `b`
    // (metres) of diameters `c` and `d` (millimetres) at x, with ordinate
    // marks asked by `f` and `g`.
    uint16_t draw_drop(int node, bool flag, double a, double b, double c, double unused, double d, double x,
                       int f, int g);
    // The sump of a node (mode 1 profile and section sheets, 0 scheme):
    // the project sump's index, -1 for a chamber, negative when none.
    int draw_sump(uint16_t profile, int node, int mode);
    void draw_tank(int mode, int node, double x, double y, double angle = 0);
    void draw_building(uint16_t profile, int node, bool forward, int mode);
    void draw_riser(uint16_t profile, int node, int mode);
    // The extension rings of a neck up to the terrain; the ring count.
    uint8_t shaft_extension(bool opening, int node, double wall, int most_rings, double ring_height,
                            double opening_width, double missing_height, double top_y, double left_x);
    // The spelling the file gives a layer name (the one its layer table declares).
    const std::string& layer_name(std::string_view name) const { return layers_.spelling(name); }
    // Writes the file once: the bend blocks right after the BLOCKS header,
    // every layer in its declared spelling and, with [inne] "acad", the
    // handles numbered in file order; through a temporary file renamed
    // over the target.
    void write_out();

private:
    // The layer an entity of a style or element on `name` goes on
    // (valid_warstwa), found once per name.
    const std::string& entity_layer(std::string_view name);

    std::size_t blocks_at_ = std::string::npos;  // where the bend blocks go
    layer_spellings layers_;
    std::unordered_map<std::string, std::string, text_hash, std::equal_to<>> entity_layers_;

    std::string path_;
    dxf_group_output out_;
    // The font the last text style set, 100 pixels per metre of text
    // height; label_offset measures with it.
    std::string measure_face_ = "arial";
    double measure_pixels_ = 0;
};

// The nearest colour number (1 to 255) of a screen colour: the smallest sum
// of the red, green and blue differences over the fixed palette, the lowest
// number on a tie.
uint8_t tcolor2cadcolor(TColor colour);

// A description template with its placeholders filled for a node: "@m"
// material, "@d" diameter (of the segment before the node with
// `incoming`), "@o" second diameter when it differs, "@r" pipe ordinate and
// "@z" depth, at the node or `x` metres beyond it; each placeholder's first
// occurrence.
void uzupelnij_opis(const std::string& pattern, int node, uint16_t profile, double x, bool node_ordinate,
                    bool incoming, std::string& out);
