// Reading the drawing file into the preview drawing, as printing needs it
// until the preview's own reader joins (this file then goes).
#include "drawing/containers.h"
#include "files/utils.h"
#include "forms/rys1.h"
#include "platform/paths.h"

bool TForm1::wgraj_rysunek() {
    if (preview_drawing)
        for (const auto& layer : preview_drawing->layers())
            for (const std::string& name : std::vector<std::string>(layer->entity_list_names()))
                layer->remove_entity_list(name, true);
    refill_drawing_list(false);
    drawing_loaded = false;
    const std::string path = folders().config_folder + "rysunek.dxf";
    if (!file_in_use_check(path, false)) return false;
    load_drawing_file(path);
    point3 max{-1e10, -1e10, -1e10}, min{1e15, 1e15, 1e15};
    drawing_loaded = true;
    if (preview_drawing) preview_drawing->update_extents(max, min);
    preview_max_extents = {max.x, max.y, max.z};
    preview_min_extents = {min.x, min.y, min.z};
    if (max.x != -1e10 && min.x != 1e15) nanies_kontury();
    refill_drawing_list(true);
    return true;
}
