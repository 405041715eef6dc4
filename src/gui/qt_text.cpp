#include "gui/qt_text.h"

#include <QFontInfo>

#include <algorithm>
#include <cctype>

#include "platform/files.h"

namespace gui {

std::string cp_path(const QString& path, bool* lossy) {
    const QByteArray utf8 = path.toUtf8();
    // from_os_path turns the UTF-8 path into the program's text; check that
    // nothing was lost on the way.
    const std::string out = from_os_path(std::filesystem::path(std::u8string(
        reinterpret_cast<const char8_t*>(utf8.constData()), static_cast<std::size_t>(utf8.size()))));
    if (lossy) *lossy = !fits_cp1250(path);
    return out;
}

QString os_path(std::string_view path) {
    const std::u8string u8 = to_os_path(path).u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(u8.data()), static_cast<qsizetype>(u8.size()));
}

QFont qfont(const TFont& font, int dpi) {
    QFont f(qs(font.Name));
    const int px = std::max(1, (font.Size() * dpi + 36) / 72);
    f.setPixelSize(px);
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    const std::string lower = [&] {
        std::string s = font.Name;
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }();
    if (font.Pitch == TFontPitch::fpFixed || lower.find("courier") != std::string::npos ||
        lower.find("mono") != std::string::npos || lower.find("console") != std::string::npos)
        f.setStyleHint(QFont::TypeWriter);
    else if (lower.find("times") != std::string::npos || lower.find("serif") == 0)
        f.setStyleHint(QFont::Serif);
    else
        f.setStyleHint(QFont::SansSerif);
    return f;
}

TFont tfont(const QFont& font, const TFont& base) {
    TFont t = base;
    t.Name = cp(font.family());
    if (font.pointSize() > 0) t.SetSize(font.pointSize());
    else if (font.pixelSize() > 0) t.SetHeight(-font.pixelSize());
    TFontStyles s = 0;
    if (font.bold()) s |= fsBold;
    if (font.italic()) s |= fsItalic;
    if (font.underline()) s |= fsUnderline;
    if (font.strikeOut()) s |= fsStrikeOut;
    t.Style = s;
    return t;
}

QString strip_accelerator(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace gui
