#include "platform/services.h"

#include <cstdlib>
#include <string>

#include "platform/process_slot.h"

void missing_process_object(const char* what) { throw ScriptError(std::string("no ") + what + " installed"); }

namespace {
process_slot<Services> g_services("services");
}

Services& services() { return *g_services; }

Services* installed_services() { return g_services.get(); }

void set_services(Services* s) { g_services.set(s); }

std::string Services::system_language() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}
