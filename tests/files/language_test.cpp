#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>

#include "files/language.h"
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
    EXPECT_EQ(polski.ReadSection("messages").size(), 143u);
    EXPECT_EQ(polski.ReadSection("dialogs").size(), 24u);
    EXPECT_EQ(polski.ReadSection("MostUsedValues").size(), 42u);
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
