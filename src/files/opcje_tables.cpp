// The settings dialog's tables: look-ups and the choosers' item lists.
#include "files/opcje_tables.h"

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/records.h"
#include "model/settings_state.h"
#include "platform/sysutils.h"

std::string valid_warstwa(const std::string& layer) {
    if (layer.empty() || !topcje || !topcje->sag_Layers) return "0";
    const TStringGrid& g = *topcje->sag_Layers;
    for (int r = 1; r < g.RowCount(); ++r)
        if (g.Cells(1, r) == layer) return layer;
    return "0";
}

std::string media2txt(const std::string& letters) {
    if (letters.empty()) return {};
    if (letters == "a") {
        const std::string all = Form1 && Form1->mi_All ? Form1->mi_All->Caption() : std::string();
        return AnsiLowerCase(all.substr(0, all.find(' ')));
    }
    std::string text;
    const TStringList* names = Form1 && Form1->cb_NetworkType ? &Form1->cb_NetworkType->Items() : nullptr;
    for (int i = 0; network_letters[i] != '\0'; ++i) {
        if (letters.find(std::string{network_letters[i], ','}) == std::string::npos) continue;
        if (names && i < names->Count()) text += (*names)[i];
        text += ',';
    }
    if (!text.empty()) text.pop_back();
    return text;
}

void zaladuj_warstwy() {
    if (!topcje || !topcje->cb_warstwy || !topcje->sag_Layers) return;
    TStringList& items = topcje->cb_warstwy->Items();
    items.BeginUpdate();
    items.Clear();
    for (int r = 1; r < topcje->sag_Layers->RowCount(); ++r) items.Add(topcje->sag_Layers->Cells(1, r));
    items.EndUpdate();
}

void zaladuj_nazwy_linii() {
    if (!topcje || !topcje->cb_LineName) return;
    const std::vector<dane_pod_profil>& rows = settings().profile_table_rows;
    TStringList& items = topcje->cb_LineName->Items();
    items.BeginUpdate();
    items.Clear();
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].key == "user") items.Add(rows[i].title);
    items.EndUpdate();
}

void przenumeruj_grida(TStringGrid& grid, int col, int first_row) {
    for (int r = first_row; r < grid.RowCount(); ++r) grid.SetCell(col, r, IntToStr(r));
}

