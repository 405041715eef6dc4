// The document generator's working objects and the pieces its units share:
// the block tree of a template (our own tree in place of an invisible tree
// view), the rich text, the variable catalogue's call context and the value
// formats, and the sources of values that later windows provide.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/rtf_document.h"
#include "forms/skojarzone.h"
#include "model/columns.h"
#include "model/records.h"

// --- the block tree -----------------------------------------------------------

// One node: a block (text = its name, or the item it stands for once
// repeated) or a piece of text (text empty or "0"); `data` is its text with
// variables.
struct block_node {
    std::string text;
    std::string data;
    int level = 0;  // 0 at the top
};

// The tree kept in tree order (parents before their children, depth
// first), so that a node is visited by its position and a node's subtree is
// the run of deeper nodes after it.
class block_tree {
public:
    void clear() { nodes_.clear(); }
    int size() const { return static_cast<int>(nodes_.size()); }
    block_node& operator[](int pos) { return nodes_[static_cast<std::size_t>(pos)]; }
    const block_node& operator[](int pos) const { return nodes_[static_cast<std::size_t>(pos)]; }
    // Adds a node under `parent` (-1: at the top level) after the parent's
    // existing children; returns its position.
    int add(int parent, std::string text, std::string data);
    // One past the last node of the subtree at `pos`.
    int end_of(int pos) const;
    // The parent's position, -1 at the top level.
    int parent_of(int pos) const;
    // Inserts, right before the node at `pos`, one copy of it per text (in
    // the order given), each with the node's data and with copies of its
    // children, grandchildren and great-grandchildren.
    void insert_copies(int pos, const std::vector<std::string>& texts);

private:
    std::vector<block_node> nodes_;
};

// --- the generator's working objects ------------------------------------------

struct template_engine {
    rtf_document re;    // the rich text of an RTF document
    block_tree tree;    // the block tree of the last generation
    // The variables whose values are expanded again and that are being
    // expanded now: met again inside their own expansion they give nothing.
    std::vector<const void*> expanding;
};

// The chooser's engine, made on first use.
template_engine& engine_of(Ttskojarzone& form);

// --- what later windows provide -------------------------------------------------

// Values and commands of windows that later parts of the program build;
// until one installs its own, the default gives empty values and does
// nothing.
class template_sources {
public:
    virtual ~template_sources() = default;
    // The node name in the casing-pipe editor's table for a casing pipe.
    virtual std::string casing_node_text(int /*casing*/) { return {}; }
    // Item `index` of the object library's list (Tlob); false when none.
    virtual bool object_item(int /*index*/, mat_stat& /*out*/) { return false; }
    // The main window's drawing command and bill of materials, which the
    // chooser runs before it lists the templates.
    virtual void draw_make() {}
    virtual void zestawienie_materialow(int /*mode*/) {}
    // Rebuilds the main table's columns from the column model.
    virtual void przypisz_kolumny(int /*side_panel*/) {}
};

template_sources& sources();
// Installs the sources (nullptr: the default again).
void set_template_sources(template_sources* s);

// --- the variable catalogue ------------------------------------------------------

// One call of zamien: the indices, the modifiers and the chooser.
struct var_call {
    Ttskojarzone& form;
    std::string name;  // without its modifiers
    int i0 = 0, i1 = 0, i2 = 0, i3 = 0;
    std::string yes = "Tak";
    std::string no = "Nie";
    uint8_t decimals = 4;              // of "|N"
    bool project_data = false;         // "'": the project's data instead of the estimate's copy
    bool skip_decimals = false;        // the value wrote the decimals itself
};

using var_handler = void (*)(var_call& call, std::string& value);

// A catalogue entry: its two spellings (either may be empty) and the
// routine that writes the value.
struct var_entry {
    const char* polish;
    const char* english;
    var_handler fn;
};

// The groups of the catalogue (wydruki_project.cpp, wydruki_nodes.cpp,
// wydruki_cost.cpp). A group adds its entries to the list.
void project_variables(std::vector<var_entry>& out);
void node_variables(std::vector<var_entry>& out);
void cost_variables(std::vector<var_entry>& out);
// Names that a pattern selects: the designers (by their first fourteen
// characters) and the sump's node ("ts_" names holding "_td_"), which turn
// into a node value. True when the name was handled (or redirected: then
// call.name changed and the catalogue is asked again).
bool designer_variable(var_call& call, std::string& value);
bool sump_node_redirect(var_call& call);
// The handler of a name, nullptr when none.
var_handler find_variable(const std::string& name);

// --- value formats ---------------------------------------------------------------

// "%f" (two decimals), a fixed count of decimals, "%g" and whole numbers,
// with the system's separator; the fixed forms round as the node table
// shows values (fixed_text, model/utils.h).
std::string fmt_f(double x);
std::string fmt_fixed(int decimals, double x);
std::string fmt_g(double x);
std::string fmt_d(int64_t x);
// With the decimals of a column kind; a pair as the table shows it.
std::string col(column_kind k, double x);
std::string pair(column_kind k, const value_pair& p);
// The item index of the statistics window's network-type chooser: 0 (or
// less) the whole project's bill, k the bill of the k-th network type.
int traport_network_index();
// The profile, node, sump... of the indices, nullptr when it does not exist.
odcinek* profile_of(int index);
wezel* node_of(int profile, int node);
