#include "files/project_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "model/columns.h"
#include "model/messages.h"
#include "model/utils.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/named_bytes.h"
#include "platform/number_text.h"
#include "platform/sysutils.h"
#include "platform/types.h"

// --- number encodings ----------------------------------------------------------------------

// The general form of the one encoder, with the process-wide separator.
void put_general(std::string& out, double v, int precision) {
    if (!std::isfinite(v)) throw EMathError("Invalid floating point operation");
    char text[general_text_room];
    out.append(text, put_general_text(text, v, precision, decimal_separator));
}

void put_f6(std::string& out, double v) { out += Format("%.6f", {v}); }

void put_int(std::string& out, int64_t v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void put_pair(std::string& out, const value_pair& p) {
    put_g10(out, p.s1);
    out += '/';
    put_g10(out, p.s2);
}

// --- texts ---------------------------------------------------------------------------------

namespace {

void put_cleaned(std::string& out, std::string_view text, bool item_separators, bool list_bytes) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else if (c == '\n' || (item_separators && c == item_separator) || (list_bytes && c == list_separator)) {
            out += ' ';
        } else {
            out += c;
        }
    }
}

}  // namespace

void put_cell_text(std::string& out, std::string_view text, bool list) { put_cleaned(out, text, true, !list); }

void put_line_text(std::string& out, std::string_view text) { put_cleaned(out, text, false, false); }

// --- reading -------------------------------------------------------------------------------

bool read_real(std::string_view text, double& out) {
    // The usual cell: a sign, digits and one separator; anything else goes
    // the long way, which decides alike.
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    const std::string_view t = text.substr(b, e - b);
    if ((decimal_separator == '.' || decimal_separator == ',') && !t.empty() && t.size() < 40) {
        char buf[48];
        std::size_t n = 0, i = 0;
        if (t[0] == '+' || t[0] == '-') {
            if (t[0] == '-') buf[n++] = '-';
            ++i;
        }
        bool digit = false, point = false, plain = true;
        for (; i < t.size() && plain; ++i) {
            const char c = t[i];
            if (c >= '0' && c <= '9') {
                digit = true;
                buf[n++] = c;
            } else if ((c == '.' || c == ',') && !point) {
                point = true;
                buf[n++] = '.';
            } else {
                plain = false;
            }
        }
        if (plain) {
            if (!digit) return false;
            // A mantissa below 2^53 over a power of ten up to 10^22: both are
            // exact, so one division gives the correctly rounded value, as
            // from_chars does, at a fraction of its cost.
            static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
            uint64_t mantissa = 0;
            int digits = 0, decimals = -1;
            for (std::size_t k = 0; k < n; ++k) {
                if (buf[k] == '-') continue;
                if (buf[k] == '.') {
                    decimals = 0;
                    continue;
                }
                if (digits < 19) mantissa = mantissa * 10 + static_cast<uint64_t>(buf[k] - '0');
                if (mantissa != 0) ++digits;
                if (decimals >= 0) ++decimals;
            }
            if (decimals < 0) decimals = 0;
            if (digits <= 15 && decimals <= 22 && mantissa < (uint64_t(1) << 53)) {
                const double v = static_cast<double>(mantissa) / powers[decimals];
                out = buf[0] == '-' ? -v : v;
                return true;
            }
            double v = 0;
            const auto r = std::from_chars(buf, buf + n, v, std::chars_format::fixed);
            if (r.ec == std::errc() && r.ptr == buf + n) {
                out = v;
                return true;
            }
        }
    }
    return TryStrToFloat(fix_decimal_separator(text), out);
}

double real_value(std::string_view text) {
    double v = 0;
    if (!read_real(text, v)) throw project_value_error("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

std::string out_of_range_text(std::string_view text, int64_t low, int64_t high) {
    return format_language_text(msg("msg_FileValueOutOfRange", "'%s' poza zakresem %s..%s"),
                                {std::string(text), IntToStr(low), IntToStr(high)});
}

int64_t whole_value(std::string_view text, int64_t low, int64_t high) {
    int64_t v = 0;
    if (!TryStrToInt64(text, v)) throw project_value_error("'" + std::string(text) + "' is not a valid integer value");
    if (v < low || v > high) throw project_value_error(out_of_range_text(text, low, high));
    return v;
}

int64_t rounded_value(std::string_view text, int64_t low, int64_t high) {
    const double v = real_value(text);
    if (!(v > -9.2e18 && v < 9.2e18)) throw project_value_error(out_of_range_text(text, low, high));
    const int64_t r = Round(v);
    if (r < low || r > high) throw project_value_error(out_of_range_text(text, low, high));
    return r;
}

std::vector<std::string_view> line_items(std::string_view line, std::size_t limit, char separator) {
    std::vector<std::string_view> items;
    if (limit != std::numeric_limits<std::size_t>::max()) items.reserve(limit);
    // Items are short: a plain scan beats a library search per item.
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end && items.size() < limit) {
        const char* q = p;
        while (q < end && *q != separator) ++q;
        items.emplace_back(p, static_cast<std::size_t>(q - p));
        p = q + 1;
    }
    return items;
}

std::vector<std::string> list_lines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view item : line_items(text, std::numeric_limits<std::size_t>::max(), list_separator))
        lines.emplace_back(item);
    return lines;
}

// --- item kinds ------------------------------------------------------------------------------
// Each kind is made from a stateless lambda that gives the field of a
// record; the field's type gives the range of a whole number.

namespace {

template <class R, class F>
using field_type = std::remove_reference_t<decltype(F{}(std::declval<R&>()))>;

template <class R, class F>
R& as_mutable(const R& r) {
    return const_cast<R&>(r);  // the field's accessor takes the record as it is written
}

// A real in G15, read with either separator.
template <class R, class F>
line_item<R> real(F, const char* missing = nullptr) {
    return {[](std::string& o, const R& r) { put_g15(o, F{}(as_mutable<R, F>(r))); },
            [](R& r, std::string_view t) { F{}(r) = real_value(t); }, missing};
}

// A whole number as it stands, within the range of its field.
template <class R, class F>
line_item<R> whole(F, const char* missing = nullptr) {
    using T = field_type<R, F>;
    return {[](std::string& o, const R& r) { put_int(o, F{}(as_mutable<R, F>(r))); },
            [](R& r, std::string_view t) {
                F{}(r) = static_cast<T>(whole_value(t, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
            },
            missing};
}

// "1" or "0"; only "1" reads as true.
template <class R, class F>
line_item<R> flag(F, const char* missing = nullptr) {
    return {[](std::string& o, const R& r) { put_bool(o, F{}(as_mutable<R, F>(r))); },
            [](R& r, std::string_view t) { F{}(r) = t == "1"; }, missing};
}

// A text as it stands.
template <class R, class F>
line_item<R> text(F, const char* missing = nullptr) {
    return {[](std::string& o, const R& r) { put_cell_text(o, F{}(as_mutable<R, F>(r))); },
            [](R& r, std::string_view t) { F{}(r) = std::string(t); }, missing};
}

// A colour text; empty reads as white.
template <class R, class F>
line_item<R> colour(F) {
    return {[](std::string& o, const R& r) { put_cell_text(o, ColorToString(F{}(as_mutable<R, F>(r)))); },
            [](R& r, std::string_view t) {
                TColor c = clWhite;
                if (!t.empty() && !TryStringToColor(t, c))
                    throw project_value_error("'" + std::string(t) + "' is not a valid colour");
                F{}(r) = c;
            },
            nullptr};
}

// Written as "0", never read.
template <class R>
line_item<R> unused_zero() {
    return {[](std::string& o, const R&) { o += '0'; }, [](R&, std::string_view) {}, nullptr};
}

template <class R>
line_item<R> unused_empty() {
    return {[](std::string&, const R&) {}, [](R&, std::string_view) {}, nullptr};
}

// A soil-layer list of a cross-section: the text (list bytes kept) and its lines.
template <std::string przekroj::*Text, std::vector<std::string> przekroj::*List, bool Normalise>
line_item<przekroj> layer_list() {
    return {[](std::string& o, const przekroj& r) { put_cell_text(o, r.*Text, true); },
            [](przekroj& r, std::string_view t) {
                r.*Text = Normalise ? fix_decimal_separator(t) : std::string(t);
                r.*List = list_lines(r.*Text);
            },
            nullptr};
}

}  // namespace

// --- the record lines ------------------------------------------------------------------------

const std::vector<line_item<kolizja>>& crossing_items() {
    using R = kolizja;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        text<R>([](R& r) -> auto& { return r.medium; }),
        text<R>([](R& r) -> auto& { return r.description; }),
        real<R>([](R& r) -> auto& { return r.ordinate; }),
        real<R>([](R& r) -> auto& { return r.diameter; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        real<R>([](R& r) -> auto& { return r.diameter2; }),
        flag<R>([](R& r) -> auto& { return r.projected; }),
        flag<R>([](R& r) -> auto& { return r.to_remove; }),
        whole<R>([](R& r) -> auto& { return r.twin_profile_id; }),
        whole<R>([](R& r) -> auto& { return r.twin_node_id; }),
        real<R>([](R& r) -> auto& { return r.twin_distance; }),
        real<R>([](R& r) -> auto& { return r.height; }),
        flag<R>([](R& r) -> auto& { return r.automatic; }),
        real<R>([](R& r) -> auto& { return r.angle; }, "90"),
    };
    return items;
}

const std::vector<line_item<oslonowa>>& casing_items() {
    using R = oslonowa;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        real<R>([](R& r) -> auto& { return r.diameter; }),
        real<R>([](R& r) -> auto& { return r.length; }),
        text<R>([](R& r) -> auto& { return r.material; }),
        text<R>([](R& r) -> auto& { return r.description; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        text<R>([](R& r) -> auto& { return r.kind; }),
    };
    return items;
}

const std::vector<line_item<przekroj>>& section_items() {
    using R = przekroj;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        text<R>([](R& r) -> auto& { return r.name; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        layer_list<&R::layer_names, &R::layer_name_list, false>(),
        layer_list<&R::layer_abbreviations, &R::layer_abbreviation_list, false>(),
        layer_list<&R::layer_thicknesses, &R::layer_thickness_list, true>(),
        real<R>([](R& r) -> auto& { return r.ground_water; }, "-111"),
    };
    return items;
}

const std::vector<line_item<teren_opis>>& terrain_items() {
    using R = teren_opis;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        real<R>([](R& r) -> auto& { return r.length; }),
        text<R>([](R& r) -> auto& { return r.description; }),
        text<R>([](R& r) -> auto& { return r.abbreviation; }),
        text<R>([](R& r) -> auto& { return r.hatching; }, "brak"),
    };
    return items;
}

const std::vector<line_item<granica_opis>>& boundary_items() {
    using R = granica_opis;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        text<R>([](R& r) -> auto& { return r.left_text; }),
        text<R>([](R& r) -> auto& { return r.right_text; }),
        flag<R>([](R& r) -> auto& { return r.automatic; }, "0"),
        real<R>([](R& r) -> auto& { return r.angle; }, "90"),
    };
    return items;
}

const std::vector<line_item<rzedne_npm>>& ordinate_items() {
    using R = rzedne_npm;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.node_id; }),
        real<R>([](R& r) -> auto& { return r.distance; }),
        real<R>([](R& r) -> auto& { return r.chainage; }),
        real<R>([](R& r) -> auto& { return r.ordinate.s1; }),
        real<R>([](R& r) -> auto& { return r.ordinate.s2; }),
        whole<R>([](R& r) -> auto& { return r.line_code; }),
        text<R>([](R& r) -> auto& { return r.description; }),
    };
    return items;
}

namespace {

// Tank item 13: the top radii, one number when the sides are equal.
line_item<mat_osadnik> top_radii() {
    return {[](std::string& o, const mat_osadnik& r) {
                put_int(o, r.r_top[0]);
                if (r.r_top[1] != r.r_top[0]) {
                    o += '/';
                    put_int(o, r.r_top[1]);
                }
            },
            [](mat_osadnik& r, std::string_view t) {
                constexpr int64_t lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
                const std::size_t slash = t.find('/');
                if (slash == std::string_view::npos) {
                    r.r_top[0] = r.r_top[1] = static_cast<int32_t>(whole_value(t, lo, hi));
                } else {
                    r.r_top[0] = static_cast<int32_t>(whole_value(t.substr(0, slash), lo, hi));
                    r.r_top[1] = static_cast<int32_t>(whole_value(t.substr(slash + 1), lo, hi));
                }
            },
            nullptr};
}

// Tank item 21: cover 2's distance from the left, written negated; a
// positive value (older files) is its distance from the right end.
line_item<mat_osadnik> cover2_left() {
    return {[](std::string& o, const mat_osadnik& r) { put_int(o, -static_cast<int64_t>(r.covers[1].distance_from_left)); },
            [](mat_osadnik& r, std::string_view t) {
                const int64_t v = whole_value(t, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
                const int64_t left = v < 1 ? -v : static_cast<int64_t>(r.length) - v - r.covers[1].width;
                if (left < 0 || left > 65535) throw project_value_error(out_of_range_text(t, -65535, 65535));
                r.covers[1].distance_from_left = static_cast<uint16_t>(left);
            },
            nullptr};
}

// Tank item 24: always "0"; "1" in older files gave cover 2 a filter as wide
// as the cover, any other number that filter diameter (item 46 follows).
line_item<mat_osadnik> cover2_filter() {
    return {[](std::string& o, const mat_osadnik&) { o += '0'; },
            [](mat_osadnik& r, std::string_view t) {
                if (t == "1")
                    r.covers[1].filter_diameter = r.covers[1].width;
                else
                    r.covers[1].filter_diameter = static_cast<uint16_t>(whole_value(t, 0, 65535));
            },
            nullptr};
}

}  // namespace

const std::vector<line_item<mat_osadnik>>& tank_items() {
    using R = mat_osadnik;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.adds.node_id; }),                               // 1
        text<R>([](R& r) -> auto& { return r.main.name; }),                                    // 2
        text<R>([](R& r) -> auto& { return r.adds.description; }),
        text<R>([](R& r) -> auto& { return r.adds.producer; }),
        text<R>([](R& r) -> auto& { return r.adds.index; }),                                   // 5
        whole<R>([](R& r) -> auto& { return r.volume; }),
        whole<R>([](R& r) -> auto& { return r.length; }),
        whole<R>([](R& r) -> auto& { return r.width; }),
        whole<R>([](R& r) -> auto& { return r.height; }),
        whole<R>([](R& r) -> auto& { return r.height_inlet_bottom; }),                         // 10
        whole<R>([](R& r) -> auto& { return r.height_outlet_bottom; }),
        whole<R>([](R& r) -> auto& { return r.inlet_diameter; }),
        top_radii(),
        whole<R>([](R& r) -> auto& { return r.r_bottom; }),
        whole<R>([](R& r) -> auto& { return r.covers[0].width; }),                              // 15
        whole<R>([](R& r) -> auto& { return r.covers[0].length; }),
        whole<R>([](R& r) -> auto& { return r.covers[0].distance_from_left; }),
        whole<R>([](R& r) -> auto& { return r.covers[0].extension_height; }),
        whole<R>([](R& r) -> auto& { return r.covers[1].width; }),
        whole<R>([](R& r) -> auto& { return r.covers[1].length; }),                             // 20
        cover2_left(),
        whole<R>([](R& r) -> auto& { return r.covers[1].extension_height; }),
        unused_zero<R>(),
        cover2_filter(),
        whole<R>([](R& r) -> auto& { return r.covers[0].height; }),                             // 25
        whole<R>([](R& r) -> auto& { return r.covers[0].max_extension_count; }),
        whole<R>([](R& r) -> auto& { return r.covers[1].height; }),
        whole<R>([](R& r) -> auto& { return r.covers[1].max_extension_count; }),
        whole<R>([](R& r) -> auto& { return r.base1_distance_from_left; }),
        whole<R>([](R& r) -> auto& { return r.base1_width; }),                                  // 30
        whole<R>([](R& r) -> auto& { return r.base1_height; }),
        whole<R>([](R& r) -> auto& { return r.base2_distance_from_right; }),
        whole<R>([](R& r) -> auto& { return r.base2_width; }),
        unused_empty<R>(),
        whole<R>([](R& r) -> auto& { return r.basement_length; }),                              // 35
        whole<R>([](R& r) -> auto& { return r.basement_width; }),
        whole<R>([](R& r) -> auto& { return r.basement_height; }),
        whole<R>([](R& r) -> auto& { return r.thickness; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].width; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].length; }),                             // 40
        whole<R>([](R& r) -> auto& { return r.covers[2].distance_from_left; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].extension_height; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].height; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].max_extension_count; }),
        whole<R>([](R& r) -> auto& { return r.covers[0].filter_diameter; }),                    // 45
        whole<R>([](R& r) -> auto& { return r.covers[1].filter_diameter; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].filter_diameter; }),
        whole<R>([](R& r) -> auto& { return r.partition1_left; }),
        whole<R>([](R& r) -> auto& { return r.partition2_left; }),
        colour<R>([](R& r) -> auto& { return r.adds.color; }),                                  // 50
        text<R>([](R& r) -> auto& { return r.adds.material; }),
        text<R>([](R& r) -> auto& { return r.adds.date; }),
        whole<R>([](R& r) -> auto& { return r.partition1_height; }),
        whole<R>([](R& r) -> auto& { return r.partition2_height; }),
        whole<R>([](R& r) -> auto& { return r.covers[0].filter_top_to_pipe_bottom_distance; }), // 55
        whole<R>([](R& r) -> auto& { return r.covers[1].filter_top_to_pipe_bottom_distance; }),
        whole<R>([](R& r) -> auto& { return r.covers[2].filter_top_to_pipe_bottom_distance; }),
    };
    return items;
}

namespace {

// Sump item 19: the kind letter; an empty item keeps the blank record's.
line_item<mat_studzienka> sump_kind() {
    return {[](std::string& o, const mat_studzienka& r) { put_cell_text(o, std::string(1, r.kind == 0 ? '0' : r.kind)); },
            [](mat_studzienka& r, std::string_view t) {
                if (!t.empty()) r.kind = t[0];
            },
            nullptr};
}

}  // namespace

const std::vector<line_item<mat_studzienka>>& sump_items() {
    using R = mat_studzienka;
    static const std::vector<line_item<R>> items = {
        whole<R>([](R& r) -> auto& { return r.adds.node_id; }),                   // 1
        text<R>([](R& r) -> auto& { return r.main.name; }),
        text<R>([](R& r) -> auto& { return r.adds.description; }),
        text<R>([](R& r) -> auto& { return r.adds.producer; }),
        text<R>([](R& r) -> auto& { return r.adds.index; }),                      // 5
        whole<R>([](R& r) -> auto& { return r.height_all; }),
        whole<R>([](R& r) -> auto& { return r.height_bottom2inlet; }),
        whole<R>([](R& r) -> auto& { return r.height_ordinate; }),
        whole<R>([](R& r) -> auto& { return r.diameter; }),
        whole<R>([](R& r) -> auto& { return r.cover_diameter; }),                 // 10
        whole<R>([](R& r) -> auto& { return r.cover_distance_from_border; }),
        whole<R>([](R& r) -> auto& { return r.cover_height; }),
        whole<R>([](R& r) -> auto& { return r.cone_height; }),
        whole<R>([](R& r) -> auto& { return r.extension_height; }),
        whole<R>([](R& r) -> auto& { return r.max_extension_count; }),            // 15
        text<R>([](R& r) -> auto& { return r.fittings; }),
        {[](std::string& o, const R& r) { put_cell_text(o, r.connections, true); },
         [](R& r, std::string_view t) { r.connections = std::string(t); }, nullptr},
        whole<R>([](R& r) -> auto& { return r.height_above_terrain; }),
        sump_kind(),
        text<R>([](R& r) -> auto& { return r.adds.node_name; }),                  // 20
        whole<R>([](R& r) -> auto& { return r.thickness; }),
        flag<R>([](R& r) -> auto& { return r.anchor2ground; }),
        flag<R>([](R& r) -> auto& { return r.without_bottom; }),
        flag<R>([](R& r) -> auto& { return r.drop; }),
        colour<R>([](R& r) -> auto& { return r.adds.color; }),                    // 25
        text<R>([](R& r) -> auto& { return r.adds.material; }),
        text<R>([](R& r) -> auto& { return r.adds.date; }),
        {[](std::string& o, const R& r) { put_cell_text(o, r.extra_inlet); },
         [](R& r, std::string_view t) { r.extra_inlet = fix_decimal_separator(t); }, nullptr},
        whole<R>([](R& r) -> auto& { return r.bottom_thickness; }),
        whole<R>([](R& r) -> auto& { return r.filter_diameter; }),                // 30
        whole<R>([](R& r) -> auto& { return r.filter_top_to_pipe_bottom_distance; }),
        whole<R>([](R& r) -> auto& { return r.drop_size; }),
        whole<R>([](R& r) -> auto& { return r.drop_corr_y; }),
        whole<R>([](R& r) -> auto& { return r.drop_diameter; }),
    };
    return items;
}

// --- profile header -----------------------------------------------------------------------------

namespace {

template <class F>
header_key header_flag(const char* key, F, const char* def) {
    return {key, [](std::string& o, const odcinek& p) { put_bool(o, F{}(const_cast<odcinek&>(p))); },
            [](odcinek& p, std::string_view t) { F{}(p) = whole_value(t, INT64_MIN, INT64_MAX) != 0; }, def};
}

template <class F>
header_key header_real(const char* key, F, bool fixed6) {
    if (fixed6)
        return {key, [](std::string& o, const odcinek& p) { put_f6(o, F{}(const_cast<odcinek&>(p))); },
                [](odcinek& p, std::string_view t) { F{}(p) = real_value(t); }, "0"};
    return {key, [](std::string& o, const odcinek& p) { put_g15(o, F{}(const_cast<odcinek&>(p))); },
            [](odcinek& p, std::string_view t) { F{}(p) = real_value(t); }, "0"};
}

// A whole number within [Low, High] (the field's range unless the values
// have a narrower meaning).
template <int64_t Low, int64_t High, class F>
header_key header_whole(const char* key, F, const char* def) {
    using T = field_type<odcinek, F>;
    return {key, [](std::string& o, const odcinek& p) { put_int(o, F{}(const_cast<odcinek&>(p))); },
            [](odcinek& p, std::string_view t) { F{}(p) = static_cast<T>(whole_value(t, Low, High)); }, def};
}

}  // namespace

const std::vector<header_key>& header_keys() {
    using P = odcinek;
    static const std::vector<header_key> keys = {
        header_whole<0, 65535>("idp", [](P& p) -> auto& { return p.idp; }, nullptr),
        {"nazwa", [](std::string& o, const P& p) { put_line_text(o, p.nazwa); },
         [](P& p, std::string_view t) { p.nazwa = std::string(t); }, nullptr},
        header_flag("rownol", [](P& p) -> auto& { return p.rownol; }, "0"),
        header_flag("rysuj", [](P& p) -> auto& { return p.rysuj; }, "1"),
        header_flag("poziom", [](P& p) -> auto& { return p.poziom; }, "0"),
        header_real("poziom_wart", [](P& p) -> auto& { return p.poziom_wart; }, true),
        header_flag("pskala", [](P& p) -> auto& { return p.pskala; }, "0"),
        header_whole<INT32_MIN, INT32_MAX>("pskalax", [](P& p) -> auto& { return p.pskalax; }, "0"),
        header_flag("pl2r", [](P& p) -> auto& { return p.pl2r; }, "0"),
        header_flag("pl2r_wart", [](P& p) -> auto& { return p.pl2r_wart; }, "1"),
        header_whole<0, 2>("rzedna", [](P& p) -> auto& { return p.rzedna; }, "0"),
        header_whole<0, 3>("stala", [](P& p) -> auto& { return p.stala; }, "0"),
        header_whole<0, 1>("stala_odleglosci", [](P& p) -> auto& { return p.stala_odleglosci; }, "0"),
        {"networktype",
         [](std::string& o, const P& p) {
             if (p.networktype != 0) put_line_text(o, std::string(1, p.networktype));
         },
         [](P& p, std::string_view t) { p.networktype = t.empty() ? 'i' : t[0]; }, "i"},
        header_whole<INT8_MIN, INT8_MAX>("main_typosz_id", [](P& p) -> auto& { return p.main_typosz_id; }, nullptr),
        header_real("startX", [](P& p) -> auto& { return p.startX; }, false),
        header_real("startY", [](P& p) -> auto& { return p.startY; }, false),
        header_real("startAngle", [](P& p) -> auto& { return p.startAngle; }, false),
        header_whole<0, 255>("domysl_typ_kresk", [](P& p) -> auto& { return p.domysl_typ_kresk; }, "0"),
    };
    return keys;
}

// --- node columns ----------------------------------------------------------------------------------

namespace {

// One number of a cell as the table reads it: a pair's halves, else the
// whole cell; a cell that does not convert reads as 0 and is counted.
value_pair cell_pair(std::string_view cell, cell_faults& faults) {
    const std::size_t slash = cell.find('/');
    double a = 0, b = 0;
    if (slash != std::string_view::npos) {
        if ((slash > 0 && !read_real(cell.substr(0, slash), a)) ||
            (slash + 1 < cell.size() && !read_real(cell.substr(slash + 1), b))) {
            faults.add(cell);
            return {};
        }
        return {a, b};
    }
    if (!read_real(cell, a)) {
        faults.add(cell);
        return {};
    }
    return {a, a};
}

// The node column of a kind: its key, how the file writes it and the
// node's field, all as the column table gives them.
template <column_kind K>
node_column kind_column() {
    const column_info& c = column_of(K);
    switch (c.node.file) {
        case file_form::pair:
            return {c.key, false, [](std::string& o, const wezel& w) { put_pair(o, w.*column_of(K).node.pair); },
                    [](wezel& w, std::string_view t, cell_faults& f) { w.*column_of(K).node.pair = cell_pair(t, f); }};
        case file_form::g10:
            return {c.key, false, [](std::string& o, const wezel& w) { put_g10(o, w.*column_of(K).node.number); },
                    [](wezel& w, std::string_view t, cell_faults& f) {
                        w.*column_of(K).node.number = cell_pair(t, f).s1;
                    }};
        case file_form::g15:
            return {c.key, false, [](std::string& o, const wezel& w) { put_g15(o, w.*column_of(K).node.number); },
                    [](wezel& w, std::string_view t, cell_faults& f) {
                        w.*column_of(K).node.number = cell_pair(t, f).s1;
                    }};
        case file_form::whole:
            // Read as a number and rounded.
            return {c.key, false, [](std::string& o, const wezel& w) { put_int(o, w.*column_of(K).node.whole); },
                    [](wezel& w, std::string_view t, cell_faults& f) {
                        const double v = cell_pair(t, f).s1;
                        if (!(v >= INT32_MIN - 0.5 && v <= INT32_MAX + 0.5))
                            throw project_value_error(out_of_range_text(t, INT32_MIN, INT32_MAX));
                        const int64_t r = Round(v);
                        if (r < INT32_MIN || r > INT32_MAX)
                            throw project_value_error(out_of_range_text(t, INT32_MIN, INT32_MAX));
                        w.*column_of(K).node.whole = static_cast<int32_t>(r);
                    }};
        case file_form::text:
            return {c.key, true, [](std::string& o, const wezel& w) { put_cell_text(o, w.*column_of(K).node.text); },
                    [](wezel& w, std::string_view t, cell_faults&) { w.*column_of(K).node.text = std::string(t); }};
        case file_form::none: break;
    }
    throw std::logic_error(std::string("the column kind is not stored: ") + c.key);
}

// A column the reader takes apart itself ("kom").
node_column taken_apart(node_column c) {
    c.get = nullptr;
    return c;
}

// The object variables: texts with their decimal separator normalised.
template <std::string wezel::*Field>
node_column variables_column(const char* key) {
    return {key, false, [](std::string& o, const wezel& w) { put_cell_text(o, w.*Field); },
            [](wezel& w, std::string_view c, cell_faults&) { w.*Field = fix_decimal_separator(c); }};
}

}  // namespace

const std::vector<node_column>& node_columns() {
    using K = column_kind;
    using W = wezel;
    static const std::vector<node_column> columns = {
        kind_column<K::ter>(),
        kind_column<K::dno>(),
        kind_column<K::zag>(),
        kind_column<K::dlug>(),
        kind_column<K::spad>(),
        kind_column<K::mat>(),
        kind_column<K::fi>(),
        kind_column<K::odl>(),
        kind_column<K::flow>(),
        kind_column<K::sflow>(),
        kind_column<K::scale>(),
        kind_column<K::obiekt>(),
        taken_apart(kind_column<K::kom>()),
        kind_column<K::wez>(),
        kind_column<K::lin>(),
        kind_column<K::lin2>(),
        kind_column<K::kat>(),
        kind_column<K::wsplx>(),
        kind_column<K::wsply>(),
        {"id", false, [](std::string& o, const W& w) { put_g15(o, w.id); }, nullptr},
        kind_column<K::szer>(),
        kind_column<K::terp>(),
        variables_column<&W::var>("var"),
        variables_column<&W::var2>("var2"),
        {"tidx", false, [](std::string& o, const W& w) { put_int(o, w.tidx); },
         [](W& w, std::string_view c, cell_faults&) { w.tidx = static_cast<int16_t>(whole_value(c, INT16_MIN, INT16_MAX)); }},
        kind_column<K::rad>(),
    };
    return columns;
}

const node_column* node_column_named(std::string_view key) {
    for (const node_column& c : node_columns())
        if (key == c.key) return &c;
    return nullptr;
}

// --- pipe series --------------------------------------------------------------------------------------

namespace {

template <class F>
series_key series_text(const char* key, F) {
    return {key, [](std::string& o, const mat_rura_typosz& s) { put_line_text(o, F{}(const_cast<mat_rura_typosz&>(s))); },
            [](mat_rura_typosz& s, std::string_view t) { F{}(s) = std::string(t); }};
}

// A size list: one row per size, each followed by "¤".
template <class F>
series_key series_rows(const char* key, F, bool normalise) {
    auto put = [](std::string& o, const mat_rura_typosz& s) {
        for (const std::string& row : F{}(const_cast<mat_rura_typosz&>(s))) {
            put_cell_text(o, row);
            o += item_separator;
        }
    };
    if (normalise)
        return {key, put, [](mat_rura_typosz& s, std::string_view t) {
                    auto& rows = F{}(s);
                    rows.clear();
                    for (std::string_view row : line_items(t, std::numeric_limits<std::size_t>::max()))
                        rows.push_back(fix_decimal_separator(row));
                }};
    return {key, put, [](mat_rura_typosz& s, std::string_view t) {
                auto& rows = F{}(s);
                rows.clear();
                for (std::string_view row : line_items(t, std::numeric_limits<std::size_t>::max())) rows.emplace_back(row);
            }};
}

}  // namespace

const std::vector<series_key>& series_keys() {
    using S = mat_rura_typosz;
    static const std::vector<series_key> keys = {
        series_text("name", [](S& s) -> auto& { return s.main.name; }),
        {"type", [](std::string& o, const S& s) { put_line_text(o, s.adds.type); },
         [](S& s, std::string_view t) { s.adds.type = t.empty() ? std::string("pipe") : std::string(t); }},
        series_text("description", [](S& s) -> auto& { return s.adds.description; }),
        series_text("producer", [](S& s) -> auto& { return s.adds.producer; }),
        series_text("index", [](S& s) -> auto& { return s.adds.index; }),
        {"color", [](std::string& o, const S& s) { put_line_text(o, ColorToString(s.adds.color)); },
         [](S& s, std::string_view t) {
             TColor c = clWhite;
             if (!t.empty() && !TryStringToColor(t, c))
                 throw project_value_error("'" + std::string(t) + "' is not a valid colour");
             s.adds.color = c;
         }},
        series_text("material", [](S& s) -> auto& { return s.adds.material; }),
        series_text("date", [](S& s) -> auto& { return s.adds.date; }),
        series_rows("diameter", [](S& s) -> auto& { return s.diameter; }, false),
        series_rows("thickness", [](S& s) -> auto& { return s.thickness; }, true),
        series_rows("indexes", [](S& s) -> auto& { return s.indexes; }, false),
        series_rows("length", [](S& s) -> auto& { return s.length; }, false),
        series_text("class", [](S& s) -> auto& { return s.pipe_class; }),
        series_text("sdr", [](S& s) -> auto& { return s.sdr; }),
        series_text("sn", [](S& s) -> auto& { return s.sn; }),
        series_text("pn", [](S& s) -> auto& { return s.pn; }),
        series_text("mop", [](S& s) -> auto& { return s.mop; }),
        series_text("roughness", [](S& s) -> auto& { return s.roughness; }),
        series_text("medium", [](S& s) -> auto& { return s.medium; }),
        {"id", [](std::string& o, const S& s) { put_int(o, s.main.id); },
         [](S& s, std::string_view t) {
             if (!t.empty()) s.main.id = static_cast<int32_t>(whole_value(t, INT32_MIN, INT32_MAX));
         }},
    };
    return keys;
}

void with_scratch_file(std::string_view prefix, const std::function<void(const std::string&)>& use) {
    const std::string scratch = make_temp_file("", prefix);
    try {
        use(scratch);
    } catch (...) {
        DeleteFile(scratch);
        ini_cache_forget(scratch);
        throw;
    }
    DeleteFile(scratch);
    ini_cache_forget(scratch);
}
