// The entities of a drawing: fifteen classes under DXF_Entity. The drawing
// writer makes lines, texts, circles, arcs and inserts and lets each write
// itself into the drawing file; the drawing-file reader makes every class;
// the preview and printing draw them and size the view by their extents.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/dxf_groups.h"
#include "drawing/geometry.h"
#include "platform/graphics.h"
#include "platform/types.h"

class Entity_List;
class Block_;

// The mapping of the preview or the printer: a world point, through the
// transform when one is given, to a device point (y growing downwards).
using dxf_projection = TPoint (*)(const void* owner, const point3& p, const matrix4* transform);

// The line-width mode of the print settings when the drawing file was last
// made: 0 draws lines and arcs with their layers' widths, any other value
// leaves the pen width to the caller. The drawing writer sets it.
extern int drawing_pen_width_mode;

// The screen colour of a colour number: the palette entry for 1 to 256; a
// negative number (a layer switched off) shows its absolute value when that
// is 1 to 255; any other number shows the colour of entry 7.
TColor drawing_colour_of(int colour_index);

// While it lives, entities of colour 256 (by layer) draw in `colour`: a
// layer's entity list draws its entities within one. An insert draws its
// attributes and block without it.
class by_layer_colour_scope {
public:
    explicit by_layer_colour_scope(TColor colour);
    ~by_layer_colour_scope();
    by_layer_colour_scope(const by_layer_colour_scope&) = delete;
    by_layer_colour_scope& operator=(const by_layer_colour_scope&) = delete;

private:
    TColor colour_;
    const TColor* saved_;
};

// While it lives, texts drawn through one projection and owner measure the
// pixel height of a text height once: the caller keeps the projection's
// view unchanged meanwhile (an entity list's drawing).
class text_height_memo_scope {
public:
    text_height_memo_scope();
    ~text_height_memo_scope();
    text_height_memo_scope(const text_height_memo_scope&) = delete;
    text_height_memo_scope& operator=(const text_height_memo_scope&) = delete;

private:
    bool saved_;
};

// The most polyline vertices an entity of the drawing file holds.
inline constexpr int max_polyline_vertices = 8192;
// The most attributes an insert holds.
inline constexpr int max_insert_attributes = 16;

// What an entity's drawing may touch: a box of points in the coordinates
// that the caller's transform takes (the entity's own transform applied)
// and a margin that no transform scales (a text's font is sized by the
// projection alone), added around the box once every transform is applied.
// Empty when nothing is drawn; not known when it cannot be told (then the
// entity is always drawn). The pixels a pen or a point's marker adds beyond
// the points are not in it.
struct entity_bounds {
    point3 min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
               std::numeric_limits<double>::infinity()};
    point3 max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
               -std::numeric_limits<double>::infinity()};
    double margin = 0;
    bool known = true;

    static entity_bounds unknown() {
        entity_bounds b;
        b.known = false;
        return b;
    }
    bool empty() const { return known && !(min.x <= max.x); }
    // A point with a NaN makes the bounds unknown.
    void add(const point3& p) {
        known = known && p.x == p.x && p.y == p.y && p.z == p.z;
        min.x = p.x < min.x ? p.x : min.x;
        min.y = p.y < min.y ? p.y : min.y;
        min.z = p.z < min.z ? p.z : min.z;
        max.x = p.x > max.x ? p.x : max.x;
        max.y = p.y > max.y ? p.y : max.y;
        max.z = p.z > max.z ? p.z : max.z;
    }
    void add(const entity_bounds& b);
    // The box through the transform (by its eight corners), the margin kept.
    entity_bounds transformed(const matrix4* m) const;
    // The box in the plane with the margin around it: world_box_empty when
    // nothing is drawn, world_box_unbounded when not known.
    world_box box() const;
};

class DXF_Entity {
public:
    DXF_Entity() = default;
    DXF_Entity(const DXF_Entity&) = delete;
    DXF_Entity& operator=(const DXF_Entity&) = delete;
    virtual ~DXF_Entity() = default;

    // "CONTINUOUS", "DASH", "DOT", "DASHDOT" and "DASHDOTDOT" choose the pen
    // style of lines and arcs.
    std::string line_type_name;
    int32_t line_width = 0;  // pixels when drawn
    TColor screen_colour = 0;
    int32_t colour_index = 0;  // 256 by layer, 0 by block
    // Present only when the extrusion direction is not exactly (0, 0, 1)
    // (an insert always has one).
    std::unique_ptr<matrix4> transform;
    point3 extrusion = point3_unit_z;
    uint8_t acad_flag = 0;

    // The class's name, which is also the name of the entity list that
    // holds it in a layer ("Line_").
    virtual const char* class_name() const = 0;

    // Stores the direction and builds the object-coordinate transform.
    virtual void set_extrusion(const point3& direction);
    // The list of blocks in which an insert resolves its block name; only
    // inserts and blocks take it.
    virtual void bind_block_list(Entity_List* list);
    virtual void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const = 0;
    // Leaves the canvas's pen, font and alignment as `draw` would, drawing
    // nothing: what an entity that is not drawn hands on to the next.
    virtual void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const;
    // What `draw` may touch (see entity_bounds).
    virtual entity_bounds drawn_bounds() const { return entity_bounds::unknown(); }
    // The colour the entity draws in: its screen colour, or for colour 0
    // (by block) inside an insert the insert's colour, and for colour 256
    // (by layer) drawn from a layer's list the layer's colour.
    TColor drawn_colour() const;
    // Marks the defining points.
    virtual void draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                               const void* owner) const = 0;
    virtual void set_colour_index(int n);
    // The screen colour; the colour number becomes the highest of 1 to 255
    // whose palette entry is exactly that colour, 0 when none is.
    virtual void set_colour_rgb(TColor rgb);
    virtual void translate(const point3& v) = 0;
    // Axes: bit 0 x, bit 1 y, bit 2 z; each coordinate v becomes Round(v f) / f.
    virtual void round_to_grid(int axes, double f) = 0;
    virtual int count_points() const { return 1; }
    virtual int count_lines() const { return 0; }
    virtual int count_open_polylines() const { return 0; }
    virtual int count_closed_polygons() const { return 0; }
    // The drawing-file type ("LINE").
    virtual std::string dxf_type_name() const = 0;
    virtual void write_point(dxf_group_output& out, int code, const point3& p) const;
    // The whole entity in the drawing file's groups.
    virtual void write_dxf(dxf_group_output& out, std::string_view layer) const;
    // Lines joined by CR LF.
    virtual std::string describe() const = 0;
    virtual void update_extents(point3& max, point3& min) const = 0;
    // The square of the planar distance to the nearest defining point.
    virtual double distance_to(const point3& p) const = 0;
    virtual std::optional<point3> nearest_vertex(const point3& p) const = 0;
    virtual bool point_inside(const point3& p) const;
    // Replaces the first defining point exactly equal to `old_point`.
    virtual bool move_vertex(const point3& old_point, const point3& new_point);

protected:
    // The type, layer, colour and extrusion groups that most classes begin with.
    void write_base(dxf_group_output& out, std::string_view layer) const;
    // The pen colour, when the pen has another.
    void use_pen_colour(TCanvas& canvas) const;
    // "OCS Axis (x, y, z)" or "WCS".
    std::string coordinate_system_text() const;
};

class Block_ : public DXF_Entity {
public:
    Block_(std::string name, const point3& base_point);
    std::string name;
    point3 base_point;
    std::vector<std::unique_ptr<DXF_Entity>> children;
    void add(std::unique_ptr<DXF_Entity> entity) {
        children.push_back(std::move(entity));
        bounds_.reset();
    }

    const char* class_name() const override { return "Block_"; }
    void bind_block_list(Entity_List* list) override;
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    // The children's, through the base point's shift; kept once made (a
    // child added through `add` makes them again).
    entity_bounds drawn_bounds() const override;
    void draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                       const void* owner) const override;
    void translate(const point3& v) override;
    void round_to_grid(int axes, double f) override;
    std::string dxf_type_name() const override { return "BLOCK"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    void update_extents(point3& max, point3& min) const override;
    double distance_to(const point3& p) const override;
    std::optional<point3> nearest_vertex(const point3& p) const override;

private:
    Entity_List* bound_list_ = nullptr;  // the list the inserts inside were last bound to
    mutable std::optional<entity_bounds> bounds_;
};

class Point_ : public DXF_Entity {
public:
    Point_(const point3& ocs, const point3& position, int colour);
    point3 position;

    const char* class_name() const override { return "Point_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    entity_bounds drawn_bounds() const override;
    void draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                       const void* owner) const override;
    void translate(const point3& v) override;
    void round_to_grid(int axes, double f) override;
    std::string dxf_type_name() const override { return "POINT"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    void update_extents(point3& max, point3& min) const override;
    double distance_to(const point3& p) const override;
    std::optional<point3> nearest_vertex(const point3& p) const override;
    bool move_vertex(const point3& old_point, const point3& new_point) override;

protected:
    Point_() = default;
};

class Text_ : public Point_ {
public:
    // An alignment point of exactly (0, 0, 0) is replaced by the position.
    Text_(const point3& ocs, const point3& position, const point3& alignment_point, std::string text, double height,
          double width_factor, int colour, int justification, int rotation);
    double height = 0;
    double width_factor = 0;
    int32_t rotation = 0;  // whole degrees
    std::string text;
    point3 alignment_point;
    int32_t horizontal_justification = 0;  // 0 left, 1 centre, 2 right

    const char* class_name() const override { return "Text_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    // The alignment point grown by 4 x height x (length + 1) each way: the
    // font's cell is 1.6 x (h + 2) pixels for a height of h pixels, and the
    // text may turn to any angle about its point.
    entity_bounds drawn_bounds() const override;
    std::string dxf_type_name() const override { return "TEXT"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;

protected:
    Text_() = default;
    // The text rule of texts and attributes: `shown` at the alignment point.
    void draw_text(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner,
                   std::string_view shown) const;
    // The font's height, colour, alignment and orientation; false (and the
    // font left alone) when the height projects to no pixel.
    bool set_text_font(TCanvas& canvas, dxf_projection projection, const void* owner) const;
    entity_bounds text_bounds(std::size_t length) const;
    // The groups of a text with `first_text` in group 1.
    void write_text_groups(dxf_group_output& out, std::string_view layer, std::string_view first_text) const;
};

// An attribute: the tag is held in the text field.
class Attrib_ : public Text_ {
public:
    // Visible when bit 0 of the flags is clear; rotation and width factor 0.
    Attrib_(const point3& ocs, const point3& position, const point3& alignment_point, std::string tag,
            std::string value, int flags, int justification, double height, int colour);
    std::string value;
    uint8_t visible = 1;

    const char* class_name() const override { return "Attrib_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    entity_bounds drawn_bounds() const override;
    std::string dxf_type_name() const override { return "ATTRIB"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;

protected:
    void write_attribute_groups(dxf_group_output& out, std::string_view layer) const;
};

class Attdef_ : public Attrib_ {
public:
    Attdef_(const point3& ocs, const point3& position, const point3& alignment_point, std::string tag,
            std::string value, std::string prompt, int flags, int justification, double height, int colour);
    std::string prompt;

    const char* class_name() const override { return "Attdef_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    entity_bounds drawn_bounds() const override { return {}; }
    std::string dxf_type_name() const override { return "ATTDEF"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
};

class Insert_ : public Point_ {
public:
    // Rotation in degrees (kept in radians). More than 16 attributes raise
    // "This version only handles 16 ATTRIBs" and nothing is made.
    Insert_(const point3& ocs, const point3& insertion_point, const point3& scale, double rotation, int colour,
            std::vector<std::unique_ptr<Attrib_>> attributes, std::string block_name);
    int32_t attribute_count() const { return static_cast<int32_t>(attributes.size()); }
    std::vector<std::unique_ptr<Attrib_>> attributes;
    std::string block_name;
    point3 scale;
    double rotation = 0;  // radians

    // The block the name stands for, found in the block list on first use
    // and kept; raises "Nie znaleziono bloku: " and the name when the list
    // has none (or the insert was given no list). Nullptr for an empty name.
    const Block_* block() const;
    const Entity_List* block_list() const { return block_list_; }

    const char* class_name() const override { return "Insert_"; }
    // Rotation, scale, translation to the insertion point, then the axes.
    void set_extrusion(const point3& direction) override;
    void bind_block_list(Entity_List* list) override;
    // The attributes, then the block; the children of colour 0 (by block)
    // take the insert's colour.
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    // The attributes' and the block's, through the insert's transform; not
    // known when the block cannot be found or nests too deep to be drawn.
    entity_bounds drawn_bounds() const override;
    void translate(const point3& v) override;
    void round_to_grid(int axes, double f) override;
    std::string dxf_type_name() const override { return "INSERT"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;

private:
    friend class Block_;
    mutable const Block_* resolved_ = nullptr;
    Entity_List* block_list_ = nullptr;
};

class Line_ : public Point_ {
public:
    Line_(const point3& start, const point3& end, int colour);
    point3 end_point;  // the position is the start

    const char* class_name() const override { return "Line_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    entity_bounds drawn_bounds() const override;
    void draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                       const void* owner) const override;
    void translate(const point3& v) override;
    void round_to_grid(int axes, double f) override;
    int count_points() const override { return 2; }
    int count_lines() const override { return 1; }
    std::string dxf_type_name() const override { return "LINE"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    void update_extents(point3& max, point3& min) const override;
    double distance_to(const point3& p) const override;
    std::optional<point3> nearest_vertex(const point3& p) const override;
    bool move_vertex(const point3& old_point, const point3& new_point) override;
};

class Circle_ : public Point_ {
public:
    Circle_(const point3& ocs, const point3& centre, double radius, int colour);
    double radius = 0;  // the position is the centre

    const char* class_name() const override { return "Circle_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    // The two corners the drawing projects (an arc too).
    entity_bounds drawn_bounds() const override;
    std::string dxf_type_name() const override { return "CIRCLE"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    void update_extents(point3& max, point3& min) const override;
    bool point_inside(const point3& p) const override;

protected:
    // The projected corners of the box around the circle; true when it is
    // at least two pixels each way.
    bool device_box(const matrix4* t, dxf_projection projection, const void* owner, TPoint& a, TPoint& b) const;
};

class Ellipse_ : public Point_ {
public:
    // Its compatibility flag comes from [inne] "acad" of "halvoren.ini" in
    // the program's folder (on when the file or the key is missing).
    Ellipse_(const point3& ocs, const point3& centre, const point3& major_axis_end, double ratio,
             double start_parameter, double end_parameter, int colour);
    double start_parameter = 0;
    double end_parameter = 0;
    double ratio = 0;  // minor to major axis
    point3 major_axis_end;  // relative to the centre, the position

    const char* class_name() const override { return "Ellipse_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    entity_bounds drawn_bounds() const override;
    std::string dxf_type_name() const override { return "ELLIPSE"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override { return {}; }
};

class Arc_ : public Circle_ {
public:
    // Angles in degrees (kept in radians).
    Arc_(const point3& ocs, const point3& centre, double radius, double start_angle, double end_angle, int colour);
    double start_angle = 0;  // radians
    double end_angle = 0;

    const char* class_name() const override { return "Arc_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const override;
    std::string dxf_type_name() const override { return "ARC"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    // The end points and every multiple of 90 degrees strictly inside the
    // counter-clockwise sweep (the four of them for a whole turn).
    void update_extents(point3& max, point3& min) const override;
    bool point_inside(const point3&) const override { return false; }
};

class Polyline_ : public DXF_Entity {
public:
    // An open polyline of three or more vertices whose last vertex equals
    // its first is closed and loses the repeated vertex.
    Polyline_(const point3& ocs, std::vector<point3> vertices, int colour, bool closed);
    // The same with the extrusion (0, 0, 1).
    Polyline_(std::vector<point3> vertices, int colour, bool closed);
    uint8_t closed = 0;
    std::vector<point3> vertices;
    int32_t vertex_count() const { return static_cast<int32_t>(vertices.size()); }

    const char* class_name() const override { return "Polyline_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    // Every vertex (the meshes and faces too).
    entity_bounds drawn_bounds() const override;
    void draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                       const void* owner) const override;
    void translate(const point3& v) override;
    void round_to_grid(int axes, double f) override;
    int count_points() const override { return vertex_count(); }
    int count_lines() const override { return vertex_count(); }
    int count_open_polylines() const override { return closed ? 0 : 1; }
    int count_closed_polygons() const override { return closed ? 1 : 0; }
    std::string dxf_type_name() const override { return "POLYLINE"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
    void update_extents(point3& max, point3& min) const override;
    double distance_to(const point3& p) const override;
    std::optional<point3> nearest_vertex(const point3& p) const override;
    bool point_inside(const point3& p) const override;
    bool move_vertex(const point3& old_point, const point3& new_point) override;

protected:
    // The vertices kept as given (the meshes).
    struct keep_vertices {};
    Polyline_(keep_vertices, std::vector<point3> vertices, int colour, bool closed);
    // The vertices through the transform and the projection, into a buffer
    // that the next call reuses.
    static const std::vector<TPoint>& project(const std::vector<point3>& points, const matrix4* t,
                                              dxf_projection projection, const void* owner);
};

// A 3-D face: closed, three or four corners.
class Face3D_ : public Polyline_ {
public:
    Face3D_(std::vector<point3> corners, int colour, bool closed = true);

    const char* class_name() const override { return "Face3D_"; }
    std::string dxf_type_name() const override { return "3DFACE"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;

protected:
    Face3D_(const point3& ocs, std::vector<point3> corners, int colour);
    void write_face_groups(dxf_group_output& out, std::string_view layer) const;
};

class Solid_ : public Face3D_ {
public:
    Solid_(const point3& ocs, std::vector<point3> corners, int colour, double thickness);
    double thickness = 0;

    const char* class_name() const override { return "Solid_"; }
    std::string dxf_type_name() const override { return "SOLID"; }
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
};

// The thickness of a solid as written: " 1.50000000000000E+0001", 23
// characters, a blank or a minus sign first.
std::string solid_thickness_text(double v);

// M rows of N vertices, row after row.
class Polygon_mesh_ : public Polyline_ {
public:
    // Flags as the drawing file gives them: 1 closed in M, 32 closed in N.
    Polygon_mesh_(std::vector<point3> vertices, int m, int n, int flags, int colour);
    int32_t m_count = 0;
    int32_t n_count = 0;
    uint8_t closed_m = 0;
    uint8_t closed_n = 0;

    const char* class_name() const override { return "Polygon_mesh_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
};

// Faces of four vertex numbers counted from 0; a negative number ends a
// face early.
class Polyface_mesh_ : public Polyline_ {
public:
    using face = std::array<int32_t, 4>;
    Polyface_mesh_(std::vector<point3> vertices, std::vector<face> faces, int colour);
    std::vector<face> faces;
    int32_t face_count() const { return static_cast<int32_t>(faces.size()); }

    const char* class_name() const override { return "Polyface_mesh_"; }
    void draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const override;
    void write_dxf(dxf_group_output& out, std::string_view layer) const override;
    std::string describe() const override;
};
