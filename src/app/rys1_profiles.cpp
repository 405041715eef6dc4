// The main window's profiles: the tab strip and its popup menu, the
// "Profil" menu and its commands, the node table's part in them, and the
// insertion of objects at the current node.
#include <algorithm>

#include "forms/ed_obiekt.h"
#include "forms/kopiuj.h"
#include "forms/objects.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "forms/search.h"
#include "forms/wstaw_tab.h"
#include "model/columns.h"
#include "model/flows.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/profiles.h"
#include "model/recalculation.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/tanks.h"
#include "platform/sysutils.h"

namespace {

// The most profiles a project holds; the new-profile command refuses beyond.
constexpr std::size_t profile_limit = 250;
// The most further chambers one tank brings along.
constexpr int chamber_limit = 5;

bool has_profiles() { return !model().profiles.empty(); }

odcinek& current_profile() {
    model_state& m = model();
    return m.profiles.at(m.current_profile);
}

// The run of a tank or treatment-plant element along the pipe: its length,
// or its width when it gives no length, in millimetres.
int run_length(const mat_osadnik& tank) { return tank.length != 0 ? tank.length : tank.width; }

// The node's segment spans the element: its length, and the slope from the
// inlet down to the outlet (kept when the element gives no run).
void set_run(wezel& w, const mat_osadnik& tank) {
    const int run = run_length(tank);
    w.dlug = run / 1000.0;
    if (run != 0)
        w.spad = model().slope_sign * 100.0 *
                 (static_cast<double>(tank.height_inlet_bottom) - static_cast<double>(tank.height_outlet_bottom)) / run;
}

}  // namespace

void TForm1::connect_profile_handlers() {
    a_ProfileNew->OnExecute = [this](TObject* s) { Dodajodcinek1Click(s); };
    a_ProfileRename->OnExecute = [this](TObject* s) { mi_ChangeNameClick(s); };
    a_ProfileDelete->OnExecute = [this](TObject* s) { a_ProfileDeleteExecute(s); };
    a_ProfileDuplicate->OnExecute = [this](TObject* s) { a_ProfileDuplicateExecute(s); };
    a_ProfileChangeOrder->OnExecute = [this](TObject* s) { a_ProfileChangeOrderExecute(s); };
    a_ProfileMarkAsMain->OnExecute = [this](TObject* s) { a_ProfileMarkAsMainExecute(s); };
    a_ProfileJoin->OnExecute = [this](TObject* s) { a_ProfileJoinExecute(s); };
    a_ProfileSplit->OnExecute = [this](TObject* s) { a_ProfileSplitExecute(s); };
    a_SearchNodeProfil->OnExecute = [this](TObject* s) { a_SearchNodeProfilExecute(s); };
    a_ObjectEdit->OnExecute = [this](TObject* s) { a_ObjectEditExecute(s); };
    a_Objects->OnExecute = [this](TObject* s) { a_ObjectsExecute(s); };
    pm_tabs->OnPopup = [this](TObject* s) { pm_tabsPopup(s); };
    mi_Profile->OnClick = [this](TObject* s) { mi_ProfileClick(s); };
    mi_that1->OnClick = [this](TObject* s) { mi_rysujClick(s); };
    mi_only1->OnClick = [this](TObject* s) { mi_only1Click(s); };
    mi_OnlyTheSameType->OnClick = [this](TObject* s) { mi_OnlyTheSameTypeClick(s); };
    mi_AllWithout1->OnClick = [this](TObject* s) { mi_AllWithout1Click(s); };
    mi_All->OnClick = [this](TObject* s) { mi_AllClick(s); };
    tab_profile->OnChange = [this](TObject* s) { tab_profileChange(s); };
}

// --- the node table ------------------------------------------------------------

int TForm1::current_node() const { return std::max(sg1->Row() - 2, 0); }

void TForm1::czysc_dane() {
    for (int r = 2; r < sg1->RowCount(); ++r)
        for (int c = sg1->FixedCols(); c < sg1->ColCount(); ++c) sg1->SetCell(c, r, "");
}

void TForm1::finish_cell_edit() { sg1->end_edit(false); }

// --- the tab strip ---------------------------------------------------------------

void TForm1::tabs_odswiez(int index) {
    const int count = static_cast<int>(model().profiles.size());
    tab_profile->ClearTabs();
    for (int i = 0; i < count; ++i) tab_profile->AddTab(tabs_name_create(static_cast<uint16_t>(i)));
    tab_profile->SetTabIndex(std::clamp(index, 0, std::max(count - 1, 0)));
    tab_profileChange(nullptr);
}

void TForm1::tabs_odswiez_nazwy() {
    const int count = std::min(tab_profile->TabCount(), static_cast<int>(model().profiles.size()));
    for (int i = 0; i < count; ++i) tab_profile->SetTabText(i, tabs_name_create(static_cast<uint16_t>(i)));
}

void TForm1::tab_profileChange(TObject*) {
    model_state& m = model();
    if (m.profiles.empty()) return;
    const int last = static_cast<int>(m.profiles.size()) - 1;
    m.current_profile = static_cast<uint16_t>(std::clamp(tab_profile->TabIndex(), 0, last));
    przypisz_wartosci_z_odcinka_do_kontrolek();
    odcinek_2_panel(std::max(sg1->Row() - 2, 0));
    // The formula column can show sump bottoms: bring the profile's sumps up
    // to date before it is evaluated.
    const std::string& formula = settings().calc_column_formula;
    const auto& nodes = m.profiles[m.current_profile].nodes;
    if (!nodes.empty() && (formula.find("@_td_rzedna_dna") != std::string::npos ||
                           formula.find("@_td_rzedne_dna") != std::string::npos))
        for (std::size_t i = 0; i < nodes.size(); ++i)
            if (LowerCase(nodes[i].obiekt) == "sump")
                odswiez_studzienke(m.current_profile, static_cast<int>(i), -1, false);
    // The panel's choices are all in place: one recalculation with them.
    przelicz_przeplywy();
    przelicz(m.current_profile, true, all_columns);
    koloruj_kolumny();
    bool can_select = true;
    sg1SelectCell(sg1, sg1->Col(), sg1->Row(), can_select);
}

// --- the profile commands -------------------------------------------------------

void TForm1::Dodajodcinek1Click(TObject*) {
    if (model().profiles.size() >= profile_limit) {
        const std::string text = msg("msg_ProfileAddBlock",
                                     "Nie można dodać nowego profilu.\r\nMaksymalna ilość profili została osiągnięta [250]."_cp);
        MessageBox(format_language_text(text, {"\r\n"}), MB_OK);
        return;
    }
    twstaw_tab->SetCaption(lang_text("twstaw_tab", "twstaw_tab", "Wstaw profil"));
    twstaw_tab->l_ProfileName->Tag = 1;
    twstaw_tab->ShowModal();
}

void TForm1::mi_ChangeNameClick(TObject*) {
    twstaw_tab->SetCaption(lang_text("twstaw_tab", "twstaw_tab_Rename", "Zmień nazwę"_cp));
    twstaw_tab->l_ProfileName->Tag = 0;
    twstaw_tab->ShowModal();
}

void TForm1::a_ProfileDeleteExecute(TObject*) {
    if (!has_profiles()) return;
    const int tab = tab_profile->TabIndex();
    profile_delete(tab >= 0 ? static_cast<uint16_t>(tab) : model().current_profile, false, true);
}

void TForm1::a_ProfileDuplicateExecute(TObject*) {
    if (!has_profiles()) return;
    profil_duplikuj(static_cast<uint16_t>(std::max(tab_profile->TabIndex(), 0)), true);
}

void TForm1::a_ProfileChangeOrderExecute(TObject*) {
    if (has_profiles()) odwroc_kolejnosc(model().current_profile);
}

void TForm1::a_ProfileMarkAsMainExecute(TObject*) {
    if (!has_profiles()) return;
    const int tab = tab_profile->TabIndex() >= 0 ? tab_profile->TabIndex() : model().current_profile;
    int16_t& main = model().project.main_profile;
    main = main == tab ? int16_t{-1} : static_cast<int16_t>(tab);
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

void TForm1::a_ProfileJoinExecute(TObject*) {
    if (!has_profiles()) return;
    tSearch->Tag = 1;
    if (tSearch->ShowModal() != mrOk) return;
    const int target = tab_profile->TabIndex();
    if (target < 0) return;
    profil_polacz(static_cast<uint16_t>(target), model().current_profile, true, true);
}

void TForm1::a_ProfileSplitExecute(TObject*) {
    if (!has_profiles()) return;
    profil_podziel(model().current_profile, current_node(), true, true);
    tabs_odswiez(model().current_profile);
}

void TForm1::a_SearchNodeProfilExecute(TObject*) {
    tSearch->Tag = 0;
    tSearch->ShowModal();
}

void TForm1::pm_tabsPopup(TObject*) {
    if (!has_profiles()) return;
    const model_state& m = model();
    const odcinek& p = current_profile();
    mi_Draw->SetChecked(p.rysuj);
    a_ProfileMarkAsMain->SetEnabled(m.profiles.size() > 1);
    a_ProfileMarkAsMain->SetChecked(m.project.main_profile == m.current_profile);
    const int type = getflowindex(p.networktype);
    const std::string type_name = type < cb_NetworkType->Items().Count() ? cb_NetworkType->Items()[type] : std::string();
    mi_OnlyTheSameType->SetCaption(
        format_language_text(lang_text("Form1", "mi_OnlyTheSameType", "Tylko profile typu: %s"), {type_name}));
}

void TForm1::mi_ProfileClick(TObject*) {
    const model_state& m = model();
    const bool several = m.profiles.size() > 1;
    a_ProfileMarkAsMain->SetEnabled(several);
    a_ProfileMarkAsMain->SetChecked(has_profiles() && m.project.main_profile == m.current_profile);
    a_ProfileSplit->SetEnabled(has_profiles() && current_profile().nodes.size() > 1);
    bool holds_something = several;
    if (!several && has_profiles()) {
        const odcinek& p = m.profiles.front();
        holds_something = !p.nodes.empty() || !p.crossings.empty() || !p.casings.empty() || !p.sections.empty();
    }
    mi_ImportCrossingsFromDxfFile->SetEnabled(holds_something);
}

void TForm1::mi_rysujClick(TObject*) {
    if (!has_profiles()) return;
    mi_Draw->SetChecked(!mi_Draw->Checked());
    current_profile().rysuj = mi_Draw->Checked();
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

void TForm1::mi_only1Click(TObject*) {
    if (!has_profiles()) return;
    for (odcinek& p : model().profiles) p.rysuj = false;
    current_profile().rysuj = true;
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

void TForm1::mi_OnlyTheSameTypeClick(TObject*) {
    if (!has_profiles()) return;
    const char type = current_profile().networktype;
    for (odcinek& p : model().profiles) p.rysuj = p.networktype == type;
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

void TForm1::mi_AllWithout1Click(TObject*) {
    if (!has_profiles()) return;
    for (odcinek& p : model().profiles) p.rysuj = true;
    current_profile().rysuj = false;
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

void TForm1::mi_AllClick(TObject*) {
    for (odcinek& p : model().profiles) p.rysuj = true;
    set_project_modified(true);
    tabs_odswiez_nazwy();
}

// --- objects -----------------------------------------------------------------------

void TForm1::a_ObjectsExecute(TObject*) {
    tObjects->l_Found->SetHint("");
    tObjects->Tag = 1;
    tObjects->ShowModal();
    tObjects->Tag = 0;
}

void TForm1::a_ObjectEditExecute(TObject*) {
    if (!has_profiles()) return;
    const uint16_t profile = model().current_profile;
    const int node = current_node();
    const auto& nodes = current_profile().nodes;
    const bool exists = node < static_cast<int>(nodes.size());
    const int found = exists ? znajdz_obiekt(profile, node) : -1;
    const std::string object = exists ? nodes[static_cast<std::size_t>(node)].obiekt : std::string();
    if (found < 0 && !jest_obiekt2(object, "vars")) {
        show_hint(msg("msg_ObjectNotFound", "Obiekt nie został odnaleziony."_cp));
        return;
    }
    tObjectProp->Tag = 1;
    tObjectProp->l_ObjectKind->SetHint(object);
    tObjectProp->l_ObjectKind->Tag = found;
    tObjectProp->ShowModal();
}

namespace {

// The pick list takes the Down key after it was filled, as a list that
// shows moves to its next entry.
void post_down_key() {
    if (TApplication* app = Application())
        app->post([] {
            if (!Form1) return;
            Word key = VK_DOWN;
            Form1->lb_listy->KeyDown(key, 0);
        });
}

// A blank node before the node at `index` of the current profile (after
// the last one when `index` is past it), shown in the current row of the
// node table; returns its index.
int insert_blank_before(TForm1& window, int index) {
    model_state& m = model();
    const int count = static_cast<int>(m.profiles.at(m.current_profile).nodes.size());
    if (index >= count) return wstaw(true);
    if (window.sg1->RowCount() < count + 2) window.odswiez_dane(m.current_profile, false);
    window.sg1->SetRow(index + 2);
    return wstaw(false);
}

// The further chambers of a multi-chamber tank, each after a gap node,
// following the tank at node `tank_node`: every chamber's object file is
// named by the chamber placed before it.
void add_further_chambers(TForm1& window, int tank_node, const mat_osadnik& first) {
    model_state& m = model();
    const uint16_t profile = m.current_profile;
    auto node = [&m, profile](int i) -> wezel& { return m.profiles[profile].nodes.at(static_cast<std::size_t>(i)); };
    auto count = [&m, profile] { return static_cast<int>(m.profiles[profile].nodes.size()); };

    int previous = tank_node;
    std::string next_file = first.file_next;
    for (int added = 0; added < chamber_limit && !next_file.empty(); ++added) {
        const int gap = insert_blank_before(window, previous + 1);
        node(gap).dlug = first.distance_to_next / 1000.0;
        const int chamber = insert_blank_before(window, gap + 1);

        mat_osadnik record;
        tObjectProp->czytaj_dane_osadnik(next_file, record);
        wezel& c = node(chamber);
        record.adds.node_id = c.id;
        if (chamber + 1 < count()) {
            wezel& following = node(chamber + 1);
            c.ter_used = following.ter_used;
            c.dno = following.dno;
            c.wez = following.wez;
            c.fi = following.fi;
            following.obiekt.clear();
            following.wez.clear();
        }
        c.obiekt = node(previous).obiekt;
        c.kom = record.main.name;
        set_run(c, record);
        next_file = record.file_next;
        m.profiles[profile].tanks.push_back(std::move(record));
        previous = chamber;
    }
}

}  // namespace

void TForm1::obiekty(const std::string& text) {
    // The pick list: the top level, or the items of one group.
    if (text == ".." || text.find("...") == std::string::npos) {
        lb_listy->Clear();
        for (int i = 1; i < mi_ObjectInsert->Count(); ++i) {
            const TMenuItem* item = mi_ObjectInsert->Items(i);
            if (item->Tag != 1) continue;
            std::string entry = LowerCase(item->Caption());
            if (item->Name() == "mi_Fittings" || item->Name() == "mi_Other") entry += "...";
            lb_listy->Items().Add(entry);
        }
        lb_listy->Items().Insert(0, "");
        if (lb_listy->Visible()) post_down_key();
        if (text == "..") return;
    } else {
        lb_listy->Clear();
        if (object_category >= 0 && object_category < mi_ObjectInsert->Count()) {
            const TMenuItem* group = mi_ObjectInsert->Items(object_category);
            for (int i = 0; i < group->Count(); ++i)
                if (group->Items(i)->Visible()) lb_listy->Items().Add(LowerCase(group->Items(i)->Caption()));
        }
        post_down_key();
        lb_listy->Items().Insert(0, "..");
        return;
    }

    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    const uint16_t profile = m.current_profile;
    const int k = current_node();
    auto node = [&m, profile](int i) -> wezel& { return m.profiles[profile].nodes.at(static_cast<std::size_t>(i)); };
    auto count = [&m, profile] { return static_cast<int>(m.profiles[profile].nodes.size()); };
    if (k >= count()) return;

    const std::string lowered = LowerCase(text);
    if (has_treatment_code(lowered)) {
        // A treatment-plant element takes a node of its own before the
        // current one, with the name and object of the node it displaces.
        mat_osadnik element;
        if (!osadnik_dane2(element, lowered)) {
            node(k).obiekt = previous_object;
            MessageBox(unknown_treatment_element_message(text), MB_OK);
        } else {
            const int at = insert_blank_before(*this, k);
            wezel& w = node(at);
            wezel& following = node(at + 1);
            w.ter_used = following.ter_used;
            w.obiekt = following.obiekt;
            w.wez = following.wez;
            following.obiekt.clear();
            following.wez.clear();
            set_run(w, element);
            przelicz(profile, false, all_columns);
        }
    } else if (jest_obiekt2(node(k).obiekt, "osadnikopodobne") && node(k).id != 0) {
        // A tank from the library.
        if (jest_obiekt2(previous_object, "osadnikopodobne")) {
            node(k).obiekt = previous_object;
            tObjectProp->Tag = 1;
        } else {
            tObjectProp->Tag = 0;
        }
        tObjects->l_Found->SetHint(node(k).obiekt);
        if (tObjects->ShowModal() != mrOk) {
            if (k < count()) node(k).obiekt = previous_object;
        } else if (k < count()) {
            const int record = znajdz_obiekt(profile, k);
            const bool fresh = tObjectProp->Tag == 0;
            if (fresh) {
                const int at = insert_blank_before(*this, k);
                wezel& w = node(at);
                const wezel& following = node(at + 1);
                w.ter_used = following.ter_used;
                w.dno = following.dno;
                w.obiekt = following.obiekt;
                w.wez = following.wez;
                w.fi = following.fi;
                if (record >= 0) m.profiles[profile].tanks[static_cast<std::size_t>(record)].adds.node_id = w.id;
            }
            if (record >= 0) {
                const mat_osadnik tank = m.profiles[profile].tanks[static_cast<std::size_t>(record)];
                wezel& w = node(k);
                w.kom = tank.main.name;
                set_run(w, tank);
                w.obiekt = tank.adds.type;
                if (fresh && k + 1 < count()) {
                    node(k + 1).obiekt.clear();
                    node(k + 1).wez.clear();
                }
                add_further_chambers(*this, k, tank);
            }
            przelicz(profile, false, all_columns);
        }
    } else if (node(k).obiekt == "inne" || node(k).obiekt == "armatura") {
        tObjects->l_Found->SetHint(node(k).obiekt);
        if (tObjects->ShowModal() != mrOk && k < count()) node(k).obiekt = previous_object;
    } else if (LowerCase(nazwa2obiekt(text)) == "sump" && LowerCase(node(k).obiekt) == "sump" && node(k).id != 0) {
        int answer = IDYES;
        if (m.profiles.size() > 1)
            answer = MessageBox(
                format_language_text(msg("msg_WhichSumpIsAddingQuestion",
                                         "Wstawić nową studzienkę? %sWybierz [Nie] jeżeli chcesz podłączyć do już istniejącej."_cp),
                                     {"\r\n"}),
                MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDYES) {
            tObjects->l_Found->SetHint("sump");
            if (tObjects->ShowModal() != mrOk && k < count()) node(k).obiekt = previous_object;
        } else if (answer == IDNO) {
            // The node chooser connects the node to a sump of the project;
            // a node the user copied stays in the buffer.
            tcopy->ShowModal();
        } else {
            node(k).obiekt = previous_object;
        }
    }
    odswiez_dane(profile, false);
}
