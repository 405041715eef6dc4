#include "files/settings_io.h"

#include <algorithm>

#include "model/settings_state.h"
#include "files/utils.h"
#include "platform/comctrls.h"
#include "platform/ini.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

unsigned settings_mode_of(std::string_view text) {
    if (text == "opcje") return mode_opcje;
    if (text == "plik") return mode_plik;
    if (text == "koszt") return mode_koszt;
    if (text == "opcje_koszt") return mode_opcje_koszt;
    if (text == "close") return mode_close;
    if (text == "lang") return mode_lang;
    return 0;
}

std::string settings_language() { return AnsiLowerCase(settings().language); }

std::string lang_section(std::string_view base) { return std::string(base) + settings_language(); }

std::string setting_key::section_name() const { return lang ? lang_section(section) : section; }

bool parse_setting_int(std::string_view text, long long& out) {
    std::string t = Trim(text);
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        long long v = 0;
        for (std::size_t i = 2; i < t.size(); ++i) {
            const char c = t[i];
            int d;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
            else return false;
            if (v > (1LL << 40)) return false;
            v = v * 16 + d;
        }
        out = v;
        return true;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') return false;
        if (v > (1LL << 40)) return false;
        v = v * 10 + (t[i] - '0');
    }
    out = negative ? -v : v;
    return true;
}

std::string setting_real_text(double v, real_form form) {
    switch (form) {
        case real_form::fixed6: return Format("%.6f", {v});
        case real_form::fixed2: return Format("%.2f", {v});
        default: return FloatToStr(v);
    }
}

void read_keys(const IniFile& ini, const std::vector<setting_key>& keys) {
    for (const setting_key& k : keys) {
        if (!k.read) continue;
        const std::string section = k.section_name();
        if (ini.ValueExists(section, k.key) && k.read(ini.ReadString(section, k.key, ""))) continue;
        k.read(k.fallback ? k.fallback() : std::string());
    }
}

void read_key(const IniFile& ini, const std::vector<setting_key>& keys, std::string_view section, std::string_view key) {
    for (const setting_key& k : keys)
        if (SameText(k.section, section) && SameText(k.key, key)) {
            read_keys(ini, {k});
            return;
        }
}

void write_keys(IniFile& ini, const std::vector<setting_key>& keys) {
    for (const setting_key& k : keys)
        if (k.write) ini.WriteString(k.section_name(), k.key, k.write());
}

// --- builders -----------------------------------------------------------------

namespace {

setting_key make(std::string section, std::string key) {
    setting_key k;
    k.lang = section.size() > 1 && section.back() == '_';
    k.section = std::move(section);
    k.key = std::move(key);
    return k;
}

}  // namespace

setting_key bool_key(std::string section, std::string key, bool def, std::function<bool()> get,
                     std::function<void(bool)> set) {
    setting_key k = make(std::move(section), std::move(key));
    k.write = [get] { return std::string(get() ? "1" : "0"); };
    k.read = [set](const std::string& s) {
        long long v = 0;
        if (!parse_setting_int(s, v)) return false;
        set(v != 0);
        return true;
    };
    k.fallback = [def] { return std::string(def ? "1" : "0"); };
    return k;
}

setting_key bool_key(std::string section, std::string key, bool def, TCheckBox* c) {
    return bool_key(std::move(section), std::move(key), def, [c] { return c->Checked(); },
                    [c](bool v) { c->SetChecked(v); });
}

setting_key bool_key(std::string section, std::string key, bool def, TRadioButton* c) {
    return bool_key(std::move(section), std::move(key), def, [c] { return c->Checked(); },
                    [c](bool v) { c->SetChecked(v); });
}

setting_key int_key(std::string section, std::string key, long long def, std::function<long long()> get,
                    std::function<void(long long)> set, long long min, long long max) {
    setting_key k = make(std::move(section), std::move(key));
    k.write = [get] { return IntToStr(get()); };
    k.read = [set, min, max](const std::string& s) {
        long long v = 0;
        if (!parse_setting_int(s, v)) return false;
        set(std::clamp(v, min, max));
        return true;
    };
    k.fallback = [def] { return IntToStr(def); };
    return k;
}

setting_key index_key(std::string section, std::string key, int def, TRadioGroup* c) {
    return int_key(std::move(section), std::move(key), def, [c] { return static_cast<long long>(c->ItemIndex()); },
                   [c](long long v) { c->SetItemIndex(static_cast<int>(v)); });
}

setting_key index_key(std::string section, std::string key, int def, TComboBox* c) {
    return int_key(std::move(section), std::move(key), def, [c] { return static_cast<long long>(c->ItemIndex()); },
                   [c](long long v) { c->SetItemIndex(static_cast<int>(v)); });
}

setting_key spin_key(std::string section, std::string key, int def, TSpinEdit* c) {
    return int_key(std::move(section), std::move(key), def, [c] { return static_cast<long long>(c->Value()); },
                   [c](long long v) { c->SetValue(static_cast<int>(v)); });
}

setting_key track_key(std::string section, std::string key, int def, TTrackBar* c) {
    return int_key(std::move(section), std::move(key), def, [c] { return static_cast<long long>(c->Position()); },
                   [c](long long v) { c->SetPosition(static_cast<int>(v)); });
}

setting_key text_key(std::string section, std::string key, std::function<std::string()> def,
                     std::function<std::string()> get, std::function<void(const std::string&)> set, bool normalise) {
    setting_key k = make(std::move(section), std::move(key));
    k.write = std::move(get);
    k.read = [set, normalise](const std::string& s) {
        set(normalise ? fix_decimal_separator(s) : s);
        return true;
    };
    k.fallback = std::move(def);
    return k;
}

setting_key text_key(std::string section, std::string key, std::string def, TCustomEdit* c, bool normalise) {
    return text_key(std::move(section), std::move(key), [def, normalise] { return normalise ? fix_decimal_separator(def) : def; },
                    [c] { return c->Text(); }, [c](const std::string& s) { c->SetText(s); }, normalise);
}

setting_key text_key(std::string section, std::string key, std::string def, TComboBox* c, bool normalise) {
    return text_key(std::move(section), std::move(key), [def, normalise] { return normalise ? fix_decimal_separator(def) : def; },
                    [c] { return c->Text(); }, [c](const std::string& s) { c->SetText(s); }, normalise);
}

setting_key real_key(std::string section, std::string key, std::string def, std::function<double()> get,
                     std::function<void(double)> set, real_form form, bool as_stored) {
    setting_key k = make(std::move(section), std::move(key));
    k.write = [get, form] { return setting_real_text(get(), form); };
    k.read = [set, as_stored](const std::string& s) {
        double v = 0;
        if (!TryStrToFloat(as_stored ? s : fix_decimal_separator(s), v)) return false;
        set(v);
        return true;
    };
    k.fallback = [def] { return fix_decimal_separator(def); };
    return k;
}

setting_key color_key(std::string section, std::string key, std::string def, std::function<unsigned()> get,
                      std::function<void(unsigned)> set) {
    setting_key k = make(std::move(section), std::move(key));
    k.write = [get] { return ColorToString(get()); };
    k.read = [set](const std::string& s) {
        TColor c = 0;
        if (!TryStringToColor(s, c)) return false;
        set(c);
        return true;
    };
    k.fallback = [def] { return def; };
    return k;
}
