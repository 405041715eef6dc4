// The title block on the main window's page "Metryka": its boxes, the
// template commands, the arrows and modes, dragging and the title list,
// run as a user runs them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "files/title_block.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

const std::string golden = std::string(HALVOREN_TEST_DATA) + "/project/title_block.hlm";

class TitleBlock : public ProgramTest {
protected:
    TitleBlock() { user::choose_page(Form1->PageControl1, Form1->ts_InfoTable->PageIndex()); }

    // Runs a command of the menu "Metryka" as a user does.
    static void run(TAction* command) {
        user::choose_menu(Form1->mi_InfoTable);
        for (int i = 0; i < Form1->mi_InfoTable->Count(); ++i)
            if (Form1->mi_InfoTable->Items(i)->Action() == command) {
                user::choose_menu(Form1->mi_InfoTable->Items(i));
                return;
            }
        FAIL() << "no item of " << command->Name();
    }
    static TMemo* text_box(int n) { return dynamic_cast<TMemo*>(title_box(n)); }
    static TComboBox* title_list() { return dynamic_cast<TComboBox*>(title_box(0)); }
    static std::vector<std::string> lines(int n) {
        std::vector<std::string> out;
        const TStringList& l = text_box(n)->Lines();
        for (int i = 0; i < l.Count(); ++i) out.push_back(l[i]);
        return out;
    }
    // "left,top,width,height" of a box.
    static std::string bounds(const TControl* c) {
        return Format("%d,%d,%d,%d", {c->Left(), c->Top(), c->Width(), c->Height()});
    }
    // Every box from "tabs0" to the last, as "name bounds [line|line]" (the
    // title list with its text).
    static std::string boxes() {
        std::string out;
        for (int n = 0; n <= last_busy("last"); ++n) {
            TControl* c = title_box(n);
            if (!c) continue;
            out += c->Name() + " " + bounds(c) + " [";
            if (auto* m = dynamic_cast<TMemo*>(c)) {
                for (int i = 0; i < m->Lines().Count(); ++i) out += (i ? "|" : "") + m->Lines()[i];
            } else {
                out += c->Text();
            }
            out += "] ";
        }
        return out;
    }
    std::string user_ini() const { return folders().config_folder + "halvoren.ini"; }
    std::string recent_template() const { return IniFile(user_ini()).ReadString("pliki_metryka", "plik1", ""); }
    std::string new_file(const std::string& name, const std::string& content) {
        const std::string path = home.file(name);
        write_file(path, content);
        return path;
    }
    void open_template(const std::string& path) {
        ui().choose_file(path);
        run(Form1->a_it_TemplateOpen);
    }
};

TEST_F(TitleBlock, ATemplateOpensAsItsBoxesAndSavesToTheSameBytes) {
    open_template(golden);
    EXPECT_EQ(boxes(), "tabs0 5,545,300,21 [PROFIL PODŁUŻNY] "_cp
                       "tabs1 5,5,185,57 [  Projekt\tnr 1|Gmina Łódź|Skala 1:100] "_cp
                       "tabs3 200,5,120,19 [Arkusz\t1] "_cp);
    EXPECT_TRUE(Form1->a_it_TitleList->Checked());
    EXPECT_EQ(recent_template(), golden);

    // Read back, written again: the same bytes, and the file heads the
    // recent templates.
    const std::string out = home.file("kopia.hlm");
    ui().choose_file(out);
    run(Form1->a_it_TemplateSave);
    EXPECT_EQ(read_file(out), read_file(golden));
    EXPECT_EQ(ui().boxes.back().text, "Szablon zapisany pomyślnie."_cp);
    EXPECT_EQ(recent_template(), out);
    EXPECT_EQ(IniFile(user_ini()).ReadString("pliki_metryka", "plik2", ""), golden);
}

TEST_F(TitleBlock, ALineTypedWithTwoLeadingBlanksAndATabIsStoredWithMarksAndReadBackAsTyped) {
    run(Form1->a_it_TextboxInsert);
    TMemo* box = text_box(1);
    ASSERT_NE(box, nullptr);
    user::type(box, "  Projekt");
    user::key(VK_TAB, 0, '\t');
    user::type(box, "nr 1");
    EXPECT_EQ(lines(1), std::vector<std::string>{"  Projekt\tnr 1"});

    const std::string file = home.file("typed.hlm");
    ui().choose_file(file);
    run(Form1->a_it_TemplateSave);
    EXPECT_EQ(IniFile(file).ReadString("tabs1", "x0", ""), "\xA4\xA4Projekt\xACnr\xA4" "1");

    ui().answer(IDNO);  // not kept as a template again
    run(Form1->a_it_TemplateNew);
    EXPECT_EQ(title_box(1), nullptr);
    open_template(file);
    EXPECT_EQ(lines(1), std::vector<std::string>{"  Projekt\tnr 1"});
}

TEST_F(TitleBlock, StoredBoxesAreReadWithTheirDefaultsAndDamagedCountsCannotAskForMore) {
    struct Case {
        const char* what;
        std::string file;
        std::string expected;
    };
    const Case cases[] = {
        {"an empty middle line is not restored", "[tabs1]\r\ntyp=m\r\nxc=3\r\nx0=a\r\nx1=\r\nx2=c\r\n[rozne]\r\nlast=1\r\n",
         "tabs1 5,5,50,19 [a|c] "},
        {"boxes 1 and 3 of last 3", "[tabs1]\r\ntyp=m\r\n[tabs3]\r\ntyp=e\r\nl=20\r\n[rozne]\r\nlast=3\r\n",
         "tabs1 5,5,50,19 [] tabs3 20,5,50,19 [] "},
        {"a box of another kind or none is skipped",
         "[tabs1]\r\ntyp=c\r\n[tabs2]\r\nl=9\r\n[tabs3]\r\ntyp=m\r\n[rozne]\r\nlast=3\r\n", "tabs3 5,5,50,19 [] "},
        {"an older box keeps its text in x", "[tabs1]\r\ntyp=m\r\nxc=2\r\nx=stary\xA4tekst\r\n[rozne]\r\nlast=1\r\n",
         "tabs1 5,5,50,19 [stary tekst|stary tekst] "},
        {"a line count beyond the section's keys", "[tabs1]\r\ntyp=m\r\nxc=2000000000\r\nx1=b\r\n[rozne]\r\nlast=1\r\n",
         "tabs1 5,5,50,19 [b] "},
        {"at most 255 boxes", "[tabs255]\r\ntyp=m\r\n[tabs256]\r\ntyp=m\r\n[rozne]\r\nlast=100000\r\n",
         "tabs255 5,5,50,19 [] "},
        {"the title list's defaults", "[rozne]\r\ntytuly=1\r\nlast=0\r\n",
         "tabs0 5,545,300,21 [BIOLOGICZNA OCZYSZCZALNIA ŚCIEKÓW] "_cp},
        {"no sections: the first box only", "[tabs1]\r\ntyp=m\r\n[tabs2]\r\ntyp=m\r\n", "tabs1 5,5,50,19 [] "},
    };
    for (const Case& c : cases) {
        czysc_tabele();
        otworz_tabele(new_file("case.hlv", c.file));
        EXPECT_EQ(boxes(), c.expected) << c.what;
    }
    // A project file is not a template: the recent templates stay empty.
    EXPECT_EQ(recent_template(), "");
}

TEST_F(TitleBlock, TheTitleListOffersTheUsersDrawingTitlesAndGoesWithItsCommand) {
    ini_write(user_ini(), "nazwa_rys", "nazcount", "2");
    ini_write(user_ini(), "nazwa_rys", "naz1", "Profil");
    ini_write(user_ini(), "nazwa_rys", "naz2", "Schemat");
    run(Form1->a_it_TitleList);
    ASSERT_NE(title_list(), nullptr);
    EXPECT_TRUE(Form1->a_it_TitleList->Checked());
    EXPECT_EQ(boxes(), "tabs0 5,5,300,21 [BIOLOGICZNA OCZYSZCZALNIA ŚCIEKÓW] "_cp);
    ASSERT_EQ(title_list()->Items().Count(), 2);
    EXPECT_EQ(title_list()->Items()[1], "Schemat");
    // A second list is never made.
    cre_combo(40, 40, "Inny", 100);
    EXPECT_EQ(bounds(title_list()), "5,5,300,21");

    // Stored with its text, read back in place.
    user::set_text(title_list(), "Schemat");
    const std::string file = home.file("list.hlv");
    zapisz_tabele(file);
    IniFile ini(file);
    EXPECT_EQ(ini.ReadString("tabs0", "typ", ""), "c");
    EXPECT_EQ(ini.ReadString("tabs0", "x", ""), "Schemat");
    EXPECT_EQ(ini.ReadString("rozne", "tytuly", ""), "1");
    EXPECT_EQ(ini.ReadString("rozne", "last", ""), "0");

    run(Form1->a_it_TitleList);
    EXPECT_EQ(title_list(), nullptr);
    EXPECT_FALSE(Form1->a_it_TitleList->Checked());
    EXPECT_TRUE(ui().boxes.empty());
    otworz_tabele(file);
    EXPECT_EQ(boxes(), "tabs0 5,5,300,21 [Schemat] ");
    EXPECT_EQ(title_list()->ItemIndex(), 1);
}

TEST_F(TitleBlock, AnInsertTakesTheFirstFreeNumberAndADeleteNeedsASelectedBox) {
    for (int i = 0; i < 3; ++i) run(Form1->a_it_TextboxInsert);
    EXPECT_EQ(boxes(), "tabs1 5,5,185,19 [] tabs2 10,5,185,19 [] tabs3 15,5,185,19 [] ");
    EXPECT_EQ(text_box(1)->Lines().Count(), 1);  // one empty line

    // Nothing chosen yet: the message, and every box stays.
    run(Form1->a_it_TextboxDelete);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Nie wybrano pola do usunięcia. \rKliknij w polu, które chcesz usunąć."_cp);
    EXPECT_EQ(last_busy("last"), 3);

    user::focus(text_box(2));
    run(Form1->a_it_TextboxDelete);
    EXPECT_EQ(title_box(2), nullptr);
    run(Form1->a_it_TextboxInsert);
    EXPECT_EQ(bounds(text_box(2)), "10,5,185,19");
    EXPECT_EQ(first_empty("tabs"), 4);
}

TEST_F(TitleBlock, ArrowsMoveOrSizeTheSelectedBoxAndKeepAMarginOfThreePixels) {
    enum Mode { move, size };
    struct Case {
        Mode mode;
        TAction* arrow;
        bool times10;
        int l, t, w, h;  // before
        std::string to;
    };
    const Case cases[] = {
        {move, Form1->a_it_Arrow_Right, false, 943, 5, 50, 19, "944,5,50,19"},  // right edge 994: 3 pixels left
        {move, Form1->a_it_Arrow_Right, false, 944, 5, 50, 19, "944,5,50,19"},
        {move, Form1->a_it_Arrow_Left, false, 944, 5, 50, 19, "943,5,50,19"},
        {move, Form1->a_it_Arrow_Left, false, 3, 5, 50, 19, "3,5,50,19"},
        {move, Form1->a_it_Arrow_Left, true, 13, 5, 50, 19, "3,5,50,19"},
        {move, Form1->a_it_Arrow_Left, true, 12, 5, 50, 19, "12,5,50,19"},
        {move, Form1->a_it_Arrow_Up, false, 5, 3, 50, 19, "5,3,50,19"},
        {move, Form1->a_it_Arrow_Down, false, 5, 547, 50, 19, "5,548,50,19"},
        {move, Form1->a_it_Arrow_Down, false, 5, 548, 50, 19, "5,548,50,19"},
        {size, Form1->a_it_Arrow_Right, true, 900, 5, 84, 19, "900,5,94,19"},
        {size, Form1->a_it_Arrow_Right, false, 900, 5, 94, 19, "900,5,94,19"},
        {size, Form1->a_it_Arrow_Left, false, 5, 5, 5, 19, "5,5,5,19"},
        {size, Form1->a_it_Arrow_Down, false, 5, 5, 50, 19, "5,5,50,20"},
        {size, Form1->a_it_Arrow_Up, false, 5, 5, 50, 19, "5,5,50,19"},
    };
    run(Form1->a_it_TextboxInsert);
    TMemo* box = text_box(1);
    user::focus(box);
    for (const Case& c : cases) {
        user::choose_menu(Form1->mi_InfoTable);
        user::choose_menu(c.mode == move ? Form1->mi_Location : Form1->mi_Size);
        if (Form1->tb_m10->Down() != c.times10) user::click(Form1->tb_m10);
        box->SetBounds(c.l, c.t, c.w, c.h);
        run(c.arrow);
        EXPECT_EQ(bounds(box), c.to) << (c.mode == move ? "move " : "size ") << c.arrow->Name() << " from " << c.l
                                     << "," << c.t << "," << c.w << "," << c.h;
    }
    // The title list is never made higher.
    run(Form1->a_it_TitleList);
    user::focus(title_list());
    run(Form1->a_it_Arrow_Down);
    EXPECT_EQ(bounds(title_list()), "5,5,300,21");
}

TEST_F(TitleBlock, EveryChangeOfTheBoxesMarksTheProjectAndLookingDoesNot) {
    run(Form1->a_it_TextboxInsert);
    TMemo* box = text_box(1);
    struct Case {
        const char* what;
        std::function<void()> act;
        bool marks;
    } cases[] = {
        {"a box chosen", [box] { user::focus(box); }, false},
        {"the mode menu", [] { user::choose_menu(Form1->mi_InfoTable); user::choose_menu(Form1->mi_Size); }, false},
        {"a box made larger", [] { run(Form1->a_it_Arrow_Right); }, true},
        {"an arrow that cannot size it further", [box] {
             box->SetBounds(900, 5, 94, 19);
             run(Form1->a_it_Arrow_Right);
         }, false},
        {"a line typed", [box] { user::type(box, "Inwestor"); }, true},
        {"a box dragged", [box] {
             user::mouse_down(box, TMouseButton::mbLeft, ssLeft | ssCtrl, 10, 6);
             user::mouse_move(box, ssLeft | ssCtrl, 30, 16);
         }, true},
        {"the title list", [] { run(Form1->a_it_TitleList); }, true},
        {"a box inserted", [] { run(Form1->a_it_TextboxInsert); }, true},
        {"a box deleted", [box] {
             user::focus(box);
             run(Form1->a_it_TextboxDelete);
         }, true},
        {"a new template", [this] {
             ui().answer(IDNO);
             run(Form1->a_it_TemplateNew);
         }, true},
    };
    for (const Case& c : cases) {
        set_project_modified(false);
        c.act();
        EXPECT_EQ(model().project_modified, c.marks) << c.what;
        EXPECT_EQ(Form1->a_ProjectSave->Enabled(), c.marks) << c.what;
    }
}

TEST_F(TitleBlock, TheModeMenuItemsAndToolButtonsFollowEachOther) {
    EXPECT_TRUE(Form1->mi_Location->Checked());
    EXPECT_TRUE(Form1->tb_mprzesun->Down());
    user::choose_menu(Form1->mi_InfoTable);
    user::choose_menu(Form1->mi_Size);
    EXPECT_TRUE(Form1->tb_mrozmiar->Down());
    EXPECT_FALSE(Form1->tb_mprzesun->Down());
    EXPECT_FALSE(Form1->mi_Location->Checked());
    user::click(Form1->tb_mprzesun);
    EXPECT_TRUE(Form1->mi_Location->Checked());
    EXPECT_FALSE(Form1->mi_Size->Checked());
    EXPECT_FALSE(Form1->tb_mrozmiar->Down());
}

TEST_F(TitleBlock, ABoxDraggedWithCtrlFollowsTheMouse) {
    run(Form1->a_it_TextboxInsert);
    TMemo* box = text_box(1);
    user::mouse_down(box, TMouseButton::mbLeft, ssLeft | ssCtrl, 10, 6);
    user::mouse_move(box, ssLeft | ssCtrl, 40, 26);
    EXPECT_EQ(bounds(box), "35,25,185,19");
    EXPECT_EQ(box->Cursor, TCursor::crSizeAll);
    // Never past the area's left or top edge.
    user::mouse_move(box, ssLeft | ssCtrl, -100, 6);
    EXPECT_EQ(bounds(box), "0,25,185,19");
    // Without Ctrl the mouse selects text as usual.
    user::mouse_move(box, ssLeft, 80, 6);
    EXPECT_EQ(bounds(box), "0,25,185,19");
    EXPECT_EQ(box->Cursor, TCursor::crDefault);
}

TEST_F(TitleBlock, TheTemplateQuestionComesOnlyWhenThereIsATextBox) {
    // Only the title list: no question before a new template.
    run(Form1->a_it_TitleList);
    run(Form1->a_it_TemplateNew);
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_EQ(boxes(), "");

    run(Form1->a_it_TextboxInsert);
    ui().answer(IDCANCEL);
    run(Form1->a_it_TemplateNew);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Czy zapisać bieżącą metrykę jako szablon?"_cp);
    EXPECT_EQ(ui().boxes[0].buttons(), static_cast<unsigned>(MB_YESNOCANCEL));
    EXPECT_NE(text_box(1), nullptr);

    // Cancel also ends the open command before its dialog.
    ui().answer(IDCANCEL);
    run(Form1->a_it_TemplateOpen);
    EXPECT_NE(text_box(1), nullptr);

    // Yes saves the template first.
    const std::string file = home.file("kept.hlm");
    ui().answer(IDYES);
    ui().choose_file(file);
    run(Form1->a_it_TemplateNew);
    EXPECT_EQ(IniFile(file).ReadString("tabs1", "typ", ""), "m");
    EXPECT_EQ(text_box(1), nullptr);
}

TEST_F(TitleBlock, ASaveReplacesAnExistingTemplateWholeWithoutAQuestion) {
    const std::string file = new_file("stary.hlm", "[tabs9]\r\ntyp=m\r\nxc=1\r\nx0=stary\r\n[rozne]\r\nlast=9\r\n");
    run(Form1->a_it_TextboxInsert);
    ui().choose_file(file);
    run(Form1->a_it_TemplateSave);
    ASSERT_EQ(ui().boxes.size(), 1u);  // only the note that it was saved
    const IniFile ini(file);
    EXPECT_FALSE(ini.SectionExists("tabs9"));
    EXPECT_EQ(ini.ReadString("rozne", "last", ""), "1");
    EXPECT_EQ(recent_template(), file);
    EXPECT_EQ(IniFile(user_ini()).ReadString("program", "path_metryka", ""), home.path() + "/");
    EXPECT_EQ(list_folder(home.path(), "*.~hlm*", false), std::vector<std::string>{});
    EXPECT_EQ(list_folder(home.path(), ".*.halvoren-tmp", false), std::vector<std::string>{});

    // A file that cannot be replaced stays as it was, and nothing is left beside it.
    const std::string folder = home.file("folder.hlm");
    ForceDirectories(folder);
    ui().choose_file(folder);
    run(Form1->a_it_TemplateSave);
    EXPECT_TRUE(DirectoryExists(folder));
    EXPECT_EQ(ui().boxes.size(), 2u);  // the error box
    EXPECT_EQ(list_folder(home.path(), "*.~hlm*", false), std::vector<std::string>{});
    EXPECT_EQ(list_folder(home.path(), ".*.halvoren-tmp", false), std::vector<std::string>{});
    EXPECT_EQ(recent_template(), file);
}

TEST_F(TitleBlock, ASavedTemplateKeepsTheModeOfTheFileItReplacesAndANewOneTakesTheUsualMode) {
    run(Form1->a_it_TextboxInsert);
    const std::string shared = new_file("wspolny.hlm", "[rozne]\r\nlast=0\r\n");
    for (const mode_t mode : {0644, 0664, 0600}) {
        ASSERT_EQ(::chmod(shared.c_str(), mode), 0);
        ui().choose_file(shared);
        run(Form1->a_it_TemplateSave);
        struct stat st {};
        ASSERT_EQ(::stat(shared.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(IniFile(shared).ReadString("rozne", "last", ""), "1");
    }
    const mode_t old_mask = ::umask(022);
    ui().choose_file(home.file("nowy.hlm"));
    run(Form1->a_it_TemplateSave);
    ::umask(old_mask);
    struct stat st {};
    ASSERT_EQ(::stat(home.file("nowy.hlm").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(TitleBlock, TheExtentOfTheBoxesIsWhatTheDrawingPlacesTheTitleBlockBy) {
    EXPECT_EQ(last_busy("last"), 0);
    EXPECT_EQ(last_busy("min_l"), 400);
    EXPECT_EQ(last_busy("min_t"), 400);
    EXPECT_EQ(last_busy("max_r"), 0);
    EXPECT_EQ(last_busy("max_b"), 0);
    otworz_tabele(golden);
    EXPECT_EQ(last_busy("last"), 3);
    EXPECT_EQ(last_busy("min_l"), 5);
    EXPECT_EQ(last_busy("min_t"), 5);
    EXPECT_EQ(last_busy("max_r"), 320);
    EXPECT_EQ(last_busy("max_b"), 566);
    // The smallest corner never lies beyond 400.
    czysc_tabele();
    otworz_tabele(new_file("far.hlv", "[tabs1]\r\ntyp=m\r\nl=500\r\nt=450\r\n[rozne]\r\nlast=1\r\n"));
    EXPECT_EQ(last_busy("min_l"), 400);
    EXPECT_EQ(last_busy("min_t"), 400);
    EXPECT_EQ(last_busy("max_r"), 550);
    // Only the title block's boxes carry such names.
    auto* odd = new TMemo(Form1);
    odd->SetName("tabsX");
    EXPECT_THROW(last_busy("last"), EConvertError);
    delete odd;
    // Clearing removes every box.
    czysc_tabele();
    EXPECT_EQ(last_busy("last"), 0);
    EXPECT_EQ(first_empty("tabs"), 1);
}

TEST_F(TitleBlock, ThePageShowsItsToolBarAndMenuAndGreysItsCaptionWithoutTheTitleBlock) {
    EXPECT_TRUE(Form1->tb_InfoTable->Visible());
    EXPECT_TRUE(Form1->mi_InfoTable->Enabled());
    EXPECT_FALSE(Form1->mi_ObjectInsert->Enabled());
    // Showing the page changes nothing of the project.
    EXPECT_FALSE(model().project_modified);
    EXPECT_FALSE(Form1->a_ProjectSave->Enabled());

    user::click(Form1->tb_bezmetryki);
    EXPECT_TRUE(Form1->a_it_WithoutInfoTable->Checked());
    EXPECT_EQ(Form1->ts_InfoTable->Font().Color, static_cast<TColor>(8421504));
    user::choose_menu(Form1->mi_InfoTable);
    for (int i = 0; i < Form1->mi_InfoTable->Count(); ++i)
        if (Form1->mi_InfoTable->Items(i)->Action() == Form1->a_it_WithoutInfoTable)
            user::choose_menu(Form1->mi_InfoTable->Items(i));
    EXPECT_FALSE(Form1->tb_bezmetryki->Down());
    EXPECT_EQ(Form1->ts_InfoTable->Font().Color, clWindowText);

    user::choose_page(Form1->PageControl1, Form1->ts_Data->PageIndex());
    EXPECT_FALSE(Form1->tb_InfoTable->Visible());
    EXPECT_FALSE(Form1->mi_InfoTable->Enabled());
    EXPECT_TRUE(Form1->mi_ObjectInsert->Enabled());
    // Set by the settings, the state shows when the page is shown again.
    Form1->a_it_WithoutInfoTable->SetChecked(true);
    user::choose_page(Form1->PageControl1, Form1->ts_InfoTable->PageIndex());
    EXPECT_EQ(Form1->ts_InfoTable->Font().Color, static_cast<TColor>(8421504));
}

}  // namespace
