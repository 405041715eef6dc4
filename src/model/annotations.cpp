// Expansion of the annotation editors' description codes.
#include "model/annotations.h"

#include <string_view>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/pairs.h"
#include "model/state.h"
#include "model/terrain.h"
#include "platform/sysutils.h"

namespace {

void replace_first(std::string& text, std::string_view code, const std::string& value) {
    const std::size_t at = text.find(code);
    if (at != std::string::npos) text.replace(at, code.size(), value);
}

// The entry of a profile's annotation list; nullptr when either is missing.
template <class T>
const T* entry_of(std::vector<T> odcinek::*list, uint16_t entry, uint16_t profile) {
    const auto& profiles = model().profiles;
    if (profile >= profiles.size()) return nullptr;
    const auto& entries = profiles[profile].*list;
    return entry < entries.size() ? &entries[entry] : nullptr;
}

std::string two_decimals(double x) { return Format("%f", {x}); }

// One family of codes sharing a prefix ("@p", "@r", "@z"): while the prefix
// is left in the text, the first occurrence followed by one of the two
// letters has the first occurrence of each two-letter code replaced (in
// this order), any other the prefix itself.
void replace_family(std::string& text, std::string_view prefix, char first, const std::string& first_value,
                    char second, const std::string& second_value, const std::string& plain_value) {
    const std::string first_code = std::string(prefix) + first;
    const std::string second_code = std::string(prefix) + second;
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix)) {
        const std::size_t next = at + prefix.size();
        if (next < text.size() && (text[next] == first || text[next] == second)) {
            replace_first(text, first_code, first_value);
            replace_first(text, second_code, second_value);
        } else {
            text.replace(at, prefix.size(), plain_value);
        }
    }
}

// The terrain the crossing's depth refers to, at its chainage: the design
// terrain always, or for designed crossings only, by the settings;
// otherwise the existing terrain.
double crossing_terrain(const kolizja& k, uint16_t profile) {
    const double chainage = k.chainage + k.distance;
    const int refer = topcje ? topcje->rg_CrossingEditorCalculateDepthToProjGroundLevel->ItemIndex() : 2;
    if (refer == 0 || (refer == 1 && k.projected)) return rzedna_terenu_proj(profile, chainage);
    return rzedna_terenu(profile, chainage);
}

}  // namespace

void oslonowe_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out) {
    std::string text = pattern;
    if (const oslonowa* o = entry_of(&odcinek::casings, entry, profile)) {
        replace_first(text, "@d", FloatToStr(o->diameter));
        replace_first(text, "@l", FloatToStr(o->length < 0 ? -o->length : o->length));
        replace_first(text, "@m", o->material);
        replace_first(text, "@t", o->kind);
    }
    out = std::move(text);
}

void teren_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out) {
    std::string text = pattern;
    if (const teren_opis* t = entry_of(&odcinek::terrain_descriptions, entry, profile)) {
        replace_first(text, "@l", FloatToStr(t->length));
        replace_first(text, "@s", t->abbreviation);
    }
    out = std::move(text);
}

void rzedne_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, std::string& out) {
    std::string text = pattern;
    if (const rzedne_npm* r = entry_of(&odcinek::ordinates, entry, profile))
        replace_first(text, "@r", zlacz(2, r->ordinate.s1, r->ordinate.s1));
    out = std::move(text);
}

void kolizje_uzupelnij_opis(const std::string& pattern, uint16_t entry, uint16_t profile, int ordinate_mode,
                            std::string& out) {
    std::string text = pattern;
    const kolizja* k = entry_of(&odcinek::crossings, entry, profile);
    if (!k) {
        out = std::move(text);
        return;
    }
    const double chainage = k->chainage + k->distance;
    replace_first(text, "@m", k->medium);

    // The profile's pipe at the crossing: its bottom, axis and the level of
    // the main window's mode.
    bottom_ordinate pipe;
    if (text.find("@p") != std::string::npos) rzedna_dna(profile, pipe, chainage);
    if (pipe.ordinate != no_ordinate) {
        const double d = fi(profile, static_cast<int>(pipe.segment), "s1");
        int level = Form1 ? Form1->rg_PipeOrdinateMode->ItemIndex() : 0;
        if (level < 0 || (topcje && topcje->cb_AlwaysShowBottomPipe->Checked())) level = 0;
        replace_family(text, "@p", 'd', two_decimals(pipe.ordinate), 'o', two_decimals(pipe.ordinate + d / 2000),
                       two_decimals(pipe.ordinate + d * level / 2000));
    }

    replace_first(text, "@l", two_decimals(chainage));
    replace_first(text, "@k", FloatToStr(k->angle));
    replace_first(text, "@d", FloatToStr(k->diameter));
    replace_first(text, "@o", FloatToStr(k->diameter2));
    replace_first(text, "@w", FloatToStr(k->height));
    if (text.find("@r") != std::string::npos)
        replace_family(text, "@r", 'd', two_decimals(k->ordinate), 'o', two_decimals(k->ordinate + k->diameter / 2000),
                       two_decimals(k->ordinate + ordinate_mode * k->diameter / 2000));

    const bool needs_terrain = text.find("@t") != std::string::npos || text.find("@z") != std::string::npos;
    const double terrain = needs_terrain ? crossing_terrain(*k, profile) : no_ordinate;
    if (terrain != no_ordinate) replace_first(text, "@t", two_decimals(terrain));
    replace_first(text, "@h", two_decimals(k->clearance));
    if (terrain != no_ordinate) {
        const double depth = terrain - k->ordinate;
        replace_family(text, "@z", 'd', two_decimals(depth), 'o', two_decimals(depth - k->diameter / 2000),
                       two_decimals(depth - ordinate_mode * k->diameter / 2000));
    }
    out = std::move(text);
}
