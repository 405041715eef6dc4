// Labels size themselves to their captions (AutoSize), and a builder's
// control beside a label keeps beside it when another language gives the
// label another width.
#include <gtest/gtest.h>

#include <string>

#include "platform/builder.h"
#include "platform/cp1250.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {

class LabelSize : public ToolkitTest {
protected:
    TForm* form = make_form();
    TLabel* label(TAlignment alignment, bool wrap = false) {
        auto* l = new TLabel(form);
        l->Alignment = alignment;
        l->WordWrap = wrap;
        l->SetBounds(100, 10, 120, 15);
        l->SetParent(form);
        return l;
    }
};

TEST_F(LabelSize, AnAutoSizedLabelGrowsAwayFromTheEdgeItsAlignmentKeeps) {
    const std::string short_text = "Język:"_cp, long_text = "Change the \"X\" scale every:";
    struct Case {
        TAlignment alignment;
        // Which edge stays put: -1 left, 1 right, 0 the centre.
        int kept;
    };
    for (const Case c : {Case{TAlignment::taLeftJustify, -1}, Case{TAlignment::taRightJustify, 1},
                         Case{TAlignment::taCenter, 0}}) {
        TLabel* l = label(c.alignment);
        l->SetCaption(short_text);
        const int left = l->Left(), right = l->Left() + l->Width(), centre = l->Left() + l->Width() / 2;
        const int narrow = l->Width();
        l->SetCaption(long_text);
        // Room for the text as a screen font shows it: a fifth wider than
        // the built-in metrics.
        EXPECT_GE(l->Width(), text_width(l->Font(), long_text) * 6 / 5) << static_cast<int>(c.alignment);
        EXPECT_GT(l->Width(), narrow);
        if (c.kept < 0) { EXPECT_EQ(l->Left(), left); }
        if (c.kept > 0) { EXPECT_EQ(l->Left() + l->Width(), right); }
        if (c.kept == 0) { EXPECT_NEAR(l->Left() + l->Width() / 2, centre, 1); }
        EXPECT_EQ(l->Top(), 10);
        EXPECT_EQ(l->Height(), 15);
        // Back to the short caption: back to the short width, the same edge kept.
        l->SetCaption(short_text);
        EXPECT_EQ(l->Width(), narrow);
        if (c.kept < 0) { EXPECT_EQ(l->Left(), left); }
        if (c.kept > 0) { EXPECT_EQ(l->Left() + l->Width(), right); }
    }
}

TEST_F(LabelSize, TheAcceleratorMarkTakesNoRoomAndABoldFontTakesMore) {
    TLabel* plain = label(TAlignment::taLeftJustify);
    plain->SetCaption("Plik");
    TLabel* marked = label(TAlignment::taLeftJustify);
    marked->SetCaption("&Plik");
    EXPECT_EQ(marked->Width(), plain->Width());
    TFont bold = plain->Font();
    bold.Style = fsBold;
    plain->SetFont(bold);
    EXPECT_GT(plain->Width(), marked->Width());
}

TEST_F(LabelSize, AWordWrappedLabelKeepsItsWidthAndTakesTheHeightOfItsLines) {
    TLabel* l = label(TAlignment::taLeftJustify, true);
    l->SetCaption("one");
    const int one_line = l->Height();
    l->SetCaption("Zaznacz by narysować w profilu urządzenie do poboru próbek, a potem jeszcze coś więcej"_cp);
    EXPECT_EQ(l->Width(), 120);
    EXPECT_EQ(l->Left(), 100);
    EXPECT_GE(l->Height(), 3 * one_line);
}

TEST_F(LabelSize, WithoutAutoSizeOrWhenAlignedTheBoundsStayAsSet) {
    TLabel* fixed = label(TAlignment::taLeftJustify);
    fixed->AutoSize = false;
    fixed->SetBounds(100, 10, 120, 15);
    fixed->SetCaption("A caption far longer than the hundred and twenty pixels it has");
    EXPECT_EQ(fixed->Width(), 120);
    TLabel* top = label(TAlignment::taLeftJustify);
    top->SetAlign(TAlign::alTop);
    const int width = top->Width();
    top->SetCaption("A caption far longer than the form is wide, aligned at the top of it");
    EXPECT_EQ(top->Width(), width);
}

TEST_F(LabelSize, ABuildersControlKeepsBesideItsLabelInEveryLanguage) {
    form_builder b(form, form);
    auto* edit = b.labelled<TEdit>("e_skala_krot", "Zmieniaj skalę \"X\" co:"_cp, 60);
    auto* l = dynamic_cast<TLabel*>(form->FindComponent("l_e_skala_krot"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->FocusControl, edit);
    EXPECT_EQ(edit->Left(), l->Left() + l->Width() + 4);
    // The language file gives the longer English caption: the edit moves
    // along, and back for the shorter one.
    l->SetCaption("Change the \"X\" scale every:");
    EXPECT_EQ(edit->Left(), l->Left() + l->Width() + 4);
    EXPECT_EQ(edit->Width(), 60);
    l->SetCaption("Co:");
    EXPECT_EQ(edit->Left(), l->Left() + l->Width() + 4);
    // A label whose control is gone moves nothing.
    delete edit;
    l->SetCaption("Change the \"X\" scale every:");
    EXPECT_EQ(l->FocusControl, nullptr);
}

}  // namespace
