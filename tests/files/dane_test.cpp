// The project data dialog "Podstawowe parametry projektu", reached from the
// main window's "O projekcie...".
#include <gtest/gtest.h>

#include "files/project_data.h"
#include "forms/dane.h"
#include "forms/kosztorys.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/cost_state.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/input.h"
#include "support/fixture.h"

namespace {

class ProjectDataDialog : public ProgramTest {
protected:
    // Opens the dialog from the main window; `play` acts as the user, then
    // the window closes with Escape.
    void open(const std::function<void(Ttdane&)>& play) {
        ui().on_modal("Ttdane", [play](TForm&) {
            play(*tdane);
            user::key(VK_ESCAPE);
        });
        Form1->a_ProjectData->Execute();
    }
    // The office's staff list with an empty row above the second person.
    static void staff_list() {
        TStringGrid* w = topcje->sag_Workers;
        const std::vector<std::vector<std::string>> rows = {
            {"Kowalski Jan", "Projektant", "UPR-1", "drogowa"},
            {"", "", "", ""},
            {"Nowak Anna", "Kierownik", "UPR-3", "sanitarna"},
        };
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) w->SetCell(c, r + 1, rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    }
    static std::vector<std::string> staff_row(int row) {
        std::vector<std::string> out;
        for (int c = 1; c <= 4; ++c) out.push_back(tdane->sag_dane_kadra->Cells(c, row));
        return out;
    }
    // Starts typing a name into row 1 of the staff table.
    static void type_name(Ttdane& d, std::string_view text) {
        user::choose_page(d.PageControl1, 1);
        user::click_cell(d.sag_dane_kadra, 1, 1);
        user::type(d.sag_dane_kadra, text);
    }
    std::string project_file(const std::string& name, const std::string& investor) {
        const std::string path = home.file(name);
        write_lines(path, {"[dane_proj]", "inwestor=" + investor, "inwestycja=Sieć"_cp});
        return path;
    }
};

TEST_F(ProjectDataDialog, CompletionTakesThePersonsOwnRowOfTheStaffList) {
    staff_list();
    open([](Ttdane& d) {
        type_name(d, "NO");
        ASSERT_TRUE(d.lb_listy->Visible());
        const std::vector<std::string> items = {"Kowalski Jan", "Nowak Anna", "", "            dostosuj listę..."_cp};
        ASSERT_EQ(d.lb_listy->Items().Count(), 4);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(d.lb_listy->Items()[i], items[static_cast<std::size_t>(i)]);
        EXPECT_EQ(d.lb_listy->ItemIndex(), 1);
        EXPECT_EQ(d.lb_listy->TopIndex, 0);
        const TRect cell = d.sag_dane_kadra->CellRect(1, 1);
        EXPECT_EQ(d.lb_listy->Left(), d.sag_dane_kadra->Left() + cell.Left + 1);
        EXPECT_EQ(d.lb_listy->Top(), d.sag_dane_kadra->Top() + cell.Bottom + 1);
        user::key(VK_RETURN);
        EXPECT_FALSE(d.lb_listy->Visible());
        EXPECT_EQ(staff_row(1), (std::vector<std::string>{"Nowak Anna", "Kierownik", "UPR-3", "sanitarna"}));
        user::key(VK_RETURN);  // the edit ends
    });
    EXPECT_EQ(tdane->sag_dane_kadra->Cells(1, 1), "Nowak Anna");
}

TEST_F(ProjectDataDialog, CompletionListHidesForAStrangerAndOffersTheEmptyItem) {
    staff_list();
    open([](Ttdane& d) {
        type_name(d, "zz");
        EXPECT_FALSE(d.lb_listy->Visible());
        user::key(VK_RETURN);
        for (int c = 2; c <= 4; ++c) d.sag_dane_kadra->SetCell(c, 1, "x");
        // An empty cell chooses the first item; two down is the empty item.
        user::click_cell(d.sag_dane_kadra, 1, 1);
        user::type(d.sag_dane_kadra, "k");
        user::key(VK_BACK);
        ASSERT_TRUE(d.lb_listy->Visible());
        user::key(VK_DOWN);
        user::key(VK_DOWN);
        EXPECT_EQ(d.lb_listy->ItemIndex(), 2);
        user::key(VK_RETURN);
        EXPECT_EQ(staff_row(1), (std::vector<std::string>{"", "", "", ""}));
        user::key(VK_RETURN);
        // Escape hides the list and leaves the cell as typed.
        type_name(d, "k");
        EXPECT_TRUE(d.lb_listy->Visible());
        user::key(VK_ESCAPE);
        EXPECT_FALSE(d.lb_listy->Visible());
        user::key(VK_RETURN);
        EXPECT_EQ(d.sag_dane_kadra->Cells(1, 1), "k");
    });
}

TEST_F(ProjectDataDialog, LastItemOpensTheSettingsAtTheStaffPage) {
    staff_list();
    ui().on_modal("Ttdane", [](TForm&) {
        Ttdane& d = *tdane;
        type_name(d, " ");
        ASSERT_TRUE(d.lb_listy->Visible());
        EXPECT_EQ(d.lb_listy->ItemIndex(), 3);
        user::double_click(d.lb_listy);
        EXPECT_FALSE(d.lb_listy->Visible());
        user::key(VK_RETURN);
        EXPECT_EQ(d.sag_dane_kadra->Cells(1, 1), " ");
        user::key(VK_ESCAPE);
    });
    ui().on_modal("Ttopcje", [](TForm&) {
        EXPECT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Personnel);
        EXPECT_EQ(topcje->tv_Config->Selected()->Text(), "Kadra");
        user::click(topcje->b_Cancel);
    });
    Form1->a_ProjectData->Execute();
    EXPECT_EQ(ui().modal_forms, (std::vector<std::string>{"Ttdane", "Ttopcje"}));
}

TEST_F(ProjectDataDialog, ClipboardKeysCopyAndPasteAndThePasteIsKept) {
    model().project.dane.obiekt = "Kanał"_cp;
    open([this](Ttdane& d) {
        user::click_cell(d.sag_MainData, 1, 5);
        user::key('C', ssCtrl);
        EXPECT_EQ(ui().clipboard, std::optional<std::string>("Kanał"_cp));
        ui().clipboard = "  Gmina Nowa  \r\n";
        user::click_cell(d.sag_MainData, 1, 1);
        user::key('V', ssCtrl);
        EXPECT_EQ(d.sag_MainData->Cells(1, 1), "Gmina Nowa");
    });
    // The record took the pasted text at once; closing kept it.
    EXPECT_EQ(model().project.dane.inwestor, "Gmina Nowa");
    EXPECT_EQ(model().project.dane.obiekt, "Kanał"_cp);
}

TEST_F(ProjectDataDialog, PasteFromFileAsksAndShowsTheProjectsDataAgain) {
    model().project.dane.inwestor = "Stary";
    const std::string other = project_file("Inny.hlv", "Nowy");
    ui().choose_file(other);
    ui().answer(IDNO);
    ui().choose_file(other);
    ui().answer(IDYES);
    ui().choose_file(project_file("stary.txt", "Tekst"));
    ui().cancel_file_dialog();
    open([](Ttdane& d) {
        user::click(d.tb_PasteFromFile);
        EXPECT_EQ(d.sag_MainData->Cells(1, 1), "Stary");
        EXPECT_EQ(d.sag_MainData->Font().Color, clWindowText);
        user::click(d.tb_PasteFromFile);
        user::click(d.tb_PasteFromFile);  // a legacy text project: nothing
        user::click(d.tb_PasteFromFile);  // cancelled
    });
    ASSERT_EQ(ui().boxes.size(), 2u);
    for (const auto& b : ui().boxes) {
        EXPECT_EQ(b.text, "Czy zatwierdzić te dane?"_cp);
        EXPECT_EQ(b.caption, "Potwierdź dane"_cp);
        EXPECT_EQ(b.flags, unsigned(MB_YESNO | MB_ICONQUESTION));
    }
    EXPECT_EQ(model().project.dane.inwestor, "Nowy");
    EXPECT_EQ(model().project.dane.inwestycja, "Sieć"_cp);
    EXPECT_EQ(tdane->sag_MainData->Cells(1, 1), "Nowy");
    EXPECT_EQ(ui().file_dialogs.front().default_ext, "hlv");
    EXPECT_EQ(ui().file_dialogs.front().file_name, "");
}

TEST_F(ProjectDataDialog, ClearAsksOnEachPage) {
    model().project.dane.inwestor = "Gmina";
    ui().answer(IDNO);
    ui().answer(IDYES);
    ui().answer(IDYES);
    open([](Ttdane& d) {
        d.sag_dane_kadra->SetCell(2, 3, "Projektant");
        user::click(d.tb_Clear);
        EXPECT_EQ(model().project.dane.inwestor, "Gmina");
        user::click(d.tb_Clear);
        EXPECT_EQ(d.sag_MainData->Cells(1, 1), "");
        EXPECT_EQ(d.sag_dane_kadra->Cells(2, 3), "Projektant");
        user::choose_page(d.PageControl1, 1);
        user::click(d.tb_Clear);
        EXPECT_EQ(d.sag_dane_kadra->Cells(2, 3), "");
    });
    EXPECT_EQ(model().project.dane.inwestor, "");
    EXPECT_EQ(ui().boxes[0].text, "Czy usunąć wszystkie dane z poniższej tabeli?"_cp);
    EXPECT_EQ(ui().boxes[0].caption, "Usuwanie danych...");
    EXPECT_EQ(ui().boxes[2].text, "Czy usunąć dane projektantów z poniższej tabeli?"_cp);
}

TEST_F(ProjectDataDialog, EditsGoToTheEstimatesCopyWhileTheEstimateWindowShows) {
    model().project.dane.inwestor = "Projekt";
    cost_data().estimates.resize(2);
    cost_data().current_estimate = 1;
    tKosztorys->Show();
    open([](Ttdane& d) {
        user::click_cell(d.sag_MainData, 1, 1);
        user::type(d.sag_MainData, "Kosztorys");
        user::key(VK_RETURN);
    });
    EXPECT_EQ(cost_data().estimates[1].title.inwestor, "Kosztorys");
    EXPECT_EQ(cost_data().estimates[0].title.inwestor, "");
    EXPECT_EQ(model().project.dane.inwestor, "Projekt");
    tKosztorys->Hide();
    open([](Ttdane& d) {
        user::click_cell(d.sag_MainData, 1, 1);
        user::type(d.sag_MainData, "Inny");
        user::key(VK_RETURN);
    });
    EXPECT_EQ(model().project.dane.inwestor, "Inny");
}

}  // namespace
