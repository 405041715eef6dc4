// The pipe series of the nodes: which series of the project's list a node's
// pipe belongs to, and which size of that series.
#pragma once

#include <cstdint>

// Sets `wezel.series_index` of the node to the index, in the project's
// pipe-series list, of the series whose id is the node's `tidx` (the
// profile's `main_typosz_id` when that is -1), -1 when there is none, and
// `wezel.size_index` to the row of that series' diameter list that equals
// the node's diameter ("%.0f/%.0f" of the halves when they differ, else the
// rounded diameter), -1 when no row does. 65535 for the profile or the node
// means all of them.
void odswiez_idx_w_odc(uint16_t profile, uint16_t node);
