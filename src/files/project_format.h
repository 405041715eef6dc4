// The project file's values, item by item: how each value of a profile
// header, a node column, an attachment line, a sump line and a pipe series
// is written and read, in one table per line kind that the writer and the
// reader both walk, so that the two cannot drift apart. Beside them the
// number encodings and the cleaning of texts that would break the file.
//
// A file is 8-bit text in ini syntax. Node columns are one key per column
// whose value holds every node's cell, each cell followed by "¤"; record
// lines are items joined by "¤"; lists inside one item are joined by 0x1E.
// Numbers use decimal_separator when written; every reader accepts "," and
// "." alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "platform/exceptions.h"

// --- number encodings ----------------------------------------------------------------------

// The general form with at most `precision` significant digits, as
// Format("%.<precision>g") gives it (G10, G15); raises EMathError for NaN
// and infinity as Format does.
void put_general(std::string& out, double v, int precision);
inline void put_g10(std::string& out, double v) { put_general(out, v, 10); }
inline void put_g15(std::string& out, double v) { put_general(out, v, 15); }
// Fixed with six decimals ("%.6f", F6).
void put_f6(std::string& out, double v);
void put_int(std::string& out, int64_t v);
// "1" or "0".
inline void put_bool(std::string& out, bool v) { out += v ? '1' : '0'; }
// The two sides in G10 joined by "/", side "s1" first, also when equal.
void put_pair(std::string& out, const value_pair& p);

// --- texts ---------------------------------------------------------------------------------

// A text written into a node cell, a record line or a size row: "¤", CR,
// LF (CR LF as one) and byte 0x1E each become a blank; with `list` (the
// lists the format joins with 0x1E) the byte 0x1E stays.
void put_cell_text(std::string& out, std::string_view text, bool list = false);
// A text that is the whole value of a line: CR, LF (CR LF as one) become a blank.
void put_line_text(std::string& out, std::string_view text);

// --- reading -------------------------------------------------------------------------------

// A real after its decimal separator is normalised ("," and "." alike);
// false when the text does not convert (fix_decimal_separator, then
// TryStrToFloat, give the same result).
bool read_real(std::string_view text, double& out);

// A value of the file that cannot be taken: the text of the reason
// (the reader adds where it stands).
class project_value_error : public Exception {
public:
    using Exception::Exception;
};

// A real as read_real takes it; raises project_value_error when it does not convert.
double real_value(std::string_view text);
// A whole number as it stands (no decimal separator), within [low, high];
// raises project_value_error otherwise (never wraps).
int64_t whole_value(std::string_view text, int64_t low, int64_t high);
// A real converted and rounded to a whole number within [low, high].
int64_t rounded_value(std::string_view text, int64_t low, int64_t high);
// The reason for a whole number outside its range.
std::string out_of_range_text(std::string_view text, int64_t low, int64_t high);

// The items of a record line: split at `separator`; a separator that ends
// the text gives no empty item after it (so "a¤b¤" has two items). At most
// `limit` items are returned.
std::vector<std::string_view> line_items(std::string_view line, std::size_t limit, char separator = '\xA4');
// A list item as the record keeps it: the items between 0x1E bytes, a final
// 0x1E giving no empty item.
std::vector<std::string> list_lines(std::string_view text);

// --- the tables ------------------------------------------------------------------------------

// One item of a record line, in its place: `put` writes it, `get` reads it
// from its text (raising project_value_error); `missing` is the text read
// when a shorter line lacks it (nullptr: the field keeps the value of a
// blank record).
template <class R>
struct line_item {
    void (*put)(std::string& out, const R& r);
    void (*get)(R& r, std::string_view text);
    const char* missing = nullptr;
};

// The attachment lines of a profile, by the prefix of their keys, in the
// order written; and the sump line.
const std::vector<line_item<kolizja>>& crossing_items();        // "ko"
const std::vector<line_item<oslonowa>>& casing_items();         // "ro"
const std::vector<line_item<przekroj>>& section_items();        // "pr", each item followed by "¤"
const std::vector<line_item<teren_opis>>& terrain_items();      // "te"
const std::vector<line_item<granica_opis>>& boundary_items();   // "gr"
const std::vector<line_item<rzedne_npm>>& ordinate_items();     // "rz"
const std::vector<line_item<mat_osadnik>>& tank_items();        // "m_os"
const std::vector<line_item<mat_studzienka>>& sump_items();     // "m_st" of [sumps]

// Writes a record line's items joined by "¤" (`terminated`: each followed by it).
template <class R>
void put_line(std::string& out, const std::vector<line_item<R>>& items, const R& r, bool terminated = false) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && !terminated) out += '\xA4';
        items[i].put(out, r);
        if (terminated) out += '\xA4';
    }
}

// One key of a profile section's header, in the order written. `def` is
// the text read when the key is missing; nullptr where the default depends
// on the section (its number, [inne]) or on the other keys.
struct header_key {
    const char* key;
    void (*put)(std::string& out, const odcinek& p);
    void (*get)(odcinek& p, std::string_view text);
    const char* def;
};
// Without "wiersze", which follows them.
const std::vector<header_key>& header_keys();

// A node cell that does not convert reads as 0; the reader counts them and
// keeps the first text to report once.
struct cell_faults {
    std::size_t count = 0;
    std::string first;
    void add(std::string_view text) {
        if (count++ == 0) first = std::string(text);
    }
};

// One node column. `get` reads one cell that is not empty (the text
// columns read empty cells too); nullptr for the columns that the reader
// takes apart ("kom", "id").
struct node_column {
    const char* key;
    bool text;  // taken as it stands, an empty cell included
    void (*put)(std::string& out, const wezel& w);
    void (*get)(wezel& w, std::string_view cell, cell_faults& faults);
};
// The 26 node columns in the order written.
const std::vector<node_column>& node_columns();
const node_column* node_column_named(std::string_view key);

// The keys of a pipe-series section in the order written.
struct series_key {
    const char* key;
    void (*put)(std::string& out, const mat_rura_typosz& s);
    void (*get)(mat_rura_typosz& s, std::string_view text);
};
const std::vector<series_key>& series_keys();

// The settings and the title block of a project file go through the ini
// engine, which works on files: `use` gets a scratch file (named with
// `prefix`) that is removed and forgotten by the engine's cache afterwards,
// also when `use` throws.
void with_scratch_file(std::string_view prefix, const std::function<void(const std::string&)>& use);
