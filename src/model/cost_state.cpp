#include "model/cost_state.h"

#include "platform/process_slot.h"

namespace {
process_slot<kosztorysy> g_cost("cost-estimate state");
}

kosztorysy& cost_data() { return *g_cost; }

void set_cost_data(kosztorysy* c) { g_cost.set(c); }
