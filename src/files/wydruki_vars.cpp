// The value of one template variable: the modifiers, the catalogue look-up
// and the side choice of two-sided node values.
#include <algorithm>
#include <unordered_map>

#include "files/slownie.h"
#include "files/utils.h"
#include "files/wydruki.h"
#include "forms/dane.h"
#include "model/pairs.h"
#include "platform/sysutils.h"

namespace {

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Every name of the catalogue with its routine; both spellings of an entry
// lead to the same routine.
const std::unordered_map<std::string, var_handler>& catalogue() {
    static const std::unordered_map<std::string, var_handler> map = [] {
        std::vector<var_entry> entries;
        project_variables(entries);
        node_variables(entries);
        cost_variables(entries);
        std::unordered_map<std::string, var_handler> m;
        for (const var_entry& e : entries) {
            if (e.polish && *e.polish) m.emplace(e.polish, e.fn);
            if (e.english && *e.english) m.emplace(e.english, e.fn);
        }
        return m;
    }();
    return map;
}

// The node values whose side a caller may choose with i3 = 1 or 2.
bool has_sides(const std::string& name) {
    static const char* const names[] = {"td_rzedna_terenu", "td_ground_level", "td_rzedna_rury", "td_pipe_level",
                                        "td_zaglebienie",   "td_depth",        "td_linia1",      "td_line1",
                                        "td_linia2",        "td_line2"};
    return std::any_of(std::begin(names), std::end(names), [&name](const char* n) { return name == n; });
}

bool read_number(const std::string& text, double& x) { return TryStrToFloat(fix_decimal_separator(text), x); }

}  // namespace

var_handler find_variable(const std::string& name) {
    const auto& map = catalogue();
    const auto it = map.find(name);
    return it == map.end() ? nullptr : it->second;
}

bool designer_variable(var_call& call, std::string& value) {
    struct designer_column {
        const char* polish;
        const char* english;
        int column;
    };
    static constexpr designer_column columns[] = {
        {"projektant_naz", "designer_name_", 1},
        {"projektant_sta", "designer_offic", 2},
        {"projektant_upr", "designer_right", 3},
        {"projektant_spe", "designer_speci", 4},
    };
    const std::string& name = call.name;
    if (name.size() < 14) return false;
    const std::string_view head = std::string_view(name).substr(0, 14);
    for (const designer_column& c : columns) {
        if (head != c.polish && head != c.english) continue;
        const int row = StrToInt(name.substr(14, 1));
        if (tdane && tdane->sag_dane_kadra) value = tdane->sag_dane_kadra->Cells(c.column, row);
        return true;
    }
    return false;
}

void Ttskojarzone::zamien(const std::string& full_name, int i0, int i1, int i2, int i3, std::string& value) {
    value.clear();
    var_call call{*this, full_name, i0, i1, i2, i3};
    std::string& name = call.name;
    const auto take_last = [&name](char c) {
        if (name.empty() || name.back() != c) return false;
        name.pop_back();
        return true;
    };
    const bool ascii = take_last('$');
    const bool in_words = take_last('#');
    const bool flag_name = contains(name, "_czy_") || contains(name, "_is_");
    if (!flag_name) call.project_data = take_last('\'');
    bool decimals = false;
    if (const std::size_t bar = name.find('|'); bar != std::string::npos) {
        if (flag_name) {
            name.erase(std::remove(name.begin(), name.end(), '\''), name.end());
            std::vector<std::string> parts;
            std::size_t from = 0;
            for (std::size_t at = name.find('|'); ; at = name.find('|', from)) {
                parts.push_back(name.substr(from, at == std::string::npos ? std::string::npos : at - from));
                if (at == std::string::npos) break;
                from = at + 1;
            }
            if (parts.size() == 3) {
                call.yes = parts[1];
                call.no = parts[2];
            }
            name = parts[0];
        } else {
            call.decimals = static_cast<uint8_t>(StrToInt(name.substr(bar + 1)));
            decimals = true;
            name.erase(bar);
        }
    }

    if (!designer_variable(call, value)) {
        if (name.starts_with("ts_")) sump_node_redirect(call);
        if (var_handler fn = find_variable(name)) fn(call, value);
    }

    double x = 0;
    if (decimals && !call.skip_decimals && read_number(value, x)) value = fmt_fixed(call.decimals, x);
    if (ascii && !Trim(value).empty()) value = polish_to_ascii(value);
    if (in_words && !Trim(value).empty() && read_number(value, x)) {
        std::string words;
        if (amount_in_words(x, words)) value = std::move(words);
    }
    if ((call.i3 == 1 || call.i3 == 2) && !value.empty() && name.starts_with("td_") && has_sides(name))
        value = FloatToStr(wyciag(value, call.i3 == 1 ? "s1" : "s2"));
}
