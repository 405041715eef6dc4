// Two-sided values: one side of a pair or of its text, setting a pair while
// keeping a drop, pair texts, the extremes of a column over a profile, the
// diameter at a node, the values of a node object's variables, and the
// copies between a named column and the node's scratch pair.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/columns.h"
#include "model/records.h"

// The chosen side ("s1", "s2", "min", "max") of a pair text ("2.5/2.1" or
// "3"). A single number that does not convert shows the error box and gives
// 0; a half of a pair that does not convert gives 0 silently.
double wyciag(const std::string& text, const std::string& side);
// The chosen side of a pair; equal halves give the first whatever the side.
double wyciag2(const value_pair& pair, const std::string& side);
// `out`.s1 becomes the value; `out`.s2 too, unless the old halves differed
// (a drop at the node is kept).
void nwsta(const value_pair& old_pair, value_pair& out, double value);
// The pair as table text with `decimals` decimals (each half as fixed_text,
// model/utils.h, shows it): one number when the halves agree to nine
// decimals, else both joined by "/".
void zlacz(uint8_t decimals, std::string& text, double first, double second);
std::string zlacz(uint8_t decimals, double first, double second);
inline std::string zlacz(uint8_t decimals, const value_pair& p) { return zlacz(decimals, p.s1, p.s2); }
// A value text rounded to the display decimals (fixed_text); empty when it
// does not convert.
void zaokr(const std::string& text, std::string& out);
// The largest value of a column kind over a profile (-1e10 when none); the
// node of the extreme goes into the profile's statistics.
double max(column_kind kind, uint16_t profile);
// The smallest value (0 when none).
double min(column_kind kind, uint16_t profile);
// Whether the profile (two nodes at least) has values of a kind worth a
// band row or a mark: "linia" / "linia2" a segment with both ends of line
// 1 / 2 set, "teren_proj" a design terrain that differs from the existing
// one, "kat" an angle, "skala" a node scale. False for any other text.
bool czy_sa_dane(uint16_t profile, const std::string& what);
// The pipe diameter in mm that applies at a node on side "s1" or "s2".
double fi(uint16_t profile, int node, std::string_view side);
// The value text of object variable `n` of a node (side 1 or 2); a
// negative n asks for the default of variable -n.
void wyciag_var(int8_t n, uint16_t profile, int node, bool no_default, int side, std::string& out);
std::string wyciag_var(int8_t n, uint16_t profile, int node, bool no_default, int side);
// Copies the named column of every node of the profile into its scratch
// pair `wezel.temp` (text columns into `wezel.result`), and back.
bool copy2tempSimple(const std::string& key, uint16_t profile);
bool temp2copySimple(const std::string& key, uint16_t profile);
