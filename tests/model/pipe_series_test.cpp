// A node's pipe series and its size in the series.
#include <gtest/gtest.h>

#include "model/pipe_series.h"
#include "model/state.h"
#include "platform/sysutils.h"
#include "support/fixture.h"

namespace {

class PipeSeries : public ProgramTest {};

TEST_F(PipeSeries, ANodeFindsItsSeriesByIdAndItsSizeByDiameter) {
    euro_rounding = true;
    decimal_separator = '.';
    model_state& m = model();
    for (int id : {4, 7}) {
        mat_rura_typosz s;
        s.main.id = id;
        s.diameter = {"160", "200", "250/200"};
        m.project.pipe_series.push_back(s);
    }
    odcinek p;
    p.main_typosz_id = 7;
    struct Case {
        int16_t tidx;
        value_pair fi;
        int32_t series;
        int32_t size;
    };
    const Case cases[] = {
        {-1, value_pair(200), 1, 1},          // the profile's series
        {4, value_pair(159.6), 0, 0},         // rounded to whole millimetres
        {4, value_pair(250, 200), 0, 2},      // two halves
        {4, value_pair(250), 0, -1},          // no such size
        {9, value_pair(160), -1, -1},         // no such series
    };
    for (const Case& c : cases) {
        wezel w;
        w.tidx = c.tidx;
        w.fi = c.fi;
        p.nodes.push_back(w);
    }
    m.profiles = {p};
    odswiez_idx_w_odc(65535, 65535);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(m.profiles[0].nodes[i].series_index, cases[i].series) << i;
        EXPECT_EQ(m.profiles[0].nodes[i].size_index, cases[i].size) << i;
    }
    // One node alone; the others are left as they are.
    m.project.pipe_series.clear();
    odswiez_idx_w_odc(0, 1);
    EXPECT_EQ(m.profiles[0].nodes[1].series_index, -1);
    EXPECT_EQ(m.profiles[0].nodes[0].series_index, 1);
}

}  // namespace
