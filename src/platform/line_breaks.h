// The first CR or LF of a text from a position. A plain scan: the library's
// find_first_of with two characters searches the pair once per character.
#pragma once

#include <cstddef>
#include <string_view>

inline std::size_t find_line_break(std::string_view text, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return std::string_view::npos;
}
