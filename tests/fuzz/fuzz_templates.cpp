// The template and text filters on any text: block markers, tag names,
// replacements and the small text filters.
#include <cstdlib>
#include <string>

#include "files/utils.h"
#include "fuzz_support.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

// Every opening block marker begins a line (when the text had no marker
// bytes of its own), and none is left unmarked (when no block name has
// modifiers, which may quote a "<_").
void check_blocks(std::string_view text, const std::string& out) {
    if (text.find('\x8b') == std::string_view::npos) {
        for (size_t at = out.find("\x8b_"); at != std::string::npos; at = out.find("\x8b_", at + 1))
            expect(at == 0 || out[at - 1] == '\n');
    }
    if (text.find('|') == std::string_view::npos) expect(out.find("<_") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = input_text(data, size);
    std::string out;
    for (const char* type : {"txt", "htm", "rtf"}) {
        normalize_template_blocks(text, type, out);
        check_blocks(text, out);
    }
    for (const char* marker : {"@_", "<_", "</", "\x8b_"}) tag_name_after(text, marker, out);

    // Pattern, replacement and text separated by 0 bytes.
    const auto [pattern, rest] = split_input(text, '\0');
    const auto [replacement, subject] = split_input(rest, '\0');
    const std::string replaced = replace_all(pattern, replacement, subject);
    // Each pass either shortens the text or leaves what it put in alone.
    if (!pattern.empty() && replacement.size() < pattern.size()) expect(replaced.size() <= subject.size());
    if (!pattern.empty() && replacement.size() >= pattern.size())
        expect(replaced.size() <= subject.size() / pattern.size() * replacement.size() + subject.size());
    string_replace_all(pattern, replacement, subject);
    delete_substring(subject, pattern, 0);
    delete_substring(subject, pattern, 2);
    replace_dxf_code(subject, pattern, out);

    polish_to_ascii(text);
    clean_file_name(text);
    digits_only(text);
    to_hundredths_text(text);
    fix_decimal_separator(text);
    return 0;
}
