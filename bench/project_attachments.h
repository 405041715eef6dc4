// The attachments of the benchmark projects: each profile with crossings,
// casing pipes and tank records, and the project's sumps, on a project whose
// profiles already have their nodes.
#pragma once

#include <cstdint>
#include <string>

#include "model/project.h"
#include "model/state.h"

// Per profile ten crossings (at nodes 2, 42, 82...), ten casing pipes (at
// nodes 3, 43, ...) and ten tank records (at nodes 1, 51, ...); 500 project
// sumps spread over the profiles and the first `nodes` nodes.
inline void add_project_attachments(model_state& m, int nodes) {
    const int profiles = static_cast<int>(m.profiles.size());
    for (odcinek& r : m.profiles) {
        for (int k = 0; k < 10; ++k) {
            kolizja c;
            c.node_id = static_cast<uint16_t>(40 * k + 2);
            c.distance = 3.5;
            c.medium = "gaz";
            c.ordinate = 147.5;
            c.diameter = 160;
            r.crossings.push_back(c);
            oslonowa o;
            o.node_id = static_cast<uint16_t>(40 * k + 3);
            o.distance = 1;
            o.length = 6;
            o.diameter = 300;
            o.material = "stal";
            r.casings.push_back(o);
            mat_osadnik tank;
            tank.adds.node_id = static_cast<uint16_t>(50 * k + 1);
            tank.main.name = "osadnik";
            tank.length = 2000;
            tank.width = 1200;
            r.tanks.push_back(tank);
        }
    }
    m.project.sumps.clear();
    if (profiles == 0 || nodes <= 0) return;
    for (int s = 0; s < 500; ++s) {
        mat_studzienka st;
        st.adds.node_id = static_cast<uint16_t>(s % nodes + 1);
        st.main.name = "studnia " + std::to_string(s);
        st.connections = std::to_string(s % profiles + 1) + "|" + std::to_string(s % nodes + 1) + "\x1E";
        m.project.sumps.push_back(st);
    }
}
