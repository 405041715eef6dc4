// The pieces at the Qt edge: the QPainter canvas, keys, dialog filters, the
// printer and the services.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>

#include "gui/gui_fixture.h"
#include "gui/key_map.h"
#include "gui/qt_canvas.h"
#include "gui/qt_printer.h"
#include "gui/qt_services.h"
#include "gui/qt_text.h"
#include "forms/rys1.h"
#include "platform/cp1250.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

// A white picture drawn through the canvas; ink is every pixel not white.
class Picture {
public:
    Picture() : image_(400, 300, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        painter_ = std::make_unique<QPainter>(&image_);
        canvas = std::make_unique<gui::QtCanvas>(*painter_);
        canvas->Font.Name = "DejaVu Sans";
        canvas->Font.SetSize(14);
        canvas->Font.Color = clBlack;
        canvas->Brush.Style = TBrushStyle::bsClear;
    }
    const QImage& done() {
        canvas.reset();
        painter_.reset();
        return image_;
    }
    QColor at(int x, int y) { return done().pixelColor(x, y); }
    // The bounding box of the ink.
    QRect ink() {
        const QImage& img = done();
        QRect box;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) != QColor(Qt::white)) box |= QRect(x, y, 1, 1);
        return box;
    }
    std::unique_ptr<gui::QtCanvas> canvas;

private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
};

TEST(QtCanvas, RectanglesFillAndFrameWithRightAndBottomExclusive) {
    Picture p;
    p.canvas->Brush.Style = TBrushStyle::bsSolid;
    p.canvas->Brush.Color = clRed;
    p.canvas->FillRect({10, 10, 20, 20});
    p.canvas->Brush.Style = TBrushStyle::bsClear;
    p.canvas->Pen.Color = clBlue;
    p.canvas->Rectangle(30, 10, 40, 20);
    p.canvas->Brush.Color = clGreen;
    p.canvas->FrameRect({50, 10, 60, 20});
    p.canvas->SetPixel(70, 10, clLime);
    const QImage& img = p.done();
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(19, 19), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(20, 20), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(30, 10), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(39, 19), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(40, 19), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(35, 15), QColor(Qt::white));  // a clear brush leaves the inside
    EXPECT_EQ(img.pixelColor(59, 19), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(55, 15), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(70, 10), QColor(Qt::green));
}

TEST(QtCanvas, TextOutHonoursTheAlignmentOfItsReferencePoint) {
    struct Case {
        unsigned align;
        const char* what;
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, "left top"},         {TA_RIGHT | TA_TOP, "right top"},
        {TA_CENTER | TA_TOP, "center top"},     {TA_LEFT | TA_BASELINE, "left baseline"},
        {TA_LEFT | TA_BOTTOM, "left bottom"},
    };
    const int x = 200, y = 150;
    for (const Case& c : cases) {
        Picture p;
        p.canvas->SetTextAlign(c.align);
        p.canvas->TextOut(x, y, "HWH");
        const int w = p.canvas->TextWidth("HWH");
        const QRect ink = p.ink();
        ASSERT_TRUE(ink.isValid()) << c.what;
        if ((c.align & TA_CENTER) == TA_CENTER) EXPECT_NEAR(ink.center().x(), x, 3) << c.what;
        else if (c.align & TA_RIGHT) {
            EXPECT_LE(ink.right(), x) << c.what;
            EXPECT_GE(ink.left(), x - w - 1) << c.what;
        } else {
            EXPECT_GE(ink.left(), x) << c.what;
            EXPECT_LE(ink.right(), x + w) << c.what;
        }
        if ((c.align & TA_BASELINE) == TA_BASELINE) EXPECT_EQ(ink.bottom(), y - 1) << c.what;
        else if (c.align & TA_BOTTOM) EXPECT_LT(ink.bottom(), y - 1) << c.what;  // the descent lies below the letters
        else EXPECT_GE(ink.top(), y) << c.what;
    }
}

TEST(QtCanvas, EscapementTurnsTextCounterClockwise) {
    Picture p;
    TFont f = p.canvas->Font;
    f.Orientation = 900;
    p.canvas->Font = f;
    p.canvas->TextOut(200, 200, "Rzędna 102.50"_cp);
    const QRect ink = p.ink();
    ASSERT_TRUE(ink.isValid());
    EXPECT_GT(ink.height(), 3 * ink.width());  // upright
    EXPECT_LE(ink.bottom(), 200);              // going up from the reference point
    EXPECT_GE(ink.left(), 200);                // its top to the left... its ascent to the left of x
}

TEST(QtCanvas, DrawTextWrapsMeasuresAndAligns) {
    Picture p;
    TRect calc{10, 10, 110, 10};
    const int h = p.canvas->DrawText("jeden dwa trzy cztery pięć"_cp, calc, DT_WORDBREAK | DT_CALCRECT);
    const int line = p.canvas->TextHeight("X");
    EXPECT_EQ(h % line, 0);
    EXPECT_GE(h / line, 2);
    EXPECT_EQ(calc.Bottom - calc.Top, h);
    EXPECT_LE(calc.Right, 110);
    TRect r{10, 100, 300, 140};
    p.canvas->DrawText("&Prawo", r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
    const QRect ink = p.ink();
    EXPECT_LE(ink.right(), 300);
    EXPECT_GT(ink.left(), 150);
    EXPECT_GE(ink.top(), 100);
    EXPECT_LE(ink.bottom(), 140);
}

TEST(QtCanvas, ArcRunsCounterClockwiseBetweenTheRays) {
    Picture p;
    p.canvas->Pen.Color = clBlack;
    // From the ray to the right to the ray upward: the upper right quarter.
    p.canvas->Arc(100, 100, 201, 201, 300, 150, 150, 0);
    const QRect ink = p.ink();
    ASSERT_TRUE(ink.isValid());
    EXPECT_GE(ink.left(), 148);
    EXPECT_LE(ink.bottom(), 152);
    EXPECT_GT(ink.width(), 40);
    EXPECT_GT(ink.height(), 40);
}

TEST(QtCanvas, SolidBrushFillsBehindTextAndClipCutsDrawing) {
    Picture p;
    p.canvas->Brush.Style = TBrushStyle::bsSolid;
    p.canvas->Brush.Color = clYellow;
    p.canvas->TextOut(10, 10, "i");
    p.canvas->SetClipRect({100, 100, 120, 120});
    p.canvas->Brush.Color = clRed;
    p.canvas->FillRect({0, 0, 400, 300});
    p.canvas->ResetClip();
    const QImage& img = p.done();
    EXPECT_EQ(img.pixelColor(10, 11), QColor(Qt::yellow));
    EXPECT_EQ(img.pixelColor(110, 110), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(99, 110), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(120, 110), QColor(Qt::white));
}

TEST(KeyMap, QtKeysBecomeVirtualKeys) {
    struct Case {
        int qt;
        bool keypad;
        Word vk;
    };
    const Case cases[] = {
        {Qt::Key_A, false, 'A'},          {Qt::Key_Z, false, 'Z'},          {Qt::Key_5, false, '5'},
        {Qt::Key_F5, false, VK_F5},       {Qt::Key_F12, false, VK_F12},     {Qt::Key_Return, false, VK_RETURN},
        {Qt::Key_Enter, true, VK_RETURN}, {Qt::Key_Escape, false, VK_ESCAPE}, {Qt::Key_Delete, false, VK_DELETE},
        {Qt::Key_Insert, false, VK_INSERT}, {Qt::Key_PageDown, false, VK_NEXT}, {Qt::Key_Left, false, VK_LEFT},
        {Qt::Key_Semicolon, false, 0xBA}, {Qt::Key_Equal, false, 0xBB},     {Qt::Key_Comma, false, 0xBC},
        {Qt::Key_Minus, false, 0xBD},     {Qt::Key_Period, false, 0xBE},    {Qt::Key_Slash, false, 0xBF},
        {Qt::Key_Underscore, false, 0xBD}, {Qt::Key_Exclam, false, '1'},    {Qt::Key_ParenRight, false, '0'},
        {Qt::Key_7, true, VK_NUMPAD0 + 7}, {Qt::Key_Plus, true, VK_ADD},     {Qt::Key_Minus, true, VK_SUBTRACT},
        {Qt::Key_Asterisk, true, VK_MULTIPLY}, {Qt::Key_Slash, true, VK_DIVIDE}, {Qt::Key_Comma, true, VK_DECIMAL},
        {Qt::Key_Home, true, VK_HOME},    {Qt::Key_Agrave, false, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(gui::vk_from_qt(c.qt, c.keypad), c.vk) << std::hex << c.qt;
    EXPECT_EQ(gui::shift_from_qt(Qt::ShiftModifier | Qt::ControlModifier | Qt::KeypadModifier), ssShift | ssCtrl);
    EXPECT_EQ(gui::shift_from_qt(Qt::AltModifier, Qt::LeftButton | Qt::RightButton), ssAlt | ssLeft | ssRight);
}

TEST(KeyMap, TypedCharactersBecomeWindows1250) {
    struct Case {
        QString text;
        Qt::KeyboardModifiers mods;
        char ch;
        bool representable;
    };
    const Case cases[] = {
        {QStringLiteral("a"), Qt::NoModifier, 'a', true},
        {gui::qs("ł"_cp), Qt::NoModifier, '\xb3', true},
        {gui::qs("€"_cp), Qt::NoModifier, '\x80', true},
        {QStringLiteral("\r"), Qt::NoModifier, '\r', true},
        {QStringLiteral("\b"), Qt::NoModifier, '\b', true},
        {QStringLiteral("\x7f"), Qt::NoModifier, 0, true},   // Delete types nothing
        {QStringLiteral("\t"), Qt::NoModifier, 0, true},
        {QStringLiteral("\x01"), Qt::ControlModifier, 0, true},
        {QStringLiteral("s"), Qt::ControlModifier, 0, true},
        {QStringLiteral("s"), Qt::AltModifier, 0, true},
        {gui::qs("ą"_cp), Qt::ControlModifier | Qt::AltModifier, '\xb9', true},  // AltGr
        {QString(QChar(0x4E2D)), Qt::NoModifier, 0, false},
        {QString(), Qt::NoModifier, 0, true},
    };
    for (const Case& c : cases) {
        const QKeyEvent e(QEvent::KeyPress, Qt::Key_unknown, c.mods, c.text);
        bool representable = true;
        EXPECT_EQ(gui::char_from_event(e, representable), c.ch) << c.text.toStdString();
        EXPECT_EQ(representable, c.representable) << c.text.toStdString();
    }
}

TEST(DialogFilters, OldFiltersBecomeQtNameFiltersAndBack) {
    const QStringList f = gui::qt_filters("Projekty (*.hlv)|*.hlv|Rysunki DXF|*.dxf;*.DXF|Wszystkie pliki|*.*");
    EXPECT_EQ(f, (QStringList{QStringLiteral("Projekty (*.hlv)"), QStringLiteral("Rysunki DXF (*.dxf *.DXF)"),
                              QStringLiteral("Wszystkie pliki (*.*)")}));
    EXPECT_EQ(gui::filter_index(f, f[1]), 2);
    EXPECT_EQ(gui::filter_index(f, QStringLiteral("other")), 1);
    EXPECT_EQ(gui::qt_filters("Teksty (*.txt)|*.txt;*.csv"), QStringList{QStringLiteral("Teksty (*.txt *.csv)")});
    EXPECT_EQ(gui::qt_filters("Pliki łuków|*.luk"_cp), QStringList{gui::qs("Pliki łuków (*.luk)"_cp)});
    EXPECT_TRUE(gui::qt_filters("").isEmpty());
}

class Services : public GuiTest {};

TEST_F(Services, PrinterWritesAPdfFileOfPagesDrawnThroughTheCanvas) {
    TPrinter& pr = qt().printer();
    const auto names = pr.Printers();
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.back(), gui::QtPrinter::pdf_entry);
    EXPECT_THROW(pr.Canvas(), Exception);
    pr.SetPrinterIndex(static_cast<int>(names.size()) - 1);
    pr.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_GT(pr.PageWidth(), pr.PageHeight());
    EXPECT_GT(pr.dpi_x(), 0);
    EXPECT_GE(pr.physical_width(), pr.PageWidth() + pr.offset_x());
    pr.Title = "Profil";
    pr.output_file = home.file("profil ł.pdf"_cp);
    pr.BeginDoc();
    EXPECT_TRUE(pr.Printing());
    EXPECT_EQ(pr.PageNumber(), 1);
    EXPECT_THROW(pr.BeginDoc(), Exception);
    pr.Canvas().Font.SetSize(10);
    pr.Canvas().TextOut(100, 100, "Strona pierwsza");
    const TSize one_inch_text = pr.Canvas().TextExtent("X");
    pr.NewPage();
    EXPECT_EQ(pr.PageNumber(), 2);
    pr.Canvas().Rectangle(100, 100, 1000, 1000);
    pr.EndDoc();
    EXPECT_FALSE(pr.Printing());
    // Fonts are sized for the printer's resolution: a 10 point letter is
    // about 10/72 of an inch high.
    EXPECT_NEAR(one_inch_text.cy, pr.dpi_y() * 10 * 1.15 / 72, pr.dpi_y() * 0.06);
    QFile pdf(gui::os_path(pr.output_file));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2);
}

// A paste the code page cannot hold changes nothing: a beep and the main
// window's note, whether the core pastes or the widget's own menu does.
TEST_F(Services, PasteOfTextTheCodePageCannotHoldIsRefusedWithANote) {
    Form1->Show();
    settle();
    TEdit* edit = Form1->e_CompareLevel;
    edit->SetText("12");
    edit->SelectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("a") + QChar(0x4E2D) + QStringLiteral("b"));
    const int beeps = qt().beeps;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(qt().beeps, beeps + 1);
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), refused_text_note);
    EXPECT_EQ(Form1->StatusBar1->Color(), clYellow);

    Form1->StatusBar1->Panels(0)->SetText("");
    auto* line = widget_as<QLineEdit>(edit);
    ASSERT_NE(line, nullptr);
    line->selectAll();
    line->paste();
    settle();
    EXPECT_EQ(edit->Text(), "12");
    EXPECT_EQ(line->text(), QStringLiteral("12"));
    EXPECT_EQ(qt().beeps, beeps + 2);
    EXPECT_EQ(Form1->StatusBar1->Panels(0)->Text(), refused_text_note);

    QGuiApplication::clipboard()->setText(gui::qs("żwir"_cp));
    edit->SelectAll();
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->Text(), "żwir"_cp);
    EXPECT_EQ(qt().beeps, beeps + 2);
}

TEST_F(Services, ClipboardRegistryFontsAndScreen) {
    qt().set_clipboard_text("Zażółć"_cp);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Za\u017C\u00F3\u0142\u0107"));
    EXPECT_EQ(qt().clipboard_text(), "Zażółć"_cp);
    // Text that Windows-1250 cannot hold is no text to paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("a") + QChar(0x4E2D) + QStringLiteral("b"));
    EXPECT_EQ(qt().clipboard_text(), std::nullopt);

    EXPECT_EQ(qt().registry().store_path(), path_join(registry_folder(), "registry.ini"));
    EXPECT_EQ(ExtractFileDir(qt().registry().store_path()), ExcludeTrailingPathDelimiter(home.path()));

    const auto fonts = qt().fonts();
    ASSERT_FALSE(fonts.empty());
    bool fixed = false, variable = false;
    for (const auto& f : fonts) {
        fixed |= (f.pitch_and_family & 3) == 1;
        variable |= (f.pitch_and_family & 3) == 2;
    }
    EXPECT_TRUE(fixed);
    EXPECT_TRUE(variable);
    EXPECT_GE(qt().monitors().size(), 1u);
    EXPECT_GT(qt().pixels_per_inch(), 0);
    const int64_t t0 = qt().tick_count();
    EXPECT_GE(qt().tick_count(), t0);
    EXPECT_FALSE(qt().key_held(VK_CONTROL));
}

TEST_F(Services, FontFilesAndTheDrawingProgramsCommandLine) {
    // The installed fonts' file table: outline faces by family, style and
    // format, the regular style without its word, sorted; values file names.
    const auto files = qt().font_files();
    ASSERT_FALSE(files.empty());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& n = files[i].name;
        EXPECT_TRUE(n.ends_with(" (TrueType)") || n.ends_with(" (OpenType)")) << n;
        EXPECT_EQ(files[i].file.find('/'), std::string::npos) << files[i].file;
        EXPECT_NE(files[i].file.find('.'), std::string::npos) << files[i].file;
        if (i > 0) { EXPECT_LE(AnsiCompareText(files[i - 1].name, n), 0) << n; }
    }
    EXPECT_EQ(gui::font_table_name("DejaVu Sans", "Book", false), "DejaVu Sans (TrueType)");
    EXPECT_EQ(gui::font_table_name("Noto Sans", "Bold Italic", true), "Noto Sans Bold Italic (OpenType)");
    EXPECT_EQ(gui::font_table_name("Arial", "Regular", false), "Arial (TrueType)");

    // A desktop entry's Exec value: field codes removed, a bare name found on PATH.
    const std::string sh = gui::desktop_exec_command(QStringLiteral("sh -c %f"));
    EXPECT_TRUE(sh.starts_with("/") && sh.ends_with("/sh -c")) << sh;
    EXPECT_EQ(gui::desktop_exec_command(QStringLiteral("\"/opt/My Cad/cad\" --open %U")), "\"/opt/My Cad/cad\" --open");
    EXPECT_EQ(gui::desktop_exec_command(QStringLiteral("/opt/cad/bin/cad %F --rate=50%%")), "/opt/cad/bin/cad --rate=50%");
    EXPECT_EQ(gui::desktop_exec_command(QStringLiteral("no-such-program-here %f")), "no-such-program-here");
    EXPECT_EQ(gui::desktop_exec_command(QString()), "");
}

TEST(NoDisplay, TheProgramSaysSoInOneLineAndExitsWithOne) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString());
    env.insert(QStringLiteral("DISPLAY"), QString());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(HALVOREN_EXE), {});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("no display"))) << err.toStdString();
}

}  // namespace
