#include <gtest/gtest.h>

#include "model/drawing_palette.h"

namespace {

constexpr TColor rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

TEST(DrawingPalette, ColourNumbersGiveTheirScreenColours) {
    const struct {
        int number;
        TColor want;
    } cases[] = {
        {1, rgb(255, 0, 0)},       {2, rgb(255, 255, 0)},     {3, rgb(0, 255, 0)},       {4, rgb(0, 255, 255)},
        {5, rgb(0, 0, 255)},       {6, rgb(255, 0, 255)},     {7, rgb(1, 1, 1)},         {8, rgb(127, 127, 127)},
        {9, rgb(191, 191, 191)},   {10, rgb(255, 0, 0)},      {11, rgb(255, 127, 127)},  {12, rgb(207, 0, 0)},
        {33, rgb(207, 144, 96)},   {84, rgb(32, 144, 0)},     {112, rgb(0, 207, 96)},    {144, rgb(0, 111, 144)},
        {152, rgb(0, 86, 207)},    {200, rgb(191, 0, 255)},   {221, rgb(255, 127, 255)}, {249, rgb(79, 32, 47)},
        {250, rgb(47, 47, 47)},    {251, rgb(80, 80, 80)},    {252, rgb(128, 128, 128)}, {253, rgb(175, 175, 175)},
        {254, rgb(208, 208, 208)}, {255, rgb(255, 255, 255)}, {256, rgb(144, 144, 144)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawing_palette_fixed[static_cast<size_t>(c.number - 1)], c.want) << c.number;
        EXPECT_EQ(drawing_palette_colour(c.number, 0xABCDEF), c.want) << c.number;
    }
    for (int n : {-1, 0, 257}) EXPECT_EQ(drawing_palette_colour(n, 0xABCDEF), 0xABCDEFu) << n;
}

TEST(DrawingPalette, TheRenderedCopyReturnsToTheFixedValues) {
    drawing_palette[6] = rgb(255, 255, 255);
    EXPECT_EQ(drawing_palette_colour(7, 0), rgb(255, 255, 255));
    EXPECT_EQ(drawing_palette_fixed[6], rgb(1, 1, 1));
    reset_drawing_palette();
    EXPECT_EQ(drawing_palette_colour(7, 0), rgb(1, 1, 1));
}

}  // namespace
