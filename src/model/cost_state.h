// The cost-estimate state: options, calculation parameters, file names and
// the resource lists that the estimates use.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/records.h"

// One resource of a position: labour "r", material "m" or equipment "s".
struct koszt_material {
    int32_t id = 0;
    std::string name;
    uint8_t unit = 0;  // unit code
    double quantity = 0;
    double norm = 0;
    char type = 'm';
    int32_t price = 0;  // hundredths of the currency unit
};

// Tax rate and overhead and profit rates in percent.
struct cost_params {
    uint8_t vat = 0;
    double kpR = 0;   // overheads on labour
    double kzM = 0;   // purchase costs of materials
    double kpS = 0;   // overheads on equipment
    double zR = 0;    // profit on labour
    double zM = 0;    // profit on materials
    double zS = 0;    // profit on equipment
    double zkpR = 0;  // profit on the labour overheads
    double zkzM = 0;  // profit on the material purchase costs
    double zkpS = 0;  // profit on the equipment overheads
};

// The calculated amounts of a position, an element, an estimate or of all
// estimates together, in hundredths of the currency unit: eighteen slots
// (0 labour, 1 materials, 2 equipment, 3 to 5 each with everything charged
// on it, 6 to 8 the indirect and purchase costs, 9 to 11 the profits, 12 to
// 14 the profits on 6 to 8, 15 to 17 the position's own additions), then
// the net amount, the fixed net price (positions only), the tax and the
// gross amount. In a position the slots are per unit of the position.
struct value_block {
    std::array<long double, 18> amounts{};  // the eighteen slots
    int32_t netto = 0;
    int32_t wart_netto = 0;
    int32_t vat = 0;
    int32_t brutto = 0;
};

// One priced work item taken from the position library.
struct koszt_pozycja {
    std::string key;        // its section in the position library
    std::string kat_nazwa;  // catalogue name
    std::string kat_nr;     // catalogue number
    std::string opis;       // description
    std::string knr_nr;     // free catalogue reference, used without a table number
    std::string par1;       // description of the extra parameter
    std::string spec;       // link to the works' technical terms
    double ilosc = 0;       // quantity
    double par1_value = 0;  // value of the extra parameter
    std::vector<koszt_material> resources;
    value_block values;     // its wart_netto: the fixed net price of the whole quantity (0 = none)
    uint16_t kat_tab = 0;   // catalogue table (0 = none)
    uint16_t kat_jedn = 20; // unit code
    uint16_t pomR = 0;      // own additions on labour, materials, equipment, hundredths of a percent
    uint16_t pomM = 0;
    uint16_t pomS = 0;
    uint8_t kat_kol = 0;    // catalogue column
    uint8_t kat_wer = 0;    // catalogue variant
    std::string kolor = "clWhite";
};

// One element (chapter) of an estimate.
struct koszt_element {
    std::string opis = "Element";
    std::string spec;
    double ilosc = 0;
    cost_params params;
    std::vector<koszt_pozycja> positions;
    value_block values;
};

// One open cost estimate.
struct kosztorys {
    bool modified = false;
    int8_t sign = 1;       // -1 for a negative estimate
    int32_t JobRate = 0;   // hundredths
    std::string file_name;
    value_block totals;
    cost_params params;
    projekt_dane title;    // the estimate's own copy of the project data
    std::vector<koszt_element> elements;
};

// The one cost-estimate state record.
struct kosztorysy {
    uint8_t CalculationMode = 1;       // 0 simplified, 1 detailed, 2 not recalculated
    bool print_OnlyActiveTab = false;
    bool SaveCalcParamsInHLV = false;  // keep the parameters in the project file
    bool SingleJobRate = true;
    bool IgnoredMessage = true;
    bool ContinuousPosNumbering = true;
    bool AmericanRounding = true;
    uint32_t JobRate = 0;              // hundredths
    double CorM = 1;
    double CorS = 1;
    cost_params params;
    std::string kind;
    std::string template_file;
    std::string library_file;
    std::string catalog_file;
    // The catalogues the positions of the open estimates cite, sorted and
    // joined by ", ".
    std::string catalogs_used;
    value_block grand_total;               // all open estimates together; the printout's totals
    std::vector<kosztorys> estimates;      // the open estimates, in tab order
    uint16_t current_estimate = 0;         // the estimate of the window's current tab
    std::vector<koszt_pozycja> position_library;
    // The elements of all open estimates merged by name, their values added.
    std::vector<koszt_element> combined_elements;
    std::vector<koszt_material> labour;
    std::vector<koszt_material> materials;
    std::vector<koszt_material> equipment;
};

kosztorysy& cost_data();
void set_cost_data(kosztorysy* c);

// The catalogue reference of a position as documents print it: "%s %s
// %.4d-%.2d%.2d" of catalogue name, number, table, column and variant when
// it has a table; else its free reference, else its catalogue name. A
// failure to format leaves `out` as it was.
void koszt_zwroc_knr(const koszt_pozycja& position, std::string& out);
// The text of a cost-estimate unit code; "szt." for a code without one.
std::string koszt_jedn2txt(int code);
