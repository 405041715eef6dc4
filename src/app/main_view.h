// What the project model asks of the main window, answered by the main
// window: the model reaches the window's operations only through this.
#pragma once

#include <string>

#include "model/state.h"

class TForm1;

class main_window_view : public model_view {
public:
    explicit main_window_view(TForm1& window) : window_(window) {}
    std::string item_caption(const std::string& name, const std::string& builtin) override;

private:
    TForm1& window_;
};
