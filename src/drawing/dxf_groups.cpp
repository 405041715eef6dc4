#include "drawing/dxf_groups.h"

#include <charconv>

void dxf_group_output::group(int code, std::string_view value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    bytes_.append(digits, end);
    bytes_ += "\r\n";
    // Each code line has exactly one value line: a line break inside a
    // value becomes a blank.
    const std::size_t at = bytes_.size();
    bytes_ += value;
    if (value.find_first_of("\r\n") != std::string_view::npos)
        for (std::size_t i = at; i < bytes_.size(); ++i)
            if (bytes_[i] == '\r' || bytes_[i] == '\n') bytes_[i] = ' ';
    bytes_ += "\r\n";
}

void dxf_group_output::lines(std::string_view text) { bytes_ += text; }

void dxf_group_output::group(int code, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    group(code, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void dxf_group_output::group(int code, double value) { group(code, std::string_view(dxf_real_text(value))); }

void dxf_group_output::point(int code, const point3& p) {
    group(code, p.x);
    group(code + 10, p.y);
    group(code + 20, p.z);
}
