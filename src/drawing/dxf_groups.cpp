#include "drawing/dxf_groups.h"

#include <charconv>
#include <cmath>

#include "files/project_format.h"

void dxf_group_output::code_line(int code) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    bytes_.append(digits, end);
    bytes_ += "\r\n";
}

void dxf_group_output::group(int code, std::string_view value) {
    code_line(code);
    // Each code line has exactly one value line: a line break inside a
    // value becomes a blank.
    const std::size_t at = bytes_.size();
    bytes_ += value;
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

void dxf_group_output::group(int code, double value) {
    if (!std::isfinite(value)) {
        group(code, std::string_view(dxf_real_text(value)));
        return;
    }
    // The general form straight into the buffer, as dxf_real_text gives it.
    code_line(code);
    const std::size_t at = bytes_.size();
    put_general(bytes_, value, 15);
    for (std::size_t i = at; i < bytes_.size(); ++i)
        if (bytes_[i] == ',') bytes_[i] = '.';
    bytes_ += "\r\n";
}

void dxf_group_output::point(int code, const point3& p) {
    group(code, p.x);
    group(code + 10, p.y);
    group(code + 20, p.z);
}
