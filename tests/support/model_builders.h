// Small builders of profiles and nodes for model tests.
#pragma once

#include <initializer_list>
#include <string>

#include "model/project.h"
#include "model/state.h"

// A node with an id and a chainage; the other values blank.
inline wezel node_at(uint16_t id, double chainage) {
    wezel w;
    w.id = id;
    czysty_wezel(w);
    w.odl = chainage;
    return w;
}

// Appends a profile with the given id and name and nodes at the chainages
// (ids 1, 2, ...); returns its index.
inline uint16_t add_profile(const std::string& name, uint16_t id, std::initializer_list<double> chainages = {}) {
    odcinek p;
    p.nazwa = name;
    p.idp = id;
    uint16_t n = 1;
    for (double c : chainages) p.nodes.push_back(node_at(n++, c));
    model().profiles.push_back(p);
    return static_cast<uint16_t>(model().profiles.size() - 1);
}

// Puts a test's view in the main window's place for one scope and gives the
// window back afterwards.
class scoped_view {
public:
    explicit scoped_view(model_view& v) : saved_(&view()) { set_view(&v); }
    ~scoped_view() { set_view(saved_); }
    scoped_view(const scoped_view&) = delete;
    scoped_view& operator=(const scoped_view&) = delete;

private:
    model_view* saved_;
};
