// Tank records of a profile and the built-in treatment-plant elements. A
// tank-like node object keeps its dimensions in a `mat_osadnik` record of
// its profile, bound by the node's id; the elements of a household
// treatment plant (codes "epurbloc", "sl-sg", "sl-fe" in the object text)
// take theirs from the built-in table here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

// Removes the tank record `index` of the profile, or with -1 the record of
// the node; nothing when there is none. The records behind it move forward.
void usun_osadnik(uint16_t profile, int node, int index);
// Removes the records whose node now carries an object that is not
// tank-like; a record bound to an id that no node has is kept.
void usun_nieuzywane_osadniki(uint16_t profile);

// Whether the object text contains a treatment-plant code ("epurbloc",
// "sl-fe" or "sl-sg", ASCII case ignored).
bool has_treatment_code(const std::string& object);
// Fills the record with the element the lower-cased object text names (the
// table is keyed by the trimmed text); true when the table holds it. The
// record is blank afterwards when it does not.
bool osadnik_dane2(mat_osadnik& record, const std::string& lowered_text);
// The element names the table knows, in table order.
std::vector<std::string> treatment_element_names();
// The message for an object text that names no element of the table: the
// text and the names the table knows.
std::string unknown_treatment_element_message(const std::string& text);

// The object file that a path names: the path itself when that file
// exists, else a file of the same folder whose name differs from it only in
// letter case (object files come from systems that ignore case); empty when
// there is neither. Either separator may divide the path.
std::string find_object_file(const std::string& path);
