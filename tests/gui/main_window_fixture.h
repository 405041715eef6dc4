// The main window shown as a real window with its node table active: the
// journeys through the table share it.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest/QtTest>

#include <string>

#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "model/columns.h"
#include "model/state.h"
#include "platform/sysutils.h"

class MainWindowTest : public GuiTest {
protected:
    QWidget* table = nullptr;

    void SetUp() override {
        prog->show_main_window();
        settle();
        QApplication::setActiveWindow(window(*Form1));
        settle();
        decimal_separator = '.';
        table = widget(Form1->sg1);
    }
    static int col(column_kind k) { return model().position_of(k); }
    // The table's in-place line edit.
    QLineEdit* editor() const { return table->findChild<QLineEdit*>(); }
    // Where the keys go: the cell's line edit while it shows, else the table.
    QWidget* key_target() const {
        return editor() && editor()->isVisible() ? static_cast<QWidget*>(editor()) : table;
    }
    // Types key by key where the keyboard's focus is.
    void type(const std::string& text) {
        for (char c : text) {
            const QString s(QChar::fromLatin1(c));
            const Qt::Key code = c == '.' ? Qt::Key_Period : static_cast<Qt::Key>(QChar::fromLatin1(c).toUpper().unicode());
            key(key_target(), code, Qt::NoModifier, s);
        }
    }
    // Ends the edit with Enter; the editor the table opens on the next cell
    // is left with Esc.
    void enter() {
        key(key_target(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        if (editor() && editor()->isVisible()) key(editor(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
        settle();
    }
    // The pipe levels and the chainages are entered by hand ("&Rzędna
    // rury", "&Odległość"), by the radio buttons a user clicks.
    void pipe_levels_entered() {
        auto distance = widget(Form1->rg_ManuallyValueDistance)->findChildren<QRadioButton*>();
        auto kept = widget(Form1->rg_ManuallyValue)->findChildren<QRadioButton*>();
        ASSERT_EQ(distance.size(), 2);
        ASSERT_EQ(kept.size(), 4);
        QTest::mouseClick(distance[1], Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
        QTest::mouseClick(kept[0], Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
        settle();
        ASSERT_EQ(Form1->rg_ManuallyValueDistance->ItemIndex(), 1);
        ASSERT_EQ(Form1->rg_ManuallyValue->ItemIndex(), 0);
    }
};
