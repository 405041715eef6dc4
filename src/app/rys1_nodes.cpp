// The node table's keys, the node commands (insert, append, delete, cut,
// copy, paste), the node buffer and the cell clipboard, and the binding of
// the table's and the side panel's events.
#include <algorithm>
#include <vector>

#include "app/node_table.h"
#include "forms/kopiuj.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/objects.h"
#include "model/profiles.h"
#include "model/project.h"
#include "model/recalculation.h"
#include "model/state.h"
#include "model/sumps.h"
#include "model/tanks.h"
#include "model/utils.h"
#include "platform/named_bytes.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

constexpr TShiftState modifier_keys = ssShift | ssAlt | ssCtrl;

bool profile_has_nodes() {
    const model_state& m = model();
    return m.current_profile < m.profiles.size() && !m.profiles[m.current_profile].nodes.empty();
}

std::vector<wezel>& current_nodes() { return model().profiles.at(model().current_profile).nodes; }

// The number of lines of a pasted text: its CR LF, and one more for a last
// line without one.
int line_count(const std::string& text) {
    int n = 0;
    std::size_t at = 0;
    while ((at = text.find("\r\n", at)) != std::string::npos) {
        ++n;
        at += 2;
    }
    if (!text.empty() && (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)) ++n;
    return n;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

std::string trim_block(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

void TForm1::connect_table_handlers() {
    sg1->OnBeforeEdit = [this](TObject* s, int c, int r) { sg1BeforeEdit(s, c, r); };
    sg1->OnCancelEdit = [this](TObject* s, int c, int r) { sg1CancelEdit(s, c, r); };
    sg1->OnAfterEdit = [this](TObject* s, int c, int r) { sg1AfterEdit(s, c, r); };
    sg1->OnKeyPress = [this](TObject* s, char& k) { sg1KeyPress(s, k); };
    sg1->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { sg1KeyDown(s, k, sh); };
    sg1->OnClick = [this](TObject* s) { sg1Click(s); };
    sg1->OnDblClick = [this](TObject* s) { sg1DblClick(s); };
    sg1->OnSelectCell = [this](TObject* s, int c, int r, bool& ok) { sg1SelectCell(s, c, r, ok); };
    sg1->OnColumnMoved = [this](TObject* s, int from, int to) { sg1ColumnMoved(s, from, to); };
    sg1->OnColWidthsChanged = [this](TObject* s) { sg1ColWidthsChanged(s); };
    sg1->OnFixedColClick = [this](TObject* s, int c) { sg1FixedColClick(s, c); };
    // The grid's clipboard keys pass the commit like every other change.
    sg1->OnClipboardRequest = [this](TObject*, TGridClipboardRequest r) {
        switch (r) {
            case TGridClipboardRequest::Copy: a_CellCopy->Execute(); break;
            case TGridClipboardRequest::Cut: a_CellCut->Execute(); break;
            case TGridClipboardRequest::Paste: a_CellPaste->Execute(); break;
        }
    };
    sag_Panel->OnBeforeEdit = [this](TObject* s, int c, int r) { sg1BeforeEdit(s, c, r); };
    sag_Panel->OnCancelEdit = [this](TObject* s, int c, int r) { sg1CancelEdit(s, c, r); };
    sag_Panel->OnAfterEdit = [this](TObject*, int, int r) { sg1AfterEdit(sag_Panel, panel_position(r), r); };
    sag_Panel->OnKeyPress = [this](TObject* s, char& k) { sg1KeyPress(s, k); };
    sag_Panel->OnClick = [this](TObject* s) { sg1Click(s); };
    sag_Panel->OnClipboardRequest = [](TObject*, TGridClipboardRequest) {};

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
    a_Exit->OnExecute = [this](TObject* s) { a_ExitExecute(s); };
    a_Undo->OnExecute = [this](TObject* s) { a_UndoExecute(s); };
    a_Redo->OnExecute = [this](TObject* s) { a_RedoExecute(s); };
    mi_Node->OnClick = [this](TObject* s) { a_NodeExecute(s); };
    a_NodeInsert->OnExecute = [this](TObject* s) { Wstaw1Click(s); };
    a_NodeAdd->OnExecute = [this](TObject* s) { a_NodeAddExecute(s); };
    a_NodeDelete->OnExecute = [this](TObject* s) { a_NodeDeleteExecute(s); };
    a_NodeCut->OnExecute = [this](TObject* s) { a_NodeCutExecute(s); };
    a_NodeCopy->OnExecute = [this](TObject* s) { a_NodeCopyExecute(s); };
    a_NodePaste->OnExecute = [this](TObject* s) { a_NodePasteExecute(s); };
    a_CellCut->OnExecute = [this](TObject* s) { a_CellCutExecute(s); };
    a_CellCopy->OnExecute = [this](TObject* s) { a_CellCopyExecute(s); };
    a_CellPaste->OnExecute = [this](TObject* s) { a_CellPasteExecute(s); };
    sb_CopyToClipboard->OnClick = [this](TObject* s) { sb_CopyToClipboardClick(s); };
    a_AdjustColWidths->OnExecute = [this](TObject* s) { a_AdjustColWidthsExecuate(s); };

    // The keys the window definition does not carry.
    a_NodeCopy->SetShortCut(ShortCut('C', ssCtrl | ssShift));
    a_NodePaste->SetShortCut(ShortCut('V', ssCtrl | ssShift));
    a_Exit->SetShortCut(ShortCut(VK_F4, ssAlt));
    const char* object_items[] = {"mi_Building", "mi_Sump", "mi_Pipe", "mi_TrenchSlope",
                                  "mi_GasBox", "mi_GateValve", "mi_GroundHydrant", "mi_UndergroundHydrant"};
    Word digit = '2';
    for (const char* name : object_items) {
        if (auto* mi = dynamic_cast<TMenuItem*>(FindComponent(name))) mi->SetShortCut(ShortCut(digit, ssCtrl));
        ++digit;
    }
    a_Undo->SetEnabled(false);
    a_Redo->SetEnabled(false);
}

// --- keys ------------------------------------------------------------------------

void TForm1::sg1KeyDown(TObject*, Word& key, TShiftState shift) {
    model_state& m = model();
    const TShiftState mods = shift & modifier_keys;
    const int row = sg1->Row();
    const int last_row = sg1->RowCount() - 1;
    const int col = sg1->Col();
    const column_kind kind = col < column_kind_count ? m.kind_at(static_cast<uint8_t>(col)) : column_kind::ter;
    const uint16_t profile = m.current_profile;

    auto copy_to = [&](int target_row, bool whole) {
        if (sg1->editing()) sg1->end_edit(false);
        auto& nodes = current_nodes();
        const int from = row - 2;
        const int to = target_row - 2;
        if (from < 0 || to < 0 || from >= static_cast<int>(nodes.size()) || to >= static_cast<int>(nodes.size()))
            return;
        wezel& target = nodes[static_cast<std::size_t>(to)];
        if (whole) {
            const uint16_t id = target.id;
            target = nodes[static_cast<std::size_t>(from)];
            target.id = id;
            target.wez.clear();
        } else {
            copy_column_value(kind, nodes[static_cast<std::size_t>(from)], target);
        }
        set_project_modified(true);
        przelicz(profile, true, whole ? all_columns : static_cast<uint8_t>(col));
        koloruj_komorki(to, to);
    };

    if (key == VK_DOWN && mods == ssShift && row < last_row) copy_to(row + 1, false);
    if (key == VK_UP && mods == ssShift && row > 2) copy_to(row - 1, false);
    if (key == VK_DOWN && mods == (ssShift | ssAlt) && row < last_row) copy_to(row + 1, true);
    if (key == VK_UP && mods == (ssShift | ssAlt) && row > 2) copy_to(row - 1, true);
    if (key == 'C' && mods == ssCtrl) {
        a_CellCopy->Execute();
        key = 0;
        return;
    }
    if (key == 'V' && mods == ssCtrl && !sg1->editing()) {
        a_CellPaste->Execute();
        key = 0;
        return;
    }
    if (key == 'C' && mods == (ssCtrl | ssShift)) {
        a_NodeCopy->Execute();
        key = 0;
        return;
    }
    if (key == 'V' && mods == (ssCtrl | ssShift)) {
        wklej_wezel();
        key = 0;
        return;
    }
    const bool list_kind = kind == column_kind::mat || kind == column_kind::obiekt || kind == column_kind::kom ||
                           kind == column_kind::pipe || kind == column_kind::fi;
    if (list_kind && sg1->editing() && lb_listy->Visible() && lb_listy->Items().Count() > 0) {
        const int count = lb_listy->Items().Count();
        switch (key) {
            case VK_RETURN:
                if (lb_listy->OnDblClick) fire(lb_listy, lb_listy->OnDblClick, lb_listy);
                break;
            case VK_ESCAPE: lb_listy->SetVisible(false); break;
            case VK_UP: lb_listy->SetItemIndex(lb_listy->ItemIndex() <= 0 ? count - 1 : lb_listy->ItemIndex() - 1); break;
            case VK_DOWN: lb_listy->SetItemIndex(lb_listy->ItemIndex() >= count - 1 ? 0 : lb_listy->ItemIndex() + 1); break;
            default: break;
        }
        if (kind == column_kind::obiekt && lb_listy->OnClick) fire(lb_listy, lb_listy->OnClick, lb_listy);
        if (key != VK_LEFT && key != VK_RIGHT && key != VK_DELETE) key = 0;
        return;
    }
    if (key == VK_DOWN && mods == 0 && row == last_row) ::wstaw(true);
    if (key == VK_RETURN && row == last_row && col == sg1->ColCount() - 1) ::wstaw(true);
    if (key == VK_DELETE && mods == 0 && !sg1->editing()) {
        const TGridRect s = sg1->Selection();
        usun_wezel(profile, s.Top - 2, false, s.Bottom - 2);
        key = 0;
        return;
    }
    if (mods == ssCtrl) {
        sg1->Options &= ~goEditing;
        sg1->Options |= goRangeSelect;
    }
}

void TForm1::sg1Click(TObject* Sender) {
    (void)Sender;
    sg1->Options |= goEditing;
}

// --- node commands ----------------------------------------------------------------

void TForm1::a_NodeExecute(TObject*) { a_NodeDelete->SetEnabled(profile_has_nodes()); }

void TForm1::Wstaw1Click(TObject*) { ::wstaw(false); }

void TForm1::a_NodeAddExecute(TObject*) { ::wstaw(true); }

void TForm1::a_NodeDeleteExecute(TObject*) {
    const TGridRect s = sg1->Selection();
    usun_wezel(model().current_profile, std::max(s.Top, 2) - 2, false, std::max(s.Bottom, 2) - 2);
}

void TForm1::a_NodeCutExecute(TObject* Sender) {
    a_NodeCopyExecute(Sender);
    a_NodeDeleteExecute(Sender);
}

void TForm1::a_NodeCopyExecute(TObject*) {
    if (profile_has_nodes()) kopiuj_wezel(model().current_profile, sg1->Row());
}

void TForm1::a_NodePasteExecute(TObject*) {
    // Ctrl with the menu or a tool button opens the chooser; the command's
    // own key holds Shift too and pastes the buffer.
    Services& s = services();
    const bool ctrl_alone = s.key_held(VK_CONTROL) && !s.key_held(VK_SHIFT);
    if (model().node_buffer.id != 0 && !ctrl_alone)
        wklej_wezel();
    else
        tcopy->ShowModal();
}

void TForm1::kopiuj_wezel(uint16_t profile, int row) {
    model_state& m = model();
    if (profile >= m.profiles.size()) return;
    const auto& nodes = m.profiles[profile].nodes;
    const int node = row - 2;
    if (node < 0 || node >= static_cast<int>(nodes.size())) return;
    m.node_buffer = nodes[static_cast<std::size_t>(node)];
}

void TForm1::wklej_wezel() {
    model_state& m = model();
    sg1BeforeEdit(sg1, sg1->Col(), sg1->Row());
    auto& nodes = current_nodes();
    const int node = std::clamp(sg1->Row() - 2, 0, static_cast<int>(nodes.size()) - 1);
    wezel& w = nodes[static_cast<std::size_t>(node)];
    m.node_buffer.id = w.id;
    w = m.node_buffer;
    set_project_modified(true);
    odcinek_2_panel(node);
    przelicz(m.current_profile, true, all_columns);
}

void TForm1::usun_wezel(uint16_t profile, int first, bool silent, int last) {
    model_state& m = model();
    if (sg1->editing() || profile >= m.profiles.size()) return;
    odcinek& p = m.profiles[profile];
    const int count = static_cast<int>(p.nodes.size());
    if (count == 0) return;
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    if (!silent) {
        const cell_display d = display_of(grid_side::table);
        std::string ter_first, ter_last;
        node_text(ter_first, profile, first, column_kind::ter, grid_side::table, d);
        node_text(ter_last, profile, last, column_kind::ter, grid_side::table, d);
        const std::string& name_first = p.nodes[static_cast<std::size_t>(first)].wez;
        const std::string& name_last = p.nodes[static_cast<std::size_t>(last)].wez;
        std::string q;
        if (first == last) {
            q = format_language_text(msg("msg_NodeDeleteQuestion", "Czy usunąć węzeł: %s\"%s ... %s\"?"_cp),
                                     {"\r", ter_first, name_first});
        } else {
            std::string shown_first = name_first;
            if (const std::size_t star = shown_first.find('*'); star != std::string::npos) shown_first.erase(star, 1);
            q = format_language_text(
                msg("msg_NodesDeleteQuestion", "Czy usunąć węzły: %s od \"%s ... %s\" do \"%s ... %s\"?"_cp),
                {"\r", ter_first, shown_first, ter_last, name_last});
        }
        if (MessageBox(q, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    }
    for (int k = first; k <= last; ++k) {
        if (static_cast<std::size_t>(first) >= p.nodes.size()) break;
        const wezel& w = p.nodes[static_cast<std::size_t>(first)];
        const uint16_t id = w.id;
        for (kolizja& c : p.crossings)
            if (c.node_id == id) c.node_id = 0;
        for (oslonowa& c : p.casings)
            if (c.node_id == id) c.node_id = 0;
        for (przekroj& c : p.sections)
            if (c.node_id == id) c.node_id = 0;
        const std::string key = LowerCase(w.obiekt);
        if (!m.project.sumps.empty() && key == "sump") usun_studzienke(profile, first, false, -1);
        if (!p.tanks.empty() && jest_obiekt2(key, "osadnikopodobne")) usun_osadnik(profile, first, -1);
        p.nodes.erase(p.nodes.begin() + first);
    }
    set_project_modified(true);
    if (profile == m.current_profile) {
        przelicz(profile, true, all_columns);
        odcinek_2_panel(sg1->Row() - 2);
        koloruj_komorki(0, static_cast<int>(p.nodes.size()) - 1);
        view().redraw_preview();
    }
}

void TForm1::kasowanie_pustych() {
    model_state& m = model();
    for (std::size_t pi = 0; pi < m.profiles.size(); ++pi) {
        auto& nodes = m.profiles[pi].nodes;
        if (nodes.size() <= 1) continue;
        for (int i = static_cast<int>(nodes.size()) - 2; i >= 0; --i) {
            const wezel& w = nodes[static_cast<std::size_t>(i)];
            if (w.ter_used.s1 == 0 && w.ter_used.s2 == 0 && w.dlug == 0 && w.wsplx == 0 && w.wsply == 0)
                usun_wezel(static_cast<uint16_t>(pi), i, true, i);
        }
    }
}

// --- cell clipboard ----------------------------------------------------------------

void TForm1::cell_copy(TStringAlignGrid* grid) {
    model_state& m = model();
    Services& s = services();
    s.set_clipboard_text("");
    const TGridRect sel = grid->Selection();
    std::string text;
    for (int r = sel.Top; r <= sel.Bottom; ++r) {
        for (int c = sel.Left; c <= sel.Right; ++c) {
            if (c > sel.Left) text += '\t';
            text += grid->Cells(c, r);
        }
        text += "\r\n";
    }
    text = trim_block(text);
    if (grid == sg1 && sel.Left < column_kind_count && m.kind_at(static_cast<uint8_t>(sel.Left)) == column_kind::obiekt &&
        profile_has_nodes() && text.find('\t') == std::string::npos && text.find("\r\n") == std::string::npos &&
        !sg1->editing()) {
        const uint16_t profile = m.current_profile;
        const int node = std::clamp(sg1->Row() - 2, 0, static_cast<int>(current_nodes().size()) - 1);
        const wezel& w = current_nodes()[static_cast<std::size_t>(node)];
        const std::string key = LowerCase(w.obiekt);
        const int index = znajdz_obiekt(profile, node);
        if (key == "sump" && index >= 0) text = Format("%s|%d|%d", {std::string("sump"), static_cast<int>(profile), index});
        if (jest_obiekt2(key, "osadnikopodobne") && index >= 0)
            text = Format("%s|%d|%d", {w.obiekt, static_cast<int>(profile), index});
        if (jest_obiekt2(key, "vars")) text = Format("%s|%d|%d", {w.obiekt, static_cast<int>(profile), node});
    }
    s.set_clipboard_text(text);
}

void TForm1::a_CellCopyExecute(TObject*) { cell_copy(sg1); }

void TForm1::a_CellCutExecute(TObject*) {
    if (!profile_has_nodes()) return;
    // The commits are the command's own: an edit cancelled before with Esc
    // does not hold them back.
    edit_cancelled = false;
    a_CellCopy->Execute();
    const TGridRect sel = sg1->Selection();
    for (int r = sel.Top; r <= sel.Bottom; ++r)
        for (int c = sel.Left; c <= sel.Right; ++c) {
            if (r >= sg1->RowCount()) break;
            sg1->SetCell(c, r, "");
            sg1AfterEdit(sg1, c, r);
        }
}

void TForm1::a_CellPasteExecute(TObject*) {
    model_state& m = model();
    std::string text = services().clipboard_text().value_or("");
    const int col = sg1->Col();
    const int row = sg1->Row();
    const int n = line_count(text);
    sg1BeforeEdit(sg1, col, row);
    if (text.find('\t') != std::string::npos || n == 0 || col >= column_kind_count) return;
    const column_kind kind = m.kind_at(static_cast<uint8_t>(col));
    const bool numeric = !is_text_column(kind);
    if (numeric) {
        bool filled = false;
        for (int r = row; r < row + n && r < sg1->RowCount(); ++r) {
            const std::string& cell = sg1->Cells(col, r);
            if (cell.empty()) continue;
            const double larger = std::max(StrToFloatDef(fix_decimal_separator(cell.substr(0, cell.find('/'))), 0),
                                           cell.find('/') == std::string::npos
                                               ? -1e300
                                               : StrToFloatDef(fix_decimal_separator(cell.substr(cell.find('/') + 1)), 0));
            if (larger != m.empty_value) filled = true;
        }
        if (filled && MessageBox(msg("msg_MultiRowPasteQuestion", "Czy zastąpić istniejące dane?"_cp),
                                 MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    // The lines need nodes down to row + n - 1.
    while (static_cast<int>(current_nodes().size()) < row + n - 2) ::wstaw(true);

    if (text.find('|') != std::string::npos) {
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t bar; (bar = text.find('|', start)) != std::string::npos; start = bar + 1)
            parts.push_back(text.substr(start, bar - start));
        parts.push_back(text.substr(start));
        const std::string key = trim_block(parts[0]);
        int source_profile = -1, index = -1;
        const bool numbers = parts.size() >= 3 && TryStrToInt(trim_block(parts[1]), source_profile) &&
                             TryStrToInt(trim_block(parts[2]), index);
        const uint16_t profile = m.current_profile;
        const int node = std::clamp(row - 2, 0, static_cast<int>(current_nodes().size()) - 1);
        wezel& w = current_nodes()[static_cast<std::size_t>(node)];
        const std::string lower = LowerCase(key);
        if (numbers && lower == "sump" && index >= 0 && static_cast<std::size_t>(index) < m.project.sumps.size()) {
            mat_studzienka copy = m.project.sumps[static_cast<std::size_t>(index)];
            copy.connections += IntToStr(m.profiles[profile].idp) + "|" + IntToStr(w.id) + list_separator;
            m.project.sumps.push_back(std::move(copy));
        } else if (numbers && jest_obiekt2(lower, "osadnikopodobne") && source_profile >= 0 &&
                   static_cast<std::size_t>(source_profile) < m.profiles.size() && index >= 0 &&
                   static_cast<std::size_t>(index) < m.profiles[static_cast<std::size_t>(source_profile)].tanks.size()) {
            mat_osadnik copy = m.profiles[static_cast<std::size_t>(source_profile)].tanks[static_cast<std::size_t>(index)];
            copy.adds.node_id = w.id;
            m.profiles[profile].tanks.push_back(std::move(copy));
        } else if (numbers && jest_obiekt2(lower, "vars") && source_profile >= 0 &&
                   static_cast<std::size_t>(source_profile) < m.profiles.size() && index >= 0 &&
                   static_cast<std::size_t>(index) < m.profiles[static_cast<std::size_t>(source_profile)].nodes.size()) {
            w.var = m.profiles[static_cast<std::size_t>(source_profile)].nodes[static_cast<std::size_t>(index)].var;
        }
        text = key;
    }
    const std::vector<std::string> lines = lines_of(text);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int r = row + static_cast<int>(k);
        if (r >= sg1->RowCount()) break;
        sg1->SetCell(col, r, numeric ? fix_decimal_separator(lines[k]) : lines[k]);
        sg1AfterEdit(sg1, col, r);
    }
}

void TForm1::sb_CopyToClipboardClick(TObject*) {
    const TMemoryStream table = sg1->write_text('\t', TGridRect{0, 0, -1, -1});
    services().set_clipboard_text(table.bytes());
}
