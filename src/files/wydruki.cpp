// Document generation: the template header, the block tree and its
// repetition, the line expander and the document files.
#include "files/wydruki.h"

#include <algorithm>
#include <cmath>

#include "files/utils.h"
#include "forms/rys1.h"
#include "model/cost_state.h"
#include "model/pairs.h"
#include "model/state.h"
#include "model/utils.h"
#include "platform/files.h"
#include "platform/named_bytes.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/sysutils.h"

namespace {

template_sources g_default_sources;
template_sources* g_sources = nullptr;

const std::string open_marker = std::string(1, block_open) + "_";
const std::string close_marker = std::string(1, block_open) + "/";

std::string join_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

bool begins_with_digit(const std::string& text) { return !text.empty() && text[0] >= '0' && text[0] <= '9'; }

// The item a node's text stands for: its leading digits (0 without any).
int item_of(const std::string& text) {
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9' || n > 100000000) break;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

// --- the block tree -------------------------------------------------------------

int block_tree::end_of(int pos) const {
    const int level = nodes_[static_cast<std::size_t>(pos)].level;
    int e = pos + 1;
    while (e < size() && nodes_[static_cast<std::size_t>(e)].level > level) ++e;
    return e;
}

int block_tree::parent_of(int pos) const {
    const int level = nodes_[static_cast<std::size_t>(pos)].level;
    for (int p = pos - 1; p >= 0; --p)
        if (nodes_[static_cast<std::size_t>(p)].level < level) return p;
    return -1;
}

int block_tree::add(int parent, std::string text, std::string data) {
    const int at = parent < 0 ? size() : end_of(parent);
    const int level = parent < 0 ? 0 : nodes_[static_cast<std::size_t>(parent)].level + 1;
    nodes_.insert(nodes_.begin() + at, block_node{std::move(text), std::move(data), level});
    return at;
}

void block_tree::insert_copies(int pos, const std::vector<std::string>& texts) {
    if (texts.empty()) return;
    const int level = nodes_[static_cast<std::size_t>(pos)].level;
    std::vector<block_node> below;
    for (int i = pos + 1, e = end_of(pos); i < e; ++i)
        if (nodes_[static_cast<std::size_t>(i)].level <= level + 3) below.push_back(nodes_[static_cast<std::size_t>(i)]);
    std::vector<block_node> copies;
    copies.reserve(texts.size() * (below.size() + 1));
    for (const std::string& t : texts) {
        copies.push_back({t, nodes_[static_cast<std::size_t>(pos)].data, level});
        copies.insert(copies.end(), below.begin(), below.end());
    }
    nodes_.insert(nodes_.begin() + pos, std::make_move_iterator(copies.begin()), std::make_move_iterator(copies.end()));
}

// --- the engine and the sources ---------------------------------------------------

template_engine& engine_of(Ttskojarzone& form) {
    if (!form.engine) form.engine = std::make_shared<template_engine>();
    return *form.engine;
}

template_sources& sources() { return g_sources ? *g_sources : g_default_sources; }

void set_template_sources(template_sources* s) { g_sources = s; }

// --- value formats ------------------------------------------------------------------

std::string fmt_f(double x) { return fixed_text(2, x); }
std::string fmt_fixed(int decimals, double x) { return fixed_text(decimals, x); }
std::string fmt_g(double x) { return Format("%g", {x}); }
std::string fmt_d(int64_t x) { return IntToStr(x); }

std::string col(column_kind k, double x) {
    return fmt_fixed(model().column_kind_decimals[static_cast<std::size_t>(index_of(k))], x);
}

std::string pair(column_kind k, const value_pair& p) {
    return zlacz(model().column_kind_decimals[static_cast<std::size_t>(index_of(k))], p);
}

odcinek* profile_of(int index) {
    auto& profiles = model().profiles;
    return index >= 0 && index < static_cast<int>(profiles.size()) ? &profiles[static_cast<std::size_t>(index)]
                                                                    : nullptr;
}

wezel* node_of(int profile, int node) {
    odcinek* p = profile_of(profile);
    if (!p || node < 0 || node >= static_cast<int>(p->nodes.size())) return nullptr;
    return &p->nodes[static_cast<std::size_t>(node)];
}

// --- the line expander ----------------------------------------------------------------

void Ttskojarzone::wypelnij_linie(const std::string& line, const std::string& doc_type, int i0, int i1, int i2,
                                  int i3, std::string& result) {
    const bool rich = doc_type == "rtf";
    rtf_document* re = rich ? &engine_of(*this).re : nullptr;
    std::string out;
    std::string_view rest = line;
    std::string name, value;
    for (std::size_t p = rest.find("@_"); p != std::string_view::npos; p = rest.find("@_")) {
        tag_name_after(rest, "@_", name);
        value.clear();
        if (!name.empty()) zamien(name, i0, i1, i2, i3, value);
        if (re) {
            re->insert(rest.substr(0, p));
            re->insert(value, true);
        }
        out.append(rest.substr(0, p));
        out += value;
        rest = rest.substr(std::min(rest.size(), p + name.size() + 2));
    }
    if (re) {
        re->insert(rest);
        re->insert("\r\n");
    }
    out.append(rest);
    out.erase(std::remove(out.begin(), out.end(), '~'), out.end());
    result = std::move(out);
}

std::string Ttskojarzone::wypelnij_linie(const std::string& line, const std::string& doc_type, int i0, int i1, int i2,
                                         int i3) {
    std::string result;
    wypelnij_linie(line, doc_type, i0, i1, i2, i3, result);
    return result;
}

// --- the header -------------------------------------------------------------------------

void Ttskojarzone::info_plik(const std::string& path, head_info& info) {
    const rtf_document& re = engine_of(*this).re;
    info = head_info{};
    info.title = ExtractFileName(path);
    info.doc_type = "rtf";
    info.file_name = "document";
    info.font_name = re.font_name;
    info.font_size = static_cast<uint8_t>(re.font_size);
    info.path = path;
    if (!FileExists(path)) return;
    const std::vector<std::string> lines = read_lines(path);
    if (std::none_of(lines.begin(), lines.end(), [](const std::string& l) { return Pos("<HEADER>", l) > 0; })) return;
    std::string tag, value;
    bool in_value = false;
    const auto store = [&] {
        in_value = false;
        if (tag == "<TITLE>") info.title = value;
        else if (tag == "<VER>") info.ver = value;
        else if (tag == "<FONT_SIZE>") {
            // A size that is no whole number from 1 to 255 keeps the default:
            // one bad template must not empty the chooser's list.
            int size = 0;
            if (TryStrToInt(value, size) && size >= 1 && size <= 255) info.font_size = static_cast<uint8_t>(size);
        } else if (tag == "<FONT_NAME>") info.font_name = value;
        else if (tag == "<TYPE>") info.doc_type = value.substr(0, std::min<std::size_t>(3, value.size()));
        else if (tag == "<FILE_NAME>") info.file_name = wypelnij_linie(value, info.doc_type == "rtf" ? "txt" : info.doc_type, 0, 0, 0, 0);
    };
    for (const std::string& line : lines) {
        ++info.header_lines;
        const bool ends = Pos("</HEADER>", line) > 0;
        if (Pos("//", line) == 0) {
            const std::size_t lt = line.find('<'), gt = line.find('>');
            if (lt != std::string::npos && gt != std::string::npos) {
                tag = gt >= lt ? line.substr(lt, gt - lt + 1) : std::string();
                if (tag.size() > 1 && tag[1] == '/') tag.erase(1, 1);
            }
            const std::string closing = tag.empty() ? std::string() : "</" + tag.substr(1);
            const std::size_t open_at = tag.empty() ? std::string::npos : line.find(tag);
            if (open_at != std::string::npos) {
                const std::string rest = line.substr(open_at + tag.size());
                const std::size_t close_at = rest.find(closing);
                value = rest.substr(0, close_at);
                in_value = true;
                if (close_at != std::string::npos) store();
            } else if (in_value) {
                const std::size_t close_at = closing.empty() ? std::string::npos : line.find(closing);
                value += line.substr(0, close_at);
                if (close_at != std::string::npos) store();
            }
        }
        if (ends) break;
    }
}

// --- splitting and building the tree ---------------------------------------------------------

void Ttskojarzone::wyciagnij_tag(const std::string& text, tag_result& result) {
    result = tag_result{text, {}, {}, {}};
    const std::string lower = LowerCase(text);
    const std::size_t p = lower.find(open_marker);
    if (p == std::string::npos) return;
    result.before = Trim(std::string_view(text).substr(0, p));
    tag_name_after(text, open_marker, result.name);
    const std::string rest = text.substr(std::min(text.size(), p + 2 + result.name.size() + 1));
    const std::string closing = close_marker + result.name + std::string(1, block_close);
    const std::size_t c = LowerCase(rest).find(closing);
    if (c == std::string::npos) return;
    result.content = rest.substr(0, c);
    result.after = Trim(std::string_view(rest).substr(c + closing.size()));
}

void Ttskojarzone::drzewo_kreator(const std::string& source, int parent) {
    block_tree& tree = engine_of(*this).tree;
    std::string text = source;
    tag_result t;
    while (LowerCase(text).find(open_marker) != std::string::npos) {
        wyciagnij_tag(text, t);
        if (!t.before.empty()) tree.add(parent, "", t.before);
        std::string after = t.after;
        if (!t.content.empty()) {
            const std::size_t nested = LowerCase(t.content).find(open_marker);
            const int block = tree.add(parent, t.name, nested == std::string::npos ? t.content : t.content.substr(0, nested));
            if (nested != std::string::npos) {
                drzewo_kreator(t.content.substr(nested), block);
                if (LowerCase(after).find(open_marker) == std::string::npos) tree.add(parent, "0", after);
                else pending_rest = after;
                after.clear();
            }
        }
        if (!after.empty()) tree.add(parent, "0", LowerCase(after).find(open_marker) == std::string::npos ? after : "");
        text = after;
    }
    if (!pending_rest.empty()) {
        const std::string rest = std::move(pending_rest);
        pending_rest.clear();
        drzewo_kreator(rest, parent);
    }
}

// --- repetition --------------------------------------------------------------------------------

namespace {

int count_of(std::size_t n) { return static_cast<int>(n); }

// The enclosing item of a node at `ancestor_up` levels above, -1 when that
// ancestor's text is no item number (its own collection was empty).
int enclosing_item(const block_tree& tree, int pos, int ancestor_up) {
    int p = pos;
    for (int i = 0; i < ancestor_up && p >= 0; ++i) p = tree.parent_of(p);
    if (p < 0 || !begins_with_digit(tree[p].text)) return -1;
    return item_of(tree[p].text);
}

// The last item of a block's collection (-1 when the name is no block, the
// collection is empty or the block cannot stand here) and its first item.
void block_range(const block_tree& tree, int pos, int& first, int& last) {
    const std::string& name = tree[pos].text;
    const int level = tree[pos].level;
    const model_state& m = model();
    const kosztorysy& c = cost_data();
    const bool estimates_open = !c.estimates.empty();
    first = 0;
    last = -1;
    // The profile of "mat", "dan", "osl", "kol": the current one at the top
    // level, else the enclosing item.
    const auto profile = [&]() -> const odcinek* {
        return profile_of(level == 0 ? m.current_profile : enclosing_item(tree, pos, 1));
    };
    const auto estimate = [&](int up) -> const kosztorys* {
        const int e = enclosing_item(tree, pos, up);
        return e >= 0 && e < count_of(c.estimates.size()) ? &c.estimates[static_cast<std::size_t>(e)] : nullptr;
    };
    const auto element = [&](const kosztorys* k, int up) -> const koszt_element* {
        const int e = enclosing_item(tree, pos, up);
        return k && e >= 0 && e < count_of(k->elements.size()) ? &k->elements[static_cast<std::size_t>(e)] : nullptr;
    };
    if (name == "prof") {
        if (!m.profiles.empty()) first = last = m.current_profile;
    } else if (name == "profs") {
        last = count_of(m.profiles.size()) - 1;
    } else if (name == "sump") {
        last = count_of(m.project.sumps.size()) - 1;
    } else if (name == "amat") {
        const int k = traport_network_index();
        last = count_of((k > 0 ? m.project.network_bills[static_cast<std::size_t>(k - 1)] : m.project.bill).size()) - 1;
    } else if (name == "mat" || name == "dan" || name == "osl" || name == "kol") {
        if (const odcinek* p = profile()) {
            if (name == "mat") last = count_of(p->bill.size()) - 1;
            else if (name == "dan") last = count_of(p->nodes.size()) - 1;
            else if (name == "osl") last = count_of(p->casings.size()) - 1;
            else last = count_of(p->crossings.size()) - 1;
        }
    } else if (!estimates_open) {
        return;
    } else if (name == "rms_r") {
        last = count_of(c.labour.size()) - 1;
    } else if (name == "rms_m") {
        last = count_of(c.materials.size()) - 1;
    } else if (name == "rms_s") {
        last = count_of(c.equipment.size()) - 1;
    } else if (name == "element_all") {
        last = count_of(c.combined_elements.size()) - 1;
    } else if (name == "position_all") {
        const int e = level >= 1 ? enclosing_item(tree, pos, 1) : -1;
        if (e >= 0 && e < count_of(c.combined_elements.size()))
            last = count_of(c.combined_elements[static_cast<std::size_t>(e)].positions.size()) - 1;
    } else if (name == "calculation") {
        if (c.print_OnlyActiveTab) first = last = c.current_estimate;
        else last = count_of(c.estimates.size()) - 1;
    } else if (name == "element") {
        if (const kosztorys* k = level >= 1 ? estimate(1) : nullptr) last = count_of(k->elements.size()) - 1;
    } else if (name == "position") {
        if (const koszt_element* e = level >= 2 ? element(estimate(2), 1) : nullptr)
            last = count_of(e->positions.size()) - 1;
    } else if (name == "material") {
        const koszt_element* e = level == 3 ? element(estimate(3), 2) : nullptr;
        const int p = enclosing_item(tree, pos, 1);
        if (e && p >= 0 && p < count_of(e->positions.size()))
            last = count_of(e->positions[static_cast<std::size_t>(p)].resources.size()) - 1;
    }
    if (last < first) last = -1;
}

}  // namespace

void Ttskojarzone::drzewo_replikator() {
    block_tree& tree = engine_of(*this).tree;
    shared_lines.clear();
    for (int pos = 0; pos < tree.size(); ++pos) {
        int first = 0, last = -1;
        block_range(tree, pos, first, last);
        const bool crossings = tree[pos].text == "kol";
        std::vector<std::string> sorted;
        if (crossings && last >= 0) {
            const int level = tree[pos].level;
            const odcinek& p = *profile_of(level == 0 ? model().current_profile : enclosing_item(tree, pos, 1));
            TStringList list;
            for (std::size_t i = 0; i < p.crossings.size(); ++i)
                list.Add(Format("%8.2f=%d", {p.crossings[i].chainage + p.crossings[i].distance, static_cast<int>(i)}));
            list.Sort();
            for (int i = 0; i < list.Count(); ++i) sorted.push_back(list[i].substr(list[i].find('=') + 1));
        }
        const auto item = [&](int k) { return crossings ? sorted[static_cast<std::size_t>(k)] : IntToStr(k); };
        if (last < 0) continue;
        tree[pos].text = item(last);
        std::vector<std::string> copies;
        for (int k = first; k < last; ++k) copies.push_back(item(k));
        tree.insert_copies(pos, copies);
    }
    shared_lines.clear();
}

// --- generation ----------------------------------------------------------------------------------

namespace {

// A file-name part without the characters a file name cannot hold (and
// without control characters), or `fallback` when nothing is left.
std::string safe_name_part(const std::string& text, const char* fallback) {
    std::string s = clean_file_name(text);
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }), s.end());
    return s.empty() ? fallback : s;
}

// Whether the position of the cost estimate (i0, i1, i2) leaves out the
// additional block: an estimate is open, it has elements, its element has
// positions and the position carries no such addition.
bool addition_left_out(const std::string& name, int i0, int i1, int i2) {
    const kosztorysy& c = cost_data();
    if (c.estimates.empty() || i0 < 0 || i0 >= count_of(c.estimates.size())) return false;
    const kosztorys& k = c.estimates[static_cast<std::size_t>(i0)];
    if (k.elements.empty() || i1 < 0 || i1 >= count_of(k.elements.size())) return false;
    const koszt_element& e = k.elements[static_cast<std::size_t>(i1)];
    if (e.positions.empty() || i2 < 0 || i2 >= count_of(e.positions.size())) return false;
    const koszt_pozycja& p = e.positions[static_cast<std::size_t>(i2)];
    if (name == "add_r") return p.pomR == 0;
    if (name == "add_m") return p.pomM == 0;
    return p.pomS == 0;
}

}  // namespace

void Ttskojarzone::wypelnij_wzorzec(const std::string& path, bool open) {
    template_engine& eng = engine_of(*this);
    estimate_numbers = {};
    eng.re.clear();
    if (!FileExists(path)) return;
    head_info info;
    info_plik(path, info);
    eng.re.font_name = info.font_name;
    eng.re.font_size = info.font_size;
    std::vector<std::string> lines = read_lines(path);
    for (int i = count_of(lines.size()) - 1; i >= 0; --i)
        if (i < info.header_lines || lines[static_cast<std::size_t>(i)].starts_with("//"))
            lines.erase(lines.begin() + i);
    if (lines.empty()) return;
    std::string text;
    normalize_template_blocks(join_lines(lines), info.doc_type, text);
    eng.tree.clear();
    pending_rest.clear();
    const bool rich = info.doc_type == "rtf";
    const bool blocks = LowerCase(text).find(open_marker) != std::string::npos;
    if (!rich && !blocks) text += open_marker + std::string(1, block_close);
    drzewo_kreator(text, -1);
    drzewo_replikator();

    shared_lines.clear();
    std::array<int, 4> ancestors{};
    int top_level = -1;
    for (int pos = 0; pos < eng.tree.size(); ++pos) {
        const block_node& n = eng.tree[pos];
        const int level = std::min(n.level, 3);
        ancestors[static_cast<std::size_t>(level)] = pos;
        if (n.level == 0) ++top_level;
        int i[4] = {0, 0, 0, 0};
        const auto text_of = [&](int l) -> const std::string& { return eng.tree[ancestors[static_cast<std::size_t>(l)]].text; };
        if (begins_with_digit(n.text) || n.level == 3) {
            if (n.level == 0) {
                i[0] = item_of(n.text);
                i[2] = top_level;
            } else if (n.level == 1 && begins_with_digit(text_of(0))) {
                i[0] = item_of(text_of(0));
                i[1] = item_of(n.text);
            } else if (n.level == 2 && begins_with_digit(text_of(0))) {
                i[0] = item_of(text_of(0));
                i[1] = item_of(text_of(1));
                i[2] = item_of(n.text);
            } else if (n.level == 3 && begins_with_digit(text_of(0))) {
                i[0] = item_of(text_of(0));
                i[1] = item_of(text_of(1));
                i[2] = item_of(text_of(2));
                i[3] = begins_with_digit(n.text) ? item_of(n.text) : 0;
            }
        }
        if (n.level == 3 && (n.text == "add_r" || n.text == "add_m" || n.text == "add_s") &&
            addition_left_out(n.text, i[0], i[1], i[2]))
            continue;
        shared_lines.push_back(wypelnij_linie(n.data, info.doc_type, i[0], i[1], i[2], i[3]));
    }

    const std::string output = folders().config_folder + safe_name_part(info.file_name, "document") + "." +
                               safe_name_part(info.doc_type, "rtf");
    write_lines(output, shared_lines);
    if (rich && !blocks)
        for (std::string& line : lines) line = wypelnij_linie(line, info.doc_type, 0, 0, 0, 0);
    if (rich) write_file(output, eng.re.rtf());
    if (open) open_with_desktop(output);
}

void Ttskojarzone::generuj(const std::string& path) {
    wypelnij_wzorzec(path, true);
    cb_Templates->Tag = cb_Templates->ItemIndex();
    add_recent_file(path, "pliki_skojarzone", folders().config_folder + "halvoren.ini");
}
