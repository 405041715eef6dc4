#include "app/undo.h"

#include "forms/rys1.h"
#include "model/records.h"
#include "platform/sysutils.h"

namespace {

constexpr std::size_t undo_limit = 100;

enum class held { nothing, entered_pair, pair, number, scale, text };

held held_by(column_kind k) {
    switch (k) {
        case column_kind::ter:
        case column_kind::terp:
        case column_kind::lin:
        case column_kind::lin2: return held::entered_pair;
        case column_kind::dno:
        case column_kind::zag:
        case column_kind::fi:
        case column_kind::szer: return held::pair;
        case column_kind::dlug:
        case column_kind::spad:
        case column_kind::flow:
        case column_kind::wsplx:
        case column_kind::wsply:
        case column_kind::kat: return held::number;
        case column_kind::scale: return held::scale;
        case column_kind::mat:
        case column_kind::kom:
        case column_kind::wez:
        case column_kind::obiekt: return held::text;
        default: return held::nothing;
    }
}

template <class W>
auto pair_of(W& w, column_kind k) -> decltype(&w.ter) {
    switch (k) {
        case column_kind::ter: return &w.ter;
        case column_kind::terp: return &w.terp;
        case column_kind::lin: return &w.lin;
        case column_kind::lin2: return &w.lin2;
        case column_kind::dno: return &w.dno;
        case column_kind::zag: return &w.zag;
        case column_kind::fi: return &w.fi;
        case column_kind::szer: return &w.szer;
        default: return nullptr;
    }
}

template <class W>
auto number_of(W& w, column_kind k) -> decltype(&w.dlug) {
    switch (k) {
        case column_kind::dlug: return &w.dlug;
        case column_kind::spad: return &w.spad;
        case column_kind::flow: return &w.flow;
        case column_kind::wsplx: return &w.wsplx;
        case column_kind::wsply: return &w.wsply;
        case column_kind::kat: return &w.kat;
        default: return nullptr;
    }
}

template <class W>
auto text_of(W& w, column_kind k) -> decltype(&w.mat) {
    switch (k) {
        case column_kind::mat: return &w.mat;
        case column_kind::kom: return &w.kom;
        case column_kind::wez: return &w.wez;
        case column_kind::obiekt: return &w.obiekt;
        default: return nullptr;
    }
}

// The profile index and the node index an entry names; false when either is gone.
bool locate(const tundo& e, std::size_t& profile, std::size_t& node) {
    auto& profiles = model().profiles;
    for (std::size_t p = 0; p < profiles.size(); ++p) {
        if (profiles[p].idp != e.profile_id) continue;
        for (std::size_t i = 0; i < profiles[p].nodes.size(); ++i)
            if (profiles[p].nodes[i].id == e.node_id) {
                profile = p;
                node = i;
                return true;
            }
        return false;
    }
    return false;
}

}  // namespace

void read_undo_value(const wezel& w, tundo& e) {
    e.old1 = e.old2 = 0;
    e.old_text.clear();
    switch (held_by(e.kind)) {
        case held::entered_pair:
        case held::pair: {
            const value_pair& v = *pair_of(w, e.kind);
            e.old1 = v.s1;
            e.old2 = v.s2;
            break;
        }
        case held::number: e.old1 = *number_of(w, e.kind); break;
        case held::scale: e.old1 = w.scale; break;
        case held::text: e.old_text = *text_of(w, e.kind); break;
        case held::nothing: break;
    }
}

void exchange_undo_value(wezel& w, tundo& e) {
    tundo current = e;
    read_undo_value(w, current);
    switch (held_by(e.kind)) {
        case held::entered_pair:
        case held::pair: *pair_of(w, e.kind) = {e.old1, e.old2}; break;
        case held::number: *number_of(w, e.kind) = e.old1; break;
        case held::scale: w.scale = static_cast<int32_t>(Round(e.old1)); break;
        case held::text: *text_of(w, e.kind) = e.old_text; break;
        case held::nothing: break;
    }
    e.old1 = current.old1;
    e.old2 = current.old2;
    e.old_text = current.old_text;
}

int move_undo_entry(std::deque<tundo>& from, std::deque<tundo>& to) {
    while (!from.empty()) {
        tundo e = std::move(from.front());
        from.pop_front();
        std::size_t profile = 0, node = 0;
        if (!locate(e, profile, node)) continue;  // its profile or node is gone
        exchange_undo_value(model().profiles[profile].nodes[node], e);
        to.push_front(std::move(e));
        return static_cast<int>(profile);
    }
    return -1;
}

void TForm1::undo(uint8_t column, uint16_t profile, int node, const std::string& text, double first, double second) {
    model_state& m = model();
    if (profile >= m.profiles.size() || node < 0 ||
        static_cast<std::size_t>(node) >= m.profiles[profile].nodes.size() || column >= column_kind_count)
        return;
    const wezel& w = m.profiles[profile].nodes[static_cast<std::size_t>(node)];
    tundo e;
    e.kind = m.kind_at(column);
    e.profile_id = m.profiles[profile].idp;
    e.node_id = w.id;
    read_undo_value(w, e);
    const held h = held_by(e.kind);
    bool record = false;
    if (h == held::text) {
        record = e.old_text != text && e.kind != column_kind::obiekt;
        e.line = Format("%d=%s", {static_cast<int>(column), e.old_text});
    } else {
        // A single number is held as the first half alone.
        const bool single = h == held::number || h == held::scale;
        record = e.old1 != first || (!single && e.old2 != second);
        e.line = Format("%d=%g/%g", {static_cast<int>(column), e.old1, e.old2});
    }
    if (record) {
        m.undo_list.push_front(std::move(e));
        if (m.undo_list.size() > undo_limit) m.undo_list.pop_back();
    }
    a_Undo->SetEnabled(!m.undo_list.empty());
}

void TForm1::a_UndoExecute(TObject*) {
    model_state& m = model();
    const int profile = move_undo_entry(m.undo_list, m.redo_list);
    if (profile >= 0) {
        set_project_modified(true);
        tabs_odswiez(profile);
    }
    a_Undo->SetEnabled(!m.undo_list.empty());
    a_Redo->SetEnabled(!m.redo_list.empty());
}

void TForm1::a_RedoExecute(TObject*) {
    model_state& m = model();
    const int profile = move_undo_entry(m.redo_list, m.undo_list);
    if (profile >= 0) {
        set_project_modified(true);
        tabs_odswiez(profile);
    }
    a_Undo->SetEnabled(!m.undo_list.empty());
    a_Redo->SetEnabled(!m.redo_list.empty());
}
