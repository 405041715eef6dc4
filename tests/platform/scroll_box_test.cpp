// The scroll box: its ranges follow its children, its positions stay inside
// them, and a child is scrolled into view.
#include <gtest/gtest.h>

#include "platform/stdctrls.h"
#include "support/toolkit_fixture.h"

namespace {

using ScrollBox = ToolkitTest;

TEST_F(ScrollBox, RangesFollowTheVisibleChildrenAndPositionsStayInside) {
    TForm* form = make_form();
    auto* box = new TScrollBox(form);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(form);
    EXPECT_EQ(box->HorzScrollBar().Range(), 0);
    auto* far = new TMemo(form);
    far->SetBounds(400, 150, 100, 50);
    far->SetParent(box);
    auto* aligned = new TPanel(form);
    aligned->SetAlign(TAlign::alTop);
    aligned->SetParent(box);
    EXPECT_EQ(box->HorzScrollBar().Range(), 500);
    EXPECT_EQ(box->VertScrollBar().Range(), 200);

    // Up to the range less what the box shows; the children keep their bounds.
    box->HorzScrollBar().SetPosition(1000);
    EXPECT_EQ(box->HorzScrollBar().Position(), 300);
    box->VertScrollBar().SetPosition(-5);
    EXPECT_EQ(box->VertScrollBar().Position(), 0);
    EXPECT_EQ(far->Left(), 400);

    // A hidden child takes no room; without AutoScroll the range is as set.
    far->SetVisible(false);
    EXPECT_EQ(box->HorzScrollBar().Range(), 0);
    box->AutoScroll = false;
    box->HorzScrollBar().SetRange(250);
    EXPECT_EQ(box->HorzScrollBar().Range(), 250);
    EXPECT_EQ(box->HorzScrollBar().Position(), 50);
}

TEST_F(ScrollBox, AChildIsScrolledIntoView) {
    TForm* form = make_form();
    auto* box = new TScrollBox(form);
    box->SetBounds(0, 0, 200, 100);
    box->SetParent(form);
    auto* a = new TMemo(form);
    a->SetBounds(10, 10, 50, 20);
    a->SetParent(box);
    auto* b = new TMemo(form);
    b->SetBounds(600, 300, 50, 20);
    b->SetParent(box);
    box->ScrollInView(b);
    EXPECT_EQ(box->HorzScrollBar().Position(), 450);
    EXPECT_EQ(box->VertScrollBar().Position(), 220);
    box->ScrollInView(a);
    EXPECT_EQ(box->HorzScrollBar().Position(), 10);
    EXPECT_EQ(box->VertScrollBar().Position(), 10);
}

}  // namespace
