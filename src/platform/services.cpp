#include "platform/services.h"

namespace {
Services* g_services = nullptr;
}

Services& services() {
    if (!g_services) throw ScriptError("no services installed");
    return *g_services;
}

void set_services(Services* s) { g_services = s; }
