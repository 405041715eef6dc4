#include "drawing/drawing_state.h"

#include "platform/process_slot.h"

namespace {
process_slot<drawing_state> g_drawing("drawing state");
}

drawing_state& drawing() { return *g_drawing; }

void set_drawing(drawing_state* d) { g_drawing.set(d); }
