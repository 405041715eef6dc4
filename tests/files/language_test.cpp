#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "files/language.h"
#include "model/columns.h"
#include "model/pairs.h"
#include "model/utils.h"
#include "platform/input.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "files/settings.h"
#include "files/settings_groups.h"
#include "model/messages.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/comctrls.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/menus.h"
#include "platform/paths.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

std::string shipped(const std::string& language) { return std::string(HALVOREN_RESOURCE_DIR) + "/lang/" + language + ".lng"; }

std::string items_text(const TStringList& items) {
    std::string out;
    for (int i = 0; i < items.Count(); ++i) out += items[i] + "|";
    return out;
}

// Every text, item, cell, hint and state of every window, keyed by window
// and component.
std::map<std::string, std::string> snapshot() {
    std::map<std::string, std::string> out;
    TApplication* app = Application();
    for (int i = 0; i < app->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(app->Components(i));
        if (!form) continue;
        out[form->Name()] = form->Caption();
        for (int k = 0; k < form->ComponentCount(); ++k) {
            TComponent* c = form->Components(k);
            const std::string key = form->Name() + "." + c->Name() + "#" + IntToStr(k);
            std::string& s = out[key];
            if (auto* t = dynamic_cast<TControl*>(c)) s += "caption=" + t->Caption() + " text=" + t->Text() + " hint=" + t->Hint();
            if (auto* a = dynamic_cast<TAction*>(c)) s += "action=" + a->Caption() + " hint=" + a->Hint();
            if (auto* m = dynamic_cast<TMenuItem*>(c)) s += "menu=" + m->Caption();
            if (auto* cb = dynamic_cast<TComboBox*>(c)) s += " items=" + items_text(cb->Items()) + IntToStr(cb->ItemIndex());
            if (auto* lb = dynamic_cast<TListBox*>(c)) s += " items=" + items_text(lb->Items()) + IntToStr(lb->ItemIndex());
            if (auto* rg = dynamic_cast<TRadioGroup*>(c)) s += " items=" + items_text(rg->Items()) + IntToStr(rg->ItemIndex());
            if (auto* x = dynamic_cast<TCheckBox*>(c)) s += x->Checked() ? " on" : " off";
            if (auto* r = dynamic_cast<TRadioButton*>(c)) s += r->Checked() ? " on" : " off";
            if (auto* tc = dynamic_cast<TTabControl*>(c))
                for (int n = 0; n < tc->TabCount(); ++n) s += " tab=" + tc->Tab(n).Text;
            if (auto* tv = dynamic_cast<TTreeView*>(c))
                for (int n = 0; n < tv->Items().Count(); ++n) s += " node=" + tv->Items().Item(n)->Text();
            if (auto* g = dynamic_cast<TStringGrid*>(c))
                for (int col = 0; col < g->ColCount(); ++col)
                    for (int row = 0; row < g->RowCount(); ++row) s += "|" + g->Cells(col, row);
        }
    }
    return out;
}

// --- the texts the code looks up -------------------------------------------------

// One look-up of the sources with a fixed section, key and built-in text.
struct lookup {
    std::string where, section, key, builtin;
};

// The string literals at `i` (adjacent ones joined, "_cp" ones converted to
// the code page); false when something else stands there.
bool read_literals(const std::string& src, std::size_t& i, std::string& out) {
    auto blanks = [&] {
        while (i < src.size() && std::isspace(static_cast<unsigned char>(src[i]))) ++i;
    };
    blanks();
    bool any = false;
    out.clear();
    while (i < src.size() && src[i] == '"') {
        std::string piece;
        for (++i; i < src.size() && src[i] != '"'; ++i) {
            char c = src[i];
            if (c == '\\') {
                const char e = src[++i];
                c = e == 'r' ? '\r' : e == 'n' ? '\n' : e == 't' ? '\t' : e;
            }
            piece += c;
        }
        ++i;
        if (src.compare(i, 3, "_cp") == 0) {
            piece = utf8_to_cp1250(piece);
            i += 3;
        }
        out += piece;
        any = true;
        blanks();
    }
    return any;
}

// Every msg("key", "text") and lang_text("section", "key", "text") of the
// sources whose arguments are plain literals.
std::vector<lookup> lookups_in_sources() {
    namespace fs = std::filesystem;
    std::vector<lookup> out;
    const std::regex call(R"((^|[^A-Za-z0-9_])(msg|lang_text)\()");
    for (const auto& e : fs::recursive_directory_iterator(fs::path(HALVOREN_SOURCE_DIR) / "src")) {
        if (!e.is_regular_file() || e.path().extension() != ".cpp") continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string src = buffer.str();
        for (auto m = std::sregex_iterator(src.begin(), src.end(), call); m != std::sregex_iterator(); ++m) {
            std::size_t i = static_cast<std::size_t>(m->position(0) + m->length(0));
            lookup l;
            l.where = e.path().filename().string() + ":" + IntToStr(static_cast<int64_t>(std::count(src.begin(), src.begin() + static_cast<std::ptrdiff_t>(i), '\n') + 1));
            std::vector<std::string> args;
            std::string text;
            while (read_literals(src, i, text)) {
                args.push_back(text);
                if (i < src.size() && src[i] == ',') ++i;
                else break;
            }
            const bool is_msg = (*m)[2] == "msg";
            if (i >= src.size() || src[i] != ')' || args.size() != (is_msg ? 2u : 3u)) continue;
            l.section = is_msg ? "messages" : args[0];
            l.key = args[args.size() - 2];
            l.builtin = args.back();
            out.push_back(l);
        }
    }
    return out;
}

// Whether a file's text is the built-in one: equal, or with "%s" where the
// built-in text holds a line break that the code passes as an argument.
bool same_text(const std::string& file, const std::string& builtin) {
    if (file == builtin) return true;
    std::string pattern;
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file.compare(i, 2, "%s") == 0) {
            pattern += "(%s|[\r\n]+)";
            ++i;
        } else {
            if (std::strchr("\\^$.|?*+()[]{}", file[i])) pattern += '\\';
            pattern += file[i];
        }
    }
    return std::regex_match(builtin, std::regex(pattern));
}

TEST(LanguageKeys, EveryTextTheCodeLooksUpIsInBothFilesAndPolskiHoldsItsBuiltInText) {
    const IniFile polski(shipped("polski"));
    const IniFile english(shipped("english"));
    const std::vector<lookup> found = lookups_in_sources();
    // The scan finds the look-ups (a broken scan would pass on nothing).
    EXPECT_GT(found.size(), 70u);
    for (const lookup& l : found) {
        const std::string what = l.where + " [" + l.section + "] " + l.key;
        ASSERT_TRUE(polski.ValueExists(l.section, l.key)) << "polski.lng lacks " << what;
        EXPECT_TRUE(english.ValueExists(l.section, l.key)) << "english.lng lacks " << what;
        const std::string text = polski.ReadString(l.section, l.key, "");
        EXPECT_TRUE(same_text(text, l.builtin)) << what << ": " << cp1250_to_utf8(text) << " | " << cp1250_to_utf8(l.builtin);
    }
}

// Everything the English file says is English: no Polish letter, and no
// text left as the Polish file has it, apart from the words both languages
// share (units, names, the language names, patterns of variables).
TEST(LanguageKeys, TheEnglishFileHasNoPolishTextLeft) {
    const IniFile polski(shipped("polski"));
    const IniFile english(shipped("english"));
    const std::set<std::string> shared = {"topcje/cb_jedn",         "topcje/cb_Language",        "topcje/cb_FlowUnitV",
                                          "topcje/cb_FlowUnitT",    "topcje/e_FileNamePattern",  "Columns/User1",
                                          "messages/msg_Clear",     "messages/msg_ClickToChoose", "MostUsedValues/muv_Hydrant",
                                          "MostUsedValues/muv_auto", "MostUsedValues/muv_standard"};
    int checked = 0;
    for (const std::string& section : english.ReadSections())
        for (const std::string& key : english.ReadSection(section)) {
            const std::string value = english.ReadString(section, key, "");
            const std::string where = section + "/" + key;
            ++checked;
            EXPECT_EQ(value.find_first_of("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"),
                      std::string::npos)
                << where << "=" << cp1250_to_utf8(value);
            const bool words = std::regex_search(value, std::regex("[A-Za-z]{3}"));
            if (words && !shared.count(where) && polski.ValueExists(section, key)) {
                EXPECT_NE(polski.ReadString(section, key, ""), value) << where << " is the Polish text";
            }
        }
    EXPECT_GT(checked, 700);
}

class LanguageFiles : public ProgramTest {};

TEST_F(LanguageFiles, ThePolishFileCarriesEveryWindowTextExactlyAndEnglishTheSameKeys) {
    const IniFile polski(shipped("polski"));
    const IniFile english(shipped("english"));
    TApplication* app = Application();
    int checked = 0;
    for (int i = 0; i < app->ComponentCount(); ++i) {
        auto* form = dynamic_cast<TForm*>(app->Components(i));
        if (!form) continue;
        std::vector<TComponent*> components{form};
        for (int k = 0; k < form->ComponentCount(); ++k) components.push_back(form->Components(k));
        for (TComponent* c : components) {
            std::string value;
            if (!language_value(c, value)) continue;
            ++checked;
            const std::string where = form->Name() + " " + c->Name();
            ASSERT_TRUE(polski.ValueExists(form->Name(), c->Name())) << "polski.lng lacks " << where;
            EXPECT_EQ(polski.ReadString(form->Name(), c->Name(), ""), value) << where;
            ASSERT_TRUE(english.ValueExists(form->Name(), c->Name())) << "english.lng lacks " << where;
            if (!value.empty()) { EXPECT_FALSE(english.ReadString(form->Name(), c->Name(), "").empty()) << where; }
        }
    }
    EXPECT_GT(checked, 0);
    // The same sections and keys in both files, the language's own rules
    // and crossing colours apart.
    auto own = [](std::string section, const std::string& language) {
        for (const char* base : {"Rules_", "CrossingColors_"})
            if (section == base + language) section = std::string(base) + "*";
        return section;
    };
    std::set<std::string> pl_keys, en_keys;
    for (const std::string& s : polski.ReadSections())
        for (const std::string& k : polski.ReadSection(s)) pl_keys.insert(own(s, "polski") + "/" + k);
    for (const std::string& s : english.ReadSections())
        for (const std::string& k : english.ReadSection(s)) en_keys.insert(own(s, "english") + "/" + k);
    EXPECT_EQ(pl_keys, en_keys);
    for (const char* s : {"Rules_polski", "CrossingColors_polski"}) EXPECT_TRUE(polski.SectionExists(s)) << s;
    for (const char* s : {"Rules_english", "CrossingColors_english"}) EXPECT_TRUE(english.SectionExists(s)) << s;
    EXPECT_EQ(polski.ReadSection("messages").size(), 166u);
    EXPECT_EQ(polski.ReadSection("dialogs").size(), 24u);
    EXPECT_EQ(polski.ReadSection("MostUsedValues").size(), 43u);
}

TEST_F(LanguageFiles, ApplyingThePolishFileAfterTheSettingsChangedChangesNothing) {
    // Settings the user changed, texts the program filled in.
    topcje->cb_MarkFlowDirect->SetChecked(!topcje->cb_MarkFlowDirect->Checked());
    topcje->e_skala_krot->SetText("77");
    topcje->e_FileNamePattern->SetText("@_inwestor");
    topcje->cb_GradientMode->SetItemIndex(2);
    topcje->rg_NodePrefix->SetItemIndex(1);
    topcje->l_DocsDirValue->SetCaption("/home/projekty");
    topcje->sag_Company->SetCell(1, 1, "Biuro");
    topcje->sag_Layers->SetRowCount(4);
    topcje->sag_Layers->SetCell(1, 3, "rury");
    Form1->rg_PipeOrdinateMode->SetItemIndex(2);
    const std::map<std::string, std::string> before = snapshot();
    apply_language_file(shipped("polski"));
    const std::map<std::string, std::string> after = snapshot();
    ASSERT_EQ(before.size(), after.size());
    for (const auto& [key, value] : before) EXPECT_EQ(cp1250_to_utf8(after.at(key)), cp1250_to_utf8(value)) << key;
}

TEST_F(LanguageFiles, DefaultsThatTheSettingsTakeFromThePolishFileAreTheBuiltInOnes) {
    // A settings file without the language's sections, read once without a
    // language file and once with polski.lng.
    const std::string path = home.file("bare.ini");
    ini_write(path, "inne", "zero", "0");
    auto read = [&path] {
        czytaj_opcje(path, "opcje");
        std::string rows;
        for (const dane_pod_profil& r : settings().profile_table_rows) rows += r.key + ";";
        std::string rules;
        for (const rule_def& r : settings().check_rules) rules += r.description + ";";
        std::string lists;
        for (const std::string& l : settings().data_lists) lists += l + ";";
        std::string titles;
        for (int c = 1; c <= 3; ++c) titles += topcje->sag_DrawingProperties->Cells(c, 3) + topcje->sag_DrawingProperties->Cells(c, 4);
        return rows + "|" + rules + "|" + lists + "|" + titles + "|" + topcje->sag_CrossingsFonts->Cells(0, 1) + "|" +
               topcje->l_FileSettings->Caption();
    };
    language_file.clear();
    const std::string builtin = read();
    language_file = shipped("polski");
    ini_cache_clear();
    EXPECT_EQ(read(), builtin);
}

TEST_F(LanguageFiles, FirstStartChoosesPolishOnAPolishSystemAndEnglishElsewhere) {
    struct locale_case {
        const char* locale;
        const char* language;
    };
    const locale_case cases[] = {{"pl_PL.UTF-8", "polski"}, {"pl", "polski"}, {"en_GB.UTF-8", "english"},
                                 {"C", "english"}, {"", "english"}, {"plx", "english"}};
    for (const locale_case& c : cases) {
        ui().locale = c.locale;
        topcje->cb_Language->SetItemIndex(-1);
        topcje->cb_LanguageChange(nullptr);
        EXPECT_EQ(topcje->cb_Language->Text(), c.language) << c.locale;
        EXPECT_EQ(language_file, folders().program_folder + "lang/" + c.language + ".lng") << c.locale;
        EXPECT_EQ(help_file, folders().program_folder + "help/" + c.language + ".chm") << c.locale;
    }
    // A choice stored in the user's settings file wins over the locale.
    ini_write(user_settings_file(), "inne", "lang", "0");
    ui().locale = "pl_PL";
    topcje->cb_LanguageChange(nullptr);
    EXPECT_EQ(topcje->cb_Language->Text(), "english");
    EXPECT_EQ(topcje->ts_Other->Caption(), "&Other");
    EXPECT_EQ(Form1->mi_Tools->Caption(), "&Tools");
}

TEST_F(LanguageFiles, AMissingLanguageFileIsNamedAndChangesNothing) {
    TempFolder program;
    folders().program_folder = program.path() + "/";
    const std::string caption = topcje->ts_Other->Caption();
    topcje->cb_Language->SetItemIndex(0);
    topcje->cb_LanguageChange(topcje->cb_Language);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text,
              std::string("Brak pliku z wybraną wersją językową: \n\r"_cp) + program.path() + "/lang/english.lng");
    EXPECT_EQ(program_title, "Halvoren");
    EXPECT_EQ(topcje->ts_Other->Caption(), caption);
    // Messages are looked up in the missing file, which gives the built-in texts.
    EXPECT_EQ(language_file, program.path() + "/lang/english.lng");
    EXPECT_EQ(msg("msg_Varies", "built-in"), "built-in");
}

TEST_F(LanguageFiles, ALanguageSwitchKeepsTheProjectsScalesLayersAndPattern) {
    ui().locale = "pl_PL";
    topcje->cb_LanguageChange(nullptr);
    // What the open project brought, unlike the user's settings file.
    TStringGrid& layers = *topcje->sag_Layers;
    layers.SetRowCount(3);
    layers.SetCell(1, 2, "rury");
    topcje->sag_DrawingProperties->SetCell(1, 1, "250");
    topcje->e_FileNamePattern->SetText("@_projekt");
    topcje->cb_Language->SetItemIndex(0);
    topcje->cb_LanguageChange(topcje->cb_Language);
    EXPECT_EQ(topcje->ts_Other->Caption(), "&Other");
    EXPECT_EQ(layers.RowCount(), 3);
    EXPECT_EQ(layers.Cells(1, 2), "rury");
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 1), "250");
    EXPECT_EQ(topcje->e_FileNamePattern->Text(), "@_projekt");
    EXPECT_EQ(topcje->sag_DrawingProperties->Cells(1, 3), "LONGITUDINAL PROFILE");
}

// The program started afresh on the same HALVOREN_HOME, its main window shown.
class LanguageRestart : public ProgramTest {
protected:
    void restart() {
        prog.reset();
        ini_cache_clear();
        prog = std::make_unique<Program>(ui(), std::vector<std::string>{home.file("bin/halvoren")});
        prog->show_main_window();
    }
};

TEST_F(LanguageRestart, TheLanguageChosenInTheSettingsIsKeptForTheNextStart) {
    ui().locale = "pl_PL.UTF-8";
    prog->show_main_window();
    EXPECT_EQ(topcje->cb_Language->Text(), "polski");
    // The start chose by the locale and kept nothing.
    EXPECT_EQ(ini_string(user_settings_file(), "inne", "lang", "none"), "none");
    // With a project tied to its own settings file the choice still goes to
    // the user's file, which the next start reads.
    model().project.ConfigFile = home.file("project.ini");
    user::choose(topcje->cb_Language, 0);
    EXPECT_EQ(ini_string(user_settings_file(), "inne", "lang", ""), "0");
    EXPECT_FALSE(FileExists(home.file("project.ini")));
    EXPECT_EQ(ui().languages_chosen, (std::vector<std::string>{"polski", "english"}));
    restart();
    EXPECT_EQ(topcje->cb_Language->Text(), "english");
    EXPECT_EQ(topcje->ts_Other->Caption(), "&Other");
    EXPECT_EQ(Form1->sg1->Cells(model().position_of(column_kind::fi), 0), "Diameter");
    user::choose(topcje->cb_Language, 1);
    restart();
    EXPECT_EQ(topcje->cb_Language->Text(), "polski");
    EXPECT_EQ(topcje->ts_Other->Caption(), "&Inne");
}

TEST_F(LanguageRestart, WhatTheStartSaysComesInTheLanguageOfTheStart) {
    ini_write(user_settings_file(), "inne", "lang", "0");
    // A file stands where the objects folder would be made.
    delete_folder_tree(path_join(default_config_folder(), "objects"));
    write_file(path_join(default_config_folder(), "objects"), "");
    ui().boxes.clear();
    restart();
    ASSERT_FALSE(ui().boxes.empty());
    EXPECT_EQ(ui().boxes[0].text,
              "The folder that holds the object definitions and the document templates, among others, was not "
              "found.\rReinstalling the program may help.");
}

TEST_F(LanguageRestart, InEnglishTheProgramsOwnTablesAndMessagesAreEnglish) {
    ini_write(user_settings_file(), "inne", "lang", "0");
    restart();
    // The band rows the settings file lacks, the drawing elements' captions,
    // the column titles and units.
    std::string titles;
    for (const dane_pod_profil& r : settings().profile_table_rows) titles += r.title + "|";
    EXPECT_EQ(titles,
              "Terrain description|Projected ground level [m a.s.l.]|Top of sidefill [m a.s.l.]|Flow from section "
              "[@flow_unit]|Flow [@flow_unit]|X scale [1:]|Length/Slope [%]|");
    EXPECT_EQ(topcje->sag_TableContent->Cells(2, 1), "Terrain description");
    EXPECT_EQ(topcje->sag_Lines->Cells(0, 3), "Trench bottom");
    EXPECT_EQ(topcje->sag_Lines->Cells(0, 14), "Top of sidefill");
    const int object = model().position_of(column_kind::obiekt);
    EXPECT_EQ(Form1->sg1->Cells(object, 0), "Object");
    // The messages built from the text that did not convert.
    ui().boxes.clear();
    EXPECT_EQ(wyciag("1,2,3", "s1"), 0);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Wrong data format: \r\" 1,2,3 \"");
    // The layer table's menu.
    std::string items;
    for (int i = 0; i < topcje->pm_Layers->Items()->Count(); ++i) items += topcje->pm_Layers->Items()->Items(i)->Caption() + "|";
    EXPECT_EQ(items, "Add|Insert|-|Delete|");
}

// A window of its own for the cases of the pass.
class LanguagePass : public ProgramTest {
protected:
    LanguagePass() {
        form = new TForm(Application());
        form->SetName("tProbe");
        form->SetCaption("Sonda");
        combo = add<TComboBox>("cb_Three");
        for (const char* t : {"x", "y", "z"}) combo->Items().Add(t);
        combo->SetItemIndex(2);
        group = add<TRadioGroup>("rg_Prefix");
        group->Items().Add("a");
        group->Items().Add("b");
        grid = add<TStringGrid>("sg_Table");
        grid->SetColCount(2);
        grid->SetRowCount(2);
        grid->SetCell(1, 0, "stays");
        label = add<TLabel>("l_Label");
        label->SetCaption("Etykieta");
        check = add<TCheckBox>("cb_Check");
        check->SetCaption("Pole");
        check->SetHint("stara");
        fixed = add<TCheckBox>("cb_Fixed");
        fixed->SetCaption("@");
        fixed->Tag = 100;
    }
    template <class T>
    T* add(const char* name) {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        return c;
    }
    void apply(const std::string& text) {
        const std::string path = home.file("probe.lng");
        std::ofstream(path, std::ios::binary) << text;
        ini_cache_clear();
        apply_language_file(path);
    }
    TForm* form;
    TComboBox* combo;
    TRadioGroup* group;
    TStringGrid* grid;
    TLabel* label;
    TCheckBox* check;
    TCheckBox* fixed;
};

TEST_F(LanguagePass, ListsGroupsTablesAndCaptionsTakeTheirParts) {
    apply(std::string("[tProbe]\ntProbe=Probe\ncb_Three=A\\nB\nrg_Prefix=Przedrostek\\rAutomatyczny\\nStały:\n"_cp) +
          "sg_Table=Lp.\\r\\nNazwa\n[h]\ncb_Check=nowa\n");
    EXPECT_EQ(form->Caption(), "Probe");
    EXPECT_EQ(items_text(combo->Items()), "A|B|z|");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(group->Caption(), "Przedrostek");
    EXPECT_EQ(items_text(group->Items()), "Automatyczny|Stały:|"_cp);
    EXPECT_EQ(grid->Cells(0, 0), "Lp.");
    EXPECT_EQ(grid->Cells(1, 0), "stays");
    EXPECT_EQ(grid->Cells(1, 1), "Nazwa");
    // Missing keys: the label keeps its caption, the check box loses it;
    // a component with tag 100 is left alone.
    EXPECT_EQ(label->Caption(), "Etykieta");
    EXPECT_EQ(check->Caption(), "");
    EXPECT_EQ(check->Hint(), "nowa");
    EXPECT_EQ(fixed->Caption(), "@");
}

}  // namespace
