// The front end's painting of the drawing viewport without a window, for
// programs that stand outside the front end (the benchmarks): no Qt type
// shows here.
#pragma once

#include <memory>

class Zoom_panel;

namespace gui {

// Makes the Qt application on the offscreen platform unless one exists.
void start_offscreen_application();

// A viewport's kept picture and the surface it is shown on, as the window
// keeps and shows them.
class OffscreenViewport {
public:
    OffscreenViewport(int width, int height);
    ~OffscreenViewport();
    OffscreenViewport(const OffscreenViewport&) = delete;
    OffscreenViewport& operator=(const OffscreenViewport&) = delete;
    // Brings the picture to the panel's view (painting what changed) and
    // copies it onto the surface; returns how many rectangles were painted.
    int show(Zoom_panel& panel);

private:
    struct state;
    std::unique_ptr<state> d_;
};

}  // namespace gui
