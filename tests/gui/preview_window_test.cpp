// The drawing preview as a real window: the fixture's line on its ground,
// the title block as the drawing command writes it, the kept picture of the
// viewport (a pan paints only the strips it uncovers, and they join the
// moved picture exactly), the rubber band, the drag, the keys and the wheel,
// and the separate window that takes the viewport and gives it back.
#include <QApplication>
#include <QImage>
#include <QRubberBand>
#include <QWheelEvent>
#include <QtTest/QtTest>

#include <string>

#include "forms/preview.h"
#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "gui/zoom_picture.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "widgets/zoom_panel.h"

namespace {

class PreviewWindow : public GuiTest {
protected:
    void SetUp() override {
        decimal_separator = '.';
        euro_rounding = false;
        prog->show_main_window();
        settle();
        QApplication::setActiveWindow(window(*Form1));
        settle();
    }
    static Zoom_panel& panel() { return *Form1->Zoombox; }
    QWidget* box_widget() { return widget(panel().box()); }
    void show_preview() {
        user::choose_page(Form1->PageControl1, Form1->ts_DrawingPreview->PageIndex());
        settle();
    }
    // The fixture copied over the drawing file, read and fitted, on the
    // black ground the settings may choose.
    void load_fixture() {
        panel().SetColor(clBlack);
        write_file(folders().config_folder + "rysunek.dxf",
                   read_file(std::string(HALVOREN_TEST_DATA) + "/dxf/preview_line.dxf"));
        ASSERT_TRUE(Form1->wgraj_rysunek());
        Form1->a_Zreset->Execute();
        panel().redraw();
        settle();
    }
    QImage picture() { return box_widget()->grab().toImage(); }
    static bool red(QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }
    // Red at the pixel or beside it: a picture moved by whole pixels may
    // stand half a pixel from the exact projection.
    static bool red_near(const QImage& image, TPoint p) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.valid(p.x + dx, p.y + dy) && red(image.pixelColor(p.x + dx, p.y + dy))) return true;
        return false;
    }
    static bool black(QColor c) { return c.red() < 20 && c.green() < 20 && c.blue() < 20; }
    // The line's middle in the current view.
    static TPoint line_middle() { return panel().world_to_screen(60, 45); }
};

TEST_F(PreviewWindow, TheFixturesLineStandsWhereTheProjectionPutsItOnTheBlackGround) {
    show_preview();
    EXPECT_TRUE(widget(Form1->tb_podglad1)->isVisible());
    EXPECT_FALSE(widget(Form1->tb_podglad1)->isHidden());
    load_fixture();
    const QImage image = picture();
    ASSERT_EQ(image.width(), panel().box()->Width());
    // Points along the line (its first pixel lies on the page outline along
    // the drawing's bottom edge, its last is not drawn).
    for (const TPoint p : {panel().world_to_screen(20, 25), line_middle(), panel().world_to_screen(100, 65)})
        EXPECT_TRUE(red(image.pixelColor(p.x, p.y))) << p.x << "," << p.y;
    EXPECT_TRUE(black(image.pixelColor(5, 5)));
    EXPECT_TRUE(black(image.pixelColor(line_middle().x, line_middle().y - 8)));
    // The printer's page outline runs grey along the drawing's bottom edge.
    const TPoint edge = panel().world_to_screen(60, 20);
    const QColor outline = image.pixelColor(edge.x, edge.y);
    EXPECT_TRUE(outline.red() == outline.green() && outline.green() == outline.blue() && outline.red() > 100 &&
                outline.red() < 255)
        << outline.name().toStdString();
    EXPECT_EQ(box_widget()->cursor().shape(), Qt::CrossCursor);
    screenshot(window(*Form1), QStringLiteral("TForm1_podglad"));
}

TEST_F(PreviewWindow, TheTitleBlockAsTheDrawingCommandWritesIt) {
    panel().SetColor(clBlack);
    Form1->make_text_box(1, 10, 10, 300, 60)->SetText("Projekt kanalizacji");
    Form1->make_text_box(2, 10, 70, 300, 30)->SetText("Skala 1:100");
    show_preview();
    ASSERT_TRUE(panel().view_set());
    const QImage image = picture();
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) drawn += !black(image.pixelColor(x, y));
    EXPECT_GT(drawn, 100);
    screenshot(window(*Form1), QStringLiteral("TForm1_podglad_metryka"));
}

// The kept picture itself, on a viewport of its own.
TEST_F(PreviewWindow, APanPaintsOnlyTheUncoveredStripsAndTheyJoinTheMovedPicture) {
    TForm* form = new TForm(&app());
    form->DoCreate();
    auto* p = new Zoom_panel(form);
    p->SetColor(clBlack);
    p->SetBounds(0, 0, 400, 300);
    p->SetParent(form);
    int paints = 0;
    // A grid of lines every 7 drawing units and a diagonal: any seam shows.
    p->OnPaint = [&](TObject*) {
        ++paints;
        TCanvas& c = *p->Canvas();
        c.Pen.Color = clYellow;
        auto line = [&](double x1, double y1, double x2, double y2) {
            const TPoint a = view_pixel(*p->view(), x1, y1), b = view_pixel(*p->view(), x2, y2);
            c.MoveTo(a.x, a.y);
            c.LineTo(b.x, b.y);
        };
        for (int k = -70; k <= 210; k += 7) {
            line(k, -70, k, 210);
            line(-70, k, 210, k);
        }
        line(-70, -70, 210, 210);
    };
    p->fit_view(20, 20, {0, 140, 0, 100});
    gui::ZoomPicture kept;
    const QSize size(400, 300);
    kept.update(*p, size);
    EXPECT_EQ(kept.painted(), (std::vector<QRect>{QRect(0, 0, 400, 300)}));

    // An expose: nothing painted.
    kept.update(*p, size);
    EXPECT_TRUE(kept.painted().empty());

    // Panned 100 pixels right and 37 up, by a drag and by a key's step.
    p->centre_on(200, 150, false);
    p->pan_by(300, 113, 1);
    const QImage& moved = kept.update(*p, size);
    EXPECT_EQ(kept.painted(), (std::vector<QRect>{QRect(0, 0, 100, 300), QRect(100, 263, 300, 37)}));
    gui::ZoomPicture whole;
    const QImage& fresh = whole.update(*p, size);
    EXPECT_EQ(moved, fresh);

    // A pan by a fraction of a pixel keeps the picture until whole pixels add up.
    p->pan_by(300, 113, 1);
    kept.update(*p, size);
    EXPECT_TRUE(kept.painted().empty());

    // A zoom and a changed drawing paint the whole.
    p->zoom_by(0.8);
    kept.update(*p, size);
    EXPECT_EQ(kept.painted().size(), 1u);
    p->redraw();
    kept.update(*p, size);
    EXPECT_EQ(kept.painted(), (std::vector<QRect>{QRect(0, 0, 400, 300)}));
    EXPECT_GT(paints, 5);
}

TEST_F(PreviewWindow, AJourneyZoomsWithTheBandDragsWithTheRightButtonAndPansWithTheKeys) {
    show_preview();
    load_fixture();
    QWidget* w = box_widget();
    const zoom_view fitted = panel().current();

    // The left button drags the rubber band and zooms to it.
    auto* band = w->findChild<QRubberBand*>();
    ASSERT_NE(band, nullptr);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(w, QPoint(300, 250));
    settle();
    EXPECT_TRUE(band->isVisible());
    EXPECT_EQ(band->geometry(), QRect(QPoint(100, 100), QPoint(300, 250)));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(300, 250));
    settle();
    EXPECT_FALSE(band->isVisible());
    EXPECT_GT(panel().scale(), fitted.scale_x);
    // Ctrl+Z on the preview page: the previous view.
    key(w, Qt::Key_Z, Qt::ControlModifier);
    settle();
    EXPECT_EQ(panel().current(), fitted);

    // The right button drags the drawing: the line follows the pointer.
    const TPoint mid = line_middle();
    QTest::mousePress(w, Qt::RightButton, Qt::NoModifier, QPoint(mid.x, mid.y));
    EXPECT_EQ(w->cursor().shape(), Qt::ClosedHandCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(mid.x + 40, mid.y + 30), w->mapToGlobal(QPointF(mid.x + 40, mid.y + 30)),
                     Qt::NoButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    settle();
    QTest::mouseRelease(w, Qt::RightButton, Qt::NoModifier, QPoint(mid.x + 40, mid.y + 30));
    settle();
    EXPECT_EQ(w->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(line_middle(), (TPoint{mid.x + 40, mid.y + 30}));
    EXPECT_TRUE(red_near(picture(), {mid.x + 40, mid.y + 30}));
    EXPECT_EQ(Form1->e_xy->Text().substr(0, 4), " x: ");

    // The keys pan with the side panel hidden: three Left presses, 30 pixels.
    Form1->p_Side->SetVisible(false);
    Form1->zoombox_skok_reset();
    panel().fit_view(20, 20, {10, 110, 20, 70});
    settle();
    const TPoint before = line_middle();
    for (int i = 0; i < 3; ++i) key(w, Qt::Key_Left);
    settle();
    EXPECT_EQ(line_middle(), (TPoint{before.x + 30, before.y}));
    EXPECT_TRUE(red_near(picture(), {before.x + 30, before.y}));

    // The wheel zooms in and out.
    const double scale = panel().scale();
    QWheelEvent up(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &up);
    settle();
    EXPECT_DOUBLE_EQ(panel().scale(), scale * 1.25);
    QWheelEvent down(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &down);
    settle();
    EXPECT_DOUBLE_EQ(panel().scale(), scale);
}

TEST_F(PreviewWindow, TheSeparateWindowTakesTheViewportAndGivesItBackWithItsPicture) {
    show_preview();
    load_fixture();
    QWidget* w = box_widget();
    const zoom_view view = panel().current();

    QTest::mouseClick(widget(Form1->tb_PreviewOnOff), Qt::LeftButton);
    settle();
    ASSERT_TRUE(tPreview->Visible());
    ASSERT_EQ(box_widget(), w);  // the same widget, moved
    EXPECT_EQ(w->window(), window(*tPreview));
    EXPECT_TRUE(window(*tPreview)->windowFlags() & Qt::WindowStaysOnTopHint);
    // The same corner at the same scale; the smaller box reaches less far.
    EXPECT_EQ(panel().current().left, view.left);
    EXPECT_EQ(panel().current().top, view.top);
    EXPECT_EQ(panel().scale(), view.scale_x);
    EXPECT_TRUE(red_near(picture(), line_middle()));
    screenshot(window(*tPreview), QStringLiteral("TtPreview"));

    // Keypad + of the main window's command zooms there.
    key(w, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
    settle();
    EXPECT_DOUBLE_EQ(panel().scale(), view.scale_x * 1.25);
    key(w, Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-"));
    settle();
    EXPECT_DOUBLE_EQ(panel().scale(), view.scale_x);

    window(*tPreview)->close();
    settle();
    EXPECT_FALSE(tPreview->Visible());
    EXPECT_FALSE(Form1->tb_PreviewOnOff->Down());
    EXPECT_EQ(w->window(), window(*Form1));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(red_near(picture(), line_middle()));
    screenshot(window(*Form1), QStringLiteral("TForm1_podglad_po_oknie"));
}

}  // namespace
