// The column kinds of the node table: 26 kinds, each with its key, its
// language-file key, its built-in title and unit, default width, alignment,
// decimals and place, and what it is in a node: which field holds it and
// how, what an emptied cell stores, what undo keeps of an edit, how the
// project file writes it and whether an edit goes to the namesakes. The
// kind's number is its index in every per-kind table and in the settings
// files. The table, the side panel, the commit of an edit, undo, the copy
// of a value between nodes and the project file all read this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/records.h"
#include "platform/controls.h"

enum class column_kind : uint8_t {
    ter, dno, zag, dlug, spad, pipe, mat, fi, odl, obiekt, kom, wez, terp,
    kat, lin, lin2, kol, osl, szer, flow, sflow, scale, wsplx, wsply, user1, rad,
};

inline constexpr int column_kind_count = 26;
// A changed-column argument meaning every column.
inline constexpr uint8_t all_columns = 255;

// How a node holds the value of a kind.
enum class column_value : uint8_t {
    entered_pair,  // a pair as entered (`pair`) beside the pair in use (`used`)
    pair,          // a two-sided value
    number,        // one real
    scale,         // the node's own horizontal scale, a whole number
    text,
    none,          // nothing of the node's own (pipe series mark, counts, formula)
};

// What an emptied numeric cell stores.
enum class empty_cell : uint8_t {
    nothing,      // the kinds a commit never stores
    empty_value,  // the empty value ([inne] "zero") on both sides
    zero,
    shown_zero,   // what a typed 0 stores (a pipe ordinate: the bottom below a shown 0)
};

// What an undo entry of an edit keeps.
enum class undo_keeps : uint8_t {
    value,    // the node's value as the kind holds it; recorded when the new one differs
    nothing,  // no value (pair 0, 0, empty text); undoing it changes no node
    never,    // the old value is read, but no entry is recorded
};

// How the project file writes a node cell of the kind, under the kind's key.
enum class file_form : uint8_t {
    none,   // not stored
    pair,   // both sides in G10 joined by "/"
    g10,
    g15,
    whole,  // a decimal whole number
    text,
};

// What a kind is in a node.
struct column_node {
    column_value value = column_value::none;
    // The node's fields of the kind, null where it has none: the pair (the
    // entered pair of an entered_pair kind), the pair in use, the number,
    // the whole number and the text.
    value_pair wezel::*pair = nullptr;
    value_pair wezel::*used = nullptr;
    double wezel::*number = nullptr;
    int32_t wezel::*whole = nullptr;
    std::string wezel::*text = nullptr;
    bool typed = true;         // a commit stores the typed value (false: only shown)
    empty_cell emptied = empty_cell::nothing;
    bool refilled = false;     // an emptied cell takes the automatic defaults
    undo_keeps undo = undo_keeps::value;
    file_form file = file_form::none;
    bool namesakes = false;    // an edit goes to the same-named nodes of the other profiles
};

struct column_info {
    const char* key;           // "ter"; also the key of its node cells in the project file
    const char* language_key;  // "TerOrd"
    const char* title;         // built-in title (Windows-1250)
    const char* unit;          // built-in unit
    int width;
    TAlignment alignment;
    uint8_t decimals;
    bool in_table;             // default place: the table, else the side panel
    column_node node;
};

const column_info& column_of(column_kind k);
constexpr int index_of(column_kind k) { return static_cast<int>(k); }
constexpr column_kind kind_from_index(int i) { return static_cast<column_kind>(i); }
// The kind with that key; false when none.
bool column_kind_by_key(const std::string& key, column_kind& out);
// "wez", "mat", "obiekt", "kom".
bool is_text_column(column_kind k);

// The node's value of a kind as a pair: the pair (entered for an
// entered_pair kind), a number or a whole number on both sides; (0, 0) for
// the text kinds and the kinds without a value.
value_pair column_value_of(const wezel& w, column_kind k);
// The value in use: the used pair of an entered_pair kind, else as above.
value_pair column_value_in_use(const wezel& w, column_kind k);
// Puts a value into the node's field of a typed kind: the pair (only the
// entered pair of an entered_pair kind), the first half of a number, the
// first half rounded of a scale. The text kinds and the kinds without a
// typed value take nothing.
void put_column_value(wezel& w, column_kind k, const value_pair& v);
// Copies a typed kind's value (text included; the entered pair alone of an
// entered_pair kind) from one node to another.
void copy_column_value(column_kind k, const wezel& from, wezel& to);
