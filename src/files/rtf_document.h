// The rich text of an RTF document: a default font, text inserted at the
// caret (always the end here) in plain or bold runs, and the document as
// RTF text in Windows-1250 (code page 1250, font charset 238): bytes above
// 127 as \'xx, "\", "{" and "}" escaped, one \par per line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class rtf_document {
public:
    // The default font; a template's header sets it and it carries over to
    // the next document.
    std::string font_name = "MS Sans Serif";
    int font_size = 8;  // points

    // Empties the text (the default font stays).
    void clear() { runs_.clear(); }
    bool empty() const { return runs_.empty(); }
    // Inserts text at the caret; a CR LF, a lone CR or a lone LF ends a line.
    void insert(std::string_view text, bool bold = false);
    // The text as typed, bold or not (tests, the length of the document).
    std::string plain_text() const;
    // The whole document as RTF.
    std::string rtf() const;

private:
    struct run {
        std::string text;
        bool bold = false;
    };
    std::vector<run> runs_;
};

// A text as RTF characters: the escapes above, line breaks as \par.
std::string rtf_escape(std::string_view text);
