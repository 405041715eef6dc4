// The profile sheet as the drawing command writes it, read back as
// entities: a fixture with the sheet's settings at hand and finders for
// the lines and texts of the ENTITIES section.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_group_lines.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/profile_fixture.h"
#include "support/sheet_defaults.h"

namespace profile_sheet_test {

struct entity {
    std::string type;
    groups g;
    std::string value(const std::string& code) const {
        for (const auto& [c, v] : g)
            if (c == code) return v;
        return {};
    }
    bool has(const std::string& code) const {
        for (const auto& [c, v] : g)
            if (c == code) return true;
        return false;
    }
    double number(const std::string& code) const { return std::stod(value(code)); }
};

// The entities of the file's ENTITIES section.
inline std::vector<entity> sheet_entities(const groups& all) {
    std::vector<entity> out;
    bool inside = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& [code, value] = all[i];
        if (code == "2" && value == "ENTITIES") {
            inside = true;
            continue;
        }
        if (!inside) continue;
        if (code == "0") {
            if (value == "ENDSEC") break;
            out.push_back({value, {}});
        } else if (!out.empty()) {
            out.back().g.emplace_back(code, value);
        }
    }
    return out;
}

inline bool near(double a, double b) { return std::fabs(a - b) < 1e-6 * std::max(1.0, std::fabs(b)); }

// The texts shown exactly so.
inline std::vector<entity> texts(const std::vector<entity>& all, const std::string& shown) {
    std::vector<entity> out;
    for (const entity& e : all)
        if (e.type == "TEXT" && e.value("1") == shown) out.push_back(e);
    return out;
}

// Whether a text stands with its insertion point (or, when centred, its
// alignment point) at (x, y).
inline bool text_at(const std::vector<entity>& all, const std::string& shown, double x, double y) {
    for (const entity& e : texts(all, shown)) {
        const bool centred = e.has("72");
        const double ex = e.number(centred ? "11" : "10");
        const double ey = e.number(centred ? "21" : "20");
        if (near(ex, x) && near(ey, y)) return true;
    }
    return false;
}

// Whether a LINE joins the two points (either way round), optionally on a layer.
inline bool line_between(const std::vector<entity>& all, double x1, double y1, double x2, double y2) {
    for (const entity& e : all) {
        if (e.type != "LINE") continue;
        const double a = e.number("10"), b = e.number("20"), c = e.number("11"), d = e.number("21");
        if ((near(a, x1) && near(b, y1) && near(c, x2) && near(d, y2)) ||
            (near(a, x2) && near(b, y2) && near(c, x1) && near(d, y1)))
            return true;
    }
    return false;
}

inline int count_type(const std::vector<entity>& all, const std::string& type) {
    int n = 0;
    for (const entity& e : all) n += e.type == type ? 1 : 0;
    return n;
}

// A program set for the profile sheet: title column 6 m, nothing of the
// title block, the profile sheet chosen, the table rows given shown (each
// 100 high) and every other row hidden.
class SheetTest : public ProfileTest {
protected:
    SheetTest() {
        euro_rounding = false;
        model().profiles.clear();
        settings().title_column_width = 60;
        Form1->tb_bezmetryki->SetDown(true);
        Form1->tb_PreviewProfile->SetDown(true);
        topcje->cb_jedn->SetItemIndex(0);  // mm
        scales(500, 100);
        default_drawing_settings(home.file("none.ini"));
        shown_rows({});
    }

    static std::string file() { return folders().config_folder + "rysunek.dxf"; }

    static void scales(int horizontal, int vertical) {
        topcje->sag_DrawingProperties->SetCell(1, 1, IntToStr(horizontal));
        topcje->sag_DrawingProperties->SetCell(1, 2, IntToStr(vertical));
    }

    // The rows with these keys shown in this order, 100 high; the others
    // follow, hidden.
    static void shown_rows(std::initializer_list<const char*> keys) {
        std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
        std::vector<dane_pod_profil> ordered;
        for (const char* key : keys) {
            dane_pod_profil row;
            row.key = key;
            row.title = key;
            for (const dane_pod_profil& r : rows)
                if (r.key == key) row = r;
            row.shown = true;
            row.forced = false;
            row.height = 100;
            ordered.push_back(row);
        }
        for (dane_pod_profil r : rows) {
            bool taken = false;
            for (const char* key : keys) taken = taken || r.key == key;
            if (taken) continue;
            r.shown = false;
            r.forced = false;
            ordered.push_back(r);
        }
        rows = ordered;
    }

    // A profile with terrain and pipe ordinates at the chainages, `d` mm.
    static uint16_t profile_of(const std::string& name, uint16_t id, std::initializer_list<double> chainages,
                               std::initializer_list<double> terrain, std::initializer_list<double> pipe,
                               double d = 200) {
        const uint16_t p = line(name, id, chainages);
        auto t = terrain.begin();
        auto b = pipe.begin();
        for (wezel& w : model().profiles[p].nodes) {
            w.ter = w.ter_used = value_pair(*t++);
            w.dno = value_pair(*b++);
            w.fi = value_pair(d);
        }
        return p;
    }

    // The drawing command, then the written sheet's entities.
    std::vector<entity> draw() {
        Form1->draw_make("in");
        return sheet_entities(groups_of(read_file(file())));
    }
};

}  // namespace profile_sheet_test
