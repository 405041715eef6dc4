// Node object kinds: the object keys, their classes, their display names
// (the captions of the main window's insert-object menu), the treatment-plant
// codes and the queries over object texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One item of the insert-object menu "Wstaw &obiekt", in menu order. The
// menu of the main window is built from this table; the look-ups below read
// the items' captions (which the language may replace) through the view.
struct object_menu_item {
    const char* name;     // "mi_Sump"
    const char* caption;  // built-in caption
    const char* key;      // object key it puts on a node; "" none
    const char* parent;   // "" for the menu itself, or the submenu's name
    bool visible;
    bool pick_list;       // an entry of the object pick list (help context 1)
    bool puts_object;     // its click puts the object on the current node
};
const std::vector<object_menu_item>& object_menu_items();
// The item of that name; nullptr when none.
const object_menu_item* object_menu_item_named(const std::string& name);
// The caption of a menu item (the window's, which the language may have replaced).
std::string object_caption(const std::string& item_name);

// Whether the ASCII-lower-cased text is a key of the class ("osadnikopodobne",
// "studzienki", "budynkopodobne", "inne", "armatura", "vars", "all").
bool jest_obiekt2(const std::string& object, const std::string& class_name);
// The display name of an object key, lower-cased; with `grouped` the
// fittings and other objects give their group's name.
void obiekt2nazwa(const std::string& key, bool grouped, std::string& out);
std::string obiekt2nazwa(const std::string& key, bool grouped);
// The key of a display name; a name without an entry comes back unchanged.
void nazwa2obiekt(const std::string& name, std::string& out);
std::string nazwa2obiekt(const std::string& name);
// The code of a treatment-plant element's short name; other names leave
// `out` as it was.
void treatment_block_name(const std::string& short_name, std::string& out);
std::string treatment_block_name(const std::string& short_name);
// Index of the first node whose object text contains the text (ASCII case
// ignored); 0 when none.
uint16_t obiekt_szuk(const std::string& text, uint16_t profile);
// Index of the node's tank record or project sump, -1 when none; also
// stored in the node's object index.
int znajdz_obiekt(uint16_t profile, int node);
// Whether the segment beginning at the node is a drainage run of the
// treatment plant.
bool czy_jest_drenaz(uint16_t profile, int node);
