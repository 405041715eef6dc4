// The drawing file's frame: the sheet state, the layer names, the symbol
// kinds and the handle pass.
#include "drawing/dxf_sections.h"

#include <algorithm>
#include <array>

#include "drawing/drawing_state.h"
#include "drawing/dxf_groups.h"
#include "drawing/entities.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/ustawienia_wydruku.h"
#include "model/drawing_palette.h"
#include "model/objects.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/sysutils.h"

int unit_factor_of(int item_index) {
    static constexpr std::array<int, 7> factors{1, 10, 100, 1000, 10000, 100000, 1000000};
    if (item_index < 0 || item_index >= static_cast<int>(factors.size())) return 1;
    return factors[static_cast<std::size_t>(item_index)];
}

sheet_kind chosen_sheet() {
    if (Form1->tb_PreviewProfile->Down()) return sheet_kind::profile;
    if (Form1->tb_PreviewCrossSection->Down() || Form1->tb_PreviewSump->Down()) return sheet_kind::cross_section;
    if (Form1->tb_PreviewScheme->Down()) return sheet_kind::scheme;
    return sheet_kind::none;
}

namespace {

// The scale number n of a scale 1:n in the settings' scale table.
double scale_cell(int column, int row) {
    return StrToFloat(topcje->sag_DrawingProperties->Cells(column, row));
}

}  // namespace

void prepare_sheet_state(point3& extents_min, point3& extents_max) {
    drawing_state& d = drawing();
    model_state& m = model();
    d.drawn_profile = 0;
    // The print settings' line-width choice, for the renderers of lines and arcs.
    d.pen_width = static_cast<uint8_t>(std::max(0, tustawienia_wydruku ? tustawienia_wydruku->rg_PenWidth->ItemIndex() : 0));
    drawing_pen_width_mode = d.pen_width;
    // Colour 7 shows white on the preview's black ground, near-black on any
    // other ground and on paper.
    const bool black_ground = Form1 && Form1->Zoombox && Form1->Zoombox->Color() == clBlack;
    d.palette_entry_7 = d.drawing_mode == "in" && black_ground ? TColor{0xFFFFFF} : TColor{0x010101};
    drawing_palette[6] = d.palette_entry_7;
    d.unit_factor = unit_factor_of(topcje->cb_jedn->ItemIndex());
    d.units_per_metre = 1000.0 / d.unit_factor;
    const double uf = d.unit_factor;
    switch (chosen_sheet()) {
        case sheet_kind::profile: {
            d.y_factor = 1e5 / (scale_cell(1, 2) * uf);
            const double x = 1e5 / (scale_cell(1, 1) * uf);
            for (odcinek& p : m.profiles)
                p.drawing_block = p.pskala && p.pskalax > 0 ? 1e5 / (p.pskalax * uf) : x;
            break;
        }
        case sheet_kind::cross_section:
        case sheet_kind::scheme: {
            const int column = chosen_sheet() == sheet_kind::scheme ? 3 : 2;
            d.x_factor = 1e5 / (scale_cell(column, 1) * uf);
            d.y_factor = 1e5 / (scale_cell(column, 2) * uf);
            for (odcinek& p : m.profiles) p.drawing_block = d.x_factor;
            break;
        }
        case sheet_kind::none:
            break;
    }
    const double u = d.units_per_metre;
    extents_min = {-5 * u, -14 * u, 0};
    // Each profile starts where the ones before it end, one column step on.
    double r = 0;
    m.scales_differ = false;
    if (!m.profiles.empty()) m.profiles[0].sheet_x = 0;
    if (m.profiles.size() >= 2) {
        for (std::size_t i = 0; i + 1 < m.profiles.size(); ++i) {
            const odcinek& p = m.profiles[i];
            const double step = p.rysuj && p.length > 0 ? 1.0 : 0.0;
            r += (d.column_step * u / 10 + p.drawn_width) * step;
            odcinek& next = m.profiles[i + 1];
            if (!next.nodes.empty()) {
                if (p.drawing_block != next.drawing_block) m.scales_differ = true;
                next.sheet_x = r;
            }
        }
    }
    const double last_width = m.profiles.empty() ? 0 : m.profiles.back().drawn_width;
    extents_max = {last_width + r, 8 * d.y_factor, 0};
}

// ---------------------------------------------------------------------------
// Layer names

std::string dxf_layer_text(std::string_view name) {
    std::string s(name);
    for (char& c : s) {
        switch (c) {
            case '<': case '>': case '/': case '\\': case '"': case ':': case ';':
            case '?': case '*': case '|': case '=': case '`':
                c = '_';
                break;
            default:
                break;
        }
    }
    return s;
}

bool layer_spellings::declare(std::string_view name) {
    const std::string text = dxf_layer_text(name);
    auto [it, added] = by_key_.emplace(AnsiUpperCase(text), text);
    if (added) declared_.push_back(text);
    seen_.clear();
    return added;
}

const std::string& layer_spellings::spelling(std::string_view name) const {
    if (auto it = seen_.find(name); it != seen_.end()) return it->second;
    std::string text = dxf_layer_text(name);
    if (auto it = by_key_.find(AnsiUpperCase(text)); it != by_key_.end()) text = it->second;
    return seen_.emplace(std::string(name), std::move(text)).first->second;
}

// ---------------------------------------------------------------------------
// Symbol kinds

std::vector<std::string> symbol_kinds(bool cross_section_sheet, bool piezometer) {
    // The kinds by bit, in the order a node's text is tested for them.
    static constexpr std::array<const char*, 5> names{"slrr", "slrbou", "slrcolv", "kol", "piezo"};
    constexpr unsigned kol = 1u << 3;
    const unsigned all = piezometer ? 0x1Fu : 0x0Fu;
    std::vector<std::string> kinds;
    unsigned found = 0;
    auto need = [&](unsigned mask) {
        for (std::size_t k = 0; k < names.size(); ++k)
            if ((mask & (1u << k)) && !(found & (1u << k))) {
                found |= 1u << k;
                kinds.emplace_back(names[k]);
            }
    };
    std::string rr, rbou, rcolv;
    treatment_block_name("rozdz", rr);
    treatment_block_name("zamyk", rbou);
    treatment_block_name("zbier", rcolv);
    static const std::array<std::string, 5> crossing_like{"sump", "kolizja", "rurociąg"_cp, "trójnik"_cp, "nawiertka"};
    // Each distinct object text is lower-cased and tested once.
    std::unordered_map<std::string_view, unsigned> kinds_of_text;
    auto kinds_of = [&](const std::string& text) {
        auto [it, added] = kinds_of_text.try_emplace(text, 0u);
        if (!added) return it->second;
        const std::string t = AnsiLowerCase(text);
        unsigned mask = 0;
        if (t.find(rr) != std::string::npos) mask |= 1u << 0;
        if (t.find(rbou) != std::string::npos) mask |= 1u << 1;
        if (t.find(rcolv) != std::string::npos) mask |= 1u << 2;
        for (const std::string& w : crossing_like)
            if (t.find(w) != std::string::npos) mask |= kol;
        if (piezometer && t.find("sl-rbou") != std::string::npos) mask |= 1u << 4;
        it->second = mask;
        return mask;
    };
    for (const odcinek& p : model().profiles) {
        if (found == all) break;
        const unsigned profile_mask = p.crossings.empty() ? 0u : kol;
        for (const wezel& n : p.nodes) {
            // An empty text names no kind.
            const unsigned mask = (n.obiekt.empty() ? 0u : kinds_of(n.obiekt)) | profile_mask;
            if (mask & ~found) need(mask);
            if (found == all) break;
        }
    }
    if (cross_section_sheet) need(kol);
    return kinds;
}

// ---------------------------------------------------------------------------
// Layers and handles of a finished text

std::string handler(std::string_view file) {
    dxf_group_output out;
    out.lines(file);
    return out.text_with_handles();
}

std::string finish_drawing_file(std::string_view file, const layer_spellings& layers, bool handles) {
    dxf_group_output out;
    out.spell_layers(&layers);
    out.lines(file);
    return handles ? out.text_with_handles() : out.take();
}
