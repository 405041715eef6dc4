// What the project model asks of the main window, answered by the main
// window: the model reaches the window's operations only through this.
#pragma once

#include <string>

#include "model/state.h"

class TForm1;

class main_window_view : public model_view {
public:
    explicit main_window_view(TForm1& window) : window_(window) {}
    void profile_count_changed(std::size_t count) override;
    void czysc_dane() override;
    void tabs_odswiez(int selected) override;
    void odswiez_dane(uint16_t profile, bool flag) override;
    std::string item_caption(const std::string& name, const std::string& builtin) override;
    int current_node() override;
    void finish_cell_edit() override;
    bool text_column_selected() override;
    void recalculate_current() override;
    void koloruj_kolumny() override;
    void koloruj_komorki(int first, int last) override;
    void node_inserted(int node, bool append) override;
    void show_flow_direction(uint16_t profile) override;
    void show_hint(const std::string& text) override;
    bool sump_list_open() override;
    void project_modified_changed(bool modified) override;
    void project_data_cleared() override;
    void przypisz_kolumny() override;
    void resajz(uint8_t font_size) override;
    // While the preview page or the separate window shows, the preview is
    // made again.
    void redraw_preview() override;

private:
    TForm1& window_;
};
