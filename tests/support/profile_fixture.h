// A program for tests of whole-profile operations: the recalculation keeps
// what a test entered (no interpolation, no automatic values, every value
// kept, lengths entered), numbers use the point and halves round away from
// zero, and a view records what the model tells the main window.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/forms.h"
#include "platform/sysutils.h"
#include "support/fixture.h"
#include "support/model_builders.h"
#include "support/panel_values.h"

struct RecordingModelView : model_view {
    std::vector<std::string> calls;
    int row = 0;               // the main table's current node
    bool sump_window = false;  // the sump list is open
    std::vector<TCursor> cursors;  // the cursor while the flow direction is shown and the preview redrawn

    void profile_count_changed(std::size_t n) override { calls.push_back("count " + std::to_string(n)); }
    void czysc_dane() override { calls.push_back("clear"); }
    void tabs_odswiez(int selected) override { calls.push_back("tabs " + std::to_string(selected)); }
    void odswiez_dane(uint16_t profile, bool) override { calls.push_back("table " + std::to_string(profile)); }
    int current_node() override { return row; }
    void finish_cell_edit() override { calls.push_back("finish edit"); }
    void koloruj_kolumny() override { calls.push_back("colours"); }
    void odswiez_kolizje(uint16_t profile) override { calls.push_back("crossings " + std::to_string(profile)); }
    void show_flow_direction(uint16_t profile) override {
        calls.push_back("direction " + std::to_string(profile));
        cursors.push_back(Screen::Cursor());
    }
    void redraw_preview() override {
        calls.push_back("preview");
        cursors.push_back(Screen::Cursor());
    }
    void project_data_cleared() override { calls.push_back("project data"); }
    bool sump_list_open() override { return sump_window; }

    bool called(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }
};

// The recalculation keeps what a test entered: no interpolation, no
// automatic values, no lengths from coordinates; numbers use the point and
// halves round away from zero.
inline void keep_entered_values() {
    decimal_separator = '.';
    euro_rounding = true;
    model().empty_value = 0;
    model().slope_sign = 1;
    Ttopcje& o = *topcje;
    for (TCheckBox* c : {o.cb_InterpolationGroundExists, o.cb_ExtrapolationGroundExists, o.cb_InterpolationGroundProj,
                         o.cb_ExtrapolationGroundProj, o.cb_InterpolationLine1, o.cb_InterpolationLine2,
                         o.cb_InterpolationPipeBottom, o.CalcLengthAngleFromCoords, o.cb_TerrainProj, o.cb_TrenchWidth,
                         o.cb_AutoTrenchSlope, o.cb_Node, o.cb_Material, o.cb_Drop, o.cb_Diameter,
                         o.cb_CalculateDepthToProjGroundLevel, Form1->cb_CalculateTerrainFromDepth})
        c->SetChecked(false);
}

// Profiles "p1", "p2", ... with the ids 1, 2, ... and the network type
// letters given, included in the drawing, their entered value `stala`; the
// tabs show them with the first selected.
inline void make_profiles(const std::string& types, uint8_t stala = 0) {
    for (std::size_t i = 0; i < types.size(); ++i) {
        odcinek p;
        p.nazwa = "p" + std::to_string(i + 1);
        p.idp = static_cast<uint16_t>(i + 1);
        p.networktype = types[i];
        p.rysuj = true;
        p.stala = stala;
        model().profiles.push_back(p);
    }
    Form1->tabs_odswiez(0);
}

class ProfileTest : public ProgramTest {
protected:
    RecordingModelView rec;
    scoped_view use{rec};

    ProfileTest() {
        keep_entered_values();
        panel_choices_as_values();
        set_modes(0, 3, 0);
    }

    // The current profile's modes in the side panel.
    static void set_modes(int distance, int kept, int reference) {
        Form1->rg_ManuallyValueDistance->SetItemIndex(distance);
        Form1->rg_ManuallyValue->SetItemIndex(kept);
        Form1->rg_PipeOrdinateMode->SetItemIndex(reference);
    }

    static odcinek& profile(uint16_t p) { return model().profiles[p]; }
    static wezel& node(uint16_t p, std::size_t i) { return model().profiles[p].nodes[i]; }

    // A profile included in the drawing, every value kept, with nodes at the
    // chainages (ids 1, 2, ...) and the lengths between them entered.
    static uint16_t line(const std::string& name, uint16_t id, std::initializer_list<double> chainages) {
        const uint16_t p = add_profile(name, id, chainages);
        odcinek& q = model().profiles[p];
        q.rysuj = true;
        q.stala = 3;
        for (std::size_t i = 0; i + 1 < q.nodes.size(); ++i) q.nodes[i].dlug = q.nodes[i + 1].odl - q.nodes[i].odl;
        return p;
    }

    // The ids of the profile's nodes in order.
    static std::vector<uint16_t> ids(uint16_t p) {
        std::vector<uint16_t> out;
        for (const wezel& w : model().profiles[p].nodes) out.push_back(w.id);
        return out;
    }
    static std::vector<double> chainages(uint16_t p) {
        std::vector<double> out;
        for (const wezel& w : model().profiles[p].nodes) out.push_back(w.odl);
        return out;
    }
};
