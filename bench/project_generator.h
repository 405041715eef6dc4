// The project of the benchmarks that work on a whole project: profiles of
// nodes with terrain, pipe ordinates, diameters, names, plan coordinates,
// sumps and additional ordinates.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "model/project.h"
#include "model/state.h"

// Profiles with terrain entered at every tenth node and at a few additional
// points, pipe ordinates, diameters changing along the run, named nodes and
// plan coordinates that wander left and right; the kept value varies by
// profile.
inline void build_project(int profiles, int nodes) {
    model_state& m = model();
    m.profiles.clear();
    m.profiles.reserve(static_cast<std::size_t>(profiles));
    for (int p = 0; p < profiles; ++p) {
        odcinek r;
        r.nazwa = "p" + std::to_string(p);
        r.idp = static_cast<uint16_t>(p + 1);
        r.stala = static_cast<uint8_t>(p % 3);
        r.stala_odleglosci = 0;
        r.rzedna = static_cast<uint8_t>(p % 2);
        r.rysuj = true;
        r.networktype = 'k';
        const double start_x = 1000.0 * p;
        r.nodes.reserve(static_cast<std::size_t>(nodes));
        for (int i = 0; i < nodes; ++i) {
            wezel w;
            w.id = static_cast<uint16_t>(i + 1);
            czysty_wezel(w);
            const double t = i;
            w.wsplx = start_x + 20 * t;
            w.wsply = 15 * std::sin(t / 7);
            w.dlug = 20;
            if (i % 10 == 0) w.ter = value_pair(150 - 0.05 * t + std::sin(t));
            w.dno = value_pair(148 - 0.1 * t);
            w.zag = value_pair(2);
            w.spad = 0.5;
            w.fi = value_pair(i < nodes / 2 ? 200 : 315);
            w.szer = value_pair(0);
            w.wez = "s" + std::to_string(i + 1);
            w.obiekt = i % 5 == 0 ? "sump" : "";
            w.flow = 0.1;
            r.nodes.push_back(std::move(w));
        }
        for (int k = 0; k < nodes / 25; ++k) {
            rzedne_npm o;
            o.line_code = 0;
            o.node_id = static_cast<uint16_t>(25 * k + 1);
            o.chainage = 20.0 * 25 * k;
            o.distance = 7;
            o.ordinate = value_pair(151 - 0.05 * 25 * k);
            r.ordinates.push_back(o);
        }
        m.profiles.push_back(std::move(r));
    }
    m.current_profile = 0;
}
