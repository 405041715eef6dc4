#include "drawing/dxf_writer.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "drawing/drawing_state.h"
#include "drawing/entities.h"
#include "files/opcje_tables.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/drawing_palette.h"
#include "model/messages.h"
#include "model/settings_state.h"
#include "model/utils.h"
#include "platform/graphics.h"
#include "platform/sysutils.h"

namespace {

constexpr point3 up{0, 0, 1};

struct text_kind {
    std::string_view key;
    int row;
    bool comment_like;  // collected for the profile sheet's arrangement
};

constexpr std::array<text_kind, 8> text_kinds{{
    {"t_pro", 1, false},
    {"t_opi", 2, false},
    {"t_kom", 3, true},
    {"t_kol", 4, true},
    {"t_kolp", 5, true},
    {"t_osl", 6, true},
    {"t_terd", 7, true},
    {"t_sch", 8, false},
}};

const text_kind& kind_of(std::string_view key) {
    for (const text_kind& k : text_kinds)
        if (k.key == key) return k;
    throw EConvertError(format_language_text(msg("msg_UnknownTextStyle", "Nieznany styl tekstu: %s"), {std::string(key)}));
}

const std::string& font_cell(int col, int row) { return topcje->sag_Fonts->Cells(col, row); }

double font_number(int col, int row) { return StrToFloat(fix_decimal_separator(font_cell(col, row))); }

double font_height(int row) { return font_number(1, row) / 100; }

int font_colour(int row) { return StrToInt(Trim(font_cell(2, row))) & 0xFF; }

// Column 4 without its "%", / 100.
double font_width_factor(int row) {
    std::string text = font_cell(4, row);
    const std::size_t percent = text.find('%');
    if (percent != std::string::npos) text.erase(percent, 1);
    return StrToFloat(fix_decimal_separator(Trim(text))) / 100;
}

// The row of the style whose values a table text takes by its type letter.
int row_of_type(char type) {
    switch (type) {
        case 'k': return 4;
        case 'l': return 5;
        case 'o': return 6;
        case 't': return 7;
        default: return 1;
    }
}

// The drawing font of the settings as the measurement takes it: "arial"
// for a shape font.
std::string measuring_face() {
    const std::string face = topcje->cb_fonts->Text();
    if (face.empty() || LowerCase(face).find(".shx") != std::string::npos) return "arial";
    return face;
}

// The lines of a text split at "\P".
std::vector<std::string> split_paragraphs(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find("\\P", start);
        if (at == std::string::npos) break;
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

double units_per_metre() { return drawing().units_per_metre; }

const linia_def& element(int index) { return settings().line_defs.at(static_cast<std::size_t>(index)); }

}  // namespace

DXF_Writer::DXF_Writer(std::string path) : path_(std::move(path)) { out_.spell_layers(&layers_); }

DXF_Writer::~DXF_Writer() = default;

void DXF_Writer::apply_text_style(const tekst& in, std::string_view key, tekst& out) {
    const text_kind& kind = kind_of(key);
    const int row = kind.row;
    tekst styled = in;
    styled.width_factor = font_width_factor(row);
    styled.height = font_height(row);
    styled.colour = static_cast<uint8_t>(font_colour(row));
    const double spacing = font_number(3, row) / 100;
    styled.layer = entity_layer(font_cell(5, row));

    if (kind.key == "t_pro") {
        if (topcje->cb_TextHeightInTableLikeForType->Checked()) {
            if (in.type == 'g')
                styled.height = static_cast<double>(Round(0.75 * font_number(1, 1))) / 100;
            else
                styled.height = font_height(row_of_type(in.type));
        }
        if (topcje->cb_TextColorInTableLikeForType->Checked())
            styled.colour = static_cast<uint8_t>(font_colour(row_of_type(in.type)));
    }

    styled.near_offset = spacing;
    if (kind.key == "t_sch")
        styled.far_offset = spacing + 1.2 * styled.height;
    else if (kind.key == "t_opi")
        styled.far_offset = spacing;
    else
        styled.far_offset = spacing + text_height_at(styled.height * 100) / 100;

    if (!topcje->cb_DescriptionOnLeft->Checked() && kind.key != "t_opi" && !in.keep_side) {
        const double near = styled.near_offset;
        styled.near_offset = -styled.far_offset;
        styled.far_offset = -near;
    }

    if (kind.comment_like && styled.position != -1) {
        bool first = true;
        for (std::string& line : split_paragraphs(styled.text)) {
            tekst piece = styled;
            piece.text = std::move(line);
            piece.first_line = first ? 1 : 0;
            first = false;
            drawing_texts.push_back(std::move(piece));
        }
    }

    measure_face_ = measuring_face();
    measure_pixels_ = styled.height * 100;
    out = std::move(styled);
}

point3 DXF_Writer::label_offset(const point3& p, std::string_view mode, double d, std::string_view text,
                                double factor) const {
    const double u = units_per_metre();
    const double w = text_width_at(measure_face_, measure_pixels_, text) * factor / 100;
    if (mode == "y") {
        if (Form1->tb_PreviewProfile->Down())
            return {p.x, -(0.5 * font_number(1, 1) / 19 + d + w) * u, 0};
        return {p.x, p.y - (d + w) * u, 0};
    }
    if (mode == "xr") return {p.x - 2 * w * u, p.y, 0};
    return {p.x - w * u, p.y, 0};
}

const std::string& DXF_Writer::entity_layer(std::string_view name) {
    if (auto it = entity_layers_.find(name); it != entity_layers_.end()) return it->second;
    return entity_layers_.emplace(std::string(name), valid_warstwa(std::string(name))).first->second;
}

void DXF_Writer::line(const point3& a, const point3& b, int colour, std::string_view layer) {
    Line_(a, b, colour).write_dxf(out_, entity_layer(layer));
}

void DXF_Writer::element_line(int index, const point3& a, const point3& b) {
    const linia_def& e = element(index);
    line(a, b, e.color, e.layer);
}

void DXF_Writer::circle(const point3& centre, double radius, int colour, std::string_view layer) {
    Circle_(up, centre, radius, colour).write_dxf(out_, entity_layer(layer));
}

void DXF_Writer::arc(const point3& centre, double radius, double start, double end, int colour,
                     std::string_view layer) {
    Arc_(up, centre, radius, start, end, colour).write_dxf(out_, entity_layer(layer));
}

void DXF_Writer::insert(std::string_view block, const point3& at, const point3& scale, double rotation, int colour,
                        std::string_view layer) {
    // The groups Insert_ writes for an insert without attributes, without
    // making the entity and its matrix.
    out_.group(0, "INSERT");
    out_.group(8, entity_layer(layer));
    if (colour != 256) out_.group(62, colour);
    out_.point(210, up);
    out_.point(10, at);
    if (!block.empty()) out_.group(2, block);
    if (scale.x != 1 || scale.y != 1 || scale.z != 1) {
        out_.group(41, scale.x);
        out_.group(42, scale.y);
        out_.group(43, scale.z);
    }
    // Insert_ keeps its rotation in radians and writes it in degrees: the
    // same two conversions give the same digits.
    constexpr double degrees_per_radian = 180.0 / std::numbers::pi;
    const double turned = rotation / degrees_per_radian;
    if (turned != 0) out_.group(50, turned * degrees_per_radian);
}

void DXF_Writer::text(const tekst& style, std::string_view shown, const point3& insertion, const point3& alignment,
                      double height, int rotation, int justification) {
    // The groups Text_ writes, without copying the text into an entity.
    out_.group(0, "TEXT");
    out_.group(8, entity_layer(style.layer));
    out_.group(62, static_cast<int>(style.colour));  // a byte: never 256, "by layer"
    out_.point(10, insertion);
    out_.group(40, height);
    out_.group(50, rotation);
    out_.group(1, shown);
    out_.group(41, style.width_factor);
    if (justification != 0) {
        out_.point(11, point3_equal(alignment, point3_origin) ? insertion : alignment);
        out_.group(72, justification);
    }
}

void DXF_Writer::rectangle(const rectangle_spec& r) {
    const std::string edges = r.edges.size() == 4 ? r.edges : std::string("1111");
    const double x = r.origin.x + r.dx;
    const double y = r.origin.y - r.dy;
    const point3 corners[4] = {{x, y, 0}, {x + r.width, y, 0}, {x + r.width, y - r.height, 0}, {x, y - r.height, 0}};
    for (int i = 0; i < 4; ++i)
        if (edges[static_cast<std::size_t>(i)] == '1') line(corners[i], corners[(i + 1) % 4], r.colour, r.layer);
}

void DXF_Writer::arrow(bool head_at_end, int index, double x1, double y1, double x2, double y2) {
    const point3 first{x1, y1, 0};
    const point3 second{x2, y2, 0};
    const point3& tail = head_at_end ? first : second;
    const point3& head = head_at_end ? second : first;
    element_line(index, tail, head);
    const double s = settings().symbol_size_factor;
    const point3 q = point_at_distance(head, tail, 0.4 * s * units_per_metre(), 0);
    const point3 stroke1 = rotate_point(head, q, -15);
    const point3 stroke2 = rotate_point(head, stroke1, 30);
    element_line(index, stroke1, head);
    element_line(index, stroke2, head);
}

void DXF_Writer::scale_bar(const point3& p, int scale) {
    const double u = units_per_metre();
    const TStringList& units = topcje->cb_jedn->Items();
    const std::string km = units.Count() > 6 ? units[6] : std::string("km");
    const std::string m = units.Count() > 3 ? units[3] : std::string("m");
    const double km_length = scale / 100000.0;
    const std::string label =
        km_length >= 1 ? Format("%g%s", {km_length, km}) : Format("%g%s", {scale / 100.0, m});
    const point3 o{p.x - 1.2 * u, p.y, 0};
    const linia_def& e = element(element_koment);
    rectangle({.origin = o, .colour = e.color, .width = u, .height = 0.1 * u, .layer = e.layer, .edges = "0111"});
    tekst style;
    style.text = label;
    style.position = -1;
    apply_text_style(style, "t_pro", style);
    const point3 at{o.x + 0.05 * u, o.y - 0.05 * u, 0};
    text(style, label, at, at, 0.7 * style.height * u, 0, 0);
}

void DXF_Writer::level_mark(const point3& p, bool second) {
    const double u = units_per_metre();
    const point3 left{p.x - 0.07 * u, p.y + 0.09 * u, 0};
    const point3 right{p.x + 0.07 * u, p.y + 0.09 * u, 0};
    element_line(element_koment, p, left);
    element_line(element_koment, p, right);
    element_line(element_koment, left, right);
    if (!second) return;
    const point3 a{p.x - 0.03 * u, p.y - 0.02 * u, 0};
    const point3 b{p.x + 0.03 * u, p.y - 0.06 * u, 0};
    const point3 c{p.x - 0.03 * u, p.y - 0.10 * u, 0};
    element_line(element_koment, p, a);
    element_line(element_koment, b, a);
    element_line(element_koment, b, c);
}

uint8_t tcolor2cadcolor(TColor colour) {
    const TColor rgb = ColorToRGB(colour);
    const int r = static_cast<int>(rgb & 0xFF);
    const int g = static_cast<int>((rgb >> 8) & 0xFF);
    const int b = static_cast<int>((rgb >> 16) & 0xFF);
    int best = 1;
    int best_distance = -1;
    for (int k = 1; k <= 255; ++k) {
        const TColor c = drawing_palette_fixed[static_cast<std::size_t>(k - 1)];
        const int distance = std::abs(r - static_cast<int>(c & 0xFF)) +
                             std::abs(g - static_cast<int>((c >> 8) & 0xFF)) +
                             std::abs(b - static_cast<int>((c >> 16) & 0xFF));
        if (best_distance < 0 || distance < best_distance) {
            best = k;
            best_distance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}
