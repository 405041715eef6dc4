// A written drawing file as its (code, value) groups, for tests that look at
// what the writer produced.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using groups = std::vector<std::pair<std::string, std::string>>;

// The code and value lines of a text in groups (codes trimmed).
inline groups groups_of(const std::string& text) {
    groups g;
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_EQ(lines.size() % 2, 0u) << "a code line without its value";
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        std::string code = lines[i];
        code.erase(0, code.find_first_not_of(' '));
        g.emplace_back(code, lines[i + 1]);
    }
    return g;
}
