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
// The crossing editor's codes for crossing `entry` ("@m", the "@p" family
// of the profile's pipe at the crossing, "@l", "@k", "@d", "@o", "@w", the
// "@r" family, "@t", "@h", the "@z" family); `ordinate_mode` is the
// crossing editor's ordinate mode (0 the crossing's bottom, 1 its axis),
// which "@r" and "@z" follow. A family whose level is missing (the pipe or
// the terrain outside its line) stays in the text.
void kolizje_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, int ordinate_mode,
                            std::string& out);
