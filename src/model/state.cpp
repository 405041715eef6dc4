#include "model/state.h"

#include "platform/process_slot.h"

namespace {
process_slot<model_state> g_model("project model");
model_view g_default_view;
model_view* g_view = nullptr;
}  // namespace

model_state::model_state() {
    for (int k = 0; k < column_kind_count; ++k) {
        const column_info& c = column_of(kind_from_index(k));
        const auto i = static_cast<std::size_t>(k);
        column_map[i] = static_cast<uint8_t>(k);
        column_order[i] = static_cast<uint8_t>(c.in_table ? k : k + 100);
        column_titles[i] = c.title;
        column_units[i] = c.unit;
        column_kind_decimals[i] = c.decimals;
        column_widths[i] = c.width;
        column_decimals[i] = c.decimals;
        text_columns[i] = is_text_column(kind_from_index(k));
    }
}

model_state& model() { return *g_model; }

void set_model(model_state* m) { g_model.set(m); }

void set_project_modified(bool modified) {
    model().project_modified = modified;
    view().project_modified_changed(modified);
}

model_view& view() { return g_view ? *g_view : g_default_view; }

void set_view(model_view* v) { g_view = v; }
