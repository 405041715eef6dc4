// Project sumps: a sump that several profiles meet in is one record of the
// project. Its bottom, inlet lists, drop pipe, height and fittings count are
// computed from every node it serves and never stored. Beside it: the link
// lists that bind sumps to nodes, the questions about a node's sump height,
// drop and cascade, and the object size written after "@" in a node text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/records.h"
#include "platform/named_bytes.h"

// Ends every link of a link list.
inline constexpr char link_end = list_separator;
// The bottom of a sump not computed in this pass (also: not connected).
inline constexpr int32_t bottom_not_computed = 5000000;

// The link text of a node: its profile's id, "|" and its node id.
std::string link_text(uint16_t profile, int node);
// The links of a list, split at 0x1E; a last link without its 0x1E counts
// (the node chooser writes one so); empty items are skipped.
std::vector<std::string> split_links(std::string_view list);
// Whether the list holds the link as a whole link ("1|2" is not in "11|23").
bool has_link(std::string_view list, std::string_view link);
// The links joined again, each followed by 0x1E.
std::string join_links(const std::vector<std::string>& links);

// Recomputes the sump at a node. With `sump` -1 the node's own sump;
// otherwise that sump, at the given node when it serves it, else at the
// first node of an included profile that it serves. Returns the sump index,
// -1 when there is none.
int odswiez_studzienke(int profile, int node, int sump, bool reset);
// Resets the computed fields of one sump (all sumps).
void zeruj_studzienke(int sump);
void zeruj_studzienki();
// Clears the sump's node name and links and resets it; an index past the
// list does nothing.
void odlacz_studzienke(int sump);
// Deletes the node's sump (`sump` -1) or the given one, asking first unless
// forced when any node is connected to it; true when deleted.
bool usun_studzienke(int profile, int node, bool force, int sump);
// Height of the sump at a node, in metres, at least 0.
double wys_studz(uint16_t profile, int node);
// The drop from the pipe down to a sump bottom given in millimetres: pipe
// diameter (mm), drop (m) and a third value left 0; all 0 for a node whose
// object is not "sump".
void przepad(uint16_t profile, int node, int32_t bottom, std::array<double, 3>& out);
// Whether the incoming and the outgoing pipe ordinates at the node differ
// at four decimals, both taken at the profile's pipe-ordinate reference.
bool jest_kaskada(uint16_t profile, int node);
// Clears a material add-on record; its hide flag stays.
void czysc_Mat_adds(mat_adds& adds);

// The size written after "@" in a node text on side "s1" or "s2", with the
// built-in sizes of some object kinds when none is written.
double wyc_kol(const std::string& text, const std::string& kind, const std::string& side);
