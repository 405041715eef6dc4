// The groups a drawing writer has written, split into entities at each
// code 0, and the font table the sheet routines' tests fill in.
#pragma once

#include <string>
#include <vector>

#include "drawing/dxf_writer.h"
#include "drawing/geometry.h"
#include "forms/opcje.h"
#include "platform/grids.h"

namespace written {

struct group {
    int code;
    std::string value;
};

struct entity {
    std::string type;
    std::vector<group> groups;
    // The first value of a code; empty when none.
    std::string value(int code) const {
        for (const group& g : groups)
            if (g.code == code) return g.value;
        return {};
    }
    double number(int code) const { return std::stod(value(code)); }
    point3 point(int code) const { return {number(code), number(code + 10), 0}; }
    double x(int code = 10) const { return number(code); }
    double y(int code = 10) const { return number(code + 10); }
    std::string layer() const { return value(8); }
};

inline std::vector<entity> entities_of(const DXF_Writer& w) {
    const std::string& bytes = w.out().bytes();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    std::vector<entity> result;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::stoi(lines[i]);
        if (code == 0) result.push_back({lines[i + 1], {}});
        if (!result.empty()) result.back().groups.push_back({code, lines[i + 1]});
    }
    return result;
}

inline std::vector<entity> of_type(const std::vector<entity>& all, const std::string& type) {
    std::vector<entity> r;
    for (const entity& e : all)
        if (e.type == type) r.push_back(e);
    return r;
}

// Height, colour, spacing, width factor and layer of the eight text styles
// into the settings' font table.
using font_rows = const char* const[8][5];
inline void set_font_table(font_rows& rows) {
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c) topcje->sag_Fonts->SetCell(c + 1, r + 1, rows[r][c]);
}

}  // namespace written
