#include "drawing/dxf_groups.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "drawing/dxf_sections.h"
#include "platform/files.h"
#include "platform/line_breaks.h"
#include "platform/number_text.h"

namespace {

// The code lines of the codes the drawing file uses, "0\r\n" to "1071\r\n",
// ready to copy.
struct code_text {
    char text[8];
    uint8_t size;
};
constexpr int ready_codes = 1072;

constexpr std::array<code_text, ready_codes> make_code_texts() {
    std::array<code_text, ready_codes> texts{};
    for (int code = 0; code < ready_codes; ++code) {
        char digits[4] = {};
        int n = 0;
        int v = code;
        do {
            digits[n++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v > 0);
        code_text& t = texts[static_cast<std::size_t>(code)];
        for (int i = 0; i < n; ++i) t.text[i] = digits[n - 1 - i];
        t.text[n] = '\r';
        t.text[n + 1] = '\n';
        t.size = static_cast<uint8_t>(n + 2);
    }
    return texts;
}
constexpr std::array<code_text, ready_codes> code_texts = make_code_texts();

// Longest code line: a sign, ten digits, CR LF.
constexpr std::size_t code_room = 13;

char* put_code(char* at, int code) {
    if (code >= 0 && code < ready_codes) {
        const code_text& t = code_texts[static_cast<std::size_t>(code)];
        std::memcpy(at, t.text, 8);  // the room asked always covers 8
        return at + t.size;
    }
    at = std::to_chars(at, at + 11, code).ptr;
    *at++ = '\r';
    *at++ = '\n';
    return at;
}

// The entity and table-entry types that carry a handle.
bool takes_handle(std::string_view type) {
    switch (type.size()) {
        case 3: return type == "ARC";
        case 4: return type == "LINE" || type == "TEXT";
        case 5: return type == "BLOCK" || type == "SOLID" || type == "STYLE";
        case 6: return type == "ENDBLK" || type == "CIRCLE" || type == "INSERT" || type == "VERTEX" || type == "SEQEND";
        case 7: return type == "ELLIPSE";
        case 8: return type == "POLYLINE";
        default: return false;
    }
}

// "5", the handle in upper-case hexadecimal, each line ended.
std::string_view handle_group(char (&buffer)[24], int handle) {
    buffer[0] = '5';
    buffer[1] = '\r';
    buffer[2] = '\n';
    char* end = std::to_chars(buffer + 3, buffer + 20, handle, 16).ptr;
    for (char* c = buffer + 3; c < end; ++c)
        if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
    *end++ = '\r';
    *end++ = '\n';
    return {buffer, static_cast<std::size_t>(end - buffer)};
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The next line of `text` from `at` without its line end, which goes to
// `ending`; `at` moves past both.
std::string_view next_line(std::string_view text, std::size_t& at, std::string_view& ending) {
    const std::size_t start = at;
    const std::size_t end = find_line_break(text, start);
    if (end == std::string_view::npos) {
        at = text.size();
        ending = {};
        return text.substr(start);
    }
    std::size_t after = end + 1;
    if (text[end] == '\r' && after < text.size() && text[after] == '\n') ++after;
    at = after;
    ending = text.substr(end, after - end);
    return text.substr(start, end - start);
}

}  // namespace

dxf_group_output::dxf_group_output() = default;
dxf_group_output::~dxf_group_output() = default;

void dxf_group_output::close_chunk() {
    if (chunks_.empty()) return;
    const std::size_t used = static_cast<std::size_t>(cur_ - start_);
    chunks_.back().used = used;
    closed_ += used;
}

void dxf_group_output::next_chunk(std::size_t n) {
    close_chunk();
    const std::size_t size = std::max(n, chunk_size);
    chunk c;
    c.data.reset(new char[size]);
    c.capacity = size;
    start_ = cur_ = c.data.get();
    end_ = start_ + size;
    chunks_.push_back(std::move(c));
}

void dxf_group_output::put(std::string_view bytes) {
    while (!bytes.empty()) {
        if (cur_ == end_) next_chunk(1);
        const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(end_ - cur_));
        std::memcpy(cur_, bytes.data(), n);
        cur_ += n;
        bytes.remove_prefix(n);
    }
}

// The value, each line break a blank, then CR LF.
void dxf_group_output::value_line(std::string_view value) {
    while (true) {
        const std::size_t n = std::min(value.size(), chunk_size);
        char* at = room(n + 2);
        for (std::size_t i = 0; i < n; ++i) {
            const char c = value[i];
            at[i] = c == '\r' || c == '\n' ? ' ' : c;
        }
        cur_ = at + n;
        value.remove_prefix(n);
        if (value.empty()) break;
    }
    cur_[0] = '\r';
    cur_[1] = '\n';
    cur_ += 2;
}

void dxf_group_output::after_group(int code, std::string_view value) {
    if (code == 0 && takes_handle(value)) handle_at_.push_back(size());
}

std::string_view dxf_group_output::layer_spelling(std::string_view name) {
    if (last_known_ && name == last_layer_) return last_spelling_;
    last_spelling_ = layers_->spelling(name);
    last_layer_.assign(name);
    last_known_ = true;
    return last_spelling_;
}

void dxf_group_output::group(int code, std::string_view value) {
    if (code == 8 && layers_) value = layer_spelling(value);
    if (value.size() <= 256) {
        // One room check for the whole group.
        char* at = put_code(room(code_room + value.size() + 2), code);
        for (const char c : value) *at++ = c == '\r' || c == '\n' ? ' ' : c;
        at[0] = '\r';
        at[1] = '\n';
        cur_ = at + 2;
    } else {
        cur_ = put_code(room(code_room), code);
        value_line(value);
    }
    after_group(code, value);
}

void dxf_group_output::group(int code, int value) {
    char* at = put_code(room(code_room + 16), code);
    at = std::to_chars(at, at + 12, value).ptr;
    at[0] = '\r';
    at[1] = '\n';
    cur_ = at + 2;
}

void dxf_group_output::group(int code, double value) {
    if (!std::isfinite(value)) {
        group(code, std::string_view(dxf_real_text(value)));
        return;
    }
    // The general form straight into the chunk, with "." as the file has it.
    char* at = put_code(room(code_room + general_text_room + 2), code);
    at = put_general_text(at, value, 15, '.');
    at[0] = '\r';
    at[1] = '\n';
    cur_ = at + 2;
}

void dxf_group_output::point(int code, const point3& p) {
    group(code, p.x);
    group(code + 10, p.y);
    group(code + 20, p.z);
}

void dxf_group_output::lines(std::string_view text) {
    // Group by group, so that the layers and handles come out as group()
    // gives them.
    std::size_t at = 0;
    std::string_view ending;
    while (at < text.size()) {
        const std::string_view code_line = next_line(text, at, ending);
        put(code_line);
        put(ending);
        if (at >= text.size()) break;
        std::string_view value_ending;
        std::string_view value = next_line(text, at, value_ending);
        const std::string_view code = trimmed(code_line);
        if (code == "8" && layers_) value = layer_spelling(value);
        put(value);
        put(value_ending);
        if (code == "0") after_group(0, value);
    }
}

void dxf_group_output::spell_layers(const layer_spellings* layers) {
    layers_ = layers;
    last_known_ = false;
}

template <class Sink>
void dxf_group_output::stream(Sink&& sink, int* handle, std::size_t from, std::size_t to) const {
    to = std::min(to, size());
    if (from >= to) return;
    auto next = handle ? std::lower_bound(handle_at_.begin(), handle_at_.end(), from) : handle_at_.end();
    // A handle at `from` belongs to the group before it.
    while (next != handle_at_.end() && *next == from && from > 0) ++next;
    std::size_t offset = 0;  // of the chunk
    char hex[24];
    for (std::size_t i = 0; i < chunks_.size() && offset < to; ++i) {
        const chunk& c = chunks_[i];
        const std::size_t used = i + 1 == chunks_.size() ? static_cast<std::size_t>(cur_ - start_) : c.used;
        const std::size_t chunk_end = offset + used;
        std::size_t at = std::max(from, offset);
        const std::size_t stop = std::min(to, chunk_end);
        while (at < stop) {
            std::size_t piece_end = stop;
            if (next != handle_at_.end() && *next <= stop) piece_end = *next;
            if (piece_end > at) sink(std::string_view(c.data.get() + (at - offset), piece_end - at));
            at = piece_end;
            if (next != handle_at_.end() && *next == at && at <= stop) {
                // A group that ends a chunk gets its handle here, not at the
                // next chunk's start.
                sink(handle_group(hex, ++*handle));
                ++next;
                if (at == stop) break;
            }
        }
        offset = chunk_end;
    }
}

const std::string& dxf_group_output::bytes() const {
    text_.clear();
    text_.reserve(size());
    for (std::size_t i = 0; i < chunks_.size(); ++i) {
        const std::size_t used = i + 1 == chunks_.size() ? static_cast<std::size_t>(cur_ - start_) : chunks_[i].used;
        text_.append(chunks_[i].data.get(), used);
    }
    return text_;
}

std::string dxf_group_output::take() {
    std::string text = bytes();
    clear();
    text_.clear();
    return text;
}

void dxf_group_output::clear() {
    if (chunks_.size() > 1) chunks_.erase(chunks_.begin() + 1, chunks_.end());
    if (!chunks_.empty()) {
        chunk& first = chunks_.front();
        start_ = cur_ = first.data.get();
        end_ = start_ + first.capacity;
        first.used = 0;
    }
    closed_ = 0;
    handle_at_.clear();
}

std::string dxf_group_output::text_with_handles() const {
    std::string text;
    text.reserve(size() + handle_at_.size() * 10);
    int handle = 100;
    stream([&text](std::string_view piece) { text.append(piece); }, &handle, 0, SIZE_MAX);
    return text;
}

void dxf_group_output::write_to(OutputFile& file, int* handle, std::size_t from, std::size_t to) const {
    stream([&file](std::string_view piece) { file.write(piece); }, handle, from, to);
}
