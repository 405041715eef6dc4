#include "model/objects.h"

#include "model/state.h"
#include "model/sumps.h"
#include "platform/sysutils.h"

namespace {

const std::vector<object_menu_item> items = {
    {"mi_blank", "", "", "", true, false, true},
    {"mi_Sump", "Studzienka", "sump", "", true, true, true},
    {"mi_Tank", "Zbiornik", "osadnik", "", false, true, true},
    {"mi_SepticTank", "Osadnik", "osadnik", "", true, false, true},
    {"mi_SewageTreatmentPlant", "Oczyszczalnia", "oczyszczalnia", "", true, false, true},
    {"mi_GreaseSeparator", "Separator tłuszczu"_cp, "separatort", "", true, false, true},
    {"mi_OilSeparator", "Separator węglowodorów"_cp, "separatoro", "", true, false, true},
    {"mi_lpgTank", "Zbiornik na gaz płynny"_cp, "lpg_tank", "", true, false, true},
    {"mi_RainwaterTank", "Zbiornik na deszczówkę"_cp, "deszcz", "", true, false, true},
    {"mi_Fittings", "Armatura", "", "", true, false, false},
    {"mi_GateValve", "Zasuwa", "", "mi_Fittings", true, false, true},
    {"mi_GroundHydrant", "Hydrant nadz.", "hydrant nadz.", "mi_Fittings", true, false, true},
    {"mi_UndergroundHydrant", "Hydrant podz.", "hydrant podz.", "mi_Fittings", true, false, true},
    {"mi_PipeTee", "Trójnik"_cp, "trójnik"_cp, "mi_Fittings", true, false, true},
    {"mi_ClampSaddle", "Nawiertka z zasuwą"_cp, "nawiertka", "mi_Fittings", true, false, true},
    {"mi_Pipe", "Rurociąg"_cp, "rurociąg"_cp, "mi_Fittings", true, false, true},
    {"mi_Elbow", "Kolano", "kolano", "mi_Fittings", true, false, true},
    {"mi_Valve", "Zawór"_cp, "zawor", "mi_Fittings", true, false, true},
    {"mi_Transition", "Przejście"_cp, "przejscie", "mi_Fittings", true, false, true},
    {"mi_StreetWaterPump", "Zdrój uliczny"_cp, "zdroj", "mi_Fittings", true, false, true},
    {"mi_Deaerator", "Odpowietrznik", "odpowietrznik", "mi_Fittings", true, false, true},
    {"mi_DrainValve", "Zawór spustowy"_cp, "spust", "mi_Fittings", true, false, true},
    {"mi_Other", "Inne", "", "", true, false, false},
    {"mi_Building", "Budynek", "budynek", "mi_Other", true, false, true},
    {"mi_TrenchSlope", "Rów"_cp, "rów"_cp, "mi_Other", true, false, true},
    {"mi_GasBox", "Szafka", "szafka", "mi_Other", true, false, true},
    {"mi_GasBoxOnTheWall", "Szafka na budynku", "szafkb", "mi_Other", true, false, true},
    {"mi_WaterMeterSet", "Zestaw wodomierzowy", "zestaw wodomierzowy", "mi_Other", true, false, true},
    {"mi_BuildingEntrance", "Wejście do budynku"_cp, "wejscie do budynku", "mi_Other", true, false, false},
    {"mi_Gutter", "Rynna", "rynna", "mi_Other", true, false, true},
    {"mi_Reservoir", "Zbiornik wodny", "zbiornikw", "mi_Other", true, false, true},
    {"mi_Stack", "Pion", "pion", "mi_Other", true, false, true},
    {"mi_Other2", "Inne", "", "", false, true, false},
    {"mi_Fittings2", "Armatura", "", "", false, true, false},
};

struct object_class {
    const char* key;
    bool tank, sump, building, other, fitting;
};

const object_class classes[] = {
    {"osadnik", true, false, false, false, false},
    {"oczyszczalnia", true, false, false, false, false},
    {"filtr", true, false, false, false, false},
    {"separatort", true, false, false, false, false},
    {"separatoro", true, false, false, false, false},
    {"deszcz", true, false, false, false, false},
    {"lpg_tank", true, false, false, false, false},
    {"sump", false, true, false, false, false},
    {"rewizyjna", false, true, false, false, false},
    {"wodomierzowa", false, true, false, false, false},
    {"budynek", false, false, true, true, false},
    {"rynna", false, false, true, true, false},
    {"szafkb", false, false, true, true, false},
    {"zestaw wodomierzowy", false, false, true, true, false},
    {"wejscie do budynku", false, false, true, true, false},
    {"rów"_cp, false, false, false, true, false},
    {"szafka", false, false, false, true, false},
    {"zbiornikw", false, false, false, true, false},
    {"pion", false, false, false, true, false},
    {"zasuwa", false, false, false, false, true},
    {"hydrant nadz.", false, false, false, false, true},
    {"hydrant podz.", false, false, false, false, true},
    {"trójnik"_cp, false, false, false, false, true},
    {"nawiertka", false, false, false, false, true},
    {"rurociąg"_cp, false, false, false, false, true},
    {"kolano", false, false, false, false, true},
    {"zawor", false, false, false, false, true},
    {"przejscie", false, false, false, false, true},
    {"zdroj", false, false, false, false, true},
    {"odpowietrznik", false, false, false, false, true},
    {"spust", false, false, false, false, true},
    {"grupa", false, false, false, false, true},
};

// The item whose caption names a key in the node table (the fittings and
// other objects); the gate valve's key is its caption.
const char* item_of_key(const std::string& key) {
    if (key == "zasuwa") return "mi_GateValve";
    for (const auto& i : items)
        if (i.puts_object && key == i.key && std::string(i.name) != "mi_Tank") return i.name;
    if (key == "wejscie do budynku") return "mi_BuildingEntrance";
    return nullptr;
}

const char* const filter_name = "Filtr doczyszczający"_cp;

}  // namespace

const std::vector<object_menu_item>& object_menu_items() { return items; }

const object_menu_item* object_menu_item_named(const std::string& name) {
    for (const auto& i : items)
        if (name == i.name) return &i;
    return nullptr;
}

std::string object_caption(const std::string& item_name) {
    const object_menu_item* i = object_menu_item_named(item_name);
    return view().item_caption(item_name, i ? i->caption : "");
}

bool jest_obiekt2(const std::string& object, const std::string& class_name) {
    const std::string key = LowerCase(object);
    for (const auto& c : classes) {
        if (key != c.key) continue;
        if (class_name == "all") return true;
        if (class_name == "osadnikopodobne") return c.tank;
        if (class_name == "studzienki") return c.sump;
        if (class_name == "budynkopodobne") return c.building;
        if (class_name == "inne") return c.other;
        if (class_name == "armatura") return c.fitting;
        if (class_name == "vars") return c.other || c.fitting;
        return false;
    }
    return false;
}

void obiekt2nazwa(const std::string& key, bool grouped, std::string& out) {
    out = key;
    static const char* const tanks[][2] = {
        {"osadnik", "mi_SepticTank"}, {"oczyszczalnia", "mi_SewageTreatmentPlant"},
        {"separatort", "mi_GreaseSeparator"}, {"separatoro", "mi_OilSeparator"}, {"deszcz", "mi_RainwaterTank"},
        {"lpg_tank", "mi_lpgTank"}, {"sump", "mi_Sump"},
    };
    for (const auto& t : tanks)
        if (key == t[0]) out = object_caption(t[1]);
    if (key == "filtr") out = filter_name;
    if (key == "pipe") out = view().item_caption("a_PipeSystem", "Typoszereg rur");
    if (grouped) {
        if (jest_obiekt2(key, "armatura") || key == "armatura") out = object_caption("mi_Fittings");
        if (jest_obiekt2(key, "inne") || key == "inne") out = object_caption("mi_Other");
    } else {
        if (jest_obiekt2(key, "armatura") || jest_obiekt2(key, "inne"))
            if (const char* item = item_of_key(LowerCase(key))) out = object_caption(item);
        if (key == "inne" || key == "armatura") out.clear();
    }
    out = LowerCase(out);
}

std::string obiekt2nazwa(const std::string& key, bool grouped) {
    std::string s;
    obiekt2nazwa(key, grouped, s);
    return s;
}

void nazwa2obiekt(const std::string& name, std::string& out) {
    out = name;
    const std::string lowered = LowerCase(name);
    // In this order; a later match wins.
    static const char* const entries[][2] = {
        {"mi_SepticTank", "osadnik"}, {"mi_Tank", "osadnik"}, {"mi_SewageTreatmentPlant", "oczyszczalnia"},
        {"", "filtr"}, {"mi_GreaseSeparator", "separatort"}, {"mi_OilSeparator", "separatoro"},
        {"mi_RainwaterTank", "deszcz"}, {"mi_lpgTank", "lpg_tank"}, {"mi_Sump", "sump"},
        {"mi_ClampSaddle", "nawiertka"}, {"mi_Reservoir", "zbiornikw"}, {"mi_Gutter", "rynna"},
        {"mi_WaterMeterSet", "zestaw wodomierzowy"}, {"mi_BuildingEntrance", "wejscie do budynku"},
        {"mi_GateValve", "zasuwa"}, {"mi_GroundHydrant", "hydrant nadz."}, {"mi_UndergroundHydrant", "hydrant podz."},
        {"mi_PipeTee", "trójnik"_cp}, {"mi_Elbow", "kolano"}, {"mi_Transition", "przejscie"},
        {"mi_StreetWaterPump", "zdroj"}, {"mi_Deaerator", "odpowietrznik"}, {"mi_DrainValve", "spust"},
        {"mi_Building", "budynek"}, {"mi_Pipe", "rurociąg"_cp}, {"mi_TrenchSlope", "rów"_cp},
        {"mi_GasBox", "szafka"}, {"mi_GasBoxOnTheWall", "szafkb"}, {"mi_Stack", "pion"},
        {"mi_Valve", "zawor"},
    };
    for (const auto& e : entries) {
        const std::string caption = *e[0] ? object_caption(e[0]) : std::string(filter_name);
        if (lowered == LowerCase(caption)) out = e[1];
    }
}

std::string nazwa2obiekt(const std::string& name) {
    std::string s;
    nazwa2obiekt(name, s);
    return s;
}

std::string treatment_block_name(const std::string& short_name) {
    std::string name;
    treatment_block_name(short_name, name);
    return name;
}

void treatment_block_name(const std::string& short_name, std::string& out) {
    static const char* const codes[][2] = {
        {"osadn", "epurbloc"}, {"separ", "sl-sg"}, {"zloze", "sl-fe"}, {"rozdz", "sl-rr"},
        {"zamyk", "sl-rbou"},  {"zbier", "sl-rcolv"}, {"napow", "sl-rap"},
    };
    for (const auto& c : codes)
        if (short_name == c[0]) out = c[1];
}

uint16_t obiekt_szuk(const std::string& text, uint16_t profile) {
    const std::string t = LowerCase(text);
    const auto& nodes = model().profiles.at(profile).nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (LowerCase(nodes[i].obiekt).find(t) != std::string::npos) return static_cast<uint16_t>(i);
    return 0;
}

int znajdz_obiekt(uint16_t profile, int node) {
    odcinek& p = model().profiles.at(profile);
    if (p.nodes.empty()) return -1;
    wezel& w = p.nodes.at(static_cast<std::size_t>(node));
    int result = -1;
    if (jest_obiekt2(w.obiekt, "osadnikopodobne")) {
        for (std::size_t i = 0; i < p.tanks.size(); ++i)
            if (p.tanks[i].adds.node_id == w.id) {
                result = static_cast<int>(i);
                break;
            }
    } else if (LowerCase(w.obiekt) == "sump") {
        auto& sumps = model().project.sumps;
        if (!w.wez.empty())
            for (std::size_t i = 0; i < sumps.size() && result < 0; ++i)
                if (sumps[i].adds.node_name == w.wez) result = static_cast<int>(i);
        if (result < 0) {
            const std::string link = link_text(profile, node);
            for (std::size_t i = 0; i < sumps.size(); ++i)
                if (has_link(sumps[i].connections, link)) {
                    result = static_cast<int>(i);
                    if (!w.wez.empty()) sumps[i].adds.node_name = w.wez;
                    break;
                }
        }
    }
    w.object_index = static_cast<int16_t>(result);
    return result;
}

namespace {
char sump_letter(uint16_t profile, int node) {
    const wezel& w = model().profiles[profile].nodes[static_cast<std::size_t>(node)];
    if (LowerCase(w.obiekt) != "sump") return '0';
    const int s = znajdz_obiekt(profile, node);
    return s >= 0 ? model().project.sumps[static_cast<std::size_t>(s)].kind : '0';
}
}  // namespace

bool czy_jest_drenaz(uint16_t profile, int node) {
    const auto& nodes = model().profiles.at(profile).nodes;
    if (node < 0 || node + 1 >= static_cast<int>(nodes.size())) return false;
    const std::string here = LowerCase(nodes[static_cast<std::size_t>(node)].obiekt);
    const std::string next = LowerCase(nodes[static_cast<std::size_t>(node + 1)].obiekt);
    std::string starts, closes, gathers;
    treatment_block_name("rozdz", starts);
    treatment_block_name("zamyk", closes);
    treatment_block_name("zbier", gathers);
    const bool start = here.find(starts) != std::string::npos || sump_letter(profile, node) == 'r';
    if (!start) return false;
    return next.find(closes) != std::string::npos || next.find(gathers) != std::string::npos ||
           sump_letter(profile, node + 1) == 'z';
}
