// The description templates of the profile's annotations expanded for one
// entry: casing pipes, terrain descriptions, additional terrain ordinates
// and crossings. The drawing and the document templates print these.
#pragma once

#include <cstdint>
#include <string>

// "@d" diameter, "@l" absolute length, "@m" material, "@t" kind of casing
// pipe `entry` of the profile; each code's first occurrence.
void oslonowe_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out);
// "@l" length, "@s" abbreviation of terrain description `entry`.
void teren_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out);
// "@r" the first side of additional ordinate `entry`, two decimals.
void rzedne_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out);
// The crossing editor's codes for crossing `entry`; `ordinate_mode` is the
// crossing editor's pipe-ordinate mode (0 ordinate, 1 depth).
void kolizje_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, int ordinate_mode,
                            std::string& out);
