// The drawing preview of the main window: showing the page (writing and
// reading "rysunek.dxf"), painting the drawing in the viewport, the mouse,
// the wheel and the keys that zoom and pan it, the sheet buttons and the
// separate window.
#include <algorithm>
#include <string>
#include <unordered_set>

#include "drawing/containers.h"
#include "drawing/drawing_state.h"
#include "drawing/dxf_sections.h"
#include "drawing/view_projection.h"
#include "files/utils.h"
#include "forms/opcje.h"
#include "forms/preview.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

std::string drawing_file() { return folders().config_folder + "rysunek.dxf"; }

// The extents that wgraj_rysunek starts from: still there when the drawing
// has no entity.
constexpr double no_max_extent = -1e10;
constexpr double no_min_extent = 1e15;

constexpr int fit_margin = 20;

bool separate_window_active() {
    return tPreview && tPreview->Visible() && Application() && Application()->ActiveForm() == tPreview;
}

// The button alone pans: no other button, no Shift, Ctrl or Alt.
bool alone(TShiftState shift, TShiftState own) {
    constexpr TShiftState others = ssShift | ssCtrl | ssAlt | ssLeft | ssRight | ssMiddle;
    return (shift & others & ~own) == 0;
}

}  // namespace

bool TForm1::preview_active() const {
    return PageControl1->ActivePage() == ts_DrawingPreview || separate_window_active();
}

int TForm1::preview_unit_divisor() const { return unit_factor_of(std::max(0, topcje->cb_jedn->ItemIndex())); }

void TForm1::zoombox_skok_reset() {
    zoombox_skok = {static_cast<int>(Round(ts_DrawingPreview->Width() / 2.0)),
                    static_cast<int>(Round(ts_DrawingPreview->Height() / 2.0))};
}

// --- showing and reading ------------------------------------------------------

namespace {

// Fits the viewport to the drawing's extents; a drawing without extents is
// not fitted (the viewport shows its ground).
void fit_preview(TForm1& f) {
    if (!f.preview_drawing || f.preview_max_extents[0] == no_max_extent || f.preview_min_extents[0] == no_min_extent)
        return;
    f.Zoombox->fit_view(fit_margin, fit_margin,
                        {f.preview_min_extents[0], f.preview_max_extents[0], f.preview_min_extents[1],
                         f.preview_max_extents[1]});
}

}  // namespace

void TForm1::ts_DrawingPreviewShow(TObject* Sender) {
    drawing().preview_requested = true;
    a_DrawMake->Execute();
    if (drawing().recalculation_done) {
        if (!drawing_loaded) wgraj_rysunek();
        if (!Zoombox->restore_last_view()) fit_preview(*this);
        Zoombox->redraw();
    }
    zoombox_skok_reset();
    a_Zout->SetShortCut(ShortCut(VK_SUBTRACT, 0));
    const model_state& m = model();
    if (Sender) {
        cb_CrossSections->Items().Clear();
        if (m.current_profile < m.profiles.size())
            for (const przekroj& p : m.profiles[m.current_profile].sections) cb_CrossSections->Items().Add(p.name);
        if (cb_CrossSections->Items().Count() > 0) cb_CrossSections->SetItemIndex(0);
    }
    tb_PreviewCrossSection->SetEnabled(cb_CrossSections->Items().Count() > 0);
    tb_PreviewSump->SetEnabled(!m.project.sumps.empty());
}

void TForm1::ts_DrawingPreviewExit(TObject*) { a_Zout->SetShortCut(0); }

bool TForm1::wgraj_rysunek() {
    if (preview_drawing)
        for (const auto& layer : preview_drawing->layers()) {
            const std::vector<std::string> names = layer->entity_list_names();
            for (const std::string& name : names) layer->remove_entity_list(name, true);
        }
    refill_drawing_list(false);
    drawing_loaded = false;
    const std::string path = drawing_file();
    if (!file_in_use_check(path, false)) return false;
    load_drawing_file(path);
    point3 max{no_max_extent, no_max_extent, no_max_extent};
    point3 min{no_min_extent, no_min_extent, no_min_extent};
    drawing_loaded = true;
    if (preview_drawing) preview_drawing->update_extents(max, min);
    preview_max_extents = {max.x, max.y, max.z};
    preview_min_extents = {min.x, min.y, min.z};
    if (max.x != no_max_extent && min.x != no_min_extent) nanies_kontury();
    refill_drawing_list(true);
    return true;
}

// --- painting -------------------------------------------------------------------

void TForm1::zoombox_visible_world(double& xmin, double& ymin, double& xmax, double& ymax) const {
    const world_box r = view_world_rectangle(Zoombox->paint_view(), Zoombox->paint_rect(), view_pen_margin);
    xmin = r.xmin;
    ymin = r.ymin;
    xmax = r.xmax;
    ymax = r.ymax;
}

void TForm1::ZoomboxPaint(TObject*) {
    TCanvas* canvas = Zoombox->Canvas();
    if (!canvas) return;
    std::string font = topcje->cb_fonts->Text();
    if (font.empty() || font.find('.') != std::string::npos) font = "Arial";
    canvas->Font.Name = font;
    canvas->Pen.Width = 1;
    canvas->Brush.Style = TBrushStyle::bsClear;
    if (!Zoombox->view_set() || !selection) return;
    // What the part being painted shows: the entity lists skip what lies
    // wholly outside it.
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    zoombox_visible_world(xmin, ymin, xmax, ymax);
    const world_box visible{xmin, ymin, xmax, ymax};
    std::unordered_set<intptr_t> shown;
    for (const Entity_List* list : selection->lists()) shown.insert(reinterpret_cast<intptr_t>(list));
    const TStringList& items = Files_listbox->Items();
    for (int i = 0; i < items.Count(); ++i) {
        if (!Files_listbox->Selected(i) || !shown.count(items.Objects(i))) continue;
        reinterpret_cast<const Entity_List*>(items.Objects(i))->draw(*canvas, nullptr, view_projection, Zoombox->view(), &visible);
    }
}

// --- the mouse --------------------------------------------------------------------

void TForm1::ZoomboxMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool middle = topcje->cb_PrintPreviewMovingByMiddleButton->Checked();
    const bool grab = middle ? Button == TMouseButton::mbMiddle && alone(Shift, ssMiddle)
                             : Button == TMouseButton::mbRight && alone(Shift, ssRight);
    if (!grab) return;
    Zoombox->box()->Cursor = TCursor::crHandPoint;
    Zoombox->centre_on(X, Y, false);
}

void TForm1::ZoomboxMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    double x = 0, y = 0;
    Zoombox->screen_to_world(X, Y, x, y);
    e_xy->SetText(" x: " + FloatToStrF(x, TFloatFormat::ffFixed, 15, 3) + "\r y: " +
                  FloatToStrF(y, TFloatFormat::ffFixed, 15, 3));
    const bool middle = topcje->cb_PrintPreviewMovingByMiddleButton->Checked();
    const TShiftState own = middle ? ssMiddle : ssRight;
    if (!(Shift & own) || !alone(Shift, own)) return;
    Zoombox->pan_by(X, Y, preview_unit_divisor());
    zoombox_skok = {X, Y};
}

void TForm1::ZoomboxMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
    Zoombox->box()->Cursor = TCursor::crCross;
    if (Button == TMouseButton::mbLeft) zoombox_skok_reset();
}

void TForm1::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool& Handled) {
    if (!preview_active()) return;
    tb_zoom_out->Click();
    Handled = true;
}

void TForm1::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool& Handled) {
    if (!preview_active()) return;
    tb_zoom_in->Click();
    Handled = true;
}

// --- zooming ------------------------------------------------------------------------

void TForm1::tb_zoom_inClick(TObject*) {
    if (Zoombox->scale() / preview_unit_divisor() >= 1000)
        zoomresetbuttonClick(a_Zreset);
    else
        Zoombox->zoom_by(1 / Zoombox->ZoomFactor);
    zoombox_skok_reset();
}

void TForm1::tb_zoom_outClick(TObject*) {
    if (!preview_active()) return;
    if (Zoombox->scale() / preview_unit_divisor() <= 1e-5)
        zoomresetbuttonClick(a_Zreset);
    else
        Zoombox->zoom_by(Zoombox->ZoomFactor);
    zoombox_skok_reset();
}

void TForm1::tb_prevClick(TObject*) {
    if (!preview_active()) return;
    Zoombox->previous_view();
    zoombox_skok_reset();
}

void TForm1::zoomresetbuttonClick(TObject*) {
    fit_preview(*this);
    Zoombox->box()->Invalidate();
    zoombox_skok_reset();
}

// --- keys ----------------------------------------------------------------------------

void TForm1::AppMessage(TMsg& Msg, bool&) {
    if (Msg.kind != TMsg::KeyDown) return;
    if (PageControl1->ActivePage() != ts_DrawingPreview || !Application() || Application()->ActiveForm() != this ||
        p_Side->Visible())
        return;
    const int step = (Msg.shift & ssCtrl) ? 100 : 10;
    const int page = ts_DrawingPreview->Height() - 50;
    switch (Msg.key) {
        case VK_PRIOR: zoombox_skok.y += page; break;
        case VK_NEXT: zoombox_skok.y -= page; break;
        case VK_LEFT: zoombox_skok.x += step; break;
        case VK_UP: zoombox_skok.y += step; break;
        case VK_RIGHT: zoombox_skok.x -= step; break;
        case VK_DOWN: zoombox_skok.y -= step; break;
        default: return;
    }
    Zoombox->pan_by(zoombox_skok.x, zoombox_skok.y, preview_unit_divisor());
}

// --- sheets and the separate window ----------------------------------------------------

void TForm1::tb_PreviewProfileClick(TObject* Sender) {
    ts_DrawingPreviewShow(nullptr);
    if (tb_PreviewProfile->Down())
        preview_sheet_mode = 1;
    else if (tb_PreviewScheme->Down())
        preview_sheet_mode = 2;
    else if (tb_PreviewCrossSection->Down() || tb_PreviewSump->Down())
        preview_sheet_mode = 3;
    cb_CrossSections->SetEnabled(tb_PreviewCrossSection->Enabled());
    const bool scheme = tb_PreviewScheme->Down();
    for (TControl* c : std::initializer_list<TControl*>{e_StartAngle, cb_NodeDescription, cb_NodeWithSumpDescription,
                                                        cb_SectionDescription})
        c->SetEnabled(scheme);
    przypisz_wartosci_z_odcinka_do_kontrolek();
    // Another button than last time: its sheet is fitted anew.
    const auto* button = dynamic_cast<const TComponent*>(Sender);
    if (!button) return;
    if (button->Name() != last_preview_button) {
        a_Zreset->Execute();
        last_preview_button = button->Name();
    }
}

void TForm1::cb_CrossSectionsChange(TObject*) {
    tb_PreviewCrossSection->SetDown(true);
    tb_PreviewProfileClick(tb_PreviewCrossSection);
    if (PageControl1->Showing() && PageControl1->Enabled() && Visible()) PageControl1->SetFocus();
}

void TForm1::tb_PreviewOnOffClick(TObject*) {
    if (tb_PreviewOnOff->Down()) {
        Zoombox->SetParent(tPreview);
        tPreview->Show();
    } else {
        tPreview->Close();
    }
}

void TForm1::connect_preview_handlers() {
    ts_DrawingPreview->OnShow = [this](TObject* s) { ts_DrawingPreviewShow(s); };
    ts_DrawingPreview->OnHide = [this](TObject* s) { ts_DrawingPreviewExit(s); };
    Zoombox->OnPaint = [this](TObject* s) { ZoomboxPaint(s); };
    Zoombox->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ZoomboxMouseDown(s, b, sh, x, y);
    };
    Zoombox->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { ZoomboxMouseMove(s, sh, x, y); };
    Zoombox->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        ZoomboxMouseUp(s, b, sh, x, y);
    };
    OnMouseWheel = [this](TObject* s, TShiftState sh, int delta, TPoint pos, bool& handled) {
        if (delta < 0) FormMouseWheelDown(s, sh, pos, handled);
        else if (delta > 0) FormMouseWheelUp(s, sh, pos, handled);
    };
    a_Zin->OnExecute = [this](TObject* s) { tb_zoom_inClick(s); };
    a_Zout->OnExecute = [this](TObject* s) { tb_zoom_outClick(s); };
    a_Zprevious->OnExecute = [this](TObject* s) { tb_prevClick(s); };
    a_Zreset->OnExecute = [this](TObject* s) { zoomresetbuttonClick(s); };
    for (TToolButton* b : {tb_PreviewProfile, tb_PreviewScheme, tb_PreviewCrossSection, tb_HideCrossing,
                           tb_HideProtectingPipes, tb_HideCrossSections, tb_HideBoundaryDesc, tb_HidePageBorders})
        b->OnClick = [this](TObject* s) { tb_PreviewProfileClick(s); };
    cb_CrossSections->OnChange = [this](TObject* s) { cb_CrossSectionsChange(s); };
    tb_PreviewOnOff->OnClick = [this](TObject* s) { tb_PreviewOnOffClick(s); };
    if (TApplication* app = Application()) app->OnMessage = [this](TMsg& msg, bool& handled) { AppMessage(msg, handled); };
}
