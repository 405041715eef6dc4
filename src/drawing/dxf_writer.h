// The drawing writer: builds the drawing file "rysunek.dxf" in memory, as
// one growing byte buffer of code and value lines, and writes it out once
// through a temporary file renamed over the target, so a failure while
// drawing leaves the old file as it was. The primitives every sheet uses
// (texts in the settings' styles, rectangles, arrows, scale bars, level
// marks) write their entities into that buffer at once.
#pragma once

#include <string>

#include "drawing/dxf_groups.h"
#include "drawing/geometry.h"

class DXF_Writer {
public:
    // Keeps the path the drawing goes to; nothing is opened or written
    // until the whole file is in the buffer.
    explicit DXF_Writer(std::string path);
    // Drops the buffer; the file is left as it was unless the drawing was
    // written out.
    ~DXF_Writer();
    DXF_Writer(const DXF_Writer&) = delete;
    DXF_Writer& operator=(const DXF_Writer&) = delete;

    const std::string& path() const { return path_; }
    // The groups written so far.
    dxf_group_output& out() { return out_; }
    const dxf_group_output& out() const { return out_; }

    // The sheet's extents, set by the header writer.
    point3 extents_max{};
    point3 extents_min{};

    // ---- the primitives ----

    // ---- the driver and the sections ----

private:
    std::string path_;
    dxf_group_output out_;
};
