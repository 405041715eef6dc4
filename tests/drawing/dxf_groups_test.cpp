// The group sink of the drawing writer: groups across its chunks, the
// handles put in as the groups stream out (in the order written, whatever
// the ranges streamed), long values, and the layer spellings it applies.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "drawing/dxf_group_lines.h"
#include "drawing/dxf_groups.h"
#include "drawing/dxf_sections.h"
#include "platform/files.h"

namespace {

// The handled and unhandled entities of a file, each a few groups, until
// `bytes` are written: far more than one chunk.
groups many_entities(dxf_group_output& out, std::size_t bytes) {
    static const char* const types[] = {"LINE", "LAYER", "TEXT", "VERTEX", "SECTION", "INSERT", "SEQEND", "ENDSEC"};
    groups written;
    int i = 0;
    while (out.size() < bytes) {
        const char* type = types[i % 8];
        out.group(0, type);
        written.emplace_back("0", type);
        out.group(8, "warstwa");
        written.emplace_back("8", "warstwa");
        out.group(10, 0.5 * i);
        written.emplace_back("10", std::to_string(i / 2) + (i % 2 ? ".5" : ""));
        out.group(62, i % 256);
        written.emplace_back("62", std::to_string(i % 256));
        ++i;
    }
    return written;
}

bool handled(const std::string& type) {
    return type == "LINE" || type == "TEXT" || type == "VERTEX" || type == "INSERT" || type == "SEQEND";
}

// The groups with a handle after each handled type, counted from 0x65.
groups with_handles(const groups& g) {
    groups out;
    int handle = 100;
    for (const auto& group : g) {
        out.push_back(group);
        if (group.first == "0" && handled(group.second)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%X", ++handle);
            out.emplace_back("5", hex);
        }
    }
    return out;
}

TEST(DxfGroups, HandlesFollowTheirGroupsInWrittenOrderAcrossChunksAndRanges) {
    dxf_group_output out;
    const groups written = many_entities(out, dxf_group_output::chunk_size + 12345);
    ASSERT_EQ(groups_of(out.bytes()), written);  // bytes() carries no handles
    const std::string whole = out.text_with_handles();
    ASSERT_EQ(groups_of(whole), with_handles(written));

    // Streamed in ranges cut anywhere (at a chunk's end, right after a
    // handled group, inside a line), the file is the same text.
    const std::string folder = make_temp_folder("halvoren-groups-");
    const std::string path = path_join(folder, "rysunek.dxf");
    const std::size_t first_group = std::string("0\r\nLINE\r\n").size();
    for (const std::size_t cut : {std::size_t{0}, first_group, std::size_t{7}, dxf_group_output::chunk_size,
                                  dxf_group_output::chunk_size - 3, out.size() - 2, out.size()}) {
        SCOPED_TRACE(cut);
        {
            OutputFile file(path);
            int handle = 100;
            out.write_to(file, &handle, 0, cut);
            out.write_to(file, &handle, cut);
            file.commit();
        }
        EXPECT_EQ(read_file(path), whole);
    }
    {
        OutputFile file(path);
        out.write_to(file, nullptr);
        file.commit();
    }
    EXPECT_EQ(read_file(path), out.bytes());
    delete_folder_tree(folder);

    // A cleared sink starts again, handles and all.
    out.clear();
    out.group(0, "CIRCLE");
    EXPECT_EQ(out.text_with_handles(), "0\r\nCIRCLE\r\n5\r\n65\r\n");
}

TEST(DxfGroups, LongValuesStayOneLineWithTheirBreaksBlank) {
    for (const std::size_t length : {std::size_t{255}, std::size_t{257}, std::size_t{5000},
                                     dxf_group_output::chunk_size + 100}) {
        SCOPED_TRACE(length);
        std::string value(length, 'x');
        value[0] = '\r';
        value[length / 2] = '\n';
        value[length - 1] = '\r';
        dxf_group_output out;
        out.group(1, "przed");
        out.group(1, value);
        out.group(0, "TEXT");
        std::string expected = value;
        for (char& c : expected)
            if (c == '\r' || c == '\n') c = ' ';
        EXPECT_EQ(out.bytes(), "1\r\nprzed\r\n1\r\n" + expected + "\r\n0\r\nTEXT\r\n");
        EXPECT_EQ(out.size(), out.bytes().size());
    }
}

TEST(DxfGroups, CodesOutsideTheReadyTableAndNumbers) {
    dxf_group_output out;
    out.group(1071, 2);
    out.group(1072, -7);
    out.group(-1, "x");
    out.group(40, 0.1 + 0.2);
    out.group(41, -1.5e-7);
    out.group(42, 12345678.0);
    EXPECT_EQ(out.bytes(), "1071\r\n2\r\n1072\r\n-7\r\n-1\r\nx\r\n40\r\n0.3\r\n41\r\n-1.5E-7\r\n42\r\n12345678\r\n");
}

TEST(DxfGroups, LayerGroupsTakeTheDeclaredSpellingAlsoInGroupText) {
    layer_spellings layers;
    layers.declare("Rury");
    layers.declare("Opisy");
    dxf_group_output out;
    out.group(8, "rury");  // before the spellings: as it stands
    out.spell_layers(&layers);
    // Names taking turns, so that the last name remembered is never reused wrongly.
    for (const char* name : {"rury", "OPISY", "rury", "RURY", "inna:warstwa", "opisy"}) out.group(8, name);
    out.group(1, "rury");  // only layer groups
    out.lines("  0\r\nLINE\r\n  8\r\nopisy\r\n 62\r\n3\r\n");
    EXPECT_EQ(groups_of(out.text_with_handles()),
              (groups{{"8", "rury"}, {"8", "Rury"}, {"8", "Opisy"}, {"8", "Rury"}, {"8", "Rury"}, {"8", "inna_warstwa"},
                      {"8", "Opisy"}, {"1", "rury"}, {"0", "LINE"}, {"5", "65"}, {"8", "Opisy"}, {"62", "3"}}));
}

}  // namespace
