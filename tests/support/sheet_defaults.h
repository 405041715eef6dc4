// The drawing settings a first start of the program has and a test
// program lacks: the text styles of the font table, the fifteen built-in
// drawing elements and the built-in rows of the table under the profile.
#pragma once

#include <string>

#include "files/settings_groups.h"
#include "files/settings_io.h"
#include "forms/opcje.h"
#include "platform/ini.h"

// `missing_ini` names a file that does not exist: the rows then come from
// the language file or the built-in table.
inline void default_drawing_settings(const std::string& missing_ini) {
    // Height, colour, spacing, width factor, layer of each text style.
    const char* const fonts[8][5] = {
        {"19", "7", "4", "90%", "0"},  {"19", "7", "4", "100%", "0"}, {"19", "8", "4", "70%", "0"},
        {"15", "84", "4", "70%", "0"}, {"15", "12", "4", "70%", "0"}, {"15", "130", "4", "70%", "0"},
        {"15", "112", "4", "70%", "0"}, {"15", "7", "18", "70%", "0"},
    };
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c) topcje->sag_Fonts->SetCell(c + 1, r + 1, fonts[r][c]);
    reset_line_defs();
    read_band_rows(IniFile(missing_ini), mode_opcje);
}
