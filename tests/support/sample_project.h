// A small project of two calculated profiles with the project's data, two
// designers and the office's data, on which the shipped document templates
// are tried (the template tests and the sample program whose documents
// LibreOffice and an HTML parser read). Needs a running Program.
#pragma once

#include <string>
#include <vector>

#include "forms/dane.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/columns.h"
#include "model/project.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "platform/cp1250.h"

struct sample_node {
    const char* name;
    double chainage, terrain, pipe, diameter;
    const char* material;
    const char* object;
};

struct sample_profile {
    const char* name;
    std::vector<sample_node> nodes;
};

// The profiles as entered: chainages, terrain and pipe ordinates kept.
inline std::vector<sample_profile> sample_profiles() {
    return {
        {"Kanał główny"_cp,
         {{"S1", 0, 182.40, 180.00, 200, "PVC-U", "sump"},
          {"S2", 40, 181.95, 179.60, 200, "PVC-U", "sump"},
          {"S3", 85.5, 181.20, 179.05, 200, "PVC-U", "sump"},
          {"S4", 120, 180.80, 178.80, 200, "PVC-U", "sump"}}},
        {"Przykanalik Ł1"_cp,
         {{"Ł1"_cp, 0, 182.10, 180.60, 160, "PVC-U", ""},
          {"S2", 12.5, 181.95, 180.35, 160, "PVC-U", ""}}},
    };
}

inline void make_sample_project() {
    model_state& m = model();
    projekt_dane& d = m.project.dane;
    d.inwestor = "Gmina Żółkiewka"_cp;
    d.inor_miejscowosc = "ul. Lipowa 5";
    d.inor_kod = "22-335";
    d.inor_poczta = "Żółkiewka"_cp;
    d.obiekt = "Kanalizacja sanitarna";
    d.inwestycja = "Sieć kanalizacyjna we wsi Łąki"_cp;
    d.miejscowosc = "Łąki"_cp;
    d.kod = "22-336";
    d.poczta = "Żółkiewka"_cp;
    d.gmina = "Żółkiewka"_cp;
    d.dzialka = "123/4";
    d.branza = "sanitarna";
    d.nr_zlecenia = "Z-7/2024";
    d.data = "maj 2024";
    d.wlas1 = "etap I";
    const char* const designers[2][4] = {
        {"Jan Kowalski", "projektant", "LUB/0123/PWOS/05", "instalacyjna"},
        {"Anna Nowak", "sprawdzający"_cp, "LUB/0456/POOS/08", "instalacyjna"},
    };
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) tdane->sag_dane_kadra->SetCell(c + 1, r + 1, designers[r][c]);
    const char* const company[] = {"Biuro Projektów Wod-Kan"_cp, "ul. Długa 12"_cp, "20-001", "Lublin",
                                   "81 123 45 67"};
    for (int r = 0; r < 5; ++r) topcje->sag_Company->SetCell(1, r + 1, company[r]);
    topcje->sag_Company->SetCell(1, 7, "biuro@example.pl");

    m.profiles.clear();
    uint16_t id = 1;
    for (const sample_profile& sp : sample_profiles()) {
        odcinek p;
        p.nazwa = sp.name;
        p.idp = id++;
        p.stala = 0;              // pipe ordinates kept
        p.stala_odleglosci = 1;   // chainages entered
        uint16_t n = 1;
        for (const sample_node& s : sp.nodes) {
            wezel w;
            w.id = n++;
            czysty_wezel(w);
            w.wez = s.name;
            w.odl = s.chainage;
            w.ter = w.ter_used = value_pair(s.terrain);
            w.dno = value_pair(s.pipe);
            w.fi = value_pair(s.diameter);
            w.mat = s.material;
            w.obiekt = s.object;
            p.nodes.push_back(w);
        }
        m.profiles.push_back(p);
    }
    m.current_profile = 0;
    Form1->rg_ManuallyValueDistance->SetItemIndex(1);
    Form1->rg_ManuallyValue->SetItemIndex(0);
    for (uint16_t p = 0; p < m.profiles.size(); ++p) przelicz(p, false, all_columns);
}
