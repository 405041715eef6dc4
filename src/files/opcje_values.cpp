// The settings that the program keeps as values: copying them between the
// settings dialog's controls and the process-wide values, the slope sign,
// the unit of the user column, and the dialog's small handlers.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "platform/paths.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "forms/opcje.h"
#include "files/settings.h"
#include "model/settings_state.h"
#include "files/utils.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

double real_or(const TCustomEdit* e, double fallback) {
    double v = 0;
    return TryStrToFloat(e->Text(), v) && std::isfinite(v) ? v : fallback;
}

long long whole_or(const TCustomEdit* e, long long fallback, long long min, long long max) {
    int v = 0;
    if (!TryStrToInt(e->Text(), v)) return fallback;
    return std::clamp<long long>(v, min, max);
}

std::string g(double v) { return Format("%g", {v}); }

constexpr std::size_t kind_index(column_kind k) { return static_cast<std::size_t>(index_of(k)); }

// The unit of the kind shown in the slot that column_map gives for a kind.
std::string& unit_of(column_kind k) {
    model_state& m = model();
    const uint8_t slot = m.column_map[kind_index(k)];
    return m.column_units[static_cast<std::size_t>(m.column_order[slot] % 100)];
}

// Flow display factor: volume unit index v and time unit index t.
double flow_factor(int v, int t) {
    static const double per_hour[] = {1.0 / 24, 1, 60, 3600};
    return std::pow(10.0, 3 * std::clamp(v, 0, 3)) / per_hour[std::clamp(t, 0, 3)];
}

void show_sewage_treatment(bool on) {
    Form1->a_SewageTreatmentPlant->SetChecked(on);
    Form1->ts_SewageTreatment->SetTabVisible(on);
}

// The column table: the language's titles and the units in grey, the rows
// of the side panel's columns in the colour of automatic cells.
void refill_column_table() {
    model_state& m = model();
    TStringAlignGrid* t = topcje->sag_DataTable;
    t->SetRowCount(column_kind_count + 1);
    t->col_font(1).Color = clGray;
    t->col_font(3).Color = clGray;
    for (int r = 1; r <= column_kind_count; ++r) {
        const uint8_t slot = m.column_order[static_cast<std::size_t>(r - 1)];
        t->set_row_colour(r, slot >= 100 ? settings().auto_cell_color : clWhite);
        const auto k = static_cast<std::size_t>(slot % 100);
        const column_info& c = column_of(kind_from_index(static_cast<int>(k)));
        t->SetCell(0, r, IntToStr(r));
        t->SetCell(1, r, lang_text("Columns", c.language_key, m.column_titles[k]));
        t->SetCell(2, r, m.column_titles[k]);
        t->SetCell(3, r, m.column_units[k]);
        t->SetCell(4, r, precision_text(m.column_kind_decimals[k]));
        t->SetCell(5, r, IntToStr(m.column_widths[k]));
    }
}

}  // namespace

bool kier_spad() {
    const int8_t sign = topcje->cb_DropUp->Checked() ? -1 : 1;
    const bool changed = sign != model().slope_sign;
    model().slope_sign = sign;
    return changed;
}

void set_calc_column_unit() {
    std::string& unit = unit_of(column_kind::user1);
    unit = "-";
    const std::string& formula = settings().calc_column_formula;
    if (formula.empty()) return;
    const struct {
        std::vector<const char*> texts;
        column_kind from;
        const char* fixed;
    } groups[] = {
        {{"@_td_rzedn", "@_td_linia"}, column_kind::ter, nullptr},
        {{"@_td_przeplyw"}, column_kind::flow, nullptr},
        {{"@_td_spadek"}, column_kind::spad, nullptr},
        {{"@_td_rura_grubosc_sciany", "@_td_srednica"}, column_kind::fi, nullptr},
        {{"@_td_zaglebienie", "@_td_odleglosc", "@_td_dlugosc", "@_td_szerokosc", "@_td_srednica_m"}, column_kind::dlug, nullptr},
        {{"@_td_kat"}, column_kind::kat, nullptr},
        {{"@_td_rura_klasa", "@_td_rura_sdr", "@_td_rura_sn", "@_td_wspl"}, column_kind::wez, nullptr},
        {{"@_td_nasyp", "@_td_objetosc_wymiany"}, column_kind::user1, "m3"},
    };
    for (const auto& group : groups) {
        bool counts = false;
        for (const char* t : group.texts) counts = counts || formula.find(t) != std::string::npos;
        if (!counts) continue;
        const std::string u = group.fixed ? std::string(group.fixed) : unit_of(group.from);
        unit = unit == "-" ? u : std::string("?");
    }
}

bool contr2var() {
    settings_state& s = settings();
    model_state& m = model();
    Ttopcje& d = *topcje;
    bool recalc = false;

    s.embankment_slope = real_or(d.e_Slope, 1.0);
    s.embankment_slope_on = d.cb_Slope->Checked();
    if (!d.cb_DepthAlways2BottomPipe->Checked() != s.depth_not_to_bottom) recalc = true;
    s.depth_not_to_bottom = !d.cb_DepthAlways2BottomPipe->Checked();
    s.embankment_width_addition = real_or(d.e_SlopeWidthAddition, 0);
    s.sidefill_height = real_or(d.e_obsypka, 0);
    s.bedding_height = real_or(d.e_podsypka, 0);
    s.sump_wall_thickness = real_or(d.e_SumpWallThickness, 0.05);
    s.sand_layer_height = real_or(Form1->e_SandLayerHeight, 0.4);
    s.distance_between_pipes = real_or(Form1->e_DistanceBetweenPipes, 1.5);
    s.gravel_layer_height = real_or(Form1->e_GravelLayerHeight, 0.3);
    s.sump_hollow = real_or(d.e_SumpHollow, 0);

    s.profile_gap = static_cast<uint8_t>(whole_or(d.e_odstep, 15, 0, 255));
    s.drop_from = static_cast<uint16_t>(whole_or(d.e_AutoBackdrop, 500, 0, 65535));
    s.title_column_width = static_cast<uint8_t>(whole_or(d.e_TableTitleColumnWidth, 0, 0, 255));
    s.draw_axis_from = static_cast<uint16_t>(whole_or(d.e_DrawAxisFrom, 0, 0, 65535));
    s.trim_length = real_or(d.e_TrimSections, 20.0);
    s.aod_distance_from = real_or(d.e_AODDistanceFrom, 6.0);
    s.aod_dependency = static_cast<uint8_t>(std::max(0, d.cb_AODDependency->ItemIndex()));
    m.display_decimals = static_cast<uint8_t>(std::max(0, d.cb_dokl->ItemIndex()));
    s.symbol_size = static_cast<uint8_t>(std::clamp(d.se_SymbolSize->Value(), 0, 255));
    s.symbol_size_factor = s.symbol_size * 0.2 / 100;
    s.table_font_size = static_cast<uint8_t>(std::clamp(d.se_wys->Value(), 0, 255));

    const int minutes = d.se_AutoSave->Value();
    Form1->t_Save->SetInterval(minutes * 60000);
    Form1->t_Save->SetEnabled(minutes > 0);

    m.project.ConfigFile = d.l_FileSettings->Hint();
    s.flow_unit_factor = flow_factor(d.cb_FlowUnitV->ItemIndex(), d.cb_FlowUnitT->ItemIndex());
    s.calc_column_formula = d.e_CalcColumnFormula->Text();
    show_sewage_treatment(d.cb_ShowSewageTreatTab->Checked());
    s.data_lists = s.data_lists_edit;

    s.crossing_media.clear();
    for (int r = 1; r < d.sag_CrossingsFonts->RowCount(); ++r)
        s.crossing_media.push_back(AnsiLowerCase(d.sag_CrossingsFonts->Cells(0, r)));

    TStringGrid* t = d.sag_DataTable;
    if (t->RowCount() == 27) {
        for (int r = 1; r <= column_kind_count; ++r) {
            const auto k = static_cast<std::size_t>(m.column_order[static_cast<std::size_t>(r - 1)] % 100);
            m.column_titles[k] = t->Cells(2, r);
            m.column_units[k] = t->Cells(3, r);
            // "0.000" gives 3 decimals, "0" none, "0.05" two.
            const int decimals = std::max(0, static_cast<int>(t->Cells(4, r).size()) - 2);
            if (decimals != m.column_kind_decimals[k]) {
                m.column_kind_decimals[k] = static_cast<uint8_t>(decimals);
                recalc = true;
            }
            // A width that is not a whole number of 0 or more keeps the
            // column's width; the confirmation goes on.
            int width = 0;
            if (TryStrToInt(t->Cells(5, r), width) && width >= 0) m.column_widths[k] = width;
        }
    }
    set_calc_column_unit();
    s.preview_background = d.p_BackgroundColor->Color();
    Form1->Zoombox->SetColor(s.preview_background);
    return recalc;
}

void var2contr(const std::string& mode) {
    settings_state& s = settings();
    model_state& m = model();
    Ttopcje& d = *topcje;
    if (mode.empty() || mode == "opcje") {
        d.se_wys->SetValue(s.table_font_size);
        d.e_CalcColumnFormula->SetText(s.calc_column_formula);
        d.cb_ShowSewageTreatTab->SetChecked(Form1->a_SewageTreatmentPlant->Checked());
        show_sewage_treatment(Form1->a_SewageTreatmentPlant->Checked());
        d.e_Slope->SetText(g(s.embankment_slope));
        d.e_SlopeWidthAddition->SetText(g(s.embankment_width_addition));
        d.e_obsypka->SetText(g(s.sidefill_height));
        d.e_podsypka->SetText(g(s.bedding_height));
        d.e_SumpWallThickness->SetText(g(s.sump_wall_thickness));
        d.e_SumpHollow->SetText(g(s.sump_hollow));
        d.e_TrimSections->SetText(g(s.trim_length));
        d.e_AODDistanceFrom->SetText(g(s.aod_distance_from));
        d.e_odstep->SetText(IntToStr(s.profile_gap));
        d.e_AutoBackdrop->SetText(IntToStr(s.drop_from));
        d.e_TableTitleColumnWidth->SetText(IntToStr(s.title_column_width));
        d.e_DrawAxisFrom->SetText(IntToStr(s.draw_axis_from));
        d.cb_Slope->SetChecked(s.embankment_slope_on);
        d.cb_DepthAlways2BottomPipe->SetChecked(!s.depth_not_to_bottom);
        d.cb_dokl->SetItemIndex(m.display_decimals);
        d.se_SymbolSize->SetValue(s.symbol_size);
        fire(d.cb_CalculateInvertsAccordToMainSection, d.cb_CalculateInvertsAccordToMainSection->OnClick,
             d.cb_CalculateInvertsAccordToMainSection);
        d.cb_AODDependency->SetItemIndex(s.aod_dependency);
        const int list = std::max(0, d.cb_listy->ItemIndex());
        d.mm->SetText(
            replace_all(std::string(1, item_separator), "\r\n", s.data_lists[static_cast<std::size_t>(list)]));
        s.data_lists_edit = s.data_lists;
        refill_column_table();
    }

    set_calc_column_unit();
    const std::string slope_unit = m.column_units[kind_index(column_kind::spad)];
    const int gi = d.cb_GradientMode->Items().IndexOf(slope_unit);
    d.cb_GradientMode->SetItemIndex(gi >= 0 ? gi : 2);
    const std::string flow_unit = m.column_units[kind_index(column_kind::flow)];
    const std::size_t slash = flow_unit.find('/');
    const std::string volume = flow_unit.substr(0, slash);
    const std::string time = slash == std::string::npos ? std::string() : flow_unit.substr(slash + 1);
    d.cb_FlowUnitV->SetItemIndex(std::max(0, d.cb_FlowUnitV->Items().IndexOf(volume)));
    d.cb_FlowUnitT->SetItemIndex(std::max(0, d.cb_FlowUnitT->Items().IndexOf(time)));

    if (mode.empty() || mode == "drenaz") {
        Form1->e_SandLayerHeight->SetText(g(s.sand_layer_height));
        Form1->e_DistanceBetweenPipes->SetText(g(s.distance_between_pipes));
        Form1->e_GravelLayerHeight->SetText(g(s.gravel_layer_height));
    }

    const std::string pattern = lang_text("topcje", "l_FileSettings", "Plik konfiguracyjny dla projektu: %s");
    const std::string user_file = path_join(folders().config_folder, "halvoren.ini");
    if (!m.project.ConfigFile.empty()) {
        const std::string short_form = shorten_path_for_display(m.project.ConfigFile, d.l_FileSettings);
        d.l_FileSettings->SetCaption(format_language_text(pattern, {short_form}));
        d.b_Save->SetHint(m.project.ConfigFile);
    } else {
        d.l_FileSettings->SetCaption(format_language_text(pattern, {lang_text("MostUsedValues", "muv_Default", "Domyślny"_cp)}));
        d.l_FileSettings->SetHint("");
        d.b_Save->SetHint(user_file);
    }
    d.sb_ClearSettingsFile->SetEnabled(!d.l_FileSettings->Hint().empty());

    d.p_BackgroundColor->SetColor(s.preview_background);
    const program_folders& f = folders();
    d.l_DocsDirValue->SetCaption(f.documents_folder);
    d.l_DocsDirValue->SetHint(f.documents_folder);
    d.l_ConfigDirValue->SetCaption(f.config_folder);
    d.l_ConfigDirValue->SetHint(f.config_folder);
}

void connect_field_handlers() {
    Ttopcje& d = *topcje;
    for (TWinControl* c : std::initializer_list<TWinControl*>{
             d.cb_jedn, d.e_skala_krot, d.cb_Distance, d.e_obsypka, d.e_podsypka, d.e_SumpWallThickness, d.e_SumpHollow,
             d.e_SlopeWidthAddition, d.e_Slope, d.e_TrimSections, d.e_AutoDiameter, d.Edit1, d.e_szer,
             d.e_AutoAdd2Diameter, d.e_AutoTrenchSlope, d.e_AODDistanceFrom})
        c->OnKeyPress = decimal_key_filter;
    for (TWinControl* c : {d.e_DrawAxisFrom, d.e_AutoBackdrop, d.e_TableTitleColumnWidth, d.e_odstep})
        c->OnKeyPress = integer_key_filter;
    // The scales' rows take whole numbers; the titles and numbers any text.
    d.sag_DrawingProperties->OnKeyPress = [&d](TObject* s, char& key) {
        const int row = d.sag_DrawingProperties->Row();
        // Esc still reaches the cell's editor.
        if ((row == 1 || row == 2) && static_cast<unsigned char>(key) >= 32) integer_key_filter(s, key);
    };
    // A fitted profile sheet chooses its own horizontal scale.
    d.sag_DrawingProperties->OnSelectCell = [&d](TObject*, int col, int row, bool& can_select) {
        if (col == 1 && row == 1 && d.cb_Fit2Page->Checked()) can_select = false;
    };
    for (TEdit* e : {d.e_AutoDiameter, d.Edit1, d.e_szer, d.e_AutoAdd2Diameter, d.e_AutoTrenchSlope})
        e->OnExit = [e](TObject*) {
            if (e->Text().empty()) e->SetText("0");
        };
    // Ctrl+Shift+Up and Down move the caret's line up or down the list.
    d.mm->OnKeyDown = [&d](TObject*, Word& key, TShiftState shift) {
        if (shift != (ssCtrl | ssShift) || (key != VK_UP && key != VK_DOWN)) return;
        TMemo& m = *d.mm;
        const std::string text = m.Text();
        const std::size_t caret = static_cast<std::size_t>(std::max(0, m.SelStart()));
        int line = 0;
        std::size_t line_start = 0;
        for (std::size_t p = text.find("\r\n"); p != std::string::npos && p < caret; p = text.find("\r\n", p + 2)) {
            ++line;
            line_start = p + 2;
        }
        const int other = key == VK_DOWN ? line + 1 : line - 1;
        key = 0;
        if (other < 0 || other >= m.Lines().Count()) return;
        const std::size_t column = caret - line_start;
        m.Lines().Exchange(line, other);
        const std::string moved = m.Text();
        std::size_t start = 0;
        for (int i = 0; i < other; ++i) start = moved.find("\r\n", start) + 2;
        const std::size_t length = m.Lines()[other].size();
        m.SetSelStart(static_cast<int>(start + std::min(column, length)));
        m.SetSelLength(0);
    };
}
