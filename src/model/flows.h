// Flow summation: the flow entering at each node (`wezel.flow`) is added up
// along each profile in the direction in which it accumulates, and across
// the connections between profiles (a profile's outlet node bearing the name
// of a node of another profile of the same network type), giving every node
// its gathered inflow (`wezel.flow_in`) and cumulative flow (`wezel.sflow`).
// At a connection the receiving profile can also impose the connected
// profile's pipe ordinate and terrain.
#pragma once

#include <cstdint>

// Index of the network letter in "wkdgcmi"; 7 when it is none of them.
uint8_t getflowindex(char letter);

// Sets and returns the profile's summation direction: forward (node 0 to the
// last node) or backward. A letter outside the table sums left to right.
bool przelicz_przeplywy_ustalenie_kierunku_sumowania(uint16_t profile);

// The cumulative flow along one profile from the gathered inflows as they stand.
void przelicz_przeplywy_tylko_suma(uint16_t profile);

// Gathers into the nodes of the profile the flows of the profiles connected
// to it, recursively; a profile that is its own caller starts a pass.
void przelicz_przeplywy_sumowanie_przylaczy(uint16_t profile, uint16_t caller);

// The whole-project summation; every profile's cumulative flow is
// recomputed. Always true.
bool przelicz_przeplywy();
