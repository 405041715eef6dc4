// Texts in the toolkit's controls: look-ups by the program's collation,
// pastes the code page cannot hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/stdctrls.h"
#include "support/toolkit_fixture.h"

namespace {

class ToolkitTexts : public ToolkitTest {
protected:
    TForm* form = make_form();
};

TEST_F(ToolkitTexts, ComboTextFindsItsItemWithoutRegardToPolishCase) {
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->Items().SetText("Żwir\nzwir\nŚwietlik"_cp);
    combo->Items().CaseSensitive = true;  // the look-up ignores case all the same
    struct Case {
        std::string text;
        int index;
    };
    const Case cases[] = {{"żwir"_cp, 0}, {"ŻWIR"_cp, 0}, {"ZWIR", 1}, {"świetlik"_cp, 2}, {"swietlik", -1}, {"", -1}};
    for (const Case& c : cases) {
        combo->SetText(c.text);
        EXPECT_EQ(combo->ItemIndex(), c.index) << c.text;
        EXPECT_EQ(combo->Text(), c.text);
    }
    combo->SetItemIndex(-1);
    user::set_text(combo, "ŚWIETLIK"_cp);
    EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST_F(ToolkitTexts, MenuItemsAreFoundByCaptionWithoutRegardToPolishCase) {
    auto* menu = new TPopupMenu(form);
    auto* paste = new TMenuItem(form);
    paste->SetCaption("&Wklej"_cp);
    auto* remove = new TMenuItem(form);
    remove->SetCaption("&Usuń węzeł"_cp);
    menu->Items()->Add(paste);
    menu->Items()->Add(remove);
    EXPECT_EQ(menu->Items()->Find("USUŃ WĘZEŁ"_cp), remove);
    EXPECT_EQ(menu->Items()->Find("wklej"), paste);
    EXPECT_EQ(menu->Items()->Find("usun wezel"), nullptr);
}

// A paste of text that Windows-1250 cannot hold changes nothing: a beep and
// the note instead.
TEST_F(ToolkitTexts, PasteOfTextTheCodePageCannotHoldIsRefusedWithABeepAndANote) {
    std::vector<std::string> notes;
    app->OnNote = [&notes](const std::string& text) { notes.push_back(text); };
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    int changes = 0;
    edit->OnChange = [&changes](TObject*) { ++changes; };
    edit->SetText("rura");
    edit->SelectAll();
    changes = 0;

    ui().clipboard = std::nullopt;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "rura");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(notes, std::vector<std::string>{refused_text_note});

    ui().clipboard = "żwir"_cp;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "żwir"_cp);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(ui().beeps, 1);
    EXPECT_EQ(notes.size(), 1u);

    // Without a taker of notes the beep alone remains.
    app->OnNote = nullptr;
    ui().clipboard = std::nullopt;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "żwir"_cp);
    EXPECT_EQ(ui().beeps, 2);
}

}  // namespace
