#include "files/project_data.h"

#include <array>

#include "files/utils.h"
#include "forms/dane.h"
#include "model/records.h"
#include "model/state.h"
#include "platform/graphics.h"
#include "platform/sysutils.h"
#include "platform/line_breaks.h"

namespace {

using field = std::string projekt_dane::*;

// The fields in record order with their clipboard keys.
constexpr std::array<std::pair<const char*, field>, 17> clipboard_fields = {{
    {"inwestor", &projekt_dane::inwestor},
    {"inor_miejscowosc", &projekt_dane::inor_miejscowosc},
    {"inor_kod", &projekt_dane::inor_kod},
    {"inor_poczta", &projekt_dane::inor_poczta},
    {"obiekt", &projekt_dane::obiekt},
    {"inwestycja", &projekt_dane::inwestycja},
    {"miejscowosc", &projekt_dane::miejscowosc},
    {"kod", &projekt_dane::kod},
    {"poczta", &projekt_dane::poczta},
    {"gmina", &projekt_dane::gmina},
    {"nr_dzialki", &projekt_dane::dzialka},
    {"branza", &projekt_dane::branza},
    {"nr_zlecenia", &projekt_dane::nr_zlecenia},
    {"data", &projekt_dane::data},
    {"wlasny1", &projekt_dane::wlas1},
    {"wlasny2", &projekt_dane::wlas2},
    {"wlasny3", &projekt_dane::wlas3},
}};

// The template variables of the project data: Polish name, English name.
struct data_variable {
    const char* polish;
    const char* english;
    field value;
};
constexpr std::array<data_variable, 17> data_variables = {{
    {"inwestor", "investor", &projekt_dane::inwestor},
    {"inwestor_miejscowosc", "investor_place", &projekt_dane::inor_miejscowosc},
    {"inwestor_kod", "investor_zip_code", &projekt_dane::inor_kod},
    {"inwestor_poczta", "investor_post", &projekt_dane::inor_poczta},
    {"obiekt", "object", &projekt_dane::obiekt},
    {"inwestycja", "investment", &projekt_dane::inwestycja},
    {"inwestycja_miejscowosc", "investment_place", &projekt_dane::miejscowosc},
    {"inwestycja_kod", "investment_zip_code", &projekt_dane::kod},
    {"inwestycja_poczta", "investment_post", &projekt_dane::poczta},
    {"inwestycja_gmina", "investment_commune", &projekt_dane::gmina},
    {"inwestycja_nr_dzialki", "investment_allotment_no", &projekt_dane::dzialka},
    {"projekt_branza", "project_type", &projekt_dane::branza},
    {"projekt_nr_zlecenia", "project_oder_no", &projekt_dane::nr_zlecenia},
    {"projekt_data", "project_date", &projekt_dane::data},
    {"wlasne1", "user1", &projekt_dane::wlas1},
    {"wlasne2", "user2", &projekt_dane::wlas2},
    {"wlasne3", "user3", &projekt_dane::wlas3},
}};

// The grey of data shown for confirmation.
constexpr TColor grey_text = 8421504;

}  // namespace

std::string& project_data_field(projekt_dane& data, int row) {
    return data.*clipboard_fields.at(static_cast<std::size_t>(row - 1)).second;
}

void czysc_dane_proj2(projekt_dane& data) { data = projekt_dane{}; }

void czysc_parametry_projektu_kadra() {
    TStringGrid& g = *tdane->sag_dane_kadra;
    for (int r = 1; r <= 10 && r < g.RowCount(); ++r)
        for (int c = 1; c <= 4 && c < g.ColCount(); ++c) g.SetCell(c, r, "");
}

void odswiez_dane_proj(const projekt_dane& data, std::string_view part, bool read_only) {
    TStringGrid& g = *tdane->sag_MainData;
    TFont font = g.Font();
    font.Color = read_only ? grey_text : clWindowText;
    g.SetFont(font);
    if (part != "all" && part != "main") return;
    for (std::size_t i = 0; i < clipboard_fields.size(); ++i)
        g.SetCell(1, static_cast<int>(i + 1), data.*clipboard_fields[i].second);
}

std::string project_data_text(const projekt_dane& data) {
    std::string text;
    for (const auto& [key, member] : clipboard_fields) text += std::string(key) + "=" + data.*member + "\r\n";
    return text;
}

projekt_dane project_data_from_text(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = find_line_break(text, start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) lines.emplace_back(Trim(line.substr(0, eq)), std::string(line.substr(eq + 1)));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    projekt_dane data;
    for (const auto& [key, member] : clipboard_fields)
        for (const auto& [name, value] : lines)
            if (SameText(name, key)) {
                data.*member = value;
                break;
            }
    return data;
}

bool project_data_empty() {
    const projekt_dane& data = model().project.dane;
    for (const auto& entry : clipboard_fields)
        if (!(data.*entry.second).empty()) return false;
    const TStringGrid& g = *tdane->sag_dane_kadra;
    for (int r = 1; r <= 10 && r < g.RowCount(); ++r)
        for (int c = 1; c <= 4 && c < g.ColCount(); ++c)
            if (!g.Cells(c, r).empty()) return false;
    return true;
}

std::string expand_project_data(std::string_view text) {
    const projekt_dane& data = model().project.dane;
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t at = text.find("@_", i);
        if (at == std::string_view::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, at - i);
        std::string tag;
        tag_name_after(text.substr(at), "@_", tag);
        i = at + 2 + tag.size();
        // Modifiers after the name ("|", "'", "#", "$") ask nothing of these values.
        std::string name = tag.substr(0, tag.find('|'));
        while (!name.empty() && (name.back() == '$' || name.back() == '#' || name.back() == '\'')) name.pop_back();
        for (const data_variable& v : data_variables)
            if (name == v.polish || name == v.english) {
                out += data.*v.value;
                break;
            }
    }
    std::erase(out, '~');
    return out;
}
