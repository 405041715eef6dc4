// The groups of a drawing file as they are written: a code line and a value
// line, each ended by CR LF, appended to one buffer in memory. The entities
// write themselves here; whoever owns the output writes the buffer out.
#pragma once

#include <string>
#include <string_view>

#include "drawing/geometry.h"

class dxf_group_output {
public:
    // The code without padding, then the value (a line break in it becomes a blank).
    void group(int code, std::string_view value);
    // A whole number in decimal.
    void group(int code, int value);
    // A real in the drawing file's form (dxf_real_text).
    void group(int code, double value);
    // Text already in the form of groups (a symbol block), as it stands.
    void lines(std::string_view text);
    // The three groups code, code + 10 and code + 20 with x, y and z.
    void point(int code, const point3& p);

    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }
    void clear() { bytes_.clear(); }

private:
    void code_line(int code);

    std::string bytes_;
};
