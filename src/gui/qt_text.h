// Conversions at the Qt edge: Windows-1250 texts, colours and fonts.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>
#include <string_view>

#include "platform/cp1250.h"
#include "platform/graphics.h"
#include "platform/types.h"

namespace gui {

// A Windows-1250 text as a QString (every byte is one UTF-16 unit, so
// character positions are the same on both sides).
inline QString qs(std::string_view text) {
    const std::u16string u = cp1250_to_utf16(text);
    return QString::fromUtf16(u.data(), static_cast<qsizetype>(u.size()));
}

// A QString as Windows-1250; characters the code page cannot hold become
// '?' and set *lossy.
inline std::string cp(const QString& text, bool* lossy = nullptr) {
    return utf16_to_cp1250(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())),
                           '?', lossy);
}

// Whether Windows-1250 can hold every character of the text.
inline bool fits_cp1250(const QString& text) {
    bool lossy = false;
    cp(text, &lossy);
    return !lossy;
}

// A file system path from the OS (UTF-8) as the program's path text.
std::string cp_path(const QString& path, bool* lossy = nullptr);
// A program path text as a QString for the OS.
QString os_path(std::string_view path);

// 0x00BBGGRR (system colours resolved) as a QColor; clNone is transparent.
inline QColor qcolor(TColor c) {
    if (c == clNone) return QColor(Qt::transparent);
    const TColor rgb = ColorToRGB(c);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>((rgb >> 16) & 0xFF));
}

inline TColor tcolor(const QColor& c) {
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) | (static_cast<TColor>(c.blue()) << 16);
}

// The font at a device resolution: the size in points becomes a pixel size
// at `dpi` (96 on screen, so that texts measure as the core's layout expects).
QFont qfont(const TFont& font, int dpi = default_pixels_per_inch);
// Name, size and style of a QFont (colour and the rest kept from `base`).
TFont tfont(const QFont& font, const TFont& base);
// A caption without its accelerator marks: "&&" gives "&", a single "&" goes.
QString strip_accelerator(const QString& text);

}  // namespace gui
