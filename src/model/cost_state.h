// The cost-estimate state: options, calculation parameters, file names and
// the resource lists that the estimates use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
    std::string catalog_list;
    std::vector<koszt_material> labour;
    std::vector<koszt_material> materials;
    std::vector<koszt_material> equipment;
};

kosztorysy& cost_data();
void set_cost_data(kosztorysy* c);
