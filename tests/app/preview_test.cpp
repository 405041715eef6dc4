// The main window's drawing preview: showing the page and reading the
// drawing, the fixture painted where the projection puts it, the zoom
// commands and their limits, the keys, the mouse and its coordinates, the
// sheet buttons, the separate window and the shortcuts it passes on.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawing/containers.h"
#include "drawing/drawing_state.h"
#include "drawing/view_projection.h"
#include "forms/opcje.h"
#include "forms/preview.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

class Preview : public ProgramTest {
protected:
    Preview() {
        prog->show_main_window();
        decimal_separator = '.';
        euro_rounding = false;
        // The pages take their size from the window the front end shows.
        Form1->ts_DrawingPreview->SetBounds(0, 0, 801, 600);
    }
    ~Preview() override { decimal_separator = '.'; }

    static Zoom_panel& box() { return *Form1->Zoombox; }
    static std::string drawing_path() { return folders().config_folder + "rysunek.dxf"; }
    static void show_preview() { user::choose_page(Form1->PageControl1, Form1->ts_DrawingPreview->PageIndex()); }
    static void show_data() { user::choose_page(Form1->PageControl1, Form1->ts_Data->PageIndex()); }
    // The small fixture copied over the drawing file, read and fitted as
    // the preview does it.
    static void load_fixture() {
        write_file(drawing_path(), read_file(std::string(HALVOREN_TEST_DATA) + "/dxf/preview_line.dxf"));
        ASSERT_TRUE(Form1->wgraj_rysunek());
        Form1->a_Zreset->Execute();
    }
    // A view of scale 1 whose middle pixel shows (x, y).
    static void centred_at(double x, double y) {
        box().fit_view(0, 0, {x, x, y, y});
        ASSERT_DOUBLE_EQ(box().scale(), 1.0);
    }
    // Fits the viewport so that its scale is exactly `scale` (a drawing
    // 1 / scale of the box's width wide, nudged to the exact value).
    static void scale_exactly(double scale) {
        double width = box().box()->Width() / scale;
        for (int i = 0; i < 64; ++i) {
            box().fit_view(0, 0, {0, width, 0, 1e-12 * width});
            if (box().scale() == scale) return;
            width = std::nextafter(width, box().scale() > scale ? 1e300 : 0.0);
        }
        FAIL() << "no exact scale " << scale;
    }
    // A title block of one box: every sheet then has extents.
    static void title_block() { Form1->make_text_box(1, 10, 10, 300, 60)->SetText("Tytuł"_cp); }
    // The same drawing point in the top-left corner at the same scale (a
    // box of another size reaches further or less far).
    static bool same_place(const zoom_view& a, const zoom_view& b) {
        return a.scale_x == b.scale_x && a.left == b.left && a.top == b.top;
    }
    static RecordingCanvas painted() {
        RecordingCanvas canvas;
        box().box()->PaintTo(canvas);
        return canvas;
    }
};

TEST_F(Preview, TheFixtureIsPaintedWhereTheProjectionPutsItOnTheBlackGround) {
    // The background the settings give (white unless chosen), here black.
    Form1->Zoombox->SetColor(clBlack);
    load_fixture();
    ASSERT_TRUE(Form1->drawing_loaded);
    ASSERT_TRUE(box().view_set());
    EXPECT_EQ(box().current(), box().fitted());
    EXPECT_DOUBLE_EQ(Form1->preview_min_extents[0], 10);
    EXPECT_DOUBLE_EQ(Form1->preview_max_extents[0], 110);

    topcje->cb_fonts->SetText("Tahoma");
    const RecordingCanvas canvas = painted();
    ASSERT_FALSE(canvas.ops.empty());
    EXPECT_EQ(canvas.ops[0].kind, "fill");
    EXPECT_EQ(canvas.ops[0].brush.Color, clBlack);
    const auto lines = canvas.of_kind("line");
    ASSERT_EQ(lines.size(), 1u);
    const TPoint a = view_pixel(box().current(), 10, 20), b = view_pixel(box().current(), 110, 70);
    EXPECT_EQ(lines[0].args, (std::vector<int>{a.x, a.y, b.x, b.y}));
    EXPECT_EQ(lines[0].pen.Color, clRed);
    EXPECT_EQ(lines[0].pen.Width, 1);
    // The extents' width fills the box less 20 pixels on each side.
    EXPECT_EQ(b.x - a.x, box().box()->Width() - 40);
    const auto texts = canvas.of_kind("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.Name, "Tahoma");
    EXPECT_EQ(texts[0].brush.Style, TBrushStyle::bsClear);

    // A font file's name is no screen font.
    for (const char* name : {"romans.shx", ""}) {
        topcje->cb_fonts->SetText(name);
        EXPECT_EQ(painted().of_kind("text").at(0).font.Name, "Arial") << name;
    }
}

TEST_F(Preview, AFileHeldByAnotherProgramGivesAnEmptyDrawingAndNoBox) {
    load_fixture();
    const int fd = ::open(drawing_path().c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    EXPECT_FALSE(Form1->wgraj_rysunek());
    ::close(fd);
    EXPECT_FALSE(Form1->drawing_loaded);
    EXPECT_EQ(Form1->selection->count(), 0);
    for (const auto& layer : Form1->preview_drawing->layers()) EXPECT_EQ(layer->count(), 0) << layer->name;
    EXPECT_TRUE(ui().boxes.empty());
    // Only the ground is painted.
    const RecordingCanvas canvas = painted();
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(canvas.ops[0].kind, "fill");
}

TEST_F(Preview, ShowingThePageTwiceKeepsTheViewAndADrawingWithoutExtentsIsNotFitted) {
    title_block();
    show_preview();
    EXPECT_TRUE(drawing().preview_requested);
    EXPECT_TRUE(Form1->drawing_loaded);
    EXPECT_TRUE(Form1->tb_podglad1->Visible());
    ASSERT_TRUE(box().view_set());  // the title block
    user::key(VK_ADD);
    const zoom_view zoomed = box().current();
    EXPECT_DOUBLE_EQ(zoomed.scale_x, box().fitted().scale_x * 1.25);
    show_data();
    EXPECT_FALSE(Form1->tb_podglad1->Visible());
    show_preview();
    EXPECT_EQ(box().current(), zoomed);

    // A fresh viewport with a drawing of no entity shows its ground.
    write_file(drawing_path(), "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
    const zoom_view before = box().current();
    ASSERT_TRUE(Form1->wgraj_rysunek());
    EXPECT_EQ(Form1->preview_max_extents[0], -1e10);
    Form1->a_Zreset->Execute();
    EXPECT_EQ(box().current(), before);
}

TEST_F(Preview, TheProfileButtonTwiceKeepsTheViewAndAnotherSheetIsFittedAnew) {
    title_block();
    show_preview();
    user::click(Form1->tb_PreviewProfile);
    EXPECT_EQ(Form1->preview_sheet_mode, 1);
    EXPECT_EQ(Form1->last_preview_button, "tb_PreviewProfile");
    EXPECT_FALSE(Form1->e_StartAngle->Enabled());
    user::key(VK_ADD);
    const zoom_view zoomed = box().current();
    user::click(Form1->tb_PreviewProfile);
    EXPECT_EQ(box().current(), zoomed);

    user::click(Form1->tb_PreviewScheme);
    EXPECT_EQ(Form1->preview_sheet_mode, 2);
    EXPECT_TRUE(Form1->e_StartAngle->Enabled());
    EXPECT_TRUE(Form1->cb_SectionDescription->Enabled());
    EXPECT_EQ(box().current(), box().fitted());
    EXPECT_NE(box().current(), zoomed);
    EXPECT_EQ(Form1->last_preview_button, "tb_PreviewScheme");
    EXPECT_FALSE(Form1->cb_CrossSections->Enabled());  // the profile has no cross-section
}

TEST_F(Preview, ThePageListsTheCurrentProfilesCrossSectionsAndTheChooserShowsOne) {
    title_block();
    przekroj first, second;
    first.name = "P-1";
    second.name = "P-2";
    model().profiles[model().current_profile].sections = {first, second};
    model().project.sumps.emplace_back();
    show_preview();
    EXPECT_EQ(Form1->cb_CrossSections->Items().items(), (std::vector<std::string>{"P-1", "P-2"}));
    EXPECT_EQ(Form1->cb_CrossSections->ItemIndex(), 0);
    EXPECT_TRUE(Form1->tb_PreviewCrossSection->Enabled());
    EXPECT_TRUE(Form1->tb_PreviewSump->Enabled());
    user::click(Form1->tb_PreviewProfile);
    EXPECT_TRUE(Form1->cb_CrossSections->Enabled());

    // Showing without a sender (a sheet button) keeps the list.
    model().profiles[model().current_profile].sections.pop_back();
    Form1->ts_DrawingPreviewShow(nullptr);
    EXPECT_EQ(Form1->cb_CrossSections->Items().Count(), 2);

    user::choose(Form1->cb_CrossSections, 1);
    EXPECT_TRUE(Form1->tb_PreviewCrossSection->Down());
    EXPECT_FALSE(Form1->tb_PreviewProfile->Down());
    EXPECT_EQ(Form1->preview_sheet_mode, 3);
    EXPECT_EQ(Form1->last_preview_button, "tb_PreviewCrossSection");
    EXPECT_EQ(box().current(), box().fitted());
}

TEST_F(Preview, ZoomingPastTheLimitsFitsTheViewInstead) {
    show_preview();
    load_fixture();
    const zoom_view fitted = box().fitted();
    const struct {
        int unit;  // index of cb_jedn: 0 mm (U = 1), 3 m (U = 1000)
        double scale;
        bool zoom_in;
        bool refits;
    } cases[] = {
        {0, 1000, true, true},  {0, 999.999, true, false}, {3, 1e6, true, true},   {3, 999999, true, false},
        {0, 1e-5, false, true}, {0, 1.001e-5, false, false}, {3, 1e-2, false, true}, {3, 1.001e-2, false, false},
    };
    for (const auto& c : cases) {
        topcje->cb_jedn->SetItemIndex(c.unit);
        scale_exactly(c.scale);
        ASSERT_EQ(box().scale(), c.scale);
        if (c.zoom_in) Form1->a_Zin->Execute();
        else Form1->a_Zout->Execute();
        if (c.refits) {
            EXPECT_EQ(box().current(), fitted) << c.unit << " " << c.scale;
        } else {
            EXPECT_DOUBLE_EQ(box().scale(), c.zoom_in ? c.scale * 1.25 : c.scale / 1.25) << c.unit << " " << c.scale;
        }
    }
}

TEST_F(Preview, ArrowAndPageKeysPanOnlyWhileTheSidePanelIsHidden) {
    show_preview();
    load_fixture();
    box().fit_view(20, 20, {10, 110, 20, 70});
    const int cx = static_cast<int>(Round(Form1->ts_DrawingPreview->Width() / 2.0));
    const int cy = static_cast<int>(Round(Form1->ts_DrawingPreview->Height() / 2.0));
    ASSERT_EQ(Form1->zoombox_skok, (TPoint{cx, cy}));
    const TPoint centre = view_pixel(box().current(), 60, 45);

    ASSERT_TRUE(Form1->p_Side->Visible());
    user::key(VK_LEFT);
    EXPECT_EQ(Form1->zoombox_skok, (TPoint{cx, cy}));
    EXPECT_EQ(view_pixel(box().current(), 60, 45), centre);

    Form1->p_Side->SetVisible(false);
    for (int i = 0; i < 3; ++i) user::key(VK_LEFT);
    EXPECT_EQ(Form1->zoombox_skok, (TPoint{cx + 30, cy}));
    EXPECT_EQ(view_pixel(box().current(), 60, 45), (TPoint{centre.x + 30, centre.y}));

    const struct {
        Word key;
        TShiftState shift;
        TPoint step;
    } keys[] = {{VK_LEFT, ssCtrl, {100, 0}},   {VK_RIGHT, 0, {-10, 0}},
                {VK_UP, 0, {0, 10}},           {VK_DOWN, ssCtrl, {0, -100}},
                {VK_PRIOR, 0, {0, Form1->ts_DrawingPreview->Height() - 50}},
                {VK_NEXT, 0, {0, -(Form1->ts_DrawingPreview->Height() - 50)}}};
    for (const auto& k : keys) {
        Form1->zoombox_skok_reset();
        box().fit_view(20, 20, {10, 110, 20, 70});
        user::key(k.key, k.shift);
        EXPECT_EQ(Form1->zoombox_skok, (TPoint{cx + k.step.x, cy + k.step.y})) << k.key;
        EXPECT_EQ(view_pixel(box().current(), 60, 45), (TPoint{centre.x + k.step.x, centre.y + k.step.y})) << k.key;
    }

    // Not on another page.
    show_data();
    const zoom_view kept = box().current();
    user::key(VK_LEFT);
    EXPECT_EQ(box().current(), kept);
}

TEST_F(Preview, TheMouseShowsTheCoordinatesAndTheRightButtonDragsTheDrawing) {
    show_preview();
    load_fixture();
    Zoom_paint_box* b = box().box();
    const int px = b->Width() / 2, py = b->Height() / 2;
    const struct {
        char separator;
        const char* text;
    } cases[] = {{'.', " x: 12.345\r y: 6.700"}, {',', " x: 12,345\r y: 6,700"}};
    for (const auto& c : cases) {
        decimal_separator = c.separator;
        centred_at(12.345 + b->Width() / 2.0 - px, 6.7 + py - b->Height() / 2.0);
        user::mouse_move(b, 0, px, py);
        EXPECT_EQ(Form1->e_xy->Text(), c.text);
    }
    decimal_separator = '.';

    for (const bool middle : {false, true}) {
        topcje->cb_PrintPreviewMovingByMiddleButton->SetChecked(middle);
        const TMouseButton button = middle ? TMouseButton::mbMiddle : TMouseButton::mbRight;
        const TShiftState held = middle ? ssMiddle : ssRight;
        box().fit_view(20, 20, {10, 110, 20, 70});
        const zoom_view start = box().current();
        double gx, gy;
        box().screen_to_world(200, 150, gx, gy);
        // The other button does not grab.
        user::mouse_down(b, middle ? TMouseButton::mbRight : TMouseButton::mbMiddle, middle ? ssRight : ssMiddle, 200, 150);
        EXPECT_EQ(b->Cursor, TCursor::crCross);
        user::mouse_up(b, middle ? TMouseButton::mbRight : TMouseButton::mbMiddle, 0, 200, 150);

        user::mouse_down(b, button, held, 200, 150);
        EXPECT_EQ(b->Cursor, TCursor::crHandPoint);
        EXPECT_EQ(box().previous(), start);
        for (const TPoint p : {TPoint{230, 170}, TPoint{90, 260}}) {
            user::mouse_move(b, held, p.x, p.y);
            EXPECT_EQ(view_pixel(box().current(), gx, gy), p) << middle;
            EXPECT_EQ(Form1->zoombox_skok, p);
        }
        // With Ctrl the button does not drag.
        const zoom_view kept = box().current();
        user::mouse_move(b, held | ssCtrl, 10, 10);
        EXPECT_EQ(box().current(), kept);
        user::mouse_up(b, button, 0, 90, 260);
        EXPECT_EQ(b->Cursor, TCursor::crCross);
        EXPECT_EQ(Form1->zoombox_skok, (TPoint{90, 260}));  // only the left button resets it
    }
}

TEST_F(Preview, CtrlZGoesBackToThePreviousViewOnThePreviewAndUndoesElsewhere) {
    title_block();
    show_preview();
    const zoom_view fitted = box().current();
    EXPECT_EQ(Form1->a_Zprevious->ShortCut(), ShortCut('Z', ssCtrl));
    EXPECT_EQ(Form1->a_Undo->ShortCut(), 0);
    user::key(VK_ADD);
    ASSERT_NE(box().current(), fitted);
    user::key('Z', ssCtrl);
    EXPECT_EQ(box().current(), fitted);
    EXPECT_EQ(Form1->a_Zout->ShortCut(), ShortCut(VK_SUBTRACT, 0));

    show_data();
    EXPECT_EQ(Form1->a_Zprevious->ShortCut(), 0);
    EXPECT_EQ(Form1->a_Undo->ShortCut(), ShortCut('Z', ssCtrl));
    EXPECT_EQ(Form1->a_Zout->ShortCut(), 0);
    // Zoom out acts only where the preview shows.
    const zoom_view kept = box().current();
    Form1->a_Zout->Execute();
    EXPECT_EQ(box().current(), kept);
}

TEST_F(Preview, TheSeparateWindowTakesTheViewportWithItsViewAndPassesShortcutsOn) {
    title_block();
    show_preview();
    user::key(VK_ADD);
    const zoom_view zoomed = box().current();
    user::click(Form1->tb_PreviewOnOff);
    EXPECT_TRUE(Form1->tb_PreviewOnOff->Down());
    EXPECT_TRUE(tPreview->Visible());
    EXPECT_EQ(tPreview->FormStyle(), TFormStyle::fsStayOnTop);
    EXPECT_EQ(box().Parent(), tPreview);
    EXPECT_TRUE(same_place(box().current(), zoomed));
    ASSERT_EQ(Application()->ActiveForm(), tPreview);

    // Keypad + and Ctrl+Z of the main window's commands work there.
    user::key(VK_ADD);
    EXPECT_DOUBLE_EQ(box().scale(), zoomed.scale_x * 1.25);
    user::key('Z', ssCtrl);
    EXPECT_TRUE(same_place(box().current(), zoomed));
    // The wheel over it zooms.
    user::mouse_wheel(box().box(), 0, 120, 10, 10);
    EXPECT_DOUBLE_EQ(box().scale(), zoomed.scale_x * 1.25);
    user::mouse_wheel(box().box(), 0, -120, 10, 10);
    EXPECT_DOUBLE_EQ(box().scale(), zoomed.scale_x);

    // The model's redraw reaches the window too.
    Form1->drawing_loaded = false;
    show_data();
    view().redraw_preview();
    EXPECT_TRUE(Form1->drawing_loaded);

    user::close(tPreview);
    EXPECT_FALSE(tPreview->Visible());
    EXPECT_FALSE(Form1->tb_PreviewOnOff->Down());
    EXPECT_EQ(box().Parent(), Form1->ts_DrawingPreview);
    EXPECT_DOUBLE_EQ(box().scale(), zoomed.scale_x);
}

TEST_F(Preview, TheModelsRedrawMakesThePreviewAgainOnlyWhileItShows) {
    show_preview();
    Form1->drawing_loaded = false;
    show_data();
    view().redraw_preview();
    EXPECT_FALSE(Form1->drawing_loaded);
    user::choose_page(Form1->PageControl1, Form1->ts_DrawingPreview->PageIndex());
    Form1->drawing_loaded = false;
    drawing().preview_requested = false;
    view().redraw_preview();
    EXPECT_TRUE(Form1->drawing_loaded);
    EXPECT_TRUE(drawing().preview_requested);
}

}  // namespace
