#include "model/settings_state.h"

#include "platform/process_slot.h"

namespace {
process_slot<settings_state> g_settings("settings");
}

settings_state& settings() { return *g_settings; }

void set_settings(settings_state* s) { g_settings.set(s); }
