#include "drawing/dxf_groups.h"

#include <charconv>

void dxf_group_output::group(int code, std::string_view value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    bytes_.append(digits, end);
    bytes_ += "\r\n";
    bytes_ += value;
    bytes_ += "\r\n";
}

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
