#include "model/pipe_series.h"

#include "model/state.h"
#include "platform/sysutils.h"

namespace {

constexpr uint16_t all = 65535;

void refresh(const std::vector<mat_rura_typosz>& series, const odcinek& p, wezel& w) {
    w.series_index = -1;
    w.size_index = -1;
    const int id = w.tidx != -1 ? w.tidx : p.main_typosz_id;
    for (std::size_t i = 0; i < series.size(); ++i)
        if (series[i].main.id == id) {
            w.series_index = static_cast<int32_t>(i);
            break;
        }
    if (w.series_index < 0) return;
    const std::string size = w.fi.s1 != w.fi.s2 ? Format("%.0f/%.0f", {w.fi.s1, w.fi.s2}) : Format("%.0f", {w.fi.s1});
    const std::vector<std::string>& rows = series[static_cast<std::size_t>(w.series_index)].diameter;
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r] == size) {
            w.size_index = static_cast<int32_t>(r);
            break;
        }
}

}  // namespace

void odswiez_idx_w_odc(uint16_t profile, uint16_t node) {
    model_state& m = model();
    const std::vector<mat_rura_typosz>& series = m.project.pipe_series;
    for (std::size_t pi = 0; pi < m.profiles.size(); ++pi) {
        if (profile != all && pi != profile) continue;
        odcinek& p = m.profiles[pi];
        for (std::size_t ni = 0; ni < p.nodes.size(); ++ni)
            if (node == all || ni == node) refresh(series, p, p.nodes[ni]);
    }
}
