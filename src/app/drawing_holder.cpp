// The main window's holder of the preview drawing.
#include <unordered_set>

#include "drawing/containers.h"
#include "forms/rys1.h"

namespace {

void release_drawing(DXF_Object* d) { delete d; }
void release_selection(selection_lists* s) { delete s; }

point3 as_point(const std::array<double, 3>& a) { return {a[0], a[1], a[2]}; }
std::array<double, 3> as_array(const point3& p) { return {p.x, p.y, p.z}; }

}  // namespace

void TForm1::make_selection() { selection = drawing_owner<selection_lists>(new selection_lists, release_selection); }

void TForm1::rebuild_selection() {
    if (!selection) make_selection();
    selection->clear();
    // The items that name entity lists, told from the drawing and layer items.
    std::unordered_set<intptr_t> lists;
    if (preview_drawing)
        for (const auto& layer : preview_drawing->layers())
            for (const auto& list : layer->entity_lists()) lists.insert(reinterpret_cast<intptr_t>(list.get()));
    TStringList& items = Files_listbox->Items();
    for (int i = items.Count() - 1; i >= 0; --i) {
        if (!Files_listbox->Selected(i)) continue;
        const intptr_t object = items.Objects(i);
        auto* list = lists.count(object) ? reinterpret_cast<Entity_List*>(object) : nullptr;
        if (list && list->name != "Block_")
            selection->add(list);
        else
            Files_listbox->SetSelected(i, false);
    }
}

void TForm1::refill_drawing_list(bool select_all) {
    Files_listbox->BeginUpdate();
    Files_listbox->Clear();
    if (preview_drawing) {
        if (preview_drawing->layer_count() > 0)
            preview_drawing->fill_names(Files_listbox->Items());
        else
            preview_drawing.reset();
    }
    if (select_all)
        for (int i = 0; i < Files_listbox->Items().Count(); ++i) Files_listbox->SetSelected(i, true);
    Files_listbox->EndUpdate();
    rebuild_selection();
}

void TForm1::load_drawing_file(const std::string& path) {
    std::unique_ptr<DXF_Object> read = DXF_Object::create_from_file(path);
    if (!preview_drawing) {
        preview_max_extents = as_array(read->max_extents());
        preview_min_extents = as_array(read->min_extents());
        preview_drawing = drawing_owner<DXF_Object>(read.release(), release_drawing);
        return;
    }
    point3 max = as_point(preview_max_extents);
    point3 min = as_point(preview_min_extents);
    extents_grow_max(max, read->max_extents());
    extents_grow_min(min, read->min_extents());
    preview_max_extents = as_array(max);
    preview_min_extents = as_array(min);
    preview_drawing->merge(*read);
}
