// The one list of warnings and errors that every checking pass feeds.
#pragma once

#include "model/records.h"

// Appends a copy of the entry.
void error_add(const error_spec& entry);
// Removes every entry of the kind (case-sensitive), the others keeping their
// order; "a" empties the list.
void error_del(char kind);
