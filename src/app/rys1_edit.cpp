// The road of one edit of a node value: the key filter of the node table and
// the side panel, the node remembered at the start, the commit of the
// finished text into the node, the copies to the namesakes in the other
// profiles and the renaming of a node.
#include <algorithm>
#include <vector>

#include "app/node_table.h"
#include "forms/rys1.h"
#include "model/flows.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/pairs.h"
#include "model/pipe_series.h"
#include "model/profiles.h"
#include "model/project.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/named_bytes.h"
#include "platform/sysutils.h"

namespace {

bool is_panel(TObject* sender) { return Form1 && sender == Form1->sag_Panel; }

// The two halves of a typed pair: "a", "a/b", "/b" (0 first) or "a/" (0
// second). False when a half does not convert.
bool read_pair(const std::string& text, value_pair& out) {
    const std::string t = fix_decimal_separator(text);
    const std::size_t slash = t.find('/');
    if (slash == std::string::npos) {
        double v = 0;
        if (!TryStrToFloat(t, v)) return false;
        out = value_pair(v);
        return true;
    }
    double a = 0, b = 0;
    if (slash > 0 && !TryStrToFloat(t.substr(0, slash), a)) return false;
    if (slash + 1 < t.size() && !TryStrToFloat(t.substr(slash + 1), b)) return false;
    out = {a, b};
    return true;
}

}  // namespace

void TForm1::sg1BeforeEdit(TObject*, int, int) {
    edit_cancelled = false;
    model_state& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    auto& nodes = m.profiles[m.current_profile].nodes;
    if (nodes.empty()) {
        ::wstaw(true);
        return;
    }
    const int node = std::clamp(sg1->Row() - 2, 0, static_cast<int>(nodes.size()) - 1);
    m.node_before_edit = nodes[static_cast<std::size_t>(node)];
}

void TForm1::sg1KeyPress(TObject* Sender, char& key) {
    model_state& m = model();
    TStringAlignGrid* grid = is_panel(Sender) ? sag_Panel : sg1;
    const int position = grid == sag_Panel ? panel_position(sag_Panel->Row()) : sg1->Col();
    if (position < 0 || position >= column_kind_count) return;
    const column_kind kind = m.kind_at(static_cast<uint8_t>(position));
    const std::string& text = grid->EditorMode() ? grid->EditorText() : grid->Cells(grid->Col(), grid->Row());
    if (kind == column_kind::wez) {
        const bool has_nodes =
            m.current_profile < m.profiles.size() && !m.profiles[m.current_profile].nodes.empty();
        if (has_nodes && text.size() >= 10 && key != '\b' && key != '/') key = 0;
        return;
    }
    if (is_text_column(kind)) return;
    if (key == ',' || key == '.') key = decimal_separator;
    const bool digit = key >= '0' && key <= '9';
    if (!(digit || key == '\b' || key == '\r' || key == '-' || key == '/' || key == 'm' || key == decimal_separator)) {
        key = 0;
        return;
    }
    if (key == '/') {
        if (text.find('/') != std::string::npos)
            key = 0;
        else
            m.separator_allowed = true;
        return;
    }
    if (key == decimal_separator) {
        if (m.separator_allowed || text.find(decimal_separator) == std::string::npos)
            m.separator_allowed = false;
        else
            key = 0;
    }
}

void TForm1::sg1CancelEdit(TObject*, int, int) { edit_cancelled = true; }

void TForm1::sg1AfterEdit(TObject* Sender, int col, int row) {
    model_state& m = model();
    if (m.current_profile >= m.profiles.size() || edit_cancelled) return;
    const uint16_t profile = m.current_profile;
    if (m.profiles[profile].nodes.empty()) return;
    const bool panel = is_panel(Sender);
    const std::string text = panel ? sag_Panel->Cells(sag_Panel->Col(), row) : table_text(col, row);
    const int node = panel ? sg1->Row() - 2 : row - 2;
    if (node < 0 || node >= static_cast<int>(m.profiles[profile].nodes.size())) return;
    if (col < 0 || col >= column_kind_count) return;
    const column_kind kind = m.kind_at(static_cast<uint8_t>(col));
    const bool numeric = !is_text_column(kind);
    const grid_side side = panel ? grid_side::panel : grid_side::table;
    const cell_display display = display_of(side);

    // A cell left without typing changes nothing: the decimals beyond those
    // shown stay. What was typed is stored even when the cell showed the
    // same text (a fallback: the interpolated terrain, the general scale);
    // so is what a command writes into the cell (cut, paste).
    const TStringAlignGrid* grid = panel ? sag_Panel : sg1;
    const bool entered = !grid->reporting_edit_end() || grid->EditorModified();
    std::string shown;
    if (kind != column_kind::user1) node_text(shown, profile, node, kind, side, display);
    const bool unchanged = !entered && kind != column_kind::user1 && kind != column_kind::pipe && text == shown;

    value_pair typed;
    if (!text.empty() && numeric && kind != column_kind::pipe && !unchanged && !read_pair(text, typed)) {
        MessageBox(wrong_format_message(text), MB_OK | MB_ICONERROR);
        odswiez_dane(profile, true);
        return;
    }

    wezel& w = m.profiles[profile].nodes[static_cast<std::size_t>(node)];
    const wezel before_commit = w;
    const double d1 = fi(profile, node, "s1");
    const double d2 = fi(profile, node, "s2");
    const double e = m.empty_value;
    const int last = static_cast<int>(m.profiles[profile].nodes.size()) - 1;

    if (!unchanged) {
        // What the node will hold, in stored units, for the undo entry.
        value_pair stored = stored_value(kind, typed, d1, d2, display);
        const column_node& held = column_of(kind).node;
        if (numeric && text.empty()) {
            switch (held.emptied) {
                case empty_cell::empty_value: stored = value_pair(e); break;
                case empty_cell::shown_zero: stored = stored_value(kind, value_pair(0.0), d1, d2, display); break;
                default: stored = value_pair(0.0); break;
            }
        }
        if (kind == column_kind::scale) stored = value_pair(static_cast<double>(Round(stored.s1)));
        if (kind != column_kind::pipe) undo(static_cast<uint8_t>(col), profile, node, text, stored.s1, stored.s2);

        if (numeric && text.empty()) {
            // Only the entered pair of an entered kind is emptied.
            put_column_value(w, kind, stored);
            if (held.refilled) autouzupelnianie(profile, node, static_cast<uint8_t>(col), false);
        } else {
            switch (kind) {
                case column_kind::fi: {
                    // The diameter before is this node's own: a paste of many
                    // rows commits each row against its own node.
                    const double old_d = w.fi.s1;
                    w.fi = stored;
                    odswiez_idx_w_odc(profile, static_cast<uint16_t>(node));
                    if (w.fi.s1 != old_d) {
                        const double change = old_d - w.fi.s1;
                        w.zag.s2 -= change * display.depth_reference / 2000;
                        w.dno.s2 += change * display.pipe_reference / 2000;
                        if (node == 0) {
                            w.zag.s1 = w.zag.s2;
                            w.dno.s1 = w.dno.s2;
                        }
                        if (node == last) w.dno.s2 = w.dno.s1;
                    }
                    break;
                }
                case column_kind::flow:
                    if (display.flow_factor != 0) w.flow = stored.s1;
                    break;
                case column_kind::obiekt:
                    if (!text.empty()) w.obiekt = nazwa2obiekt(text);
                    break;
                case column_kind::kom: w.kom = replace_all("\r\n", "\\P", text); break;
                case column_kind::wez: rename_node(profile, node, text); break;
                default:
                    if (held.value == column_value::text) {
                        w.*held.text = text;
                    } else {
                        // An entered value is the value in use too; a new value
                        // in use goes to the namesakes of a kind that has them.
                        const value_pair before = column_value_in_use(w, kind);
                        put_column_value(w, kind, stored);
                        if (held.value == column_value::entered_pair) w.*held.used = stored;
                        if (held.namesakes && column_value_in_use(w, kind) != before)
                            zmien_wartosc_wezla(static_cast<uint8_t>(col), stored.s1, stored.s2, node, w.wez);
                    }
                    break;
            }
        }
        if (kind == column_kind::flow) przelicz_przeplywy_tylko_suma(profile);
        // The same value typed again changes nothing.
        if (!(w == before_commit)) set_project_modified(true);
    }
    if (m.current_profile >= m.profiles.size()) return;
    przelicz(profile, true, static_cast<uint8_t>(col));
    if (panel)
        koloruj_panel(sg1->Row());
    else
        koloruj_komorki(node, node);
    view().redraw_preview();
}

void TForm1::zmien_wartosc_wezla(uint8_t column, double first, double second, int node, const std::string& name) {
    (void)node;
    model_state& m = model();
    if (m.profiles.size() < 2 || name.empty()) return;
    const column_kind kind = m.kind_at(column);
    if (!column_of(kind).node.namesakes) return;
    int changed = 0;
    for (std::size_t p = 0; p < m.profiles.size(); ++p) {
        if (p == m.current_profile || !m.profiles[p].rysuj || static_cast<int>(p) == m.project.main_profile) continue;
        for (wezel& w : m.profiles[p].nodes) {
            if (w.wez != name) continue;
            put_column_value(w, kind, {first, second});
            ++changed;
        }
    }
    if (changed > 0)
        show_hint(Format(msg("msg_NodesUpdated", "Węzeł \"%s\" znaleziono w %d profilach. Zaktualizowano w nich pole \"%s\"."_cp),
                         {name, changed, m.column_titles[static_cast<std::size_t>(index_of(kind))]}));
}

void TForm1::zmien_wartosc_wezla_1par(uint8_t column, const std::string& object, const std::string& name, int node) {
    (void)node;
    model_state& m = model();
    if (m.profiles.size() < 2 || name.empty()) return;
    int changed = 0;
    for (std::size_t p = 0; p < m.profiles.size(); ++p) {
        if (p == m.current_profile || !m.profiles[p].rysuj) continue;
        for (wezel& w : m.profiles[p].nodes)
            if (w.wez == name) {
                w.obiekt = object;
                ++changed;
            }
    }
    if (changed > 1)
        show_hint(Format(msg("msg_NodesUpdated", "Węzeł \"%s\" znaleziono w %d profilach. Zaktualizowano w nich pole \"%s\"."_cp),
                         {name, changed, m.column_titles[static_cast<std::size_t>(index_of(m.kind_at(column)))]}));
}

namespace {

// Whether a node of a profile other than `own` bears the name.
bool named_elsewhere(const std::string& name, uint16_t own) {
    const auto& profiles = model().profiles;
    for (std::size_t p = 0; p < profiles.size(); ++p) {
        if (p == own) continue;
        for (const wezel& w : profiles[p].nodes)
            if (w.wez == name) return true;
    }
    return false;
}

}  // namespace

void TForm1::rename_node(uint16_t profile, int node, const std::string& new_name) {
    model_state& m = model();
    odcinek& own = m.profiles[profile];
    wezel& edited = own.nodes[static_cast<std::size_t>(node)];
    const std::string old_name = edited.wez;

    // A sump follows its node's name; a sump still serving the old name
    // elsewhere is copied for the new one.
    if (LowerCase(edited.obiekt) == "sump" && old_name != new_name) {
        const int s = znajdz_obiekt(profile, node);
        if (s >= 0 && static_cast<std::size_t>(s) < m.project.sumps.size()) {
            if (!named_elsewhere(old_name, profile) || named_elsewhere(new_name, profile)) {
                m.project.sumps[static_cast<std::size_t>(s)].adds.node_name = new_name;
            } else {
                mat_studzienka copy = m.project.sumps[static_cast<std::size_t>(s)];
                copy.adds.node_name = new_name;
                copy.connections = IntToStr(own.idp) + "|" + IntToStr(edited.id);
                m.project.sumps.push_back(std::move(copy));
            }
        }
    }

    node_place found;
    if (!new_name.empty()) found = znajdz_wezel(new_name, true, profile, node);

    std::vector<node_place> renamed;
    if (!old_name.empty() && old_name != new_name) {
        for (std::size_t p = 0; p < m.profiles.size(); ++p) {
            for (std::size_t i = 0; i < m.profiles[p].nodes.size(); ++i) {
                wezel& w = m.profiles[p].nodes[i];
                if (w.wez != old_name) continue;
                if (p == profile && static_cast<int>(i) == node) {
                    w.wez = new_name;
                    continue;
                }
                const int pi = static_cast<int>(p);
                const int ni = static_cast<int>(i);
                bool rename = czy_wezly_takie_same_wspl(profile, pi, node, ni);
                if (!rename) {
                    const std::string q = format_language_text(
                        msg("msg_NodeWithOldNameFound",
                            "Węzeł \"%s\" istnieje również w profilu \"%s\".%sCzy jego nazwę również zmienić na %s?"_cp),
                        {old_name, m.profiles[p].nazwa, "\r", new_name});
                    rename = MessageBox(q, MB_YESNO | MB_ICONQUESTION) == IDYES;
                }
                if (rename) {
                    w.wez = new_name;
                    renamed.push_back({pi, ni});
                }
            }
        }
        if (renamed.size() > 1) show_hint(Format(msg("msg_NodesRenamed", "Zmieniono nazwę %d węzłów."_cp), {static_cast<int>(renamed.size())}));
    } else {
        edited.wez = new_name;
    }
    if (renamed.empty()) renamed.push_back({static_cast<int>(profile), node});

    if (new_name.empty() || found.profile < 0) return;
    const bool all_same_place = std::all_of(renamed.begin(), renamed.end(), [&](const node_place& r) {
        return czy_wezly_takie_same_wspl(r.profile, found.profile, r.node, found.node);
    });
    if (!all_same_place) {
        const std::string q = format_language_text(
            msg("msg_NodeFound",
                "Węzeł \"%s\" istnieje również w profilu \"%s\".%sCzy skopiować z niego dane do obecnego węzła?"_cp),
            {new_name, m.profiles[static_cast<std::size_t>(found.profile)].nazwa, "\r"});
        if (MessageBox(q, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    const odcinek& source_profile = m.profiles[static_cast<std::size_t>(found.profile)];
    const wezel source = source_profile.nodes[static_cast<std::size_t>(found.node)];
    const double df = fi(static_cast<uint16_t>(found.profile), found.node, "s1");
    for (const node_place& r : renamed) {
        odcinek& target_profile = m.profiles[static_cast<std::size_t>(r.profile)];
        wezel& t = target_profile.nodes[static_cast<std::size_t>(r.node)];
        t.ter = source.ter.s1 != m.empty_value ? source.ter : source.ter_used;
        t.ter_used = source.ter_used;
        t.terp = source.terp.s1 != m.empty_value ? source.terp : source.terp_used;
        t.terp_used = source.terp_used;
        const int ref = source_profile.rzedna;
        if (target_profile.rzedna == ref && target_profile.networktype == source_profile.networktype) {
            const double de = fi(static_cast<uint16_t>(r.profile), r.node, "s1");
            if (target_profile.stala == 1) {
                const double depth = source.zag.s1 - df * ref / 2000 + de * ref / 2000;
                t.zag = value_pair(depth);
            } else {
                t.dno = value_pair(source.dno.s1 + (df - de) * ref / 2000);
            }
        }
        t.lin = source.lin;
        t.lin_used = source.lin_used;
        t.lin2 = source.lin2;
        t.lin2_used = source.lin2_used;
        t.wez = source.wez;
        t.obiekt = source.obiekt;
        t.var = source.var;
        t.var2 = source.var2;
        t.kom = source.kom;
        t.wsplx = source.wsplx;
        t.wsply = source.wsply;
    }
    przelicz(m.current_profile, true, all_columns);
}
