#include "app/main_view.h"

#include "forms/rys1.h"

std::string main_window_view::item_caption(const std::string& name, const std::string& builtin) {
    if (auto* mi = dynamic_cast<TMenuItem*>(window_.FindComponent(name))) return mi->Caption();
    return builtin;
}
