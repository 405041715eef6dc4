// The groups of a drawing file as they are written: a code line and a value
// line, each ended by CR LF. They go into chunks of a fixed size kept in
// memory (a full chunk is never moved or copied), and stream into the file
// at the end, where the handles are put in, numbered in file order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/geometry.h"

class OutputFile;
class layer_spellings;

class dxf_group_output {
public:
    // Bytes per chunk: one chunk goes to the file in one write.
    static constexpr std::size_t chunk_size = std::size_t{1} << 20;

    dxf_group_output();
    ~dxf_group_output();
    dxf_group_output(const dxf_group_output&) = delete;
    dxf_group_output& operator=(const dxf_group_output&) = delete;

    // The code without padding, then the value (a line break in it becomes a blank).
    void group(int code, std::string_view value);
    // A whole number in decimal.
    void group(int code, int value);
    // A real in the drawing file's form (dxf_real_text).
    void group(int code, double value);
    // Text already in the form of groups (a symbol block), whole lines as
    // they stand; its layer groups and entity types are seen as those of
    // group() are.
    void lines(std::string_view text);
    // The three groups code, code + 10 and code + 20 with x, y and z.
    void point(int code, const point3& p);

    // From now on each layer group (code 8) carries the spelling `layers`
    // gives its name (nullptr: as it stands). `layers` must outlive the
    // groups written.
    void spell_layers(const layer_spellings* layers);

    // The bytes written so far (without handles).
    std::size_t size() const { return closed_ + static_cast<std::size_t>(cur_ - start_); }
    // The groups as written (without handles).
    const std::string& bytes() const;
    std::string take();
    void clear();
    // Each code-0 group of an entity or table-entry type that carries a
    // handle is noted as it is written; the handles themselves go in when
    // the groups are written out, numbered in the order they are written.

    // The groups with a handle group ("5", upper-case hexadecimal, the
    // first 0x65) after each noted group.
    std::string text_with_handles() const;
    // Streams the bytes [from, to) into `file`; with `handle`, each noted
    // group is followed by the handle after *handle, which it advances.
    void write_to(OutputFile& file, int* handle, std::size_t from = 0, std::size_t to = SIZE_MAX) const;

private:
    struct chunk {
        std::unique_ptr<char[]> data;
        std::size_t used = 0;
        std::size_t capacity = 0;
    };
    // Room for at least `n` more bytes in the current chunk.
    char* room(std::size_t n) {
        if (static_cast<std::size_t>(end_ - cur_) < n) next_chunk(n);
        return cur_;
    }
    void next_chunk(std::size_t n);
    void close_chunk();
    void put(std::string_view bytes);
    void value_line(std::string_view value);
    void after_group(int code, std::string_view value);
    std::string_view layer_spelling(std::string_view name);
    template <class Sink>
    void stream(Sink&& sink, int* handle, std::size_t from, std::size_t to) const;

    std::vector<chunk> chunks_;
    char* start_ = nullptr;  // the current chunk
    char* cur_ = nullptr;
    char* end_ = nullptr;
    std::size_t closed_ = 0;  // bytes in the chunks before the current one
    std::vector<std::size_t> handle_at_;  // offsets the handles go in at
    const layer_spellings* layers_ = nullptr;
    std::string last_layer_;
    std::string_view last_spelling_;
    bool last_known_ = false;
    mutable std::string text_;  // what bytes() gives
};
