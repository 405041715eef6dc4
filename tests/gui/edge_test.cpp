// The pieces at the Qt edge: the QPainter canvas, keys, dialog filters, the
// printer and the services.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>

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
    // A text edit of the window: the crossings' label pattern, opened.
    TEdit* edit = Form1->e_CrossingDescription;
    edit->SetEnabled(true);
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

TEST(DialogFolders, AFileDialogOpensInTheNearestFolderThatExistsNeverTheWorkingFolder) {
    const TempFolder t;
    ForceDirectories(t.file("dokumenty/projekty"));
    const QString base = QString::fromStdString(t.path());
    EXPECT_EQ(gui::dialog_start_folder(t.file("dokumenty/projekty/"), ""), base + "/dokumenty/projekty");
    EXPECT_EQ(gui::dialog_start_folder(t.file("dokumenty/usunięty/głębiej/"_cp), ""), base + "/dokumenty");
    EXPECT_EQ(gui::dialog_start_folder("", t.file("dokumenty/projekty/plan.hlv")), base + "/dokumenty/projekty");
    EXPECT_EQ(gui::dialog_start_folder("", t.file("brak/plan.hlv")), base);
    EXPECT_EQ(gui::dialog_start_folder("", "plan.hlv"), QDir::homePath());
    EXPECT_EQ(gui::dialog_start_folder("", ""), QDir::homePath());
}

TEST(DesktopEntries, TheExecValueGivesTheProgramAndItsArgumentsForOneFile) {
    const QString file = QStringLiteral("/home/jan/plany/profil 1.dxf");
    const QString url = QStringLiteral("file:///home/jan/plany/profil%201.dxf");
    struct Case {
        QString exec;
        QStringList expected;
    };
    const Case cases[] = {
        {QStringLiteral("viewer --view %f"), {QStringLiteral("viewer"), QStringLiteral("--view"), file}},
        {QStringLiteral("\"/opt/My Cad/cad\" --open %U"), {QStringLiteral("/opt/My Cad/cad"), QStringLiteral("--open"), url}},
        {QStringLiteral("cad --rate=50%% --file=%f %i %c %k"),
         {QStringLiteral("cad"), QStringLiteral("--rate=50%"), QStringLiteral("--file=") + file}},
        {QStringLiteral("cad"), {QStringLiteral("cad"), file}},  // no field code: the file goes last
        {QStringLiteral("  cad   %F  "), {QStringLiteral("cad"), file}},
        {QStringLiteral("\"a\\\\\\\\b\" \"say \\\"hi\\\"\" %u"), {QStringLiteral("a\\b"), QStringLiteral("say \"hi\""), url}},
        {QString(), {}},
    };
    for (const Case& c : cases) EXPECT_EQ(gui::desktop_exec_arguments(c.exec, file), c.expected) << c.exec.toStdString();
}

// The XDG folders of one test, the variables restored afterwards.
class Desktop : public GuiTest {
protected:
    Desktop() {
        for (const char* v : variables) saved_.emplace_back(v, qEnvironmentVariable(v));
        set("XDG_CONFIG_HOME", "config");
        set("XDG_CONFIG_DIRS", "etc");
        set("XDG_DATA_HOME", "data");
        // The system's MIME database stays in reach; its applications do not.
        ForceDirectories(xdg.file("share"));
        if (DirectoryExists("/usr/share/mime")) std::filesystem::create_directory_symlink("/usr/share/mime", xdg.file("share/mime"));
        set("XDG_DATA_DIRS", "usr");
        qputenv("XDG_DATA_DIRS", (xdg.file("usr") + ":" + xdg.file("share")).c_str());
        qputenv("XDG_CURRENT_DESKTOP", "X-Test:XFCE");
    }
    ~Desktop() override {
        for (const auto& [name, value] : saved_) {
            if (value.isNull()) qunsetenv(name);
            else qputenv(name, value.toUtf8());
        }
    }
    std::string put(const std::string& name, const std::string& text) {
        const std::string path = xdg.file(name);
        ForceDirectories(ExtractFilePath(path));
        write_file(path, text);
        return path;
    }
    static std::string entry(const std::string& exec, const std::string& more = "") {
        return "[Desktop Entry]\nType=Application\nName=X\nExec=" + exec + "\n" + more;
    }
    TempFolder xdg;

private:
    static constexpr const char* variables[] = {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                                                "XDG_CURRENT_DESKTOP"};
    void set(const char* name, const std::string& folder) {
        ForceDirectories(xdg.file(folder));
        qputenv(name, xdg.file(folder).c_str());
    }
    std::vector<std::pair<const char*, QString>> saved_;
};

TEST_F(Desktop, AFileOpensWithTheProgramItsTypeIsAssociatedWithOrSaysWhyNot) {
    const std::string viewer = put("data/applications/viewer.desktop", entry("/bin/true --view %f"));
    const std::string other = put("data/applications/other.desktop", entry("/bin/true %U"));
    const std::string tool = put("usr/applications/vendor/tool.desktop", entry("true"));
    put("data/applications/hidden.desktop", entry("/bin/true", "Hidden=true\n"));
    put("data/applications/noexec.desktop", entry(""));
    put("config/mimeapps.list",
        "[Default Applications]\ntext/plain=missing.desktop;noexec.desktop;viewer.desktop;\n"
        "application/pdf=hidden.desktop\n"
        "[Added Associations]\nimage/png=other.desktop;vendor-tool.desktop;\n"
        "[Removed Associations]\nimage/png=other.desktop;\n");
    put("config/xfce-mimeapps.list", "[Default Applications]\ntext/html=other.desktop\n");
    put("usr/applications/mimeinfo.cache",
        "[MIME Cache]\nimage/jpeg=other.desktop;\napplication/pdf=vendor-tool.desktop;\n");
    const std::pair<const char*, std::string> cases[] = {
        {"text/plain", viewer},   // the first installed default that runs something
        {"text/csv", viewer},     // by its ancestor text/plain
        {"image/png", tool},      // added, less the removed one, from a vendor folder
        {"text/html", other},     // the current desktop's own list first
        {"image/jpeg", other},    // the applications folders' cache
        {"application/pdf", tool},  // a hidden default does not count
        {"application/vnd.ms-htmlhelp", ""},
    };
    for (const auto& [type, expected] : cases)
        EXPECT_EQ(gui::default_desktop_entry(QString::fromLatin1(type)).toStdString(), expected) << type;

    const std::string text = home.file("opis.txt");
    write_file(text, "tekst");
    const std::string help = home.file("pomoc.chm");
    write_file(help, "ITSF");
    EXPECT_EQ(qt().open_file(text), open_result::opened);
    EXPECT_EQ(qt().open_file(help), open_result::no_program);
    EXPECT_EQ(qt().open_file(home.file("brak.txt")), open_result::missing);
    // An entry whose program is not there opens nothing.
    put("data/applications/viewer.desktop", entry("/no/such/viewer %f"));
    EXPECT_EQ(qt().open_file(text), open_result::no_program);
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
