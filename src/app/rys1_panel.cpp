// The profile panel under the side panel's grid: gb_DataPanel on the data
// page (network type, entered values, pipe reference, parallel pipe, own
// comparison level and horizontal scale, flow direction) and
// gb_PreviewPanel on the preview page (sheet placement and the description
// templates of the drawing). Loading it from the current profile runs none
// of the handlers; every change the user makes is written at once and marks
// the project modified.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "files/utils.h"
#include "forms/opcje.h"
#include "forms/preview.h"
#include "forms/rys1.h"
#include "model/flows.h"
#include "model/messages.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/named_bytes.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

// Detaches a control's event for its lifetime: a value loaded into the
// control from code must not run what a user's change runs.
template <class C, class E>
class event_detached {
public:
    event_detached(C* c, E C::*event) : control_(c), event_(event), saved_(c->*event) { c->*event = nullptr; }
    ~event_detached() { control_->*event_ = saved_; }
    event_detached(const event_detached&) = delete;
    event_detached& operator=(const event_detached&) = delete;

private:
    C* control_;
    E C::*event_;
    E saved_;
};

template <class C>
struct click_detached : event_detached<C, TNotifyEvent> {
    explicit click_detached(C* c) : event_detached<C, TNotifyEvent>(c, &C::OnClick) {}
};

struct change_detached : event_detached<TEdit, TNotifyEvent> {
    explicit change_detached(TEdit* e) : event_detached<TEdit, TNotifyEvent>(e, &TEdit::OnChange) {}
};

odcinek* current_profile() {
    model_state& m = model();
    return m.current_profile < m.profiles.size() ? &m.profiles[m.current_profile] : nullptr;
}

// The value lists behind the description lists.
constexpr int node_description_list = 5;
constexpr int section_description_list = 6;
constexpr int node_with_sump_description_list = 11;
// The page of value lists in the settings dialog's page tree.
constexpr int value_lists_node = 12;

std::string customise_entry() {
    return lang_text("MostUsedValues", "muv_CustomizeList", "            dostosuj listę..."_cp);
}

// The edit's number: "-" and "" count as 0; any other text that does not
// convert raises the conversion error.
double edit_number(const TEdit* e) {
    const std::string& text = e->Text();
    return text.empty() || text == "-" ? 0.0 : StrToFloat(text);
}

}  // namespace

void TForm1::connect_panel_handlers() {
    rg_ManuallyValue->OnClick = [this](TObject* s) { rg_ManuallyValueClick(s); };
    rg_ManuallyValueDistance->OnClick = [this](TObject* s) { rg_ManuallyValueClick(s); };
    cb_CalculateTerrainFromDepth->OnClick = [this](TObject* s) { cb_CalculateTerrainFromDepthClick(s); };
    rg_PipeOrdinateMode->OnClick = [this](TObject* s) { rg_PipeOrdinateModeClick(s); };
    cb_PipellTerrain->OnClick = [this](TObject* s) { cb_PipellTerrainClick(s); };
    cb_NetworkType->OnChange = [this](TObject* s) { cb_NetworkTypeChange(s); };
    rb_FlowDirectionLR->OnClick = [this](TObject* s) { rb_FlowDirectionLRClick(s); };
    rb_FlowDirectionRL->OnClick = [this](TObject* s) { rb_FlowDirectionLRClick(s); };
    cb_CompareLevel->OnClick = [this](TObject* s) { cb_CompareLevelClick(s); };
    cb_CustomXScale->OnClick = [this](TObject* s) { cb_CustomXScaleClick(s); };
    for (TEdit* e : {e_StartAngle, e_StartX, e_StartY, e_CompareLevel, e_ProfileXScale})
        e->OnChange = [this](TObject* s) { e_CompareLevelChange(s); };
    for (TEdit* e : {e_StartAngle, e_StartX, e_StartY, e_CompareLevel})
        e->OnKeyPress = [this](TObject* s, char& k) { e_CompareLevelKeyPress(s, k); };
    e_ProfileXScale->OnKeyPress = [this](TObject* s, char& k) { e_ProfileXScaleKeyPress(s, k); };
    e_CompareLevel->OnExit = [this](TObject* s) { e_CompareLevelExit(s); };
    e_ProfileXScale->OnExit = [this](TObject* s) { e_ProfileXScaleExit(s); };
    for (TEdit* e : {e_CompareLevel, e_ProfileXScale})
        e->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { e_CompareLevelKeyDown(s, k, sh); };
    for (TWinControl* c : std::initializer_list<TWinControl*>{e_StartX, e_StartY, e_StartAngle, cb_NodeDescription,
                                                              cb_NodeWithSumpDescription, cb_SectionDescription,
                                                              e_CrossingDescription, e_ProtectingPipeDescription})
        c->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { e_StartAngleKeyDown(s, k, sh); };
    for (TComboBox* c : {cb_NodeDescription, cb_NodeWithSumpDescription, cb_SectionDescription})
        c->OnChange = [this](TObject* s) { cb_NodeDescriptionChange(s); };
    // The label patterns are kept with the project.
    for (TEdit* e : {e_CrossingDescription, e_ProtectingPipeDescription})
        e->OnChange = [](TObject*) { set_project_modified(true); };
    cb_CrossingDescLikeInEditor->OnClick = [this](TObject* s) { cb_CrossingDescLikeInEditorClick(s); };
    cb_ProtectingPipeDescLikeInEditor->OnClick = [this](TObject* s) { cb_ProtectingPipeDescLikeInEditorClick(s); };
}

// --- loading ---------------------------------------------------------------------

void TForm1::przypisz_wartosci_z_odcinka_do_kontrolek() {
    odcinek* profile = current_profile();
    if (!profile) return;
    odcinek& p = *profile;
    const projekt& project = model().project;
    show_flow_direction(model().current_profile);

    // Nothing loaded here is a change of the user's: the recalculating
    // handlers and the value edits' handler stay detached meanwhile.
    click_detached<TCheckBox> level_box(cb_CompareLevel);
    click_detached<TCheckBox> scale_box(cb_CustomXScale);
    change_detached level(e_CompareLevel), scale(e_ProfileXScale), x(e_StartX), y(e_StartY), angle(e_StartAngle);

    cb_CompareLevel->SetChecked(p.poziom);
    e_CompareLevel->SetEnabled(p.poziom);
    e_CompareLevel->SetText(Format("%f", {p.poziom_wart}));

    cb_CustomXScale->SetChecked(p.pskala);
    e_ProfileXScale->SetEnabled(p.pskala);
    e_ProfileXScale->SetText(p.pskala && p.pskalax != 0 ? Format("%d", {p.pskalax})
                                                        : topcje->sag_DrawingProperties->Cells(1, 1));

    {
        click_detached<TCheckBox> parallel(cb_PipellTerrain);
        click_detached<TRadioGroup> reference(rg_PipeOrdinateMode);
        click_detached<TRadioGroup> kept(rg_ManuallyValue);
        click_detached<TRadioGroup> distance(rg_ManuallyValueDistance);
        cb_PipellTerrain->SetChecked(p.rownol);
        rg_PipeOrdinateMode->SetItemIndex(p.rzedna);
        rg_ManuallyValue->SetEnabled(!cb_PipellTerrain->Checked());
        rg_ManuallyValue->SetItemIndex(p.stala);
        rg_ManuallyValueDistance->SetItemIndex(p.stala_odleglosci);
    }
    cb_CalculateTerrainFromDepth->SetEnabled(rg_ManuallyValue->ItemIndex() == 1);

    if (p.networktype == 0) p.networktype = 'i';
    cb_NetworkType->SetItemIndex(getflowindex(p.networktype));

    // The start edits show what the preview's sheet places: the project's
    // profile-sheet or cross-section-sheet origin, or the profile's own
    // start on the scheme; before any sheet they are left as they are.
    switch (preview_sheet_mode) {
        case 1:
            e_StartX->SetText(Format("%g", {project.sheet_origins[0]}));
            e_StartY->SetText(Format("%g", {project.sheet_origins[1]}));
            break;
        case 2:
            e_StartX->SetText(Format("%g", {p.startX}));
            e_StartY->SetText(Format("%g", {p.startY}));
            break;
        case 3:
            e_StartX->SetText(Format("%g", {project.sheet_origins[2]}));
            e_StartY->SetText(Format("%g", {project.sheet_origins[3]}));
            break;
        default:
            break;
    }
    e_StartAngle->SetText(preview_sheet_mode == 2 ? Format("%g", {p.startAngle}) : std::string("0"));
}

void TForm1::show_flow_direction(uint16_t profile) {
    const model_state& m = model();
    if (profile != m.current_profile || profile >= m.profiles.size()) return;
    const bool right = m.profiles[profile].pl2r_wart;
    click_detached<TRadioButton> lr(rb_FlowDirectionLR);
    click_detached<TRadioButton> rl(rb_FlowDirectionRL);
    rb_FlowDirectionLR->SetChecked(right);
    rb_FlowDirectionRL->SetChecked(!right);
}

// --- the data group: calculation choices ---------------------------------------------

void TForm1::rg_ManuallyValueClick(TObject* Sender) {
    model_state& m = model();
    cb_CalculateTerrainFromDepth->SetEnabled(rg_ManuallyValue->ItemIndex() == 1);
    if (m.current_profile >= m.profiles.size()) return;
    przelicz(m.current_profile, true, all_columns);
    koloruj_kolumny();
    odcinek& p = m.profiles[m.current_profile];
    const uint8_t kept = p.stala, distance = p.stala_odleglosci;
    p.stala = static_cast<uint8_t>(std::max(rg_ManuallyValue->ItemIndex(), 0));
    if (Sender == rg_ManuallyValueDistance)
        p.stala_odleglosci = static_cast<uint8_t>(std::max(rg_ManuallyValueDistance->ItemIndex(), 0));
    if (p.stala != kept || p.stala_odleglosci != distance) set_project_modified(true);
}

void TForm1::cb_CalculateTerrainFromDepthClick(TObject*) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    przelicz(m.current_profile, true, all_columns);
    koloruj_kolumny();
}

void TForm1::rg_PipeOrdinateModeClick(TObject*) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    przelicz(m.current_profile, true, all_columns);
    uint8_t& reference = m.profiles[m.current_profile].rzedna;
    const uint8_t before = reference;
    reference = static_cast<uint8_t>(std::max(rg_PipeOrdinateMode->ItemIndex(), 0));
    if (reference != before) set_project_modified(true);
}

void TForm1::cb_PipellTerrainClick(TObject* Sender) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    odcinek& p = m.profiles[m.current_profile];
    const bool parallel = p.rownol;
    if (cb_PipellTerrain->Checked()) {
        bool go_on = true;
        // Only a click asks: code that checks the box passes no sender.
        if (Sender) {
            const std::string q = format_language_text(
                msg("msg_PipeParallelTerrainQuestion", "Obecne wartości spadku oraz zagłębienia zostaną utracone.%sKontynuować?"_cp),
                {"\r"});
            go_on = MessageBox(q, MB_YESNO | MB_ICONQUESTION) == IDYES;
            if (!go_on) {
                click_detached<TCheckBox> detached(cb_PipellTerrain);
                cb_PipellTerrain->SetChecked(false);
            }
        }
        if (go_on) {
            p.rownol = true;
            rg_ManuallyValue->SetItemIndex(1);
            if (Visible() && PageControl1->ActivePage() == ts_Data && sg1->CanFocus()) sg1->SetFocus();
        }
    }
    rg_ManuallyValue->SetEnabled(!cb_PipellTerrain->Checked());
    p.rownol = cb_PipellTerrain->Checked();
    if (p.rownol != parallel) set_project_modified(true);
    koloruj_kolumny();
    przelicz(m.current_profile, true, all_columns);
}

// --- the data group: network type and flow direction -----------------------------

// The profile's flows are summed again in its direction and shown.
static void sum_flows_again(TForm1& f) {
    const uint16_t profile = model().current_profile;
    przelicz_przeplywy_ustalenie_kierunku_sumowania(profile);
    if (!model().profiles[profile].nodes.empty()) przelicz_przeplywy_tylko_suma(profile);
    f.odswiez_dane(profile, true);
}

void TForm1::cb_NetworkTypeChange(TObject*) {
    odcinek* p = current_profile();
    if (!p) return;
    const int item = cb_NetworkType->ItemIndex();
    const char letter = item >= 0 && item <= 5 ? network_letters[item] : 'i';
    if (p->networktype != letter) set_project_modified(true);
    p->networktype = letter;
    sum_flows_again(*this);
}

void TForm1::rb_FlowDirectionLRClick(TObject*) {
    odcinek* p = current_profile();
    if (!p) return;
    const bool right = rb_FlowDirectionLR->Checked();
    if (p->pl2r_wart != right) set_project_modified(true);
    p->pl2r_wart = right;
    sum_flows_again(*this);
}

// --- the data group: own level and scale ------------------------------------------

void TForm1::cb_CompareLevelClick(TObject*) {
    e_CompareLevel->SetEnabled(cb_CompareLevel->Checked());
    odcinek* p = current_profile();
    if (!p) return;
    if (p->poziom != cb_CompareLevel->Checked()) set_project_modified(true);
    p->poziom = cb_CompareLevel->Checked();
}

void TForm1::cb_CustomXScaleClick(TObject*) {
    e_ProfileXScale->SetEnabled(cb_CustomXScale->Checked());
    odcinek* p = current_profile();
    if (!p) return;
    if (p->pskala != cb_CustomXScale->Checked()) set_project_modified(true);
    p->pskala = cb_CustomXScale->Checked();
    // The edit shows the profile's own scale, or the general one.
    przypisz_wartosci_z_odcinka_do_kontrolek();
}

void TForm1::e_CompareLevelChange(TObject* Sender) {
    auto* edit = as<TEdit>(Sender);
    odcinek* p = current_profile();
    if (!edit || !p) return;
    set_project_modified(true);
    const double value = edit_number(edit);
    if (edit == e_CompareLevel) {
        p->poziom_wart = value;
    } else if (edit == e_ProfileXScale) {
        if (p->pskala)
            p->pskalax = static_cast<int32_t>(std::clamp<int64_t>(Round(value), std::numeric_limits<int32_t>::min(),
                                                                  std::numeric_limits<int32_t>::max()));
    } else {
        // The start edits set what the preview's sheet places.
        std::array<double, 4>& origins = model().project.sheet_origins;
        const bool is_x = edit == e_StartX, is_y = edit == e_StartY;
        switch (preview_sheet_mode) {
            case 1:
                if (is_x) origins[0] = value;
                if (is_y) origins[1] = value;
                break;
            case 3:
                if (is_x) origins[2] = value;
                if (is_y) origins[3] = value;
                break;
            default:
                if (is_x) p->startX = value;
                if (is_y) p->startY = value;
                if (edit == e_StartAngle && preview_sheet_mode == 2) p->startAngle = value;
                break;
        }
    }
}

void TForm1::e_CompareLevelExit(TObject*) {
    model_state& m = model();
    if (m.profiles.size() <= 1 || m.current_profile >= m.profiles.size()) return;
    const std::string q = msg("msg_WriteCompareLevelToAllProfiles",
                              "Czy przypisać tą wartość poziomu porównawczego do pozostałych profili?"_cp);
    if (MessageBox(q, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const odcinek& current = m.profiles[m.current_profile];
    for (odcinek& p : m.profiles) {
        if (&p == &current) continue;
        if (p.poziom != current.poziom || p.poziom_wart != current.poziom_wart) set_project_modified(true);
        p.poziom = current.poziom;
        p.poziom_wart = current.poziom_wart;
    }
}

void TForm1::e_ProfileXScaleExit(TObject*) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    const int32_t own = m.profiles[m.current_profile].pskalax;
    // A profile without a scale of its own leaves the general scale as it is.
    auto to_general = [own] {
        if (own == 0) return;
        TStringAlignGrid* scales = topcje->sag_DrawingProperties;
        if (scales->Cells(1, 1) != IntToStr(own)) set_project_modified(true);
        scales->SetCell(1, 1, IntToStr(own));
    };
    if (m.profiles.size() == 1) {
        to_general();
        topcje->cb_Fit2Page->SetChecked(false);
        cb_CustomXScale->SetChecked(false);
    } else {
        const std::string q =
            msg("msg_WriteXScaleToAllProfiles", "Czy przypisać tą wartość skali X do pozostałych profili?"_cp);
        if (MessageBox(q, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            to_general();
            cb_CustomXScale->SetChecked(false);
            for (odcinek& p : m.profiles) {
                if (p.pskala) set_project_modified(true);
                p.pskala = false;
            }
        }
    }
    odswiez_dane(m.current_profile, true);
}

// --- keys ---------------------------------------------------------------------------------

void TForm1::e_CompareLevelKeyPress(TObject* Sender, char& key) { decimal_key_filter(Sender, key); }

void TForm1::e_ProfileXScaleKeyPress(TObject* Sender, char& key) {
    // A scale is a whole positive denominator.
    if (key == '-') {
        key = 0;
        services().beep();
        return;
    }
    integer_key_filter(Sender, key);
}

void TForm1::e_CompareLevelKeyDown(TObject*, Word& key, TShiftState) {
    if (key != VK_RETURN || !sg1->CanFocus()) return;
    sg1->SetFocus();
    // Leaving the scale may switch its own edit off, and the window then
    // hands the focus on to the next control: the table takes it again.
    if (!sg1->Focused() && sg1->CanFocus()) sg1->SetFocus();
}

void TForm1::e_StartAngleKeyDown(TObject*, Word& key, TShiftState) {
    if (key == VK_RETURN) przerysuj_podglad();
}

// --- the preview group ------------------------------------------------------------------

void TForm1::przerysuj_podglad() {
    const bool shown = (Visible() && PageControl1->ActivePage() == ts_DrawingPreview) || (tPreview && tPreview->Visible());
    if (!shown) return;
    for (TToolButton* b : {tb_PreviewProfile, tb_PreviewScheme, tb_PreviewCrossSection, tb_PreviewSump})
        if (b->Down()) {
            tb_PreviewProfileClick(b);
            return;
        }
}

void TForm1::cb_CrossingDescLikeInEditorClick(TObject*) {
    e_CrossingDescription->SetEnabled(!cb_CrossingDescLikeInEditor->Checked());
    set_project_modified(true);
    przerysuj_podglad();
}

void TForm1::cb_ProtectingPipeDescLikeInEditorClick(TObject*) {
    e_ProtectingPipeDescription->SetEnabled(!cb_ProtectingPipeDescLikeInEditor->Checked());
    set_project_modified(true);
    przerysuj_podglad();
}

void TForm1::wypelnij_listy_opisow() {
    const std::string customise = customise_entry();
    const struct {
        TComboBox* combo;
        int list;
    } lists[] = {{cb_NodeDescription, node_description_list},
                 {cb_NodeWithSumpDescription, node_with_sump_description_list},
                 {cb_SectionDescription, section_description_list}};
    for (const auto& [combo, list] : lists) {
        std::vector<std::string> items = split_items(settings().data_lists[static_cast<std::size_t>(list)]);
        // A list ended by its separator has no empty last value.
        if (!items.empty() && items.back().empty()) items.pop_back();
        const std::string text = combo->Text();
        TStringList& shown = combo->Items();
        shown.Clear();
        for (const std::string& item : items) shown.Add(item);
        shown.Add(customise);
        // The text stays; an empty one takes the first value (never the
        // customise entry).
        combo->SetText(text);
        if (text.empty() && shown.Count() > 1) combo->SetItemIndex(0);
    }
}

void TForm1::cb_NodeDescriptionChange(TObject* Sender) {
    auto* combo = as<TComboBox>(Sender);
    if (!combo) return;
    set_project_modified(true);
    const int count = combo->Items().Count();
    if (count == 0 || combo->ItemIndex() != count - 1) return;
    const int list = combo == cb_NodeWithSumpDescription ? node_with_sump_description_list
                     : combo == cb_SectionDescription    ? section_description_list
                                                         : node_description_list;
    if (count > 1) combo->SetItemIndex(0);
    else combo->SetText("");
    topcje->open_at(value_lists_node, list);
    // The lists show what the settings now hold.
    wypelnij_listy_opisow();
}
