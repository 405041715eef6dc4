// The horizontal scale of the profile sheet at a node and the drawing
// lengths that follow from it.
#pragma once

#include <cstdint>
#include <string_view>

// The horizontal scale number at a node: the node's own scale when it is
// positive, else the profile's own when it is on and positive, else the
// settings' profile scale (a whole number; another text raises
// EConvertError).
int skalaX(uint16_t profile, int node);

// "dlugosci": every profile's length; "dlugosci_ze_skala": the drawing
// factors and positions of the nodes and the drawn width of every profile
// included in the drawing; "all": both. Any other text does nothing.
void oblicz_dlugosci(std::string_view what);
