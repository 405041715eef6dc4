#include "platform/graphics.h"

#include <algorithm>
#include <cmath>

#include "platform/sysutils.h"
#include "platform/line_breaks.h"

namespace {

// Advance widths of a proportional sans-serif face in thousandths of the em,
// for the printable ASCII characters 32..126.
constexpr short ascii_widths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '../
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // 0..9
    278, 278, 584, 584, 584, 556, 1015,                                              // :..@
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // A..M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N..Z
    278, 278, 278, 469, 556, 333,                                                    // [..`
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // a..m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // n..z
    334, 260, 334, 584,                                                              // {..~
};

// Windows-1250 letters measured as the plain letter they are built on.
char base_letter(unsigned char c) {
    static const char* const high =
        "C?,?\"_++?%S<STZZ?''\"\".-_?Ms>stzz"
        " ^^LoA|S\"CS<--RZo+,l'uP.,as>L\"lz"
        "RAAAALCCCEEEEIIDDNNOOOOxRUUUUYTB"
        "raaaalccceeeeiiddnnoooo+ruuuuyt'";
    return c >= 0x80 ? high[c - 0x80] : static_cast<char>(c);
}

int char_units(char ch, bool fixed) {
    if (fixed) return 600;
    auto c = static_cast<unsigned char>(base_letter(static_cast<unsigned char>(ch)));
    if (c < 32 || c > 126) return c == '\t' ? 1112 : 0;
    return ascii_widths[c - 32];
}

bool is_fixed(std::string_view name, TFontPitch pitch) {
    if (pitch == TFontPitch::fpFixed) return true;
    const std::string n = LowerCase(name);
    return n.find("courier") != std::string::npos || n.find("mono") != std::string::npos ||
           n == "fixedsys" || n == "terminal";
}

long units_of(std::string_view text, bool fixed) {
    long u = 0;
    for (const char c : text) u += char_units(c, fixed);
    return u;
}

int pixel_em(const TFont& font) { return -font.Height(); }

std::string strip_prefix(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

namespace {

// The width in pixels of a text of `units` thousandths of the em.
int width_of_units(const TFont& font, long units) {
    if (font.Style & fsBold) units = units * 11 / 10;
    return static_cast<int>((units * pixel_em(font) + 500) / 1000);
}

}  // namespace

int text_width(const TFont& font, std::string_view text) {
    return width_of_units(font, units_of(text, is_fixed(font.Name, font.Pitch)));
}

int text_height(const TFont& font) { return (pixel_em(font) * 1150 + 500) / 1000; }

double text_height_at(double height) { return height * 1.15; }

double text_width_at(std::string_view font_name, double height, std::string_view text, bool bold) {
    double u = static_cast<double>(units_of(text, is_fixed(font_name, TFontPitch::fpDefault)));
    if (bold) u *= 1.1;
    return u * height / 1000.0;
}

// Both measure by adding up the units of the characters, so that a long
// text is measured once and not again for every word or character.

std::vector<std::string> wrap_text(const TFont& font, std::string_view text, int width) {
    const bool fixed = is_fixed(font.Name, font.Pitch);
    const long blank = char_units(' ', fixed);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = find_line_break(text, start);
        const std::string_view para = text.substr(start, end == std::string_view::npos ? text.size() - start : end - start);
        std::string line;
        long line_units = 0;
        std::size_t i = 0;
        while (i < para.size()) {
            std::size_t j = para.find(' ', i);
            const std::string_view word = para.substr(i, j == std::string_view::npos ? para.size() - i : j - i);
            const long word_units = units_of(word, fixed);
            if (line.empty()) {
                line = word;
                line_units = word_units;
            } else if (width_of_units(font, line_units + blank + word_units) > width) {
                lines.push_back(std::move(line));
                line = word;
                line_units = word_units;
            } else {
                line += ' ';
                line += word;
                line_units += blank + word_units;
            }
            if (j == std::string_view::npos) break;
            i = j + 1;
        }
        lines.push_back(std::move(line));
        if (end == std::string_view::npos) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string ellipsize(const TFont& font, std::string_view text, int width) {
    const bool fixed = is_fixed(font.Name, font.Pitch);
    long units = units_of(text, fixed);
    if (width_of_units(font, units) <= width) return std::string(text);
    // The longest beginning of the text that fits with the dots.
    const long dots = units_of("...", fixed);
    std::size_t keep = text.size();
    while (keep > 0 && width_of_units(font, units + dots) > width) units -= char_units(text[--keep], fixed);
    return std::string(text.substr(0, keep)) + "...";
}

std::vector<TextLayoutLine> layout_draw_text(const TFont& font, std::string_view raw, TRect& rc, unsigned flags,
                                             int& height) {
    const std::string text = (flags & DT_NOPREFIX) ? std::string(raw) : strip_prefix(raw);
    std::vector<std::string> lines;
    if (flags & DT_SINGLELINE) {
        std::string one;
        for (const char c : text)
            if (c != '\r' && c != '\n') one += c;
        lines.push_back(one);
    } else if (flags & DT_WORDBREAK) {
        lines = wrap_text(font, text, rc.Width());
    } else {
        lines = wrap_text(font, text, 1 << 30);
    }
    if (flags & DT_END_ELLIPSIS)
        for (auto& l : lines) l = ellipsize(font, l, rc.Width());
    const int lh = text_height(font);
    height = lh * static_cast<int>(lines.size());
    if (flags & DT_CALCRECT) {
        int w = 0;
        for (const auto& l : lines) w = std::max(w, text_width(font, l));
        rc.Right = rc.Left + w;
        rc.Bottom = rc.Top + height;
        return {};
    }
    int y = rc.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER) y = rc.Top + (rc.Height() - lh) / 2;
        else if (flags & DT_BOTTOM) y = rc.Bottom - lh;
    }
    std::vector<TextLayoutLine> out;
    for (const auto& l : lines) {
        const int w = text_width(font, l);
        int x = rc.Left;
        if (flags & DT_CENTER) x = rc.Left + (rc.Width() - w) / 2;
        else if (flags & DT_RIGHT) x = rc.Right - w;
        out.push_back({l, x, y});
        y += lh;
    }
    return out;
}

// ---------------------------------------------------------------------------

RecordingCanvas::Op RecordingCanvas::make(std::string kind, std::vector<int> args, std::string text,
                                          unsigned flags) const {
    Op op;
    op.kind = std::move(kind);
    op.args = std::move(args);
    op.text = std::move(text);
    op.pen = Pen;
    op.brush = Brush;
    op.font = Font;
    op.flags = flags;
    op.transparent = TextTransparent;
    return op;
}

std::string RecordingCanvas::Op::describe() const {
    std::string s = kind;
    for (std::size_t i = 0; i < args.size(); ++i) s += (i ? "," : " ") + IntToStr(args[i]);
    if (!text.empty()) s += " \"" + text + "\"";
    return s;
}

void RecordingCanvas::LineTo(int x, int y) {
    ops.push_back(make("line", {pen_pos_.x, pen_pos_.y, x, y}));
    pen_pos_ = {x, y};
}
void RecordingCanvas::Rectangle(int l, int t, int r, int b) { ops.push_back(make("rect", {l, t, r, b})); }
void RecordingCanvas::FillRect(const TRect& rc) {
    ops.push_back(make("fill", {rc.Left, rc.Top, rc.Right, rc.Bottom}));
}
void RecordingCanvas::FrameRect(const TRect& rc) {
    ops.push_back(make("frame", {rc.Left, rc.Top, rc.Right, rc.Bottom}));
}
void RecordingCanvas::Ellipse(int l, int t, int r, int b) { ops.push_back(make("ellipse", {l, t, r, b})); }
void RecordingCanvas::Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    ops.push_back(make("arc", {l, t, r, b, x3, y3, x4, y4}));
}
void RecordingCanvas::Polygon(const std::vector<TPoint>& points) {
    std::vector<int> a;
    for (const auto& p : points) {
        a.push_back(p.x);
        a.push_back(p.y);
    }
    ops.push_back(make("polygon", a));
}
void RecordingCanvas::Polyline(const std::vector<TPoint>& points) {
    std::vector<int> a;
    for (const auto& p : points) {
        a.push_back(p.x);
        a.push_back(p.y);
    }
    ops.push_back(make("polyline", a));
    if (!points.empty()) pen_pos_ = points.back();
}
void RecordingCanvas::SetPixel(int x, int y, TColor c) {
    auto op = make("pixel", {x, y});
    op.pen.Color = c;
    ops.push_back(op);
}
void RecordingCanvas::DrawImage(int x, int y, int width, int height, std::string_view name) {
    ops.push_back(make("image", {x, y, width, height}, std::string(name)));
}
void RecordingCanvas::TextOut(int x, int y, std::string_view text) {
    ops.push_back(make("text", {x, y}, std::string(text), text_align_));
}
void RecordingCanvas::TextRect(const TRect& rc, int x, int y, std::string_view text) {
    ops.push_back(make("textrect", {rc.Left, rc.Top, rc.Right, rc.Bottom, x, y}, std::string(text)));
}
int RecordingCanvas::DrawText(std::string_view text, TRect& rc, unsigned flags) {
    int height = 0;
    const auto lines = layout_draw_text(Font, text, rc, flags, height);
    for (const auto& l : lines) ops.push_back(make("drawtext", {l.x, l.y}, l.text, flags));
    return height;
}
void RecordingCanvas::SetClipRect(const TRect& rc) {
    ops.push_back(make("clip", {rc.Left, rc.Top, rc.Right, rc.Bottom}));
}
void RecordingCanvas::ResetClip() { ops.push_back(make("noclip", {})); }

void RecordingCanvas::StretchDraw(const TRect& d, const TBitmap& bitmap, const TRect& s) {
    ops.push_back(make("stretch", {d.Left, d.Top, d.Right, d.Bottom, s.Left, s.Top, s.Right, s.Bottom, bitmap.Width(),
                                   bitmap.Height()}));
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    StretchDraw(dest, bitmap, TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const auto& op : ops)
        if (op.kind == "text" || op.kind == "textrect" || op.kind == "drawtext") out.push_back(op.text);
    return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::of_kind(std::string_view kind) const {
    std::vector<Op> out;
    for (const auto& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}
