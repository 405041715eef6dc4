// Journeys through the node table of the real main window, with Qt's key
// and mouse events: a profile typed from an empty start (its first key
// included), typing on after Ctrl keys and a header click, a node added
// after a save and the save question at the close, the interpolated
// terrain typed as shown, and the table after the settings' OK.
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest/QtTest>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "gui/main_window_fixture.h"
#include "gui/qt_text.h"
#include "model/columns.h"
#include "model/messages.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/sysutils.h"

namespace {

class TableJourney : public MainWindowTest {
protected:
    static std::vector<wezel>& nodes() { return model().profiles.at(model().current_profile).nodes; }
    static const std::string& cell(column_kind k, int node) { return Form1->sg1->Cells(col(k), node + 2); }
    // A mouse click on a cell, the table's scroll bars first moved to
    // show it as a user drags them.
    void click(TStringAlignGrid* grid, int c, int r) {
        for (QScrollBar* bar : widget(grid)->findChildren<QScrollBar*>()) {
            if (!bar->isVisible()) continue;
            const bool vertical = bar->orientation() == Qt::Vertical;
            const int index = vertical ? r : c;
            const int first = vertical ? grid->TopRow() : grid->LeftCol();
            const int fixed = vertical ? grid->FixedRows() : grid->FixedCols();
            if (index >= fixed && (index < first || grid->CellRect(c, r).Width() == 0))
                bar->setValue(std::min(index, bar->maximum()));
            settle();
        }
        const TRect rc = grid->CellRect(c, r);
        ASSERT_GT(rc.Width(), 0) << "cell " << c << "," << r << " is not shown";
        QTest::mouseClick(widget(grid), Qt::LeftButton, Qt::NoModifier, QPoint(rc.Left + 4, rc.Top + 4));
        settle();
    }
    // A mouse click on the node's cell, the text typed, Enter.
    void type_cell(column_kind k, int node, const std::string& text) {
        click(Form1->sg1, col(k), node + 2);
        type(text);
        enter();
    }
    // Ctrl pressed, then with it the key, as a keyboard sends them.
    void ctrl(Qt::Key k, const QString& text) {
        key(table, Qt::Key_Control, Qt::ControlModifier);
        key(table, k, Qt::ControlModifier, text);
        settle();
    }
    // Nodes typed from an empty profile: for each the terrain, the pipe
    // level and the chainage; Down on the last row adds the next node.
    void type_profile(const std::vector<std::array<const char*, 3>>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int n = static_cast<int>(i);
            if (i > 0) {
                click(Form1->sg1, col(column_kind::ter), n + 1);
                key(table, Qt::Key_Down);
                settle();
            }
            if (*rows[i][0]) type_cell(column_kind::ter, n, rows[i][0]);
            if (*rows[i][1]) type_cell(column_kind::dno, n, rows[i][1]);
            if (*rows[i][2]) type_cell(column_kind::odl, n, rows[i][2]);
        }
    }
};

TEST_F(TableJourney, AFiveNodeProfileTypedCellByCellFromAnEmptyStart) {
    ASSERT_TRUE(nodes().empty());
    pipe_levels_entered();
    type_profile({{"102.5", "100", "0"}, {"102", "99.8", "20"}, {"101.6", "99.6", "40"}, {"101.2", "99.4", "60"},
                  {"100.8", "99.2", "80"}});
    ASSERT_EQ(nodes().size(), 5u);
    const double terrains[] = {102.5, 102, 101.6, 101.2, 100.8};
    const double pipes[] = {100, 99.8, 99.6, 99.4, 99.2};
    for (int i = 0; i < 5; ++i) {
        const double terrain = terrains[i], pipe = pipes[i];
        EXPECT_EQ(nodes()[static_cast<std::size_t>(i)].ter, value_pair(terrain)) << i;
        EXPECT_EQ(cell(column_kind::ter, i), FloatToStrF(terrain, TFloatFormat::ffFixed, 18, 2)) << i;
        EXPECT_EQ(cell(column_kind::dno, i), FloatToStrF(pipe, TFloatFormat::ffFixed, 18, 2)) << i;
        EXPECT_EQ(cell(column_kind::zag, i), FloatToStrF(terrain - pipe, TFloatFormat::ffFixed, 18, 2)) << i;
        // 0.2 m over 20 m.
        if (i < 4) {
            EXPECT_EQ(cell(column_kind::spad, i), "1.0") << i;
        }
    }
    EXPECT_EQ(cell(column_kind::dlug, 0), "20.00");
    screenshot(window(*Form1), QStringLiteral("TForm1_five_nodes"));
}

TEST_F(TableJourney, CtrlKeysAndAHeaderClickLeaveTheTableTakingTypedValues) {
    pipe_levels_entered();
    type_profile({{"101", "99", "0"}, {"100", "98.5", "10"}});
    type_cell(column_kind::ter, 1, "100.4");

    // Ctrl+Z takes the terrain back; typing goes on where the mouse clicks.
    ctrl(Qt::Key_Z, QStringLiteral("\x1a"));
    EXPECT_EQ(nodes()[1].ter, value_pair(100));
    type_cell(column_kind::dno, 0, "99.1");
    EXPECT_EQ(nodes()[0].dno, value_pair(99.1));

    // Ctrl+Y brings the terrain back; typing goes on after an arrow key.
    click(Form1->sg1, col(column_kind::dno), 2);
    ctrl(Qt::Key_Y, QStringLiteral("\x19"));
    EXPECT_EQ(nodes()[1].ter, value_pair(100.4));
    key(table, Qt::Key_Down);
    type("98.4");
    enter();
    EXPECT_EQ(nodes()[1].dno, value_pair(98.4));

    // Ctrl+C copies the cell; a click on it and the next value is typed.
    click(Form1->sg1, col(column_kind::ter), 2);
    ctrl(Qt::Key_C, QStringLiteral("\x03"));
    EXPECT_EQ(qt().clipboard_text().value_or(""), "101.00");
    click(Form1->sg1, col(column_kind::ter), 2);
    type("101.2");
    enter();
    EXPECT_EQ(nodes()[0].ter, value_pair(101.2));

    // A header click selects the column; the next cell clicked takes typing.
    click(Form1->sg1, col(column_kind::zag), 0);
    EXPECT_EQ(Form1->sg1->Selection().Left, col(column_kind::zag));
    type_cell(column_kind::ter, 1, "100.6");
    EXPECT_EQ(nodes()[1].ter, value_pair(100.6));
    EXPECT_EQ(cell(column_kind::ter, 1), "100.60");
}

TEST_F(TableJourney, ANodeAddedAfterASaveIsAskedForAtTheClose) {
    pipe_levels_entered();
    type_profile({{"101", "99", "0"}, {"100", "98.5", "10"}});
    const std::string path = home.file("projekt.hlv");
    model().project_path = path;
    key(table, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    settle();
    ASSERT_TRUE(FileExists(path));
    ASSERT_FALSE(model().project_modified);
    ASSERT_FALSE(Form1->a_ProjectSave->Enabled());

    // Node > Add ("Węzeł" > "Dodaj") from the menu bar.
    QMenu* node_menu = nullptr;
    for (QAction* a : window(*Form1)->menu_bar()->actions())
        if (a->text() == gui::qs(Form1->mi_Node->Caption())) node_menu = a->menu();
    ASSERT_NE(node_menu, nullptr);
    emit node_menu->aboutToShow();
    QAction* add = nullptr;
    for (QAction* a : node_menu->actions())
        if (a->text().startsWith(gui::qs(Form1->a_NodeAdd->Caption()))) add = a;
    ASSERT_NE(add, nullptr);
    add->trigger();
    settle();
    EXPECT_EQ(nodes().size(), 3u);
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());

    // Closing the window asks; Cancel keeps it open with the node.
    QString asked;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        asked = box->text();
        QTest::mouseClick(box->button(QMessageBox::Cancel), Qt::LeftButton);
    });
    window(*Form1)->close();
    settle();
    EXPECT_EQ(asked, gui::qs(msg("msg_FileSaveQuestion", "Czy zapisać bieżące dane?"_cp)));
    EXPECT_TRUE(window(*Form1)->isVisible());
    EXPECT_EQ(nodes().size(), 3u);
}

TEST_F(TableJourney, TheInterpolatedTerrainTypedAsShownIsEntered) {
    pipe_levels_entered();
    type_profile({{"100", "98", "0"}, {"", "", "10"}, {"102", "99", "20"}});
    // The terrain of the middle node is not typed: the cell shows the
    // interpolated value on the computed background.
    ASSERT_EQ(nodes()[1].ter, value_pair(0));
    ASSERT_EQ(cell(column_kind::ter, 1), "101.00");
    const TColor grey_font = Form1->sg1->effective_font(col(column_kind::ter), 3).Color;
    type_cell(column_kind::ter, 1, "101.00");
    EXPECT_EQ(nodes()[1].ter, value_pair(101));
    EXPECT_EQ(cell(column_kind::ter, 1), "101.00");
    EXPECT_NE(Form1->sg1->effective_font(col(column_kind::ter), 3).Color, grey_font)
        << "an entered terrain is written in the window's text colour";
    EXPECT_TRUE(Form1->a_ProjectSave->Enabled());
}

TEST_F(TableJourney, TheTableKeepsEveryColumnAfterTheSettingsOK) {
    pipe_levels_entered();
    type_profile({{"101", "99", "0"}, {"100", "98.5", "10"}});
    std::vector<std::string> before;
    for (int c = 0; c < Form1->sg1->ColCount(); ++c) before.push_back(Form1->sg1->Cells(c, 2));
    QTimer::singleShot(0, [&] {
        settle();
        QTest::mouseClick(widget(topcje->b_OK), Qt::LeftButton);
    });
    QTest::mouseClick(widget(Form1->SpeedButton8), Qt::LeftButton);
    settle();
    std::vector<std::string> after;
    for (int c = 0; c < Form1->sg1->ColCount(); ++c) after.push_back(Form1->sg1->Cells(c, 2));
    EXPECT_EQ(after, before);
    screenshot(window(*Form1), QStringLiteral("TForm1_after_settings_ok"));
}

}  // namespace
