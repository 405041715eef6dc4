// The main window as a real window: a profile typed into the node table with
// key events, its computed columns and their colour, undo and redo by keys.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QtTest>

#include "forms/opcje.h"
#include "forms/rys1.h"
#include "gui/main_window_fixture.h"
#include "gui/qt_text.h"
#include "model/columns.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

class MainWindow : public MainWindowTest {
protected:
    // Walks to the cell with the arrow keys, types the text key by key on
    // the table and ends the edit with Enter; an editor the table opens on
    // the next cell is left with Esc.
    void go_to(int c, int r) {
        while (Form1->sg1->Col() < c) key(table, Qt::Key_Right);
        while (Form1->sg1->Col() > c) key(table, Qt::Key_Left);
        while (Form1->sg1->Row() < r) key(table, Qt::Key_Down);
        while (Form1->sg1->Row() > r) key(table, Qt::Key_Up);
    }
    void type_cell(column_kind k, int row, const std::string& text) {
        go_to(col(k), row);
        type(text);
        enter();
    }
    static std::string cell(column_kind k, int row) { return Form1->sg1->Cells(col(k), row); }
};

TEST_F(MainWindow, AProfileTypedIntoTheTableIsCalculatedColouredAndUndone) {
    screenshot(window(*Form1), QStringLiteral("TForm1_start"));
    ASSERT_EQ(model().profiles.size(), 1u);
    pipe_levels_entered();
    if (HasFatalFailure()) return;

    const struct {
        const char *chainage, *terrain, *pipe, *name;
    } typed[] = {{"0", "102", "100", "S1"}, {"25", "101.5", "99.75", "S2"}, {"60", "101", "99.4", "S3"},
                 {"100", "100.2", "99", "S4"}};
    for (int i = 0; i < 4; ++i) {
        const int row = i + 2;
        if (i > 0) {
            // Down on the last row appends the next node.
            go_to(col(column_kind::odl), row - 1);
            key(table, Qt::Key_Down);
            settle();
        }
        type_cell(column_kind::odl, row, typed[i].chainage);
        type_cell(column_kind::ter, row, typed[i].terrain);
        type_cell(column_kind::dno, row, typed[i].pipe);
        type_cell(column_kind::wez, row, typed[i].name);
    }
    ASSERT_EQ(model().profiles[0].nodes.size(), 4u);
    // Worked out by hand: lengths are the chainage differences, each segment
    // falls (100 - 99.75) / 25 = (99.75 - 99.4) / 35 = (99.4 - 99) / 40 =
    // 1 %, and the depth is the terrain less the pipe bottom.
    const double chainage[] = {0, 25, 60, 100};
    const double terrain[] = {102, 101.5, 101, 100.2};
    const double pipe[] = {100, 99.75, 99.4, 99};
    for (int i = 0; i < 4; ++i) {
        const int row = i + 2;
        EXPECT_EQ(cell(column_kind::zag, row), FloatToStrF(terrain[i] - pipe[i], TFloatFormat::ffFixed, 18, 2)) << i;
        EXPECT_EQ(cell(column_kind::wez, row), typed[i].name) << i;
        if (i == 3) continue;
        EXPECT_EQ(cell(column_kind::dlug, row), FloatToStrF(chainage[i + 1] - chainage[i], TFloatFormat::ffFixed, 18, 2));
        const double slope = (pipe[i] - pipe[i + 1]) / (chainage[i + 1] - chainage[i]) * 100;
        EXPECT_EQ(cell(column_kind::spad, row), FloatToStrF(slope, TFloatFormat::ffFixed, 18, 1)) << i;
    }
    // The depth column is computed: its cells show the computed colour.
    go_to(0, 5);
    settle();
    const QImage image = table->grab().toImage();
    const TRect depth = Form1->sg1->CellRect(col(column_kind::zag), 3);
    EXPECT_EQ(image.pixelColor(depth.Right - 3, depth.Bottom - 3), gui::qcolor(topcje->p_AutoColor->Color()));

    // Ctrl+Z takes the last name back, Ctrl+Y brings it again.
    key(table, Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
    settle();
    EXPECT_EQ(model().profiles[0].nodes[3].wez, "");
    key(table, Qt::Key_Y, Qt::ControlModifier, QStringLiteral("\x19"));
    settle();
    EXPECT_EQ(model().profiles[0].nodes[3].wez, "S4");
    screenshot(window(*Form1), QStringLiteral("TForm1_profile"));
}

}  // namespace
