#include "files/settings_state.h"

#include "platform/services.h"

namespace {
settings_state* g_settings = nullptr;
}

settings_state& settings() {
    if (!g_settings) throw ScriptError("no settings installed");
    return *g_settings;
}

void set_settings(settings_state* s) { g_settings = s; }
