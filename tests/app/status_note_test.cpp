// The main window's short note in its status bar.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "forms/rys1.h"
#include "platform/cp1250.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "support/fixture.h"

namespace {

using StatusNote = ProgramTest;

TEST_F(StatusNote, ARefusedPasteIsNotedInTheStatusBarForFourSeconds) {
    auto* edit = Form1->e_CompareLevel;
    edit->SetText("12");
    edit->SelectAll();
    ui().clipboard = std::nullopt;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), refused_text_note);
    EXPECT_EQ(Form1->StatusBar1->Color(), clYellow);
    EXPECT_TRUE(ui().timer_running(*Form1->t_Hints));

    // A second note restarts the four seconds.
    ui().advance(3000);
    Form1->show_hint("Istnieją ostrzeżenia. Sprawdź je."_cp);
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), "Istnieją ostrzeżenia. Sprawdź je."_cp);
    ui().advance(3999);
    EXPECT_EQ(Form1->StatusBar1->Color(), clYellow);
    ui().advance(1);
    EXPECT_EQ(Form1->StatusBar1->Color(), clBtnFace);
    EXPECT_FALSE(ui().timer_running(*Form1->t_Hints));
    // The panel keeps the last note until something else replaces it.
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), "Istnieją ostrzeżenia. Sprawdź je."_cp);
}

}  // namespace
