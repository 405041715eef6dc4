// The column kinds of the node table: 26 kinds, each with its key, its
// language-file key, its built-in title and unit, default width, alignment,
// decimals and place. The kind's number is its index in every per-kind
// table and in the settings files.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/controls.h"

enum class column_kind : uint8_t {
    ter, dno, zag, dlug, spad, pipe, mat, fi, odl, obiekt, kom, wez, terp,
    kat, lin, lin2, kol, osl, szer, flow, sflow, scale, wsplx, wsply, user1, rad,
};

inline constexpr int column_kind_count = 26;
// A changed-column argument meaning every column.
inline constexpr uint8_t all_columns = 255;

struct column_info {
    const char* key;           // "ter"
    const char* language_key;  // "TerOrd"
    const char* title;         // built-in title (Windows-1250)
    const char* unit;          // built-in unit
    int width;
    TAlignment alignment;
    uint8_t decimals;
    bool in_table;             // default place: the table, else the side panel
};

const column_info& column_of(column_kind k);
constexpr int index_of(column_kind k) { return static_cast<int>(k); }
constexpr column_kind kind_from_index(int i) { return static_cast<column_kind>(i); }
// The kind with that key; false when none.
bool column_kind_by_key(const std::string& key, column_kind& out);
// "wez", "mat", "obiekt", "kom".
bool is_text_column(column_kind k);
