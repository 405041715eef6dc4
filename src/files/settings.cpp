#include "files/settings.h"

#include "model/cost_state.h"
#include "files/settings_groups.h"
#include "model/settings_state.h"
#include "platform/ini.h"

void zapisz_opcje(const std::string& path, const std::string& mode_text) {
    const unsigned mode = settings_mode_of(mode_text);
    if (mode == 0 || mode == mode_lang) return;
    const bool params_in_project = cost_data().SaveCalcParamsInHLV;
    IniFile ini(path);
    if (mode == mode_opcje_koszt) write_cost_options(ini);
    if (mode == mode_opcje || (mode == mode_koszt && !params_in_project) || (mode == mode_plik && params_in_project))
        write_cost_params(ini);
    if (mode == mode_plik || mode == mode_opcje) {
        write_shared_head(ini);
        write_layers(ini);
        write_line_defs(ini);
        write_shared_tail(ini);
    }
    if (mode == mode_opcje) write_program_options(ini);
    if (mode == mode_opcje || mode == mode_close || mode == mode_plik) write_band_rows(ini);
    if (mode == mode_plik) {
        write_save_calc_params_flag(ini);
        write_project_block(ini);
    }
    ini.UpdateFile();
}

void czytaj_opcje(const std::string& path, const std::string& mode_text) {
    const unsigned mode = settings_mode_of(mode_text);
    if (mode != mode_opcje && mode != mode_plik && mode != mode_koszt && mode != mode_lang) return;
    IniFile ini(path);
    if (!cost_data().SaveCalcParamsInHLV && mode != mode_koszt) read_save_calc_params_flag(ini);
    const bool params_in_project = cost_data().SaveCalcParamsInHLV;
    if (mode == mode_opcje) read_cost_options(ini);
    if (mode == mode_opcje || (mode == mode_koszt && !params_in_project) || (mode == mode_plik && params_in_project))
        read_cost_params(ini);
    if (mode == mode_opcje || mode == mode_plik) {
        read_next_typosz_id(ini);
        read_keys(ini, calc_switch_keys());
        read_shared_scalars(ini, mode);
        read_layers(ini);
        read_line_defs(ini, mode);
        read_font_texts(ini);
        read_bwezel(ini);
    }
    // A language applied to a running program changes texts, not settings:
    // it reads only what depends on the language (the sections with the
    // language's suffix, the sheet titles and what the language file gives
    // when they are missing); the shared settings stay as the open project
    // brought them.
    if (mode == mode_opcje || mode == mode_plik || mode == mode_lang) read_band_rows(ini, mode);
    if (mode == mode_opcje) {
        read_infotable_and_pattern(ini);
    } else if (mode == mode_lang) {
        read_default_infotable(ini);
    }
    if (mode == mode_opcje || mode == mode_lang) {
        read_check_rules(ini);
        read_data_lists(ini);
        read_drawing_titles(ini);
        if (mode == mode_opcje) read_columns(ini);
        else read_column_titles(ini);
        read_crossing_colors(ini);
    }
    if (mode == mode_opcje) read_program_options(ini);
    if (mode == mode_plik) read_project_block(ini);
    var2contr();
}
