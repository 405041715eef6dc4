#include "app/main_view.h"

#include "files/project_data.h"
#include "forms/preview.h"
#include "forms/rys1.h"
#include "forms/studzienki.h"
#include "model/recalculation.h"

void main_window_view::profile_count_changed(std::size_t count) {
    // Tabs can be moved only while there is another profile to pass.
    window_.sb_LockTabShifting->SetEnabled(count > 1);
}

void main_window_view::czysc_dane() { window_.czysc_dane(); }

void main_window_view::tabs_odswiez(int selected) { window_.tabs_odswiez(selected); }

void main_window_view::odswiez_dane(uint16_t profile, bool flag) { window_.odswiez_dane(profile, profile, flag); }

std::string main_window_view::item_caption(const std::string& name, const std::string& builtin) {
    if (auto* mi = dynamic_cast<TMenuItem*>(window_.FindComponent(name))) return mi->Caption();
    return builtin;
}

int main_window_view::current_node() { return window_.current_node(); }

void main_window_view::finish_cell_edit() { window_.finish_cell_edit(); }

bool main_window_view::text_column_selected() {
    const int col = window_.sg1->Col();
    return col >= 0 && col < column_kind_count && model().text_columns[static_cast<std::size_t>(col)];
}

void main_window_view::recalculate_current() {
    model_state& m = model();
    if (m.current_profile < m.profiles.size()) przelicz(m.current_profile, true, all_columns);
}

void main_window_view::koloruj_kolumny() { window_.koloruj_kolumny(); }

void main_window_view::koloruj_komorki(int first, int last) { window_.koloruj_komorki(first, last); }

void main_window_view::node_inserted(int node, bool append) {
    // An inserted node takes the current row's place; the row's properties move down with it.
    if (append) return;
    TStringAlignGrid* grid = window_.sg1;
    grid->insert_row(node + 2);
    grid->SetRow(node + 2);
}

void main_window_view::show_flow_direction(uint16_t profile) { window_.show_flow_direction(profile); }

void main_window_view::show_hint(const std::string& text) { window_.show_hint(text); }

bool main_window_view::sump_list_open() { return tSumps && tSumps->Visible(); }

void main_window_view::project_modified_changed(bool modified) { window_.a_ProjectSave->SetEnabled(modified); }

void main_window_view::project_data_cleared() {
    odswiez_dane_proj(model().project.dane, "all", false);
    czysc_parametry_projektu_kadra();
}

void main_window_view::przypisz_kolumny() { window_.przypisz_kolumny(false); }

void main_window_view::resajz(uint8_t font_size) { window_.resajz(font_size); }

void main_window_view::redraw_preview() {
    if (window_.PageControl1->ActivePage() == window_.ts_DrawingPreview || (tPreview && tPreview->Visible()))
        window_.ts_DrawingPreviewShow(nullptr);
}
