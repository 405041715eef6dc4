// Drawing files for the reader's tests: texts built from lines, a drawing
// read from bytes, and a read drawing written back as a whole file.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/containers.h"
#include "drawing/dxf_groups.h"
#include "drawing/dxf_reader.h"

// The lines, each ended by `eol`.
inline std::string dxf_text(std::initializer_list<std::string_view> lines, std::string_view eol = "\r\n") {
    std::string s;
    for (const std::string_view l : lines) {
        s += l;
        s += eol;
    }
    return s;
}

// A drawing read from bytes, with the extents the reader found.
inline std::unique_ptr<DXF_Object> read_dxf(std::string bytes) {
    DXF_Reader reader(dxf_bytes{std::move(bytes)});
    reader.read_file();
    auto d = std::make_unique<DXF_Object>("test.dxf");
    d->set_extents(reader.extents_max(), reader.extents_min());
    d->take_layers(reader.take_layers());
    return d;
}

// The drawing as one file: its extents in the header, its layers in the
// layer table (colour, line type, width), the blocks in BLOCKS and every
// other entity in ENTITIES, each with its layer's name.
inline std::string dxf_file_of(const DXF_Object& d) {
    dxf_group_output out;
    out.group(0, "SECTION");
    out.group(2, "HEADER");
    out.group(9, "$EXTMIN");
    out.point(10, d.min_extents());
    out.group(9, "$EXTMAX");
    out.point(10, d.max_extents());
    out.group(0, "ENDSEC");
    out.group(0, "SECTION");
    out.group(2, "TABLES");
    out.group(0, "TABLE");
    out.group(2, "LAYER");
    for (const auto& l : d.layers()) {
        out.group(0, "LAYER");
        out.group(2, l->name);
        out.group(70, 64);
        out.group(62, static_cast<int>(l->colour_index));
        out.group(6, l->line_type_name);
        out.group(39, static_cast<int>(l->line_width));
    }
    out.group(0, "ENDTAB");
    out.group(0, "ENDSEC");
    out.group(0, "SECTION");
    out.group(2, "BLOCKS");
    for (const auto& l : d.layers())
        for (const auto& list : l->entity_lists())
            if (list->name == "Block_")
                for (const auto& e : list->entities()) e->write_dxf(out, l->name);
    out.group(0, "ENDSEC");
    out.group(0, "SECTION");
    out.group(2, "ENTITIES");
    for (const auto& l : d.layers())
        for (const auto& list : l->entity_lists())
            if (list->name != "Block_")
                for (const auto& e : list->entities()) e->write_dxf(out, l->name);
    out.group(0, "ENDSEC");
    out.group(0, "EOF");
    return out.take();
}

// Each layer with its entity lists and their sizes: "ter: Line_ 2, Text_ 1".
inline std::vector<std::string> dxf_summary(const DXF_Object& d) {
    std::vector<std::string> out;
    for (const auto& l : d.layers()) {
        std::string s = l->name + ":";
        bool first = true;
        for (const auto& list : l->entity_lists()) {
            s += (first ? " " : ", ") + list->name + " " + std::to_string(list->count());
            first = false;
        }
        out.push_back(s);
    }
    return out;
}
