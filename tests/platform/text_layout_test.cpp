// Word wrap and the end ellipsis measure each character once; their results
// are those of measuring every candidate line whole.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace {

// The plain way: every candidate measured from its first character.
std::vector<std::string> wrap_by_measuring_lines(const TFont& font, std::string_view text, int width) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        const std::string_view para = text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
        std::string line;
        std::size_t i = 0;
        while (i < para.size()) {
            const std::size_t j = para.find(' ', i);
            const std::string word(para.substr(i, j == std::string_view::npos ? para.size() - i : j - i));
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && text_width(font, candidate) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = candidate;
            }
            if (j == std::string_view::npos) break;
            i = j + 1;
        }
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string ellipsize_by_measuring_lines(const TFont& font, std::string_view text, int width) {
    if (text_width(font, text) <= width) return std::string(text);
    std::string cut(text);
    while (!cut.empty() && text_width(font, cut + "...") > width) cut.pop_back();
    return cut + "...";
}

std::vector<TFont> fonts() {
    std::vector<TFont> all;
    for (const char* name : {"Arial", "Courier New"}) {
        for (const int size : {8, 13, 0, -9}) {
            for (const TFontStyles style : {0u, unsigned(fsBold)}) {
                TFont f;
                f.Name = name;
                f.SetSize(size);
                f.Style = style;
                all.push_back(f);
            }
        }
    }
    return all;
}

TEST(TextLayout, WrapAndEllipsisMatchMeasuringWholeLines) {
    const std::string alphabet = "aWi.  \t\r\n&\xb3\x9f";
    std::mt19937 random(20240611);
    for (const TFont& font : fonts()) {
        for (int round = 0; round < 300; ++round) {
            std::string text(random() % 40, ' ');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            const int width = static_cast<int>(random() % 160) - 10;
            EXPECT_EQ(wrap_text(font, text, width), wrap_by_measuring_lines(font, text, width))
                << '"' << text << "\" " << width << ' ' << font.Name << ' ' << font.Size();
            EXPECT_EQ(ellipsize(font, text, width), ellipsize_by_measuring_lines(font, text, width))
                << '"' << text << "\" " << width << ' ' << font.Name << ' ' << font.Size();
        }
    }
}

TEST(TextLayout, LongTextsWrapAndEndWithDots) {
    TFont font;
    std::string paragraph;
    while (paragraph.size() < 100000) paragraph += "przewod kanalizacyjny DN200 ";
    paragraph += "koniec";
    // Each line fits, and the next word would not have fitted on it.
    const int width = 400;
    const auto lines = wrap_text(font, paragraph, width);
    ASSERT_GT(lines.size(), 1000u);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(text_width(font, lines[i]), width) << i;
        if (i + 1 < lines.size()) {
            const std::string next_word = lines[i + 1].substr(0, lines[i + 1].find(' '));
            EXPECT_GT(text_width(font, lines[i] + " " + next_word), width) << i;
            joined += lines[i] + " ";
        }
    }
    EXPECT_TRUE(joined + lines.back() == paragraph);
    // One line of the whole paragraph when nothing limits its width.
    EXPECT_EQ(wrap_text(font, paragraph, 1 << 30), std::vector<std::string>{paragraph});

    // The longest beginning that fits with the dots.
    const std::string cell(30000, 'W');
    const std::string shown = ellipsize(font, cell, width);
    ASSERT_GT(shown.size(), 3u);
    const std::size_t kept = shown.size() - 3;
    EXPECT_EQ(shown, cell.substr(0, kept) + "...");
    EXPECT_LE(text_width(font, shown), width);
    EXPECT_GT(text_width(font, cell.substr(0, kept + 1) + "..."), width);
}

}  // namespace
