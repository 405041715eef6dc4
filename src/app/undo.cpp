#include "app/undo.h"

#include "forms/rys1.h"
#include "model/records.h"
#include "platform/sysutils.h"

namespace {

constexpr std::size_t undo_limit = 100;

// What an entry keeps of its kind's value: as the node holds it, or
// nothing for the kinds whose entries change no node.
column_value held_by(column_kind k) {
    const column_node& n = column_of(k).node;
    return n.undo == undo_keeps::nothing ? column_value::none : n.value;
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
    const column_value h = held_by(e.kind);
    if (h == column_value::text) {
        e.old_text = w.*column_of(e.kind).node.text;
    } else if (h != column_value::none) {
        const value_pair v = column_value_of(w, e.kind);
        e.old1 = v.s1;
        e.old2 = h == column_value::number || h == column_value::scale ? 0 : v.s2;
    }
}

void exchange_undo_value(wezel& w, tundo& e) {
    tundo current = e;
    read_undo_value(w, current);
    const column_value h = held_by(e.kind);
    if (h == column_value::text)
        w.*column_of(e.kind).node.text = e.old_text;
    else if (h != column_value::none)
        put_column_value(w, e.kind, {e.old1, e.old2});
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
    const column_value h = held_by(e.kind);
    bool record = false;
    if (h == column_value::text) {
        record = e.old_text != text && column_of(e.kind).node.undo != undo_keeps::never;
        e.line = Format("%d=%s", {static_cast<int>(column), e.old_text});
    } else {
        // A single number is held as the first half alone.
        const bool single = h == column_value::number || h == column_value::scale;
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
