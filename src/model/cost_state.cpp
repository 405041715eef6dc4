#include "model/cost_state.h"

#include "platform/process_slot.h"
#include "platform/sysutils.h"

namespace {
process_slot<kosztorysy> g_cost("cost-estimate state");
}

kosztorysy& cost_data() { return *g_cost; }

void set_cost_data(kosztorysy* c) { g_cost.set(c); }

void koszt_zwroc_knr(const koszt_pozycja& position, std::string& out) {
    try {
        if (position.kat_tab != 0)
            out = Format("%s %s %.4d-%.2d%.2d", {position.kat_nazwa, position.kat_nr, position.kat_tab, position.kat_kol,
                                                 position.kat_wer});
        else
            out = position.knr_nr.empty() ? position.kat_nazwa : position.knr_nr;
    } catch (const Exception&) {
    }
}

std::string koszt_jedn2txt(int code) {
    struct unit {
        int code;
        const char* text;
    };
    static constexpr unit units[] = {
        {20, "szt."}, {21, "otwór"_cp}, {33, "kg"}, {34, "t"}, {40, "m"}, {43, "km"}, {45, "dm"}, {46, "cm"},
        {50, "m2"}, {52, "ha"}, {60, "m3"}, {66, "dm3"}, {90, "kpl"}, {101, "odcinek"}, {107, "przepust"},
        {108, "pomiar"}, {110, "zestaw"}, {123, "miejsce"}, {125, "element"}, {148, "m-g"}, {149, "r-g"},
        {172, "próba"_cp}, {178, "przyłącze"_cp}, {190, "kurs"},
    };
    for (const unit& u : units)
        if (u.code == code) return u.text;
    return "szt.";
}
