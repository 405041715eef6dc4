// Bytes with a meaning of their own in the program's texts and files, and
// the texts made of items joined by one of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// "¤": separates the fields of one stored record and the values of a
// most-used list; follows every per-node cell of a project-file key.
inline constexpr char item_separator = '\xA4';
// Follows every item of a list kept in one field (soil layers, sump inlets,
// the stored layer and line tables).
inline constexpr char list_separator = '\x1E';
// The check marks of table cells, drawn with a symbol font: "þ" checked,
// "¨" not.
inline constexpr char check_on = '\xFE';
inline constexpr char check_off = '\xA8';
// A template's block tags: "‹_name›" opens a block, "‹/name›" closes it.
inline constexpr char block_open = '\x8B';
inline constexpr char block_close = '\x9B';
// "°" and "±", which the drawing codes "%%d" and "%%p" stand for.
inline constexpr char degree_sign = '\xB0';
inline constexpr char plus_minus_sign = '\xB1';

// The text up to the first separator (the whole text when it has none).
std::string first_item(std::string_view items, char separator = item_separator);
// The items between separators: "a¤b" gives a and b, "a¤" gives a and an
// empty item, an empty text none.
std::vector<std::string> split_items(std::string_view text, char separator = item_separator);
// The items with the separator between them (split_items undoes it, but for
// one empty item).
std::string join_items(const std::vector<std::string>& items, char separator = item_separator);
