// Fonts, pens, brushes and the canvas through which the table component, the
// tab strip, the drawing preview and printing draw. Implementations: the
// QPainter canvas of the front end and RecordingCanvas (tests, headless
// printing).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum class TFontPitch { fpDefault, fpFixed, fpVariable };

inline constexpr int default_pixels_per_inch = 96;

class TFont {
public:
    std::string Name = "Arial";
    // Character height in pixels at 96 pixels per inch (the old toolkit's
    // negative Height); Size is in points.
    int Size() const { return size_; }
    void SetSize(int points) { size_ = points; }
    int Height() const { return -(size_ * default_pixels_per_inch + 36) / 72; }
    void SetHeight(int h) { size_ = h < 0 ? (-h * 72 + 48) / default_pixels_per_inch : (h * 72 + 48) / default_pixels_per_inch; }
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    // Escapement in tenths of a degree, counter-clockwise.
    int Orientation = 0;
    int Charset = 238;  // EASTEUROPE
    TFontPitch Pitch = TFontPitch::fpDefault;

    bool operator==(const TFont& o) const {
        return Name == o.Name && size_ == o.size_ && Color == o.Color && Style == o.Style &&
               Orientation == o.Orientation && Charset == o.Charset && Pitch == o.Pitch;
    }

private:
    int size_ = 8;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
    bool operator==(const TPen&) const = default;
};

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

// Text alignment of TextOut (SetTextAlign).
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// Formatted text in a rectangle (DrawText).
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// ---------------------------------------------------------------------------
// Built-in text metrics. They are deterministic and independent of the
// screen, because measured text widths end up in drawing coordinates.
// Widths follow a proportional sans-serif face; "Courier New" and fixed-pitch
// fonts are monospaced; bold adds a tenth.
int text_width(const TFont& font, std::string_view text);
int text_height(const TFont& font);
// The same at an arbitrary character height (drawing units), as reals.
double text_width_at(std::string_view font_name, double height, std::string_view text, bool bold = false);
// The line height of a font whose characters are `height` high (the same units).
double text_height_at(double height);

// Lines of a DrawText with word break: the text split at CR LF and at blanks
// so that each line fits `width` (a word longer than the width stands alone).
std::vector<std::string> wrap_text(const TFont& font, std::string_view text, int width);
// The text cut and ended with "..." so that it fits `width`.
std::string ellipsize(const TFont& font, std::string_view text, int width);

// ---------------------------------------------------------------------------
class TBitmap;

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen Pen;
    TBrush Brush;
    TFont Font;
    // Text is drawn without filling its background, whatever the brush (the
    // window system's transparent background mode).
    bool TextTransparent = false;

    TPoint PenPos() const { return pen_pos_; }
    virtual void MoveTo(int x, int y) { pen_pos_ = {x, y}; }
    virtual void LineTo(int x, int y) = 0;
    // Pen outline, brush fill; right and bottom exclusive.
    virtual void Rectangle(int l, int t, int r, int b) = 0;
    void Rectangle(const TRect& rc) { Rectangle(rc.Left, rc.Top, rc.Right, rc.Bottom); }
    // Brush fill only.
    virtual void FillRect(const TRect& rc) = 0;
    // Brush colour frame of one pixel.
    virtual void FrameRect(const TRect& rc) = 0;
    virtual void Ellipse(int l, int t, int r, int b) = 0;
    // Arc of the ellipse in the box (l,t)-(r,b), counter-clockwise from the
    // ray toward (x3,y3) to the ray toward (x4,y4).
    virtual void Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) = 0;
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    virtual void SetPixel(int x, int y, TColor c) = 0;
    // A named picture of an image list (TImageList::ImageName) in the box
    // at (x, y); nothing where the canvas has no pictures.
    virtual void DrawImage(int /*x*/, int /*y*/, int /*width*/, int /*height*/, std::string_view /*name*/) {}
    // Text at (x, y) with the current alignment (SetTextAlign) and Font,
    // including its escapement; the background is filled with the brush
    // unless the brush is clear.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Text clipped to the rectangle, top-left at (x, y).
    virtual void TextRect(const TRect& rc, int x, int y, std::string_view text) = 0;
    // Formatted text; with DT_CALCRECT only measures (rc is updated). Returns
    // the height of the text.
    virtual int DrawText(std::string_view text, TRect& rc, unsigned flags) = 0;
    virtual TSize TextExtent(std::string_view text) { return {text_width(Font, text), text_height(Font)}; }
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    void SetTextAlign(unsigned flags) { text_align_ = flags; }
    unsigned TextAlign() const { return text_align_; }
    // Drawing outside the rectangle is dropped; ResetClip lifts it.
    virtual void SetClipRect(const TRect& rc) = 0;
    virtual void ResetClip() = 0;
    // The part `source` of a bitmap stretched into the rectangle `dest`
    // (right and bottom exclusive).
    virtual void StretchDraw(const TRect& dest, const TBitmap& bitmap, const TRect& source) = 0;
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);

protected:
    TPoint pen_pos_;
    unsigned text_align_ = TA_LEFT | TA_TOP;
};

// Records every operation with the state it used; tests read the log.
class RecordingCanvas : public TCanvas {
public:
    struct Op {
        std::string kind;         // "line", "rect", "fill", "frame", "ellipse", "arc", "polygon",
                                  // "polyline", "pixel", "image", "text", "textrect", "drawtext", "clip", "noclip"
        std::vector<int> args;    // coordinates in call order
        std::string text;
        TPen pen;
        TBrush brush;
        TFont font;
        unsigned flags = 0;       // text alignment or DrawText flags
        bool transparent = false; // TextTransparent when the op ran
        std::string describe() const;
    };
    std::vector<Op> ops;

    void LineTo(int x, int y) override;
    void Rectangle(int l, int t, int r, int b) override;
    void FillRect(const TRect& rc) override;
    void FrameRect(const TRect& rc) override;
    void Ellipse(int l, int t, int r, int b) override;
    void Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void SetPixel(int x, int y, TColor c) override;
    void DrawImage(int x, int y, int width, int height, std::string_view name) override;
    void TextOut(int x, int y, std::string_view text) override;
    void TextRect(const TRect& rc, int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, TRect& rc, unsigned flags) override;
    void SetClipRect(const TRect& rc) override;
    void ResetClip() override;
    // Recorded as "stretch": the destination's four sides, the source's four
    // sides, then the bitmap's width and height.
    void StretchDraw(const TRect& dest, const TBitmap& bitmap, const TRect& source) override;
    using TCanvas::StretchDraw;

    // Texts drawn, in order (TextOut, TextRect and DrawText lines).
    std::vector<std::string> texts() const;
    // Ops of one kind.
    std::vector<Op> of_kind(std::string_view kind) const;

private:
    Op make(std::string kind, std::vector<int> args, std::string text = {}, unsigned flags = 0) const;
};

// A picture in memory with a canvas to draw on, white when made (made by
// Services::make_bitmap): the raster target of printing.
class TBitmap {
public:
    virtual ~TBitmap() = default;
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual TCanvas& Canvas() = 0;
    // Every pixel that is not exactly white becomes black, with no threshold
    // or dithering, and the picture keeps one bit per pixel.
    virtual void make_monochrome() = 0;
    bool Monochrome() const { return monochrome_; }
    // Writes the picture as a PNG file (one bit per pixel when monochrome,
    // else 24-bit colour); a file that cannot be written raises EInOutError.
    virtual void SaveToFile(const std::string& path) = 0;

protected:
    TBitmap(int width, int height) : width_(width), height_(height) {}
    int width_, height_;
    bool monochrome_ = false;
};

// A bitmap that records what is drawn on it and hands its saves to a
// listener (headless runs and tests).
class RecordingBitmap : public TBitmap {
public:
    using save_listener = std::function<void(const RecordingBitmap&, const std::string& path)>;
    RecordingBitmap(int width, int height, save_listener on_save = {})
        : TBitmap(width, height), on_save_(std::move(on_save)) {}
    TCanvas& Canvas() override { return canvas; }
    void make_monochrome() override { monochrome_ = true; }
    void SaveToFile(const std::string& path) override {
        if (on_save_) on_save_(*this, path);
    }
    RecordingCanvas canvas;

private:
    save_listener on_save_;
};

// Lays out DrawText for a canvas: the lines and their top-left positions.
struct TextLayoutLine {
    std::string text;
    int x = 0;
    int y = 0;
};
std::vector<TextLayoutLine> layout_draw_text(const TFont& font, std::string_view text, TRect& rc, unsigned flags,
                                             int& height);
