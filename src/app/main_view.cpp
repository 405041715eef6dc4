#include "app/main_view.h"

#include "forms/rys1.h"
#include "forms/studzienki.h"

void main_window_view::profile_count_changed(std::size_t count) {
    // Tabs can be moved only while there is another profile to pass.
    window_.sb_LockTabShifting->SetEnabled(count > 1);
}

void main_window_view::czysc_dane() { window_.czysc_dane(); }

void main_window_view::tabs_odswiez(int selected) { window_.tabs_odswiez(selected); }

void main_window_view::odswiez_dane(uint16_t profile, bool flag) { window_.odswiez_dane(profile, flag); }

std::string main_window_view::item_caption(const std::string& name, const std::string& builtin) {
    if (auto* mi = dynamic_cast<TMenuItem*>(window_.FindComponent(name))) return mi->Caption();
    return builtin;
}

int main_window_view::current_node() { return window_.current_node(); }

void main_window_view::finish_cell_edit() { window_.finish_cell_edit(); }

void main_window_view::show_flow_direction(uint16_t profile) { window_.show_flow_direction(profile); }

void main_window_view::show_hint(const std::string& text) { window_.show_hint(text); }

bool main_window_view::sump_list_open() { return tSumps && tSumps->Visible(); }
