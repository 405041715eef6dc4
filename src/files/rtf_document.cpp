#include "files/rtf_document.h"

#include "platform/sysutils.h"

namespace {

void put_escaped(std::string& out, std::string_view text, bool breaks) {
    static const char hex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (breaks && (c == '\r' || c == '\n')) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\par\r\n";
        } else if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c > 127 || c < 32) {
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
}

}  // namespace

void rtf_document::insert(std::string_view text, bool bold) {
    if (text.empty()) return;
    if (!runs_.empty() && runs_.back().bold == bold) runs_.back().text += text;
    else runs_.push_back({std::string(text), bold});
}

std::string rtf_document::plain_text() const {
    std::string out;
    for (const run& r : runs_) out += r.text;
    return out;
}

std::string rtf_escape(std::string_view text) {
    std::string out;
    put_escaped(out, text, true);
    return out;
}

std::string rtf_document::rtf() const {
    std::string out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 ";
    put_escaped(out, font_name, false);
    out += ";}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs" + IntToStr(2 * font_size) + " ";
    for (const run& r : runs_) {
        if (r.bold) out += "{\\b ";
        put_escaped(out, r.text, true);
        if (r.bold) out += "}";
    }
    out += "\r\n}\r\n";
    return out;
}
