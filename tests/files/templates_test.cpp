#include <gtest/gtest.h>

#include <algorithm>

#include "files/wydruki.h"
#include "forms/rys1.h"
#include "forms/skojarzone.h"
#include "model/cost_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

// Templates in the configuration folder's "templates" folder and the
// documents made from them, over a project of three profiles.
class Templates : public ProgramTest {
protected:
    Templates() {
        decimal_separator = '.';
        model_state& m = model();
        m.project.dane.inwestor = "Gmina Łódź"_cp;
        m.profiles.resize(3);
        const char* names[] = {"Główny"_cp, "B", "C"};
        for (int i = 0; i < 3; ++i) {
            m.profiles[static_cast<std::size_t>(i)].nazwa = names[i];
            m.profiles[static_cast<std::size_t>(i)].idp = static_cast<uint16_t>(i + 1);
        }
        odcinek& p = m.profiles[0];
        for (const char* n : {"S1", "S2"}) {
            wezel w;
            w.wez = n;
            w.kom = "uwaga";
            p.nodes.push_back(w);
        }
        const std::pair<const char*, double> crossings[] = {{"woda", 120.5}, {"gaz", 8.0}, {"prąd"_cp, 35.25}};
        for (const auto& [medium, chainage] : crossings) {
            kolizja k;
            k.medium = medium;
            k.chainage = chainage;
            p.crossings.push_back(k);
        }
        m.current_profile = 0;
    }

    std::string folder() const { return folders().config_folder + "templates/"; }
    // Writes a template (lines joined by CR LF) and returns its path.
    std::string put(const std::string& name, const std::vector<std::string>& lines) {
        const std::string path = folder() + name;
        ForceDirectories(ExtractFilePath(path));
        std::string text;
        for (const std::string& l : lines) text += l + "\r\n";
        write_file(path, text);
        return path;
    }
    std::vector<std::string> document(const std::string& name) {
        const std::string path = folders().config_folder + name;
        return FileExists(path) ? read_lines(path) : std::vector<std::string>{"<missing>"};
    }
};

std::vector<std::string> header(const std::string& type, const std::string& file_name) {
    return {"<HEADER>", "<TYPE>" + type + "</TYPE>", "<FILE_NAME>" + file_name + "</FILE_NAME>", "</HEADER>"};
}

std::vector<std::string> with(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(Templates, DocumentsRepeatTheirBlocksOverTheirCollections) {
    struct doc_case {
        const char* what;
        std::vector<std::string> body;
        std::vector<std::string> expected;
    };
    const doc_case cases[] = {
        {"no block: the body once, without blank lines around it",
         {"", "Inwestor: @_inwestor", "a @_ b~x", ""},
         {"Inwestor: Gmina Łódź"_cp, "a  bx"}},
        {"profs at the end of the file", {"<_profs>@_nazwa_profilu</profs>"}, {"Główny"_cp, "B", "C"}},
        // A text node follows a block that another block follows; a block at
        // the top level takes its item as i0.
        {"prof once, dan over the current profile's nodes", {"<_prof>@_profile_name</prof>", "<_dan>w</dan>"},
         {"Główny"_cp, "", "w", "w"}},
        // Inside profs dan takes the profile from its enclosing item; a
        // profile without nodes leaves it unnumbered, expanded once with
        // indices 0.
        {"dan inside profs over each profile's nodes", {"<_profs>@_nazwa_profilu~:<_dan> @_td_wezel</dan></profs>"},
         {"Główny:"_cp, "", " S1", " S2", "B:", "", " S1", "C:", "", " S1", ""}},
        {"crossings by their chainage", {"<_kol>@_tk_medium</kol>"}, {"gaz", "prąd"_cp, "woda"}},
        {"an item block under an empty collection is expanded once",
         {"<_calculation>K<_element>E@_ko_element_description</element></calculation>"},
         {"K", "", "E", ""}},
        {"a comment", {"<_dan>[@_td_komentarz]</dan>"}, {"[uwaga]", "[]"}},
    };
    for (const doc_case& c : cases) {
        put("t.wzr", with(header("txt", "doc"), c.body));
        tskojarzone->wypelnij_wzorzec(folder() + "t.wzr", false);
        EXPECT_EQ(document("doc.txt"), c.expected) << c.what;
    }
    model().profiles[0].nodes[0].kom = "@_td_komentarz ja";
    put("t.wzr", with(header("txt", "doc"), {"<_dan>[@_td_komentarz]</dan>"}));
    tskojarzone->wypelnij_wzorzec(folder() + "t.wzr", false);
    EXPECT_EQ(document("doc.txt"), (std::vector<std::string>{"[ ja]", "[]"}));
}

TEST_F(Templates, TheHeaderNamesTheDocumentInsideTheConfigurationFolder) {
    // An HTML closing tag stays; the file name holds a variable.
    put("h.wzr", with(header("htm", "lista_@_nazwa_profilu"), {"<td>@_td_wezel</td>"}));
    tskojarzone->wypelnij_wzorzec(folder() + "h.wzr", false);
    EXPECT_EQ(document("lista_Główny.htm"_cp), (std::vector<std::string>{"<td>S1</td>"}));
    // A profile name that would lead out of the folder stays inside it.
    model().profiles[0].nazwa = "../..//x";
    tskojarzone->wypelnij_wzorzec(folder() + "h.wzr", false);
    EXPECT_EQ(document("lista_x.htm"), (std::vector<std::string>{"<td>S1</td>"}));
    // Nothing left of the name or the type: "document" and "rtf".
    model().profiles[0].nazwa = "/";
    put("e.wzr", with(header("/", "@_nazwa_profilu"), {"x"}));
    tskojarzone->wypelnij_wzorzec(folder() + "e.wzr", false);
    EXPECT_EQ(document("document.rtf"), (std::vector<std::string>{"x"}));
    // A header that never closes takes every line: nothing is written.
    put("u.wzr", {"<HEADER>", "<TYPE>txt</TYPE>", "<FILE_NAME>open</FILE_NAME>", "tekst"});
    tskojarzone->wypelnij_wzorzec(folder() + "u.wzr", false);
    EXPECT_FALSE(FileExists(folders().config_folder + "open.txt"));
}

TEST_F(Templates, HeaderEntriesSpanLinesAndABadFontSizeKeepsTheDefault) {
    struct header_case {
        std::vector<std::string> lines;
        const char* title;
        int font_size;
        int header_lines;
    };
    const header_case cases[] = {
        {{"<HEADER>", "<TITLE>Zamó"_cp, "wie", "// skipped", "nie</TITLE>", "<FONT_SIZE>12</FONT_SIZE>", "</HEADER>", "x"},
         "Zamówienie"_cp, 12, 7},
        {{"<HEADER>", "<TITLE>A</TITLE>", "<FONT_SIZE>abc</FONT_SIZE>", "</HEADER>"}, "A", 8, 4},
        {{"<HEADER>", "<TITLE>B</TITLE>", "<FONT_SIZE>300</FONT_SIZE>", "</HEADER>"}, "B", 8, 4},
        {{"<HEADER>", "<TITLE>C</TITLE>", "<FONT_SIZE>0</FONT_SIZE>", "</HEADER>"}, "C", 8, 4},
        {{"plain text"}, "x.wzr", 8, 0},
    };
    for (const header_case& c : cases) {
        const std::string path = put("x.wzr", c.lines);
        head_info info;
        tskojarzone->info_plik(path, info);
        EXPECT_EQ(info.title, c.title);
        EXPECT_EQ(info.font_size, c.font_size) << c.title;
        EXPECT_EQ(info.header_lines, c.header_lines) << c.title;
    }
}

TEST_F(Templates, AnRtfDocumentCarriesTheTextWithBoldValues) {
    put("r.wzr", {"<HEADER>", "<FILE_NAME>umowa</FILE_NAME>", "<FONT_NAME>Arial</FONT_NAME>",
                  "<FONT_SIZE>11</FONT_SIZE>", "</HEADER>", "Inwestor {ł}: @_inwestor \\"_cp, "Kwota: @_stat_dlugosc#"});
    tskojarzone->wypelnij_wzorzec(folder() + "r.wzr", false);
    const std::string rtf = read_file(folders().config_folder + "umowa.rtf");
    EXPECT_NE(rtf.find("\\ansicpg1250"), std::string::npos);
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset238 Arial;}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\fs22"), std::string::npos);
    EXPECT_NE(rtf.find("Inwestor \\{\\'b3\\}: {\\b Gmina \\'a3\\'f3d\\'9f} \\\\\\par"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("{\\b zero z\\'b3otych zero groszy}"), std::string::npos) << rtf;
}

TEST_F(Templates, AnRtfDocumentWithBlocksIsItsExpandedTree) {
    put("b.wzr", {"<HEADER>", "<FILE_NAME>profile</FILE_NAME>", "</HEADER>", "Profile:", "<_profs>- @_nazwa_profilu</profs>"});
    tskojarzone->wypelnij_wzorzec(folder() + "b.wzr", false);
    const std::string rtf = read_file(folders().config_folder + "profile.rtf");
    EXPECT_EQ(rtf.find("profs"), std::string::npos) << rtf;
    const std::size_t first = rtf.find("- {\\b G\\'b3\\'f3wny}\\par");
    const std::size_t second = rtf.find("- {\\b B}\\par");
    const std::size_t third = rtf.find("- {\\b C}\\par");
    EXPECT_NE(rtf.find("Profile:"), std::string::npos) << rtf;
    EXPECT_LT(first, second) << rtf;
    EXPECT_LT(second, third) << rtf;
    EXPECT_NE(third, std::string::npos) << rtf;
}

class TemplateChooser : public Templates {
protected:
    TemplateChooser() {
        put("A.wzr", {"<HEADER>", "<TITLE>Zamówienie</TITLE>"_cp, "<TYPE>htm</TYPE>", "<FILE_NAME>zam</FILE_NAME>",
                      "</HEADER>", "<p>@_inwestor</p>"});
        put("B.wzr", {"Bez nagłówka @_inwestor"_cp});
        put("sub/C.wzr", {"<HEADER>", "<TITLE>Lista</TITLE>", "<TYPE>txt</TYPE>", "</HEADER>", "@_nazwa_profilu"});
        put("D.txt", {"not a template"});
    }
    // Shows the chooser; `play` acts as the user while it is open.
    void show(const std::function<void(Ttskojarzone&)>& play) {
        ui().on_modal("Ttskojarzone", [play](TForm& f) {
            play(static_cast<Ttskojarzone&>(f));
            user::close(&f);
        });
        user::choose_menu(Form1->mi_Tools->Items(0));
    }
    static std::vector<std::string> titles(Ttskojarzone& f) {
        std::vector<std::string> out;
        for (int i = 0; i < f.cb_Templates->Items().Count(); ++i) {
            const std::string& item = f.cb_Templates->Items()[i];
            out.push_back(item.substr(item.find('=') + 1));
        }
        return out;
    }
};

TEST_F(TemplateChooser, ListsSearchesAndMakesDocuments) {
    show([](Ttskojarzone& f) {
        EXPECT_EQ(titles(f), (std::vector<std::string>{"Zamówienie"_cp, "B.wzr", "Lista"}));
        EXPECT_EQ(f.cb_Templates->ItemIndex(), 0);
        EXPECT_EQ(f.sb_Status->Panels(0)->Text(), folders().config_folder + "templates/A.wzr");
        user::type(f.e_Search, "ZAM");
        EXPECT_EQ(titles(f), (std::vector<std::string>{"Zamówienie"_cp}));
        EXPECT_EQ(f.cb_Templates->ItemIndex(), -1);
        user::click(f.sb_Make);  // nothing selected: nothing made
        user::key(VK_DOWN);
        user::key(VK_RETURN);
        user::set_text(f.e_Search, "xyz");
        EXPECT_TRUE(titles(f).empty());
        user::click(f.sb_Make);
        user::set_text(f.e_Search, "");
        // Keys in the search field: wrapping, Ctrl for the ends.
        user::focus(f.e_Search);
        f.cb_Templates->SetItemIndex(2);
        user::key(VK_DOWN);
        EXPECT_EQ(f.cb_Templates->ItemIndex(), 0);
        user::key(VK_UP);
        EXPECT_EQ(f.cb_Templates->ItemIndex(), 2);
        user::key(VK_UP, ssCtrl);
        EXPECT_EQ(f.cb_Templates->ItemIndex(), 0);
        user::key(VK_DOWN, ssCtrl);
        EXPECT_EQ(f.cb_Templates->ItemIndex(), 2);
        user::double_click(f.cb_Templates);
    });
    EXPECT_EQ(document("zam.htm"), (std::vector<std::string>{"<p>Gmina Łódź</p>"_cp}));
    EXPECT_EQ(document("document.txt"), (std::vector<std::string>{"Główny"_cp}));
    EXPECT_EQ(ui().opened, (std::vector<std::string>{folders().config_folder + "zam.htm",
                                                     folders().config_folder + "document.txt"}));
    // The item of the last document is selected at the next showing; with
    // fewer templates the first is.
    show([](Ttskojarzone& f) { EXPECT_EQ(f.cb_Templates->ItemIndex(), 2); });
    DeleteFile(folder() + "sub/C.wzr");
    show([](Ttskojarzone& f) { EXPECT_EQ(f.cb_Templates->ItemIndex(), 0); });
}

TEST_F(TemplateChooser, HidesRestoresAndEditsTemplates) {
    put("A.~zr", {"old hidden copy"});
    ui().answer(IDYES);
    ui().answer(IDYES);
    ui().answer(IDNO);
    ui().answer(IDYES);
    show([this](Ttskojarzone& f) {
        user::click(f.sb_TemplateHide);  // hides A.wzr over the old A.~zr
        EXPECT_EQ(titles(f), (std::vector<std::string>{"B.wzr", "Lista"}));
        EXPECT_FALSE(FileExists(folder() + "A.wzr"));
        EXPECT_EQ(read_lines(folder() + "A.~zr").size(), 6u);
        user::click(f.sb_ShowHiddenTemplates);
        EXPECT_EQ(titles(f), (std::vector<std::string>{"Zamówienie"_cp}));
        user::click(f.sb_TemplateHide);  // restores it
        EXPECT_TRUE(FileExists(folder() + "A.wzr"));
        user::click(f.sb_ShowHiddenTemplates);
        EXPECT_EQ(titles(f).size(), 3u);
        user::click(f.sb_TemplateEdit);  // answered No
        f.cb_Templates->SetItemIndex(1);
        user::click(f.sb_TemplateEdit);
    });
    EXPECT_EQ(ui().edited, (std::vector<std::string>{folder() + "B.wzr"}));
    ASSERT_EQ(ui().boxes.size(), 4u);
    EXPECT_EQ(ui().boxes[0].text, "Czy ukryć szablon: \rZamówienie?"_cp);
    EXPECT_EQ(ui().boxes[2].text,
              "Do edycji wybrano wzorzec: Zamówienie\r\rWprowadzone zmiany będą miały wpływ \rna wygląd generowanych "_cp
              "dokumentów. \r\rCzy napewno przejść do edycji wzorca?"_cp);
}

TEST_F(TemplateChooser, AFolderNamedWithATildeHidesNothing) {
    put("~moje/E.wzr", {"<HEADER>", "<TITLE>Moje</TITLE>", "</HEADER>", "x"});
    ui().answer(IDYES);
    show([this](Ttskojarzone& f) {
        EXPECT_EQ(titles(f), (std::vector<std::string>{"Moje", "Zamówienie"_cp, "B.wzr", "Lista"}));
        f.cb_Templates->SetItemIndex(0);
        user::click(f.sb_TemplateHide);
        EXPECT_TRUE(FileExists(folder() + "~moje/E.~zr"));
    });
}

}  // namespace
