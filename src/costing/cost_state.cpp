#include "costing/cost_state.h"

#include "platform/services.h"

namespace {
kosztorysy* g_cost = nullptr;
}

kosztorysy& cost_data() {
    if (!g_cost) throw ScriptError("no cost-estimate state installed");
    return *g_cost;
}

void set_cost_data(kosztorysy* c) { g_cost = c; }
