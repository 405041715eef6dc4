// The drawing file as the writer streams it: the bend blocks between the
// BLOCKS header and the symbol blocks, the handles numbered in the order
// of the file through them, every layer group in its declared spelling;
// and the symbol blocks the nodes and crossings need.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "drawing/drawing_state.h"
#include "drawing/dxf_group_lines.h"
#include "drawing/dxf_sections.h"
#include "drawing/dxf_writer.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/profile_fixture.h"

namespace {

class DrawingFileOrder : public ProfileTest {
protected:
    DrawingFileOrder() {
        decimal_separator = '.';
        // For a CAD program: no layer widths, with or without handles.
        drawing().drawing_mode = "out";
        model().profiles.clear();
        Form1->tb_bezmetryki->SetDown(true);
        TStringAlignGrid& g = *topcje->sag_Layers;
        g.SetRowCount(2);
        g.SetCell(1, 1, "Rury");
        g.SetCell(2, 1, "1");
        g.SetCell(3, 1, topcje->cb_LineType->Items()[0]);
        g.SetCell(4, 1, "1");
        g.SetCell(5, 1, "");
    }
    static std::string file() { return folders().config_folder + "rysunek.dxf"; }

    // The drawing of a two-node profile with two bend blocks, a line and an
    // insert written after the sheet, as the writer puts it into the file.
    static std::string written_file(bool handles) {
        settings().add_entity_handles = handles;
        DXF_Writer w(file());
        w.write_drawing();
        w.bend_blocks.push_back("  0\r\nBLOCK\r\n  8\r\nrury\r\n  2\r\nARC_0_0_1\r\n  0\r\nARC\r\n  8\r\nRURY\r\n  0\r\nENDBLK");
        w.bend_blocks.push_back("  0\r\nBLOCK\r\n  8\r\nrury\r\n  2\r\nARC_0_1_1\r\n  0\r\nENDBLK\r\n");
        w.line({0, 0, 0}, {1, 1, 0}, 3, "Rury");
        w.insert("ARC_0_0_1", {1, 2, 0}, {2, 3, 1}, 0, 1, "Rury");
        w.write_out();
        return read_file(file());
    }
};

TEST_F(DrawingFileOrder, HandlesCountInFileOrderThroughTheBendBlocksAndLayersTakeTheirSpelling) {
    const uint16_t p = add_profile("P", 1, {0, 20});
    model().profiles[p].rysuj = true;
    model().profiles[p].crossings.push_back(kolizja{});  // a symbol block after the bend blocks
    const std::string plain = written_file(false);
    const std::string with_handles = written_file(true);
    // The handles are what numbering the finished file from its start gives.
    EXPECT_EQ(with_handles, handler(plain));

    const groups g = groups_of(with_handles);
    std::vector<std::string> order;  // the block names in file order
    std::vector<std::string> handles;
    for (std::size_t i = 0; i < g.size(); ++i) {
        if (g[i].first == "5") handles.push_back(g[i].second);
        if (g[i] == std::pair<std::string, std::string>{"0", "BLOCK"}) {
            std::size_t j = i + 1;
            while (j < g.size() && g[j].first != "2") ++j;
            if (j < g.size()) order.push_back(g[j].second);
        }
        if (g[i].first == "8") {
            EXPECT_NE(g[i].second, "rury") << "a layer in a spelling the table does not declare";
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ARC_0_0_1", "ARC_0_1_1", "KOLIZJA"}));
    ASSERT_FALSE(handles.empty());
    EXPECT_EQ(handles.front(), "65");
    for (std::size_t i = 1; i < handles.size(); ++i)
        EXPECT_EQ(std::stoi(handles[i], nullptr, 16), std::stoi(handles[i - 1], nullptr, 16) + 1) << i;
}

TEST_F(DrawingFileOrder, SymbolKindsInTheOrderFirstNeededWithEmptyTextsNamingNone) {
    struct kinds_case {
        std::vector<std::vector<std::string>> objects;  // per profile
        bool crossing_in_first;
        std::vector<std::string> kinds;
    };
    const std::vector<kinds_case> cases = {
        // A profile with crossings needs the crossing block whatever its nodes hold.
        {{{"", ""}}, true, {"kol"}},
        {{{"", "SL-RBOU"}, {"sl-rr", "sl-rbou"}}, false, {"slrbou", "piezo", "slrr"}},
        {{{"sl-rcolv sl-rr", ""}, {"Sump", "sl-rbou"}}, true, {"slrr", "slrcolv", "kol", "slrbou", "piezo"}},
        {{{"", ""}, {"", ""}}, false, {}},
    };
    for (const kinds_case& c : cases) {
        SCOPED_TRACE(c.kinds.size());
        model().profiles.clear();
        for (std::size_t k = 0; k < c.objects.size(); ++k) {
            const uint16_t p = add_profile("P" + std::to_string(k), static_cast<uint16_t>(k + 1), {0, 20});
            for (std::size_t i = 0; i < c.objects[k].size(); ++i) model().profiles[p].nodes[i].obiekt = c.objects[k][i];
        }
        if (c.crossing_in_first) model().profiles[0].crossings.push_back(kolizja{});
        EXPECT_EQ(symbol_kinds(false, true), c.kinds);
    }
}

}  // namespace
