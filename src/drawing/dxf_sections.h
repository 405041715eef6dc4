// The fixed frame of the drawing file: the sheet state prepared before the
// header, the names the layer table declares, the symbol kinds the blocks
// section holds, and the handles and layer spellings of a text of groups.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "drawing/containers.h"
#include "drawing/geometry.h"

// Millimetres per drawing unit of the unit combo's item index: 10^k for
// "mm" to "km"; 1 for any other index.
int unit_factor_of(int item_index);

// The sheet kind the preview's buttons choose.
enum class sheet_kind { profile, cross_section, scheme, none };
sheet_kind chosen_sheet();

// Prepares the sheet state for the chosen sheet (unit, factors, profile
// offsets, pen width, colour 7) and gives the sheet's extents.
void prepare_sheet_state(point3& extents_min, point3& extents_max);

// A layer name as the file may carry it: each character DXF forbids in a
// name (< > / \ " : ; ? * | = and the backquote) becomes "_".
std::string dxf_layer_text(std::string_view name);

// The layers of the settings' layer table as the file declares them: one
// per name without regard to case, under the first row's spelling; every
// entity's layer is written in that spelling.
class layer_spellings {
public:
    // Declares a name; false when a name equal but for case came first.
    bool declare(std::string_view name);
    // The spelling the file uses for a layer name.
    const std::string& spelling(std::string_view name) const;
    const std::vector<std::string>& declared() const { return declared_; }

private:
    std::vector<std::string> declared_;
    std::unordered_map<std::string, std::string> by_key_;  // upper-cased name -> declared spelling
    mutable std::unordered_map<std::string, std::string, text_hash, std::equal_to<>> seen_;
};

// The symbol kinds ("slrr", "slrbou", "slrcolv", "kol", "piezo") the
// project's nodes need, each once, in the order first needed; "kol" also
// for the cross-section sheet and for every node of a profile with
// crossings. Each distinct object text is tested once; an empty one names
// no kind; the search ends when every kind is found.
std::vector<std::string> symbol_kinds(bool cross_section_sheet, bool piezometer);

// One complete symbol block of a kind, made with the drawing model: never
// empty, without a line break at its end. An unknown kind gives the
// crossing block.
std::string obiekty(std::string_view kind);

// A text of groups with a "5" group with the next handle (upper-case
// hexadecimal, the first "65") after each code-0 group whose value is one
// of the entity and table-entry types that carry one, as the drawing
// writer's group sink puts them in.
std::string handler(std::string_view file);

// A text of groups with every layer group (code 8) in the declared
// spelling; with `handles` the handle groups too.
std::string finish_drawing_file(std::string_view file, const layer_spellings& layers, bool handles);
