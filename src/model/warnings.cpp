#include "model/warnings.h"

#include "model/state.h"

void error_add(const error_spec& entry) {
    auto& w = model().warnings;
    w.push_back(entry);
    view().warnings_changed(!w.empty());
}

void error_del(char kind) {
    auto& w = model().warnings;
    if (kind == 'a') {
        w.clear();
    } else {
        for (std::size_t i = w.size(); i-- > 0;)
            if (w[i].kind == kind) w.erase(w.begin() + static_cast<std::ptrdiff_t>(i));
    }
    view().warnings_changed(!w.empty());
}
