// The reader of drawing files: DXF text (the program's own "rysunek.dxf", or
// an R12 file of a CAD program) into layers of entities.
//
// The whole file is mapped into memory (or given as bytes); lines and
// values are views into it. A line ends at LF or CR LF, a lone CR is
// dropped, a line is cut at 255 characters and the line counter counts
// every line read, also after a rewind. What cannot be read is reported in
// message boxes: "DXF Read Error" ends the reading and keeps what was read;
// "DXF read error warning" (OK, Cancel) skips one entity of the ENTITIES
// section or stops.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/containers.h"
#include "drawing/entities.h"
#include "drawing/geometry.h"
#include "platform/exceptions.h"
#include "platform/files.h"

// An error of the reader: the message, CR LF, "Nastąpił błąd w lub w
// pobliżu linii numer " and the line number; the message alone for a
// negative line number. `ends_reading` marks the errors after which the
// reader cannot go on (a code that is no group code, the end of the file,
// the user's stop).
class DXF_read_exception : public Exception {
public:
    DXF_read_exception(std::string_view message, int64_t line, bool ends_reading = false);
    bool ends_reading;
};

// The groups of one entity, read before the entity is made. Texts are
// views into the file.
struct abstract_entity {
    point3 p[4];
    double r40 = 0, r50 = 0, r51 = 0, r41 = 0, r42 = 0, r43 = 0, r39 = 0, r38 = 0;
    int32_t i62 = 0, i70 = 0, i71 = 0, i72 = 0, i73 = 0, i74 = 0, i66 = 0;
    bool colour_given = false;  // a group 62 was read
    std::string_view s2, s1, s3, s8;
    point3 extrusion = point3_unit_z;
    void clear() { *this = abstract_entity{}; }
};

// The bytes of a drawing file given in memory.
struct dxf_bytes {
    std::string bytes;
};

class DXF_Reader {
public:
    // The file is opened by the first read; one that cannot be opened
    // raises EInOutError there.
    explicit DXF_Reader(std::string_view path);
    explicit DXF_Reader(dxf_bytes bytes);
    DXF_Reader(const DXF_Reader&) = delete;
    DXF_Reader& operator=(const DXF_Reader&) = delete;
    ~DXF_Reader();

    // Reads the HEADER, TABLES, BLOCKS and ENTITIES sections; an error is
    // shown and ends the reading, keeping what was read; then the extents
    // are completed. Returns true.
    bool read_file();
    point3 extents_max() const { return max_; }
    point3 extents_min() const { return min_; }
    // Hands the layers over.
    std::vector<std::unique_ptr<DXF_Layer>> take_layers();

    // The message texts.
    static constexpr const char* invalid_real = "Invalid Floating point conversion";
    static constexpr const char* invalid_integer = "Invalid Integer conversion";
    static constexpr const char* invalid_group_code = "Invalid group code";
    static constexpr const char* unexpected_end = "Unexpected end of file";
    static constexpr const char* undefined_block =
        "Cannot reference an undefined BLOCK\r\n\r\n(File may not have been saved with BLOCKs)\r\n";

private:
    // Input.
    std::string path_;
    std::optional<mapped_file> map_;
    std::string owned_;
    bool opened_ = false;
    const char* begin_ = nullptr;
    const char* end_ = nullptr;
    const char* pos_ = nullptr;
    int64_t line_count_ = 0;
    std::string_view line_;
    std::deque<std::string> mended_lines_;  // lines that held a lone CR, without it

    // The current group and the one handed out again.
    int code_ = 0;
    std::string_view value_;
    bool pushed_back_ = false;

    // The mark a failed section search goes back to.
    const char* mark_pos_ = nullptr;
    int64_t mark_line_ = 0;
    int mark_code_ = 0;
    std::string_view mark_value_;
    bool mark_pushed_back_ = false;

    // What was read.
    std::vector<std::unique_ptr<DXF_Layer>> layers_;
    std::unordered_map<std::string_view, DXF_Layer*, text_hash, std::equal_to<>> layer_index_;
    DXF_Layer* last_layer_ = nullptr;
    Entity_List* block_list_ = nullptr;
    const Block_* block_being_read_ = nullptr;
    point3 max_;
    point3 min_;
    bool max_read_ = false;
    bool min_read_ = false;
    bool end_marker_seen_ = false;
    abstract_entity record_;
    abstract_entity inner_record_;
    std::vector<point3> vertices_;
    std::vector<Polyface_mesh_::face> faces_;

    void map_input();
    bool read_line();
    // The next group: its code, or -2 at the end of the file; the value is
    // in value_. The end inside a group raises "Unexpected end of file".
    int next_group();
    void push_back() { pushed_back_ = true; }
    // next_group() where the end of the file cannot come.
    int next_group_within();
    [[noreturn]] void fail(const char* message, bool ends_reading = false) const;
    double real_value() const;
    int32_t integer_value() const;
    void set_mark();
    void rewind();

    bool find_section(std::string_view name);
    void read_header();
    void read_header_point(point3& p);
    void read_tables();
    void read_layer_table();
    void skip_table();
    void read_blocks();
    void read_block();
    void read_entities();
    void read_to_end_marker();

    DXF_Layer& layer_named(std::string_view name);
    void read_entity_record(abstract_entity& r);
    DXF_Layer& read_entity_record_with_layer(abstract_entity& r);
    // One entity of the keyword (none for a keyword that makes none); the
    // layer it belongs to goes into `layer`.
    std::unique_ptr<DXF_Entity> read_entity(std::string_view keyword, DXF_Layer*& layer);
    std::unique_ptr<DXF_Entity> read_insert(DXF_Layer*& layer);
    std::unique_ptr<DXF_Entity> read_polyline(DXF_Layer*& layer);
    void show_fatal(const std::string& text);
};
