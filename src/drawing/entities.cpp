#include "drawing/entities.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <cstdlib>
#include <numbers>

#include "drawing/containers.h"
#include "drawing/view_projection.h"
#include "files/utils.h"
#include "model/drawing_palette.h"
#include "model/messages.h"
#include "model/utils.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

int drawing_pen_width_mode = 0;

TColor drawing_colour_of(int colour_index) {
    if (colour_index >= 1 && colour_index <= drawing_palette_size) return drawing_palette_colour(colour_index, 0);
    if (colour_index < 0 && colour_index >= -255) return drawing_palette_colour(-colour_index, 0);
    return drawing_palette_colour(7, 0);
}

namespace {

constexpr double degrees_per_radian = 180.0 / std::numbers::pi;

double radians(double degrees) { return degrees / degrees_per_radian; }
double degrees(double radians) { return radians * degrees_per_radian; }

[[noreturn]] void unsupported(const char* what, const char* class_name) {
    throw Exception(std::string(what) + " is not supported by " + class_name);
}

// The arbitrary-axis rule of the drawing format: the object's x and y axes
// for the extrusion direction n.
void object_axes(const point3& n, point3& ax, point3& ay) {
    const double limit = 1.0 / 64;
    const point3 w = (std::fabs(n.x) >= limit || std::fabs(n.y) >= limit) ? point3_unit_z : point3_unit_y;
    ax = point3_normalise(point3_cross(w, n));
    ay = point3_normalise(point3_cross(n, ax));
}

point3 snap(point3 p, int axes, double f) {
    const point3 r = point3_round_to_grid(p, f);
    if (axes & 1) p.x = r.x;
    if (axes & 2) p.y = r.y;
    if (axes & 4) p.z = r.z;
    return p;
}

TPenStyle pen_style_of(std::string_view line_type, TPenStyle current) {
    if (line_type == "CONTINUOUS") return TPenStyle::psSolid;
    if (line_type == "DASH") return TPenStyle::psDash;
    if (line_type == "DOT") return TPenStyle::psDot;
    if (line_type == "DASHDOT") return TPenStyle::psDashDot;
    if (line_type == "DASHDOTDOT") return TPenStyle::psDashDotDot;
    return current;
}

void line_pen(TCanvas& canvas, const DXF_Entity& e) {
    canvas.Pen.Style = pen_style_of(e.line_type_name, canvas.Pen.Style);
    if (drawing_pen_width_mode == 0) canvas.Pen.Width = std::max(1, static_cast<int>(e.line_width));
}

std::string real_text(double v) { return FloatToStr(v); }

std::string join_lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const std::string& l : lines) {
        if (!out.empty()) out += "\r\n";
        out += l;
    }
    return out;
}

// Inserts nested deeper than this are not drawn: a drawing file can chain
// blocks without end, and the stack must not run out.
constexpr int max_insert_depth = 64;
int insert_depth = 0;
int bounds_depth = 0;  // the same for the bounds

// One more level of nesting while it lives.
class nesting {
public:
    explicit nesting(int& depth) : depth_(depth) { ++depth_; }
    ~nesting() { --depth_; }
    nesting(const nesting&) = delete;
    nesting& operator=(const nesting&) = delete;

private:
    int& depth_;
};

// The colours that entities of colour 0 (by block) and 256 (by layer) take
// while they are drawn; none outside an insert and a layer's list.
const TColor* by_block_colour = nullptr;
const TColor* by_layer_colour = nullptr;

// An insert's block and attributes: colour 0 takes the insert's colour,
// colour 256 is its own again.
class block_colour_scope {
public:
    explicit block_colour_scope(TColor colour)
        : colour_(colour), saved_block_(by_block_colour), saved_layer_(by_layer_colour) {
        by_block_colour = &colour_;
        by_layer_colour = nullptr;
    }
    ~block_colour_scope() {
        by_block_colour = saved_block_;
        by_layer_colour = saved_layer_;
    }
    block_colour_scope(const block_colour_scope&) = delete;
    block_colour_scope& operator=(const block_colour_scope&) = delete;

private:
    TColor colour_;
    const TColor* saved_block_;
    const TColor* saved_layer_;
};

// The bounds of points through a transform.
entity_bounds bounds_of(std::initializer_list<point3> points, const matrix4* m) {
    entity_bounds b;
    if (m)
        for (const point3& p : points) b.add(point3_transform(*m, p));
    else
        for (const point3& p : points) b.add(p);
    return b;
}

// The cross that marks a point (the canvas leaves out the last pixel of a line).
void draw_marker(TCanvas& canvas, TPoint at) {
    canvas.MoveTo(at.x - 2, at.y - 2);
    canvas.LineTo(at.x + 3, at.y + 3);
    canvas.MoveTo(at.x - 2, at.y + 2);
    canvas.LineTo(at.x + 3, at.y - 3);
}

bool ellipse_acad_flag() {
    const std::string& folder = folders().program_folder;
    if (folder.empty()) return true;
    return StrToIntDef(ini_string(path_join(folder, "halvoren.ini"), "inne", "acad", "1"), 1) != 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// entity_bounds

void entity_bounds::add(const entity_bounds& b) {
    if (!b.known) known = false;
    if (!known || b.empty()) return;
    add(b.min);
    add(b.max);
    margin = std::max(margin, b.margin);
    if (std::isnan(b.margin)) known = false;
}

entity_bounds entity_bounds::transformed(const matrix4* m) const {
    if (!m || !known || empty()) return *this;
    entity_bounds r;
    for (int i = 0; i < 8; ++i)
        r.add(point3_transform(*m, {(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z}));
    r.margin = margin;
    return r;
}

world_box entity_bounds::box() const {
    if (!known) return world_box_unbounded;
    if (empty()) return world_box_empty;
    const world_box b{min.x - margin, min.y - margin, max.x + margin, max.y + margin};
    if (std::isnan(b.xmin) || std::isnan(b.ymin) || std::isnan(b.xmax) || std::isnan(b.ymax))
        return world_box_unbounded;
    return b;
}

by_layer_colour_scope::by_layer_colour_scope(TColor colour) : colour_(colour), saved_(by_layer_colour) {
    by_layer_colour = &colour_;
}

by_layer_colour_scope::~by_layer_colour_scope() { by_layer_colour = saved_; }

// ---------------------------------------------------------------------------
// DXF_Entity

void DXF_Entity::set_extrusion(const point3& direction) {
    extrusion = direction;
    if (point3_equal(direction, point3_unit_z)) {
        transform.reset();
        return;
    }
    point3 ax, ay;
    object_axes(direction, ax, ay);
    transform = std::make_unique<matrix4>(matrix_from_axes(ax, ay, direction));
}

void DXF_Entity::bind_block_list(Entity_List*) { unsupported("bind_block_list", class_name()); }

void DXF_Entity::set_colour_index(int n) {
    colour_index = n;
    screen_colour = drawing_colour_of(n);
}

void DXF_Entity::set_colour_rgb(TColor rgb) {
    screen_colour = rgb;
    colour_index = 0;
    for (int n = 255; n >= 1; --n)
        if (drawing_palette[static_cast<std::size_t>(n - 1)] == rgb) {
            colour_index = n;
            break;
        }
}

void DXF_Entity::write_point(dxf_group_output& out, int code, const point3& p) const { out.point(code, p); }

void DXF_Entity::write_dxf(dxf_group_output& out, std::string_view layer) const { write_base(out, layer); }

void DXF_Entity::write_base(dxf_group_output& out, std::string_view layer) const {
    const std::string type = dxf_type_name();
    out.group(0, type);
    out.group(8, layer);
    if (acad_flag && LowerCase(type) == "ellipse") {
        out.group(100, "AcDbEntity");
        out.group(100, "AcDbEllipse");
    }
    if (colour_index != 256) out.group(62, static_cast<int>(colour_index));
    if (transform) write_point(out, 210, extrusion);
}

bool DXF_Entity::point_inside(const point3&) const { return false; }

bool DXF_Entity::move_vertex(const point3&, const point3&) { return false; }

TColor DXF_Entity::drawn_colour() const {
    if (colour_index == 0 && by_block_colour) return *by_block_colour;
    if (colour_index == 256 && by_layer_colour) return *by_layer_colour;
    return screen_colour;
}

void DXF_Entity::use_pen_colour(TCanvas& canvas) const {
    const TColor c = drawn_colour();
    if (canvas.Pen.Color != c) canvas.Pen.Color = c;
}

void DXF_Entity::apply_draw_state(TCanvas& canvas, dxf_projection, const void*) const { use_pen_colour(canvas); }

std::string DXF_Entity::coordinate_system_text() const {
    return transform ? "OCS Axis " + point3_text(extrusion) : std::string("WCS");
}

// ---------------------------------------------------------------------------
// Block_

Block_::Block_(std::string name_, const point3& base) : name(std::move(name_)), base_point(base) {
    if (!point3_equal(base, point3_origin))
        transform = std::make_unique<matrix4>(matrix_translation({-base.x, -base.y, -base.z}));
}

void Block_::bind_block_list(Entity_List* list) {
    // Blocks nest through their inserts; each block is bound once per list,
    // and without recursion, however deep the nesting goes.
    std::vector<Block_*> pending{this};
    while (!pending.empty()) {
        Block_* b = pending.back();
        pending.pop_back();
        if (b->bound_list_ == list) continue;
        b->bound_list_ = list;
        for (const auto& child : b->children) {
            auto* insert = dynamic_cast<Insert_*>(child.get());
            if (!insert) continue;
            insert->block_list_ = list;
            if (const Block_* inner = insert->block()) pending.push_back(const_cast<Block_*>(inner));
        }
    }
}

void Block_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    for (const auto& child : children) child->draw(canvas, m.get(), projection, owner);
}

void Block_::apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const {
    for (const auto& child : children) child->apply_draw_state(canvas, projection, owner);
}

entity_bounds Block_::drawn_bounds() const {
    if (!bounds_) {
        entity_bounds b;
        for (const auto& child : children) b.add(child->drawn_bounds());
        bounds_ = b.transformed(transform.get());
    }
    return *bounds_;
}

void Block_::draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    for (const auto& child : children) child->draw_vertices(canvas, t, projection, owner);
}

void Block_::translate(const point3&) { unsupported("translate", class_name()); }

void Block_::round_to_grid(int, double) { unsupported("round_to_grid", class_name()); }

void Block_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    out.group(0, "BLOCK");
    out.group(8, layer);
    out.group(2, name);
    write_point(out, 10, base_point);
    for (const auto& child : children) child->write_dxf(out, layer);
    out.group(0, "ENDBLK");
}

std::string Block_::describe() const {
    return join_lines({"Block_ " + name, "Base point\t" + point3_text(base_point),
                       "Entities\t" + IntToStr(static_cast<int64_t>(children.size()))});
}

void Block_::update_extents(point3&, point3&) const {}

double Block_::distance_to(const point3&) const { return 1e9; }

std::optional<point3> Block_::nearest_vertex(const point3&) const { return point3{1e9, 1e9, 1e9}; }

// ---------------------------------------------------------------------------
// Point_

Point_::Point_(const point3& ocs, const point3& p, int colour) : position(p) {
    set_colour_index(colour);
    set_extrusion(ocs);
}

void Point_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    draw_marker(canvas, project_point(projection, owner, position, m.get()));
}

entity_bounds Point_::drawn_bounds() const { return bounds_of({position}, transform.get()); }

void Point_::draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    draw_marker(canvas, project_point(projection, owner, position, m.get()));
}

void Point_::translate(const point3& v) { position = point3_add(position, v); }

void Point_::round_to_grid(int axes, double f) { position = snap(position, axes, f); }

void Point_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    write_point(out, 10, position);
}

std::string Point_::describe() const {
    return join_lines({"Point_", coordinate_system_text(), "Position\t" + point3_text(position),
                       "Colour\t" + IntToStr(colour_index)});
}

void Point_::update_extents(point3& max, point3& min) const {
    extents_grow_max(max, position);
    extents_grow_min(min, position);
}

double Point_::distance_to(const point3& p) const { return plan_distance_squared(position, p); }

std::optional<point3> Point_::nearest_vertex(const point3&) const { return position; }

bool Point_::move_vertex(const point3& old_point, const point3& new_point) {
    if (!point3_equal(position, old_point)) return false;
    position = new_point;
    return true;
}

// ---------------------------------------------------------------------------
// Text_, Attrib_, Attdef_

Text_::Text_(const point3& ocs, const point3& p, const point3& alignment, std::string text_, double height_,
             double width_factor_, int colour, int justification, int rotation_)
    : height(height_),
      width_factor(width_factor_),
      rotation(rotation_),
      text(std::move(text_)),
      alignment_point(point3_equal(alignment, point3_origin) ? p : alignment),
      horizontal_justification(justification) {
    position = p;
    set_colour_index(colour);
    set_extrusion(ocs);
}

namespace {

// The last text height measured within a text_height_memo_scope.
struct text_height_memo {
    bool active = false;
    bool known = false;
    dxf_projection projection = nullptr;
    const void* owner = nullptr;
    double height = 0;
    int pixels = 0;
} height_memo;

int text_pixel_height(dxf_projection projection, const void* owner, double height) {
    text_height_memo& m = height_memo;
    if (m.active && m.known && m.projection == projection && m.owner == owner && m.height == height)
        return m.pixels;
    const TPoint origin = project_point(projection, owner, point3_origin, nullptr);
    const TPoint top = project_point(projection, owner, {0, height, 0}, nullptr);
    const int h = origin.y - top.y;
    if (m.active) m = {true, true, projection, owner, height, h};
    return h;
}

}  // namespace

text_height_memo_scope::text_height_memo_scope() : saved_(height_memo.active) {
    height_memo.active = true;
    height_memo.known = false;
}

text_height_memo_scope::~text_height_memo_scope() {
    height_memo.active = saved_;
    height_memo.known = false;
}

bool Text_::set_text_font(TCanvas& canvas, dxf_projection projection, const void* owner) const {
    const int h = text_pixel_height(projection, owner, height);
    if (h == 0) return false;
    if (canvas.Font.Height() != h + 2) canvas.Font.SetHeight(static_cast<int>(Round(1.6 * (h + 2))));
    canvas.Font.Color = drawn_colour();
    switch (horizontal_justification) {
        case 0: canvas.SetTextAlign(TA_BASELINE | TA_LEFT); break;
        case 1: canvas.SetTextAlign(TA_BASELINE | TA_CENTER); break;
        case 2: canvas.SetTextAlign(TA_BASELINE | TA_RIGHT); break;
        default: break;
    }
    // Whole turns dropped first: the tenths of a degree stay in range.
    canvas.Font.Orientation = (rotation % 360) * 10;
    return true;
}

void Text_::draw_text(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner,
                      std::string_view shown) const {
    if (!set_text_font(canvas, projection, owner)) return;
    std::string s(shown);
    if (s.find("%%") != std::string::npos) {
        replace_dxf_code(s, "%%d", s);
        replace_dxf_code(s, "%%p", s);
    }
    const matrix_compose m(transform.get(), t);
    const TPoint at = project_point(projection, owner, alignment_point, m.get());
    canvas.TextOut(at.x, at.y, s);
}

entity_bounds Text_::text_bounds(std::size_t length) const {
    entity_bounds b = bounds_of({alignment_point}, transform.get());
    b.margin = 4 * std::fabs(height) * (static_cast<double>(length) + 1);
    if (std::isnan(b.margin)) b.known = false;
    return b;
}

void Text_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    use_pen_colour(canvas);
    draw_text(canvas, t, projection, owner, text);
}

void Text_::apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const {
    use_pen_colour(canvas);
    set_text_font(canvas, projection, owner);
}

entity_bounds Text_::drawn_bounds() const { return text_bounds(text.size()); }

void Text_::write_text_groups(dxf_group_output& out, std::string_view layer, std::string_view first_text) const {
    write_base(out, layer);
    write_point(out, 10, position);
    out.group(40, height);
    out.group(50, static_cast<int>(rotation));
    out.group(1, first_text);
    out.group(41, width_factor);
    if (horizontal_justification != 0) {
        write_point(out, 11, alignment_point);
        out.group(72, static_cast<int>(horizontal_justification));
    }
}

void Text_::write_dxf(dxf_group_output& out, std::string_view layer) const { write_text_groups(out, layer, text); }

std::string Text_::describe() const {
    return join_lines({"Text_", coordinate_system_text(), "Position\t" + point3_text(position),
                       "Alignment point\t" + point3_text(alignment_point), "Text\t" + text,
                       "Height\t" + real_text(height), "Width factor\t" + real_text(width_factor),
                       "Rotation\t" + IntToStr(rotation), "Justification\t" + IntToStr(horizontal_justification),
                       "Colour\t" + IntToStr(colour_index)});
}

Attrib_::Attrib_(const point3& ocs, const point3& p, const point3& alignment, std::string tag, std::string value_,
                 int flags, int justification, double height_, int colour)
    : value(std::move(value_)), visible((flags & 1) == 0 ? 1 : 0) {
    position = p;
    alignment_point = point3_equal(alignment, point3_origin) ? p : alignment;
    text = std::move(tag);
    height = height_;
    horizontal_justification = justification;
    set_colour_index(colour);
    set_extrusion(ocs);
}

void Attrib_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    use_pen_colour(canvas);
    if (visible) draw_text(canvas, t, projection, owner, value);
}

void Attrib_::apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const {
    use_pen_colour(canvas);
    if (visible) set_text_font(canvas, projection, owner);
}

entity_bounds Attrib_::drawn_bounds() const { return visible ? text_bounds(value.size()) : entity_bounds{}; }

void Attrib_::write_attribute_groups(dxf_group_output& out, std::string_view layer) const {
    write_text_groups(out, layer, value);
    out.group(2, text);
    out.group(70, visible ? 0 : 1);
}

void Attrib_::write_dxf(dxf_group_output& out, std::string_view layer) const { write_attribute_groups(out, layer); }

std::string Attrib_::describe() const {
    return join_lines({"Attrib_", coordinate_system_text(), "Position\t" + point3_text(position),
                       "Tag\t" + text, "Value\t" + value, "Visible\t" + bool_text(visible != 0),
                       "Height\t" + real_text(height), "Colour\t" + IntToStr(colour_index)});
}

Attdef_::Attdef_(const point3& ocs, const point3& p, const point3& alignment, std::string tag, std::string value_,
                 std::string prompt_, int flags, int justification, double height_, int colour)
    : Attrib_(ocs, p, alignment, std::move(tag), std::move(value_), flags, justification, height_, colour),
      prompt(std::move(prompt_)) {}

void Attdef_::draw(TCanvas& canvas, const matrix4*, dxf_projection, const void*) const { use_pen_colour(canvas); }

void Attdef_::apply_draw_state(TCanvas& canvas, dxf_projection, const void*) const { use_pen_colour(canvas); }

void Attdef_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_attribute_groups(out, layer);
    out.group(3, prompt);
}

std::string Attdef_::describe() const { return Attrib_::describe() + "\r\nPrompt\t" + prompt; }

// ---------------------------------------------------------------------------
// Insert_

Insert_::Insert_(const point3& ocs, const point3& p, const point3& scale_, double rotation_degrees, int colour,
                 std::vector<std::unique_ptr<Attrib_>> attributes_, std::string block_name_)
    : attributes(std::move(attributes_)),
      block_name(std::move(block_name_)),
      scale(scale_),
      rotation(radians(rotation_degrees)) {
    if (attributes.size() > static_cast<std::size_t>(max_insert_attributes))
        throw Exception("This version only handles " + IntToStr(max_insert_attributes) + " ATTRIBs");
    position = p;
    set_colour_index(colour);
    set_extrusion(ocs);
}

void Insert_::set_extrusion(const point3& direction) {
    extrusion = direction;
    point3 ax, ay;
    object_axes(direction, ax, ay);
    matrix4 m = matrix_rotation_z(std::cos(-rotation), std::sin(-rotation));
    m = matrix_multiply(m, matrix_scale(scale));
    m = matrix_multiply(m, matrix_translation(position));
    m = matrix_multiply(m, matrix_from_axes(ax, ay, direction));
    transform = std::make_unique<matrix4>(m);
}

const Block_* Insert_::block() const {
    if (block_name.empty()) return nullptr;
    if (resolved_) return resolved_;
    if (block_list_) resolved_ = block_list_->find_block(block_name);
    if (!resolved_) throw Exception(format_language_text(msg("msg_BlockNotFound", "Nie znaleziono bloku: %s"), {block_name}));
    return resolved_;
}

void Insert_::bind_block_list(Entity_List* list) {
    block_list_ = list;
    if (const Block_* b = block()) const_cast<Block_*>(b)->bind_block_list(list);
}

void Insert_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    const block_colour_scope by_block(drawn_colour());
    for (const auto& a : attributes) a->draw(canvas, m.get(), projection, owner);
    const Block_* b = block();
    if (!b || insert_depth >= max_insert_depth) return;
    const nesting deeper(insert_depth);
    b->draw(canvas, m.get(), projection, owner);
}

void Insert_::apply_draw_state(TCanvas& canvas, dxf_projection projection, const void* owner) const {
    use_pen_colour(canvas);
    const block_colour_scope by_block(drawn_colour());
    for (const auto& a : attributes) a->apply_draw_state(canvas, projection, owner);
    const Block_* b = block();
    if (!b || insert_depth >= max_insert_depth) return;
    const nesting deeper(insert_depth);
    b->apply_draw_state(canvas, projection, owner);
}

entity_bounds Insert_::drawn_bounds() const {
    entity_bounds inner;
    for (const auto& a : attributes) inner.add(a->drawn_bounds());
    const Block_* b = nullptr;
    try {
        b = block();
    } catch (const Exception&) {
        return entity_bounds::unknown();
    }
    if (b) {
        if (bounds_depth >= max_insert_depth) return entity_bounds::unknown();
        const nesting deeper(bounds_depth);
        inner.add(b->drawn_bounds());
    }
    return inner.transformed(transform.get());
}

void Insert_::translate(const point3& v) {
    Point_::translate(v);
    set_extrusion(extrusion);
}

void Insert_::round_to_grid(int axes, double f) {
    Point_::round_to_grid(axes, f);
    set_extrusion(extrusion);
}

void Insert_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    write_point(out, 10, position);
    if (!block_name.empty()) out.group(2, block_name);
    if (scale.x != 1 || scale.y != 1 || scale.z != 1) {
        out.group(41, scale.x);
        out.group(42, scale.y);
        out.group(43, scale.z);
    }
    if (rotation != 0) out.group(50, degrees(rotation));
    if (!attributes.empty()) {
        out.group(66, 1);
        for (const auto& a : attributes) a->write_dxf(out, layer);
        out.group(0, "SEQEND");
    }
}

std::string Insert_::describe() const {
    const Block_* b = block();
    return join_lines({"Insert_", coordinate_system_text(), "Position\t" + point3_text(position),
                       "Block\t" + (b ? b->name : std::string()), "Scale\t" + point3_text(scale),
                       "Rotation\t" + real_text(degrees(rotation)), "Attributes\t" + IntToStr(attribute_count()),
                       "Colour\t" + IntToStr(colour_index)});
}

// ---------------------------------------------------------------------------
// Line_

Line_::Line_(const point3& start, const point3& end, int colour) : end_point(end) {
    position = start;
    set_colour_index(colour);
    set_extrusion(point3_unit_z);
}

void Line_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    line_pen(canvas, *this);
    const TPoint a = project_point(projection, owner, position, m.get());
    const TPoint b = project_point(projection, owner, end_point, m.get());
    canvas.MoveTo(a.x, a.y);
    canvas.LineTo(b.x, b.y);
}

void Line_::apply_draw_state(TCanvas& canvas, dxf_projection, const void*) const {
    use_pen_colour(canvas);
    line_pen(canvas, *this);
}

entity_bounds Line_::drawn_bounds() const { return bounds_of({position, end_point}, transform.get()); }

void Line_::draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    draw_marker(canvas, project_point(projection, owner, position, m.get()));
    draw_marker(canvas, project_point(projection, owner, end_point, m.get()));
}

void Line_::translate(const point3& v) {
    position = point3_add(position, v);
    end_point = point3_add(end_point, v);
}

void Line_::round_to_grid(int axes, double f) {
    position = snap(position, axes, f);
    end_point = snap(end_point, axes, f);
}

void Line_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    write_point(out, 10, position);
    write_point(out, 11, end_point);
}

std::string Line_::describe() const {
    return join_lines({"Line_", coordinate_system_text(), "Start\t" + point3_text(position),
                       "End\t" + point3_text(end_point), "Colour\t" + IntToStr(colour_index)});
}

void Line_::update_extents(point3& max, point3& min) const {
    extents_grow_max(max, position);
    extents_grow_min(min, position);
    extents_grow_max(max, end_point);
    extents_grow_min(min, end_point);
}

double Line_::distance_to(const point3& p) const {
    return min_real(plan_distance_squared(position, p), plan_distance_squared(end_point, p));
}

std::optional<point3> Line_::nearest_vertex(const point3& p) const {
    return plan_distance_squared(end_point, p) > plan_distance_squared(position, p) ? position : end_point;
}

bool Line_::move_vertex(const point3& old_point, const point3& new_point) {
    if (point3_equal(position, old_point)) {
        position = new_point;
        return true;
    }
    if (point3_equal(end_point, old_point)) {
        end_point = new_point;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Circle_, Ellipse_, Arc_

Circle_::Circle_(const point3& ocs, const point3& centre, double radius_, int colour) : radius(radius_) {
    position = centre;
    set_colour_index(colour);
    set_extrusion(ocs);
}

bool Circle_::device_box(const matrix4* t, dxf_projection projection, const void* owner, TPoint& a,
                         TPoint& b) const {
    const point3& c = position;
    a = project_point(projection, owner, {c.x - radius, c.y - radius, c.z - radius}, t);
    b = project_point(projection, owner, {c.x + radius, c.y + radius, c.z + radius}, t);
    return a.x + 1 < b.x && b.y + 1 < a.y;
}

void Circle_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    TPoint a, b;
    if (device_box(m.get(), projection, owner, a, b))
        canvas.Ellipse(a.x, a.y, b.x, b.y);
    else
        canvas.SetPixel(a.x, a.y, canvas.Pen.Color);
}

entity_bounds Circle_::drawn_bounds() const {
    const point3& c = position;
    return bounds_of({{c.x - radius, c.y - radius, c.z - radius}, {c.x + radius, c.y + radius, c.z + radius}},
                     transform.get());
}

void Circle_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    write_point(out, 10, position);
    out.group(40, radius);
}

std::string Circle_::describe() const {
    return join_lines({"Circle_", coordinate_system_text(), "Centre\t" + point3_text(position),
                       "Radius\t" + real_text(radius), "Colour\t" + IntToStr(colour_index)});
}

void Circle_::update_extents(point3& max, point3& min) const {
    const point3 a{position.x + radius, position.y + radius, position.z};
    const point3 b{position.x - radius, position.y - radius, position.z};
    extents_grow_max(max, a);
    extents_grow_min(min, a);
    extents_grow_max(max, b);
    extents_grow_min(min, b);
}

bool Circle_::point_inside(const point3& p) const { return plan_distance(position, p) <= radius; }

Ellipse_::Ellipse_(const point3& ocs, const point3& centre, const point3& major, double ratio_, double start,
                   double end, int colour)
    : start_parameter(start), end_parameter(end), ratio(ratio_), major_axis_end(major) {
    position = centre;
    set_colour_index(colour);
    set_extrusion(ocs);
    acad_flag = ellipse_acad_flag() ? 1 : 0;
}

void Ellipse_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    const double a = major_axis_end.x;
    const point3& c = position;
    const TPoint p1 = project_point(projection, owner, {c.x - a, c.y - a * ratio, c.z}, m.get());
    const TPoint p2 = project_point(projection, owner, {c.x + a, c.y + a * ratio, c.z}, m.get());
    if (p1.x + 1 < p2.x && p2.y + 1 < p1.y)
        canvas.Ellipse(p1.x, p1.y, p2.x, p2.y);
    else
        canvas.SetPixel(p1.x, p1.y, canvas.Pen.Color);
}

entity_bounds Ellipse_::drawn_bounds() const {
    const double a = major_axis_end.x;
    const point3& c = position;
    return bounds_of({{c.x - a, c.y - a * ratio, c.z}, {c.x + a, c.y + a * ratio, c.z}}, transform.get());
}

void Ellipse_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    write_point(out, 10, position);
    write_point(out, 11, major_axis_end);
    out.group(40, ratio);
    out.group(41, start_parameter);
    out.group(42, end_parameter);
}

Arc_::Arc_(const point3& ocs, const point3& centre, double radius_, double start, double end, int colour)
    : Circle_(ocs, centre, radius_, colour), start_angle(radians(start)), end_angle(radians(end)) {}

void Arc_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    line_pen(canvas, *this);
    TPoint a, b;
    const bool big = device_box(m.get(), projection, owner, a, b);
    if (!big) {
        canvas.SetPixel(a.x, a.y, canvas.Pen.Color);
        return;
    }
    const point3& c = position;
    const TPoint s = project_point(
        projection, owner, {c.x + radius * std::cos(start_angle), c.y + radius * std::sin(start_angle), c.z}, m.get());
    const TPoint e = project_point(
        projection, owner, {c.x + radius * std::cos(end_angle), c.y + radius * std::sin(end_angle), c.z}, m.get());
    canvas.Arc(a.x, a.y, b.x, b.y, s.x, s.y, e.x, e.y);
}

void Arc_::apply_draw_state(TCanvas& canvas, dxf_projection, const void*) const {
    use_pen_colour(canvas);
    line_pen(canvas, *this);
}

void Arc_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    Circle_::write_dxf(out, layer);
    out.group(50, degrees(start_angle));
    out.group(51, degrees(end_angle));
}

std::string Arc_::describe() const {
    return join_lines({"Arc_", coordinate_system_text(), "Centre\t" + point3_text(position),
                       "Radius\t" + real_text(radius), "Start angle\t" + real_text(degrees(start_angle)),
                       "End angle\t" + real_text(degrees(end_angle)), "Colour\t" + IntToStr(colour_index)});
}

void Arc_::update_extents(point3& max, point3& min) const {
    auto grow = [&](double angle) {
        const point3 p{position.x + radius * std::cos(angle), position.y + radius * std::sin(angle), 0};
        extents_grow_max(max, p);
        extents_grow_min(min, p);
    };
    grow(start_angle);
    grow(end_angle);
    // The angles in degrees, without the noise of the conversion to radians.
    auto whole = [](double r) {
        const double d = degrees(r);
        const double n = std::nearbyint(d);
        return std::fabs(d - n) < 1e-9 ? n : d;
    };
    const double s = whole(start_angle);
    const double e = whole(end_angle);
    if (!std::isfinite(s) || !std::isfinite(e)) return;
    const double turns = (e - s) / 360;
    if (e > s && turns == std::floor(turns)) {
        for (int q = 0; q < 360; q += 90) grow(radians(q));
        return;
    }
    double from = std::fmod(s, 360);
    if (from < 0) from += 360;
    double to = std::fmod(e, 360);
    if (to < 0) to += 360;
    if (to <= from) to += 360;
    for (int q = 0; q < 720; q += 90)
        if (q > from && q < to) grow(radians(q % 360));
}

// ---------------------------------------------------------------------------
// Polyline_

namespace {

std::vector<point3> closing_rule(std::vector<point3> v, bool& closed) {
    if (!closed && v.size() >= 3 && point3_equal(v.front(), v.back())) {
        closed = true;
        v.pop_back();
    }
    return v;
}

}  // namespace

Polyline_::Polyline_(const point3& ocs, std::vector<point3> v, int colour, bool closed_) {
    bool c = closed_;
    vertices = closing_rule(std::move(v), c);
    closed = c ? 1 : 0;
    set_colour_index(colour);
    set_extrusion(ocs);
}

Polyline_::Polyline_(std::vector<point3> v, int colour, bool closed_) : Polyline_(point3_unit_z, std::move(v), colour, closed_) {}

Polyline_::Polyline_(keep_vertices, std::vector<point3> v, int colour, bool closed_)
    : closed(closed_ ? 1 : 0), vertices(std::move(v)) {
    set_colour_index(colour);
}

const std::vector<TPoint>& Polyline_::project(const std::vector<point3>& points, const matrix4* t,
                                              dxf_projection projection, const void* owner) {
    static std::vector<TPoint> buffer;
    buffer.resize(points.size());
    TPoint* out = buffer.data();
    if (projection == &view_projection && !t) {
        const auto& view = *static_cast<const zoom_view*>(owner);
        for (const point3& p : points) *out++ = view_pixel(view, p.x, p.y);
    } else {
        for (const point3& p : points) *out++ = project_point(projection, owner, p, t);
    }
    return buffer;
}

void Polyline_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    if (vertices.empty()) return;
    const std::vector<TPoint>& pts = project(vertices, m.get(), projection, owner);
    if (closed)
        canvas.Polygon(pts);
    else
        canvas.Polyline(pts);
}

entity_bounds Polyline_::drawn_bounds() const {
    entity_bounds b;
    if (const matrix4* m = transform.get())
        for (const point3& v : vertices) b.add(point3_transform(*m, v));
    else
        for (const point3& v : vertices) b.add(v);
    return b;
}

void Polyline_::draw_vertices(TCanvas& canvas, const matrix4* t, dxf_projection projection,
                              const void* owner) const {
    const matrix_compose m(transform.get(), t);
    for (const point3& v : vertices) draw_marker(canvas, project_point(projection, owner, v, m.get()));
}

void Polyline_::translate(const point3& v) {
    for (point3& p : vertices) p = point3_add(p, v);
}

void Polyline_::round_to_grid(int axes, double f) {
    for (point3& p : vertices) p = snap(p, axes, f);
}

void Polyline_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_base(out, layer);
    out.group(70, closed ? 9 : 8);
    for (const point3& v : vertices) {
        out.group(0, "VERTEX");
        out.group(70, 32);
        write_point(out, 10, v);
    }
    out.group(0, "SEQEND");
}

std::string Polyline_::describe() const {
    return join_lines({"Polyline_", coordinate_system_text(), "Vertices\t" + IntToStr(vertex_count()),
                       "Closed\t" + bool_text(closed != 0), "Colour\t" + IntToStr(colour_index)});
}

void Polyline_::update_extents(point3& max, point3& min) const {
    for (const point3& v : vertices) {
        extents_grow_max(max, v);
        extents_grow_min(min, v);
    }
}

double Polyline_::distance_to(const point3& p) const {
    double best = 1e10;
    for (const point3& v : vertices) best = min_real(best, plan_distance_squared(v, p));
    return best;
}

std::optional<point3> Polyline_::nearest_vertex(const point3& p) const {
    double best = 1e10;
    std::optional<point3> found;
    for (const point3& v : vertices) {
        const double d = plan_distance_squared(v, p);
        if (d < best) {
            best = d;
            found = v;
        }
    }
    return found;
}

bool Polyline_::point_inside(const point3& p) const {
    if (!closed || vertices.empty()) return false;
    bool inside = false;
    const point3* a = &vertices.back();
    for (const point3& b : vertices) {
        if ((b.y <= p.y && p.y < a->y) || (a->y <= p.y && p.y < b.y)) {
            const double x = b.x + (p.y - b.y) * (a->x - b.x) / (a->y - b.y);
            if (x > p.x) inside = !inside;
        }
        a = &b;
    }
    return inside;
}

bool Polyline_::move_vertex(const point3& old_point, const point3& new_point) {
    for (point3& v : vertices)
        if (point3_equal(v, old_point)) {
            v = new_point;
            return true;
        }
    return false;
}

// ---------------------------------------------------------------------------
// Face3D_, Solid_

Face3D_::Face3D_(std::vector<point3> corners, int colour, bool closed_)
    : Polyline_(keep_vertices{}, std::move(corners), colour, closed_) {}

Face3D_::Face3D_(const point3& ocs, std::vector<point3> corners, int colour)
    : Polyline_(keep_vertices{}, std::move(corners), colour, true) {
    set_extrusion(ocs);
}

void Face3D_::write_face_groups(dxf_group_output& out, std::string_view layer) const {
    out.group(0, dxf_type_name());
    out.group(8, layer);
    out.group(62, static_cast<int>(colour_index));
    for (std::size_t i = 0; i < vertices.size(); ++i) write_point(out, 10 + static_cast<int>(i), vertices[i]);
    if (vertices.size() == 3) write_point(out, 13, vertices[2]);
}

void Face3D_::write_dxf(dxf_group_output& out, std::string_view layer) const { write_face_groups(out, layer); }

Solid_::Solid_(const point3& ocs, std::vector<point3> corners, int colour, double thickness_)
    : Face3D_(ocs, std::move(corners), colour), thickness(thickness_) {}

std::string solid_thickness_text(double v) {
    // "%.14E" gives d.ddddddddddddddE+dd; the exponent takes four digits.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14E", v);
    std::string s = buffer;
    const std::size_t e = s.find('E');
    if (e == std::string::npos) return s;
    const char sign = s[e + 1];
    std::string digits = s.substr(e + 2);
    while (digits.size() < 4) digits.insert(0, "0");
    std::string mantissa = s.substr(0, e);
    if (mantissa[0] != '-') mantissa.insert(0, " ");
    return mantissa + "E" + sign + digits;
}

void Solid_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    write_face_groups(out, layer);
    out.group(39, solid_thickness_text(thickness));
}

std::string Solid_::describe() const { return Polyline_::describe() + "\r\nThickness\t" + real_text(thickness); }

// ---------------------------------------------------------------------------
// Polygon_mesh_, Polyface_mesh_

Polygon_mesh_::Polygon_mesh_(std::vector<point3> v, int m, int n, int flags, int colour)
    : Polyline_(keep_vertices{}, std::move(v), colour, false),
      m_count(m),
      n_count(n),
      closed_m((flags & 1) ? 1 : 0),
      closed_n((flags & 32) ? 1 : 0) {}

void Polygon_mesh_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose mt(transform.get(), t);
    use_pen_colour(canvas);
    const int64_t m = m_count;
    const int64_t n = n_count;
    // Only a mesh whose vertices fill its M x N grid is drawn.
    if (m <= 0 || n <= 0 || m * n != static_cast<int64_t>(vertices.size())) return;
    const std::vector<TPoint> pts = project(vertices, mt.get(), projection, owner);
    for (int64_t i = 0; i < m; ++i) {
        const std::vector<TPoint> row(pts.begin() + i * n, pts.begin() + (i + 1) * n);
        if (closed_n)
            canvas.Polygon(row);
        else
            canvas.Polyline(row);
    }
    for (int64_t j = 0; j < n; ++j) {
        const TPoint& first = pts[static_cast<std::size_t>(j)];
        canvas.MoveTo(first.x, first.y);
        for (int64_t i = 1; i < m; ++i) {
            const TPoint& p = pts[static_cast<std::size_t>(j + i * n)];
            canvas.LineTo(p.x, p.y);
        }
        if (closed_m) canvas.LineTo(first.x, first.y);
    }
}

void Polygon_mesh_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    out.group(0, "POLYLINE");
    out.group(8, layer);
    out.group(62, static_cast<int>(colour_index));
    out.group(66, 1);
    out.group(70, 16 + (closed_m ? 1 : 0) + (closed_n ? 32 : 0));
    out.group(71, static_cast<int>(m_count));
    out.group(72, static_cast<int>(n_count));
    for (const point3& v : vertices) {
        out.group(0, "VERTEX");
        out.group(70, 64);
        write_point(out, 10, v);
    }
    out.group(0, "SEQEND");
}

std::string Polygon_mesh_::describe() const {
    return join_lines({"Polyline_ (polygon mesh)", coordinate_system_text(), "Vertices\t" + IntToStr(vertex_count()),
                       "M\t" + IntToStr(m_count), "N\t" + IntToStr(n_count), "Closed M\t" + bool_text(closed_m != 0),
                       "Closed N\t" + bool_text(closed_n != 0)});
}

Polyface_mesh_::Polyface_mesh_(std::vector<point3> v, std::vector<face> faces_, int colour)
    : Polyline_(keep_vertices{}, std::move(v), colour, false), faces(std::move(faces_)) {}

void Polyface_mesh_::draw(TCanvas& canvas, const matrix4* t, dxf_projection projection, const void* owner) const {
    const matrix_compose m(transform.get(), t);
    use_pen_colour(canvas);
    std::vector<TPoint> corners;
    corners.reserve(4);
    for (const face& f : faces) {
        corners.clear();
        for (const int32_t k : f) {
            if (k < 0) break;
            // A number past the vertices names nothing.
            if (k >= vertex_count()) continue;
            corners.push_back(project_point(projection, owner, vertices[static_cast<std::size_t>(k)], m.get()));
        }
        if (!corners.empty()) canvas.Polygon(corners);
    }
}

void Polyface_mesh_::write_dxf(dxf_group_output& out, std::string_view layer) const {
    out.group(0, "POLYLINE");
    out.group(8, layer);
    out.group(62, static_cast<int>(colour_index));
    out.group(66, 1);
    out.group(70, 64);
    out.group(71, vertex_count());
    out.group(72, face_count());
    for (const point3& v : vertices) {
        out.group(0, "VERTEX");
        out.group(70, 192);
        write_point(out, 10, v);
    }
    for (const face& f : faces) {
        out.group(0, "VERTEX");
        out.group(70, 128);
        for (int i = 0; i < 4; ++i) out.group(71 + i, static_cast<int>(static_cast<int64_t>(f[static_cast<std::size_t>(i)]) + 1));
    }
    out.group(0, "SEQEND");
}

std::string Polyface_mesh_::describe() const {
    return join_lines({"Polyline_ (polyface mesh)", coordinate_system_text(), "Vertices\t" + IntToStr(vertex_count()),
                       "Faces\t" + IntToStr(face_count())});
}
