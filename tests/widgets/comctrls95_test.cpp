// The tab strip: selection from code, dragging tabs, hints, image indexes,
// accelerators, drawing and the error texts.
#include <gtest/gtest.h>

#include "platform/comctrls.h"
#include "platform/exceptions.h"
#include "platform/input.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"
#include "widgets/comctrls95.h"

namespace {

class Tab95 : public ToolkitTest {
protected:
    TForm* form = make_form();
    TTab95Control* tabs = [this] {
        auto* t = new TTab95Control(form);
        t->SetParent(form);
        t->SetBounds(0, 0, 400, 26);
        t->SetTabPosition(tpBottomRight);
        for (const char* text : {"profil1", "profil2", "profil3"}) t->Tabs.Add(text);
        t->set_tab_index(0);
        return t;
    }();
    std::vector<std::string> log;

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (int i = 0; i < tabs->Tabs.Count(); ++i) out.push_back(tabs->Tabs.Strings(i));
        return out;
    }
    TPoint centre(int i) const {
        const TRect r = tabs->TabRect(i);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    // Presses on tab `from` and releases over the point.
    void drag(int from, TPoint to) {
        const TPoint p = centre(from);
        user::mouse_down(tabs, TMouseButton::mbLeft, ssLeft, p.x, p.y);
        user::mouse_move(tabs, ssLeft, to.x, to.y);
        user::mouse_up(tabs, TMouseButton::mbLeft, 0, to.x, to.y);
    }
};

TEST_F(Tab95, SettingTheIndexFromCodeRunsNoHandler) {
    tabs->OnChanging = [this](TObject*, bool&) { log.push_back("changing"); };
    tabs->OnChange = [this](TObject*) { log.push_back("change"); };
    tabs->set_tab_index(2);
    EXPECT_EQ(tabs->tab_index(), 2);
    EXPECT_TRUE(log.empty());
    const TPoint p = centre(1);
    user::mouse_down(tabs, TMouseButton::mbLeft, ssLeft, p.x, p.y);
    EXPECT_EQ(log, (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(tabs->tab_index(), 1);
}

TEST_F(Tab95, TabsStandAtTheBottomAndTheSelectedOneStandsOut) {
    const TRect r = tabs->TabRect(1);
    EXPECT_EQ(r.Bottom, 26 - 2);
    EXPECT_EQ(tabs->tab_at_point(centre(1).x, centre(1).y), 1);
    EXPECT_EQ(tabs->tab_at_point(centre(1).x, 1), -1);
    tabs->SetColor(clWhite);
    tabs->Tabs.SetString(1, "  profil2  ");
    tabs->set_tab_index(1);
    RecordingCanvas canvas;
    tabs->PaintTo(canvas);
    std::vector<RecordingCanvas::Op> fills;
    for (const auto& op : canvas.of_kind("fill"))
        if (op.args[1] > 0) fills.push_back(op);  // the tabs, not the strip's ground
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[1].brush.Color, clWhite);
    EXPECT_EQ(fills[0].brush.Color, clMedGray);
    EXPECT_EQ(fills[0].args[1], tabs->TabRect(0).Top - 2) << "an unselected tab stands 2 pixels up";
    EXPECT_EQ(fills[1].args[1], r.Top);
    EXPECT_EQ(canvas.texts(), (std::vector<std::string>{"profil1", "profil2", "profil3"})) << "captions trimmed";

    // The owner may draw each tab itself.
    std::vector<std::string> drawn;
    tabs->OnDrawTab = [&](TCustomTab95Control*, const std::string& caption, int index, const TRect&) {
        drawn.push_back(std::to_string(index) + caption);
    };
    canvas.ops.clear();
    tabs->PaintTo(canvas);
    EXPECT_EQ(drawn, (std::vector<std::string>{"0profil1", "1  profil2  ", "2profil3"}));
    EXPECT_TRUE(canvas.texts().empty());
}

TEST_F(Tab95, ATabIsAsLongAsTheWiderOfItsFontsWritesTheCaption) {
    // The other tabs' font is the larger here: a caption must fit in it too.
    TFont large = tabs->Font();
    large.SetSize(tabs->Font().Size() * 2);
    tabs->SetTabInactiveFont(large);
    tabs->Tabs.SetString(1, "  profil2  ");
    for (int i = 0; i < 3; ++i) {
        const std::string caption = Trim(tabs->Tabs.Strings(i));
        const int widest = std::max(text_width(tabs->Font(), caption), text_width(large, caption));
        EXPECT_EQ(tabs->TabRect(i).Width(), widest + 12) << caption;  // 6 pixels on either side, blanks trimmed
    }
    EXPECT_EQ(tabs->TabRect(1).Left, tabs->TabRect(0).Right);
}

TEST_F(Tab95, ADraggedTabMovesWithItsDataAndImageAndTheSelection) {
    tabs->AllowTabShifting = true;
    for (int i = 0; i < 3; ++i) {
        tabs->Tabs.SetObject(i, 100 + i);
        tabs->ImageIndexes.SetString(i, std::to_string(5 + i));
    }
    tabs->OnTabShift = [this](TObject*) { log.push_back("shift"); };
    tabs->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up " + texts()[0]); };
    drag(1, centre(0));
    EXPECT_EQ(texts(), (std::vector<std::string>{"profil2", "profil1", "profil3"}));
    EXPECT_EQ(tabs->ImageIndexes.Strings(0), "6");
    EXPECT_EQ(tabs->ImageIndexes.Strings(1), "5");
    EXPECT_EQ(tabs->Tabs.Objects(0), 101);
    EXPECT_EQ(tabs->tab_index(), 0) << "the selection moved with the tab";
    EXPECT_EQ(log, (std::vector<std::string>{"shift", "up profil2"})) << "the owner sees the tabs moved";
    EXPECT_EQ(tabs->dragged_tab(), -1);
}

TEST_F(Tab95, ReleasesThatMoveNothing) {
    const std::vector<std::string> start = texts();
    tabs->OnTabShift = [this](TObject*) { log.push_back("shift"); };
    struct Case {
        const char* what;
        bool allow;
        int from;
        TPoint to;
    } cases[] = {
        {"the same tab", true, 1, {0, 0}},
        {"outside the tabs", true, 1, {5, 1}},
        {"shifting not allowed", false, 1, {0, 0}},
    };
    for (const Case& c : cases) {
        tabs->AllowTabShifting = c.allow;
        const TPoint to = c.to.x == 0 ? centre(c.from) : c.to;
        drag(c.from, to);
        if (c.to.x == 0 && c.allow) {
            // Then a release over another tab, without a press: nothing is dragged.
            user::mouse_up(tabs, TMouseButton::mbLeft, 0, centre(2).x, centre(2).y);
        }
        EXPECT_EQ(texts(), start) << c.what;
    }
    // A press the change handler refuses drags nothing.
    tabs->AllowTabShifting = true;
    tabs->set_tab_index(0);
    tabs->OnChanging = [](TObject*, bool& allow) { allow = false; };
    drag(2, centre(0));
    EXPECT_EQ(texts(), start);
    EXPECT_TRUE(log.empty());
}

TEST_F(Tab95, DragCursorsAndTabTracking) {
    tabs->AllowTabShifting = true;
    std::vector<int> tracked;
    tabs->OnTabTrack = [&](TObject*, int i) { tracked.push_back(i); };
    const TPoint p0 = centre(0), p1 = centre(1);
    user::mouse_move(tabs, 0, p0.x, p0.y);
    user::mouse_move(tabs, 0, p0.x + 1, p0.y);
    user::mouse_down(tabs, TMouseButton::mbLeft, ssLeft, p0.x, p0.y);
    user::mouse_move(tabs, ssLeft, p1.x, p1.y);
    EXPECT_EQ(tabs->Cursor, TCursor::crDrag);
    user::mouse_move(tabs, ssLeft, p1.x, 1);
    EXPECT_EQ(tabs->Cursor, TCursor::crNo);
    user::mouse_move(tabs, ssLeft, p0.x, p0.y);
    EXPECT_EQ(tabs->Cursor, TCursor::crDefault);
    user::mouse_up(tabs, TMouseButton::mbLeft, 0, p0.x, p0.y);
    EXPECT_EQ(tracked, (std::vector<int>{0, 1, -1, 0}));
    user::mouse_leave(tabs);
    EXPECT_EQ(tabs->hot_tab(), 0) << "without hot tracking the last tab found stays";
    tabs->HotTrack = true;
    user::mouse_leave(tabs);
    EXPECT_EQ(tabs->hot_tab(), -1);
}

TEST_F(Tab95, HintsComeFromTheListWhereItHasAnEntry) {
    tabs->TabHints.Add("  Profil pierwszy  ");
    tabs->SetHint("strip");
    user::mouse_move(tabs, 0, centre(0).x, centre(0).y);
    EXPECT_EQ(tabs->Hint(), "Profil pierwszy");
    tabs->SetHint("strip");
    user::mouse_move(tabs, 0, centre(2).x, centre(2).y);
    EXPECT_EQ(tabs->Hint(), "strip") << "a tab without an entry leaves the hint";
}

TEST_F(Tab95, ImageIndexesPutAddAndAssign) {
    TImageIndexStrings& ii = tabs->ImageIndexes;
    EXPECT_EQ(ii.Count(), 3);
    struct Case {
        const char* text;
        std::string want;
    } cases[] = {{"3", "3"}, {"abc", "-1"}, {"-5", "-1"}, {"", "-1"}, {"12", "12"}};
    for (const Case& c : cases) {
        ii.SetString(0, c.text);
        EXPECT_EQ(ii.Strings(0), c.want) << c.text;
    }
    ii.SetString(3, "9");  // beyond the tabs: ignored
    EXPECT_EQ(ii.Count(), 3);
    ii.Add("1");
    ii.Add("2");
    EXPECT_EQ(ii.Strings(1), "2");
    ii.Clear();
    ii.Add("4");
    EXPECT_EQ(ii.Strings(0), "4");
    ii.Delete(0);
    ii.Insert(0, "8");
    EXPECT_EQ(ii.Count(), 3);
    ii.Assign(TStringList{"10", "11", "12", "13"});
    EXPECT_EQ(ii.Strings(2), "12");
    auto* button = new TButton(form);
    try {
        ii.Assign(*button);
        FAIL() << "assigning a button";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Can't assign TButton to TImageIndexStrings.");
    }
}

TEST_F(Tab95, AcceleratorsSelectATabWithTheChangeHandler) {
    tabs->Tabs.Clear();
    tabs->Tabs.Add("&Alfa");
    tabs->Tabs.Add("&Beta");
    tabs->set_tab_index(0);
    tabs->OnChange = [this](TObject*) { log.push_back("change"); };
    tabs->SetFocus();
    user::key('B', ssAlt);
    EXPECT_EQ(tabs->tab_index(), 1);
    user::key('B', ssAlt);  // already selected: taken, nothing runs
    user::key('Z', ssAlt);
    EXPECT_EQ(log, (std::vector<std::string>{"change"}));
}

TEST_F(Tab95, ErrorTextsAndPropertyRules) {
    auto message = [](const std::function<void()>& fn) {
        try {
            fn();
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    const std::string access = "Tab control access error\r\nViolation occured in ";
    EXPECT_EQ(message([&] { tabs->Tabs.Strings(3); }), access + "TTabStrings.Get");
    EXPECT_EQ(message([&] { tabs->Tabs.SetString(-1, "x"); }), access + "TTabStrings.Put");
    EXPECT_EQ(message([&] { tabs->Tabs.Delete(7); }), access + "TTabStrings.Delete");
    EXPECT_EQ(message([&] { tabs->Tabs.Insert(5, "x"); }), access + "TTabStrings.Insert");
    EXPECT_EQ(message([&] { tabs->Tabs.Objects(4); }), access + "TTabStrings.GetObject");
    EXPECT_EQ(message([&] { tabs->Tabs.SetObject(4, 1); }), access + "TTabStrings.PutObject");
    EXPECT_EQ(message([&] { tabs->ImageIndexes.Strings(3); }), access + "TImageIndexStrings.Get");
    EXPECT_EQ(message([&] { tabs->ImageIndexes.SetString(-1, "1"); }), access + "TImageIndexStrings.Put");
    EXPECT_EQ(message([&] { tabs->SetTabWidth(-1); }), "TTab95Control property out of range");
    EXPECT_EQ(message([&] { tabs->SetTabHeight(-3); }), "TTab95Control property out of range");

    tabs->SetVerticalTabs(true);
    tabs->SetButtonStyle(true);
    EXPECT_EQ(tabs->TabPosition(), tpTopLeft) << "buttons go back to the top";
    EXPECT_FALSE(tabs->VerticalTabs());
    EXPECT_EQ(message([&] { tabs->SetTabPosition(tpBottomRight); }), "Buttons are only supported when aligned along the top");
    EXPECT_EQ(message([&] { tabs->SetVerticalTabs(true); }), "Buttons are only supported when aligned along the top");
    tabs->SetScrollOpposite(true);
    EXPECT_TRUE(tabs->MultiLine);
    tabs->SetMultiLine(false);
    EXPECT_FALSE(tabs->ScrollOpposite());
}

TEST_F(Tab95, AnUpdateOfTheTabListNotifiesOnce) {
    int items = 0;
    const int id = tabs->observe([&](TComponent*, Prop p) { items += p == Prop::Items; });
    tabs->Tabs.BeginUpdate();
    for (int i = 0; i < 50; ++i) tabs->Tabs.Add("p" + std::to_string(i));
    EXPECT_EQ(items, 0);
    tabs->Tabs.EndUpdate();
    EXPECT_EQ(items, 1);
    tabs->unobserve(id);
    tabs->Tabs.Assign(TStringList{"a", "b"});
    EXPECT_EQ(texts(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
