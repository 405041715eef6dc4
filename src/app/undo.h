// Undo and redo of cell edits: the node value an entry stands for, read and
// exchanged by the entry's kind, on the profile and node its ids name.
#pragma once

#include <deque>

#include "model/state.h"

// Reads the node's value of the entry's kind into the entry (pair, number
// or text); the kinds without a value leave it empty.
void read_undo_value(const wezel& w, tundo& e);
// Exchanges the entry's value with the node's: the node takes the entry's
// value, the entry the node's. The kinds without a value change nothing.
void exchange_undo_value(wezel& w, tundo& e);
// Takes the newest entry of `from` whose profile and node still exist
// (older ones that lost theirs are dropped on the way), exchanges its value
// with the node's and moves it to the front of `to`. The profile index of
// the entry, or -1 when the list held none.
int move_undo_entry(std::deque<tundo>& from, std::deque<tundo>& to);
