#include "drawing/dxf_reader.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "model/messages.h"
#include "platform/forms.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

constexpr std::size_t max_line_length = 255;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    std::size_t i = 0;
    std::size_t n = s.size();
    while (i < n && is_blank(s[i])) ++i;
    while (n > i && is_blank(s[n - 1])) --n;
    return s.substr(i, n - i);
}

// A whole number with blanks around it and one sign, in the range of int32.
bool whole_number(std::string_view s, int32_t& out) {
    s = trimmed(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    out = static_cast<int32_t>(v);
    return true;
}

// A real with blanks around it and one sign; "." is the only decimal point;
// infinities, NaN, hexadecimal and values out of range do not convert.
bool real_number(std::string_view s, double& out) {
    s = trimmed(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !((s[0] >= '0' && s[0] <= '9') || s[0] == '.')) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size()) return false;
    out = negative ? -v : v;
    return true;
}

// A group code: a whole number of 0 or more. Codes of up to three digits,
// right-aligned or not, are taken at once.
inline bool group_code(std::string_view s, int32_t& out) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    const std::size_t digits = s.size() - i;
    if (digits >= 1 && digits <= 3) {
        int32_t v = 0;
        for (; i < s.size(); ++i) {
            const char c = s[i];
            if (c < '0' || c > '9') break;
            v = v * 10 + (c - '0');
        }
        if (i == s.size()) {
            out = v;
            return true;
        }
    }
    return whole_number(s, out) && out >= 0;
}

// An angle in whole degrees, whole turns dropped before it is rounded: any
// real the file holds fits.
int whole_degrees(double angle) { return static_cast<int>(Round(std::fmod(angle, 360.0))); }

std::string entity_error(std::string_view keyword) { return "Error reading " + std::string(keyword) + " entity"; }

}  // namespace

DXF_read_exception::DXF_read_exception(std::string_view message, int64_t line, bool ends_reading_)
    : Exception(line < 0 ? std::string(message)
                         : std::string(message) +
                               format_language_text(msg("msg_DrawingFileLine",
                                                        "%sNastąpił błąd w lub w pobliżu linii numer %d"_cp),
                                                    {"\r\n", line})),
      ends_reading(ends_reading_) {}

DXF_Reader::DXF_Reader(std::string_view path) : path_(path) {}

DXF_Reader::DXF_Reader(dxf_bytes bytes) : owned_(std::move(bytes.bytes)) {
    begin_ = owned_.data();
    end_ = begin_ + owned_.size();
    pos_ = begin_;
    opened_ = true;
}

DXF_Reader::~DXF_Reader() = default;

void DXF_Reader::map_input() {
    if (opened_) return;
    map_.emplace(path_);
    begin_ = map_->bytes().data();
    end_ = begin_ + map_->bytes().size();
    pos_ = begin_;
    opened_ = true;
}

std::vector<std::unique_ptr<DXF_Layer>> DXF_Reader::take_layers() {
    layer_index_.clear();
    last_layer_ = nullptr;
    block_list_ = nullptr;
    return std::move(layers_);
}

// ---------------------------------------------------------------------------
// Lines and groups

bool DXF_Reader::read_line() {
    if (pos_ >= end_) return false;
    const char* start = pos_;
    // Lines are short as a rule: the line end and any CR are found in one
    // walk over the line.
    const char* p = start;
    int crs = 0;
    while (p < end_ && *p != '\n') crs += *p++ == '\r';
    if (p == end_) {
        // A line that no line end closes is not read.
        pos_ = end_;
        return false;
    }
    pos_ = p + 1;
    ++line_count_;
    const char* stop = p;
    if (stop > start && stop[-1] == '\r') {
        --stop;
        --crs;
    }
    if (crs == 0) {
        const std::size_t length = static_cast<std::size_t>(stop - start);
        line_ = std::string_view(start, length < max_line_length ? length : max_line_length);
        return true;
    }
    // A lone CR is dropped and the line goes on.
    std::string mended;
    for (const char* q = start; q < stop && mended.size() < max_line_length; ++q)
        if (*q != '\r') mended += *q;
    mended_lines_.push_back(std::move(mended));
    line_ = mended_lines_.back();
    return true;
}

int DXF_Reader::next_group() {
    if (pushed_back_) {
        pushed_back_ = false;
        return code_;
    }
    do {
        if (!read_line()) return -2;
    } while (line_.empty());
    int32_t code = 0;
    if (!group_code(line_, code)) fail(invalid_group_code, true);
    if (!read_line()) fail(unexpected_end, true);
    code_ = code;
    value_ = line_;
    return code;
}

int DXF_Reader::next_group_within() {
    const int code = next_group();
    if (code == -2) fail(unexpected_end, true);
    return code;
}

void DXF_Reader::fail(const char* message, bool ends_reading) const {
    throw DXF_read_exception(message, line_count_, ends_reading);
}

double DXF_Reader::real_value() const {
    double v = 0;
    if (!real_number(value_, v)) fail(invalid_real);
    return v;
}

int32_t DXF_Reader::integer_value() const {
    int32_t v = 0;
    if (!whole_number(value_, v)) fail(invalid_integer);
    return v;
}

void DXF_Reader::set_mark() {
    mark_pos_ = pos_;
    mark_line_ = line_count_;
    mark_code_ = code_;
    mark_value_ = value_;
    mark_pushed_back_ = pushed_back_;
}

void DXF_Reader::rewind() {
    // The line counter goes back with the position, so messages keep
    // giving the line of the file.
    pos_ = mark_pos_;
    line_count_ = mark_line_;
    code_ = mark_code_;
    value_ = mark_value_;
    pushed_back_ = mark_pushed_back_;
}

// ---------------------------------------------------------------------------
// The whole file

bool DXF_Reader::read_file() {
    map_input();
    try {
        set_mark();
        if (find_section("HEADER"))
            read_header();
        else
            rewind();
        set_mark();
        if (find_section("TABLES"))
            read_tables();
        else
            rewind();
        set_mark();
        if (find_section("BLOCKS"))
            read_blocks();
        else
            rewind();
        if (find_section("ENTITIES")) read_entities();
        read_to_end_marker();
    } catch (const Exception& e) {
        show_fatal(e.Message());
    }
    const bool header_stands =
        max_read_ && min_read_ && !point3_equal(max_, point3_origin) && !point3_equal(min_, point3_origin);
    if (!header_stands)
        for (const auto& l : layers_) l->update_extents(max_, min_);
    return true;
}

void DXF_Reader::show_fatal(const std::string& text) {
    services().message_box(text, "DXF Read Error", MB_OK | MB_ICONWARNING);
}

bool DXF_Reader::find_section(std::string_view name) {
    for (;;) {
        int code = next_group();
        if (code == -2) return false;
        if (code != 0) continue;
        if (value_ == "EOF") {
            end_marker_seen_ = true;
            return false;
        }
        if (value_ != "SECTION") continue;
        code = next_group_within();
        if (code == 2) return value_ == name;
        // Another group after "SECTION": the search goes on.
        if (code == 0) push_back();
    }
}

void DXF_Reader::read_to_end_marker() {
    while (!end_marker_seen_) {
        const int code = next_group();
        if (code == -2) fail(unexpected_end, true);
        if (code == 0 && value_ == "EOF") end_marker_seen_ = true;
    }
}

void DXF_Reader::read_header() {
    for (;;) {
        const int code = next_group_within();
        if (code == 0 && value_ == "ENDSEC") return;
        if (code != 9) continue;
        if (value_ == "$EXTMAX") {
            read_header_point(max_);
            max_read_ = true;
        } else if (value_ == "$EXTMIN") {
            read_header_point(min_);
            min_read_ = true;
        }
    }
}

void DXF_Reader::read_header_point(point3& p) {
    for (;;) {
        const int code = next_group_within();
        if (code == 10) {
            const double x = real_value();
            next_group_within();
            const double y = real_value();
            p.x = x;
            p.y = y;
            return;
        }
        if (code == 0 || code == 9) {
            push_back();
            return;
        }
    }
}

void DXF_Reader::read_tables() {
    for (;;) {
        int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "ENDSEC") return;
        if (value_ != "TABLE") continue;
        code = next_group_within();
        if (code == 2 && value_ == "LAYER")
            read_layer_table();
        else if (code == 2 && value_ == "VPORT")
            skip_table();
        else if (code == 0)
            push_back();
    }
}

void DXF_Reader::read_layer_table() {
    DXF_Layer* current = nullptr;
    bool in_entry = false;
    for (;;) {
        const int code = next_group_within();
        if (code == 0) {
            if (value_ == "ENDTAB") return;
            if (value_ == "ENDSEC") {
                push_back();
                return;
            }
            in_entry = value_ == "LAYER";
            current = nullptr;
            continue;
        }
        if (code == 2 && in_entry && !current) {
            // Always a new layer; a look-up by name finds the first.
            layers_.push_back(std::make_unique<DXF_Layer>(std::string(value_)));
            current = layers_.back().get();
            layer_index_.try_emplace(current->name, current);
            continue;
        }
        if (!current) continue;
        if (code == 62)
            current->colour_index = integer_value();
        else if (code == 6)
            current->line_type_name = std::string(value_);
        else if (code == 39)
            current->line_width = integer_value();
    }
}

void DXF_Reader::skip_table() {
    for (;;) {
        const int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "ENDTAB") return;
        if (value_ == "ENDSEC") {
            push_back();
            return;
        }
    }
}

void DXF_Reader::read_blocks() {
    for (;;) {
        const int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "ENDSEC") return;
        if (value_ == "BLOCK") read_block();
    }
}

void DXF_Reader::read_block() {
    read_entity_record_with_layer(record_);
    DXF_Layer& zero = layer_named("0");
    auto owned = std::make_unique<Block_>(std::string(record_.s2), record_.p[0]);
    Block_* block = owned.get();
    zero.add_entity(std::move(owned));
    if (!block_list_) block_list_ = zero.find_entity_list("Block_");
    block_being_read_ = block;
    for (;;) {
        const int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "ENDBLK") break;
        if (value_ == "ENDSEC") {
            push_back();
            break;
        }
        DXF_Layer* layer = nullptr;
        if (auto e = read_entity(value_, layer)) block->add(std::move(e));
    }
    block_being_read_ = nullptr;
}

void DXF_Reader::read_entities() {
    for (;;) {
        const int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "ENDSEC") return;
        try {
            DXF_Layer* layer = nullptr;
            if (auto e = read_entity(value_, layer)) layer->add_entity(std::move(e));
        } catch (const DXF_read_exception& e) {
            if (e.ends_reading) throw;
            if (services().message_box(e.Message(), "DXF read error warning", MB_OKCANCEL) == IDCANCEL)
                throw DXF_read_exception("User aborted", -1, true);
        } catch (const Exception& e) {
            ShowMessage(e.Message());
        }
    }
}

// ---------------------------------------------------------------------------
// Entities

DXF_Layer& DXF_Reader::layer_named(std::string_view name) {
    if (last_layer_ && last_layer_->name == name) return *last_layer_;
    const auto it = layer_index_.find(name);
    if (it != layer_index_.end()) {
        last_layer_ = it->second;
        return *last_layer_;
    }
    layers_.push_back(std::make_unique<DXF_Layer>(std::string(name)));
    last_layer_ = layers_.back().get();
    layer_index_.try_emplace(last_layer_->name, last_layer_);
    return *last_layer_;
}

void DXF_Reader::read_entity_record(abstract_entity& r) {
    r.clear();
    for (;;) {
        const int code = next_group_within();
        switch (code) {
            case 0:
                push_back();
                if (!point3_equal(r.extrusion, point3_unit_z)) r.extrusion = point3_normalise(r.extrusion);
                return;
            case 1: r.s1 = value_; break;
            case 2: r.s2 = value_; break;
            case 3: r.s3 = value_; break;
            case 8: r.s8 = value_; break;
            case 10: case 11: case 12: case 13: r.p[code - 10].x = real_value(); break;
            case 20: case 21: case 22: case 23: r.p[code - 20].y = real_value(); break;
            case 30: case 31: case 32: case 33: r.p[code - 30].z = real_value(); break;
            case 38: r.r38 = real_value(); break;
            case 39: r.r39 = real_value(); break;
            case 40: r.r40 = real_value(); break;
            case 41: r.r41 = real_value(); break;
            case 42: r.r42 = real_value(); break;
            case 43: r.r43 = real_value(); break;
            case 50: r.r50 = real_value(); break;
            case 51: r.r51 = real_value(); break;
            case 62:
                r.i62 = integer_value();
                r.colour_given = true;
                break;
            case 66: r.i66 = integer_value(); break;
            case 70: r.i70 = integer_value(); break;
            case 71: r.i71 = integer_value(); break;
            case 72: r.i72 = integer_value(); break;
            case 73: r.i73 = integer_value(); break;
            case 74: r.i74 = integer_value(); break;
            case 210: r.extrusion.x = real_value(); break;
            case 220: r.extrusion.y = real_value(); break;
            case 230: r.extrusion.z = real_value(); break;
            default: break;
        }
    }
}

DXF_Layer& DXF_Reader::read_entity_record_with_layer(abstract_entity& r) {
    read_entity_record(r);
    DXF_Layer& layer = layer_named(r.s8);
    // Colour 0 given inside a block is "by block": the insert's colour when
    // drawn. Elsewhere, and when no colour is given, the layer's.
    if (r.i62 == 0 && !(block_being_read_ && r.colour_given)) r.i62 = layer.colour_index;
    return layer;
}

std::unique_ptr<DXF_Entity> DXF_Reader::read_entity(std::string_view keyword, DXF_Layer*& layer) {
    const abstract_entity& r = record_;
    auto with_layer_style = [&layer](std::unique_ptr<DXF_Entity> e) {
        e->line_type_name = layer->line_type_name;
        e->line_width = layer->line_width;
        return e;
    };
    auto corners = [&r] {
        std::vector<point3> c(r.p, r.p + 4);
        if (point3_equal(r.p[2], r.p[3])) c.pop_back();
        return c;
    };
    if (keyword == "POINT") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Point_>(r.extrusion, r.p[0], r.i62));
    }
    if (keyword == "INSERT") return read_insert(layer);
    if (keyword == "TEXT") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Text_>(r.extrusion, r.p[0], r.p[1], std::string(r.s1), r.r40, 0,
                                                        r.i62, r.i72, whole_degrees(r.r50)));
    }
    if (keyword == "LINE") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Line_>(r.p[0], r.p[1], r.i62));
    }
    if (keyword == "POLYLINE") return read_polyline(layer);
    if (keyword == "3DFACE") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Face3D_>(corners(), r.i62));
    }
    if (keyword == "SOLID") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Solid_>(r.extrusion, corners(), r.i62, r.r39));
    }
    if (keyword == "CIRCLE") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Circle_>(r.extrusion, r.p[0], r.r40, r.i62));
    }
    if (keyword == "ELLIPSE") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(
            std::make_unique<Ellipse_>(r.extrusion, r.p[0], r.p[1], r.r40, r.r41, r.r42, r.i62));
    }
    if (keyword == "ARC") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Arc_>(r.extrusion, r.p[0], r.r40, r.r50, r.r51, r.i62));
    }
    if (keyword == "ATTDEF") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Attdef_>(r.extrusion, r.p[0], r.p[1], std::string(r.s2),
                                                          std::string(r.s1), std::string(r.s3), r.i70, r.i72,
                                                          r.r40, r.i62));
    }
    if (keyword == "ATTRIB") {
        layer = &read_entity_record_with_layer(record_);
        return with_layer_style(std::make_unique<Attrib_>(r.extrusion, r.p[0], r.p[1], std::string(r.s2),
                                                          std::string(r.s1), r.i70, r.i72, r.r40, r.i62));
    }
    return nullptr;
}

std::unique_ptr<DXF_Entity> DXF_Reader::read_insert(DXF_Layer*& layer) {
    layer = &read_entity_record_with_layer(record_);
    const abstract_entity head = record_;
    std::vector<std::unique_ptr<Attrib_>> attributes;
    if (head.i66 == 1) {
        for (;;) {
            const int code = next_group_within();
            if (code != 0) continue;
            if (value_ == "SEQEND") break;
            if (value_ != "ATTRIB") {
                // Another entity or the section's end: the list ends here.
                push_back();
                break;
            }
            DXF_Layer& own = read_entity_record_with_layer(inner_record_);
            const abstract_entity& a = inner_record_;
            auto attribute = std::make_unique<Attrib_>(a.extrusion, a.p[0], a.p[1], std::string(a.s2),
                                                       std::string(a.s1), a.i70, a.i72, a.r40, a.i62);
            attribute->line_type_name = own.line_type_name;
            attribute->line_width = own.line_width;
            attributes.push_back(std::move(attribute));
        }
    }
    auto scale = [](double s) { return s == 0 ? 1.0 : s; };
    auto insert = std::make_unique<Insert_>(head.extrusion, head.p[0],
                                            point3{scale(head.r41), scale(head.r42), scale(head.r43)}, head.r50,
                                            head.i62, std::move(attributes), std::string(head.s2));
    if (!insert->block_name.empty()) {
        // A block cannot contain itself: drawing it would never end.
        const Block_* block = block_list_ ? block_list_->find_block(insert->block_name) : nullptr;
        if (!block || block == block_being_read_) fail(undefined_block);
    }
    if (block_list_) insert->bind_block_list(block_list_);
    return insert;
}

std::unique_ptr<DXF_Entity> DXF_Reader::read_polyline(DXF_Layer*& layer) {
    layer = &read_entity_record_with_layer(record_);
    const abstract_entity head = record_;
    const bool polygon_mesh = (head.i70 & 16) != 0;
    const bool polyface_mesh = !polygon_mesh && (head.i70 & 64) != 0;
    vertices_.clear();
    faces_.clear();
    for (;;) {
        const int code = next_group_within();
        if (code != 0) continue;
        if (value_ == "SEQEND") {
            read_entity_record(inner_record_);
            break;
        }
        if (value_ != "VERTEX") {
            // Another entity or the section's end before "SEQEND": the
            // polyline fails and reading goes on from that group.
            push_back();
            fail(entity_error("POLYLINE").c_str());
        }
        read_entity_record(inner_record_);
        const abstract_entity& v = inner_record_;
        bool position = true;
        if (polygon_mesh) {
            if ((v.i70 & 64) == 0) fail(entity_error("POLYLINE").c_str());
        } else if (polyface_mesh) {
            if ((v.i70 & 64) && (v.i70 & 128)) {
            } else if (v.i70 & 128) {
                auto number = [](int32_t n) { return static_cast<int32_t>(std::llabs(static_cast<int64_t>(n)) - 1); };
                faces_.push_back({number(v.i71), number(v.i72), number(v.i73), number(v.i74)});
                position = false;
            } else {
                fail(entity_error("POLYLINE").c_str());
            }
        }
        if (position) {
            if (vertices_.size() >= static_cast<std::size_t>(max_polyline_vertices))
                fail(("Polyline contained more than " + IntToStr(max_polyline_vertices) + " vertices").c_str());
            vertices_.push_back(v.p[0]);
        }
    }
    if (polygon_mesh) {
        // The vertices must fill the M x N grid; otherwise nothing is made.
        if (static_cast<int64_t>(head.i71) * head.i72 != static_cast<int64_t>(vertices_.size())) return nullptr;
        return std::make_unique<Polygon_mesh_>(vertices_, head.i71, head.i72, head.i70, head.i62);
    }
    if (polyface_mesh) return std::make_unique<Polyface_mesh_>(vertices_, faces_, head.i62);
    return std::make_unique<Polyline_>(head.extrusion, vertices_, head.i62, (head.i70 & 1) != 0);
}
