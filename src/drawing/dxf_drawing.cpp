// The drawing writer's frame: the sections of the drawing file in order and
// the one write of the finished file.
#include <string>

#include "drawing/drawing_state.h"
#include "drawing/dxf_sections.h"
#include "drawing/dxf_writer.h"
#include "files/opcje_tables.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/settings_state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/sysutils.h"

namespace {

void progress(int position) {
    if (Form1 && Form1->progres) Form1->progres->SetPosition(position);
}

bool handles_wanted() { return settings().add_entity_handles; }

// The program registered for drawing files is IntelliCAD and the handles
// are off: the file names its code page for it and the style its face.
bool intellicad_style() {
    return !handles_wanted() && AnsiLowerCase(topcje->path_to_dxfopener(true)).find("icad.exe") != std::string::npos;
}

}  // namespace

void DXF_Writer::write_drawing() {
    TProgressBar* bar = Form1->progres;
    TStatusBar* status = Form1->StatusBar1;
    bar->SetBounds(status->Left(), status->Top(), status->Width(), status->Height());
    bar->SetPosition(0);
    bar->SetVisible(!Form1->tb_PreviewOnOff->Down());
    drawing_texts.clear();
    try {
        write_header();
        progress(10);
        write_tables();
        progress(30);
        write_blocks();
        progress(50);
        switch (chosen_sheet()) {
            case sheet_kind::profile: draw_profile_sheet(); break;
            case sheet_kind::cross_section: draw_cross_section(); break;
            case sheet_kind::scheme: draw_scheme(); break;
            case sheet_kind::none: break;
        }
        progress(100);
        out_.group(0, "EOF");
    } catch (...) {
        bar->SetVisible(false);
        throw;
    }
    bar->SetVisible(false);
}

void DXF_Writer::write_header() {
    bend_blocks.clear();
    prepare_sheet_state(extents_min, extents_max);
    out_.group(0, "SECTION");
    out_.group(2, "HEADER");
    // Independent readers decode the texts by the code page the file names.
    out_.group(9, "$DWGCODEPAGE");
    out_.group(3, "ANSI_1250");
    out_.group(9, "$EXTMIN");
    out_.point(10, extents_min);
    out_.group(9, "$EXTMAX");
    out_.point(10, extents_max);
    out_.group(0, "ENDSEC");
}

void DXF_Writer::write_tables() {
    const double u = drawing().units_per_metre;
    out_.group(0, "SECTION");
    out_.group(2, "TABLES");
    out_.group(0, "TABLE");
    out_.group(2, "LTYPE");
    out_.group(70, 2);
    struct line_type {
        const char* name;
        int flags;
        std::string description;
        std::vector<double> elements;  // in metres of the layout; 0 is a dot
    };
    const line_type types[] = {
        {"CONTINUOUS", 64, "Solid line", {}},
        {"DASH", 0, "— — — — — — — — — — — —"_cp, {0.25, -0.125}},
        {"DOT", 0, "· · · · · · · · · · · · · "_cp, {0, -0.125}},
        {"DASHDOT", 0, "— · — · — · — · — · — · — · "_cp, {0.25, -0.125, 0, -0.125}},
        {"DASHDOTDOT", 0, "— ·· — ·· — ·· — ·· — ·· — ·· — ·· "_cp, {0.25, -0.125, 0, -0.125, 0, -0.125}},
    };
    for (const line_type& t : types) {
        out_.group(0, "LTYPE");
        out_.group(2, t.name);
        out_.group(70, t.flags);
        out_.group(3, t.description);
        out_.group(72, 65);
        out_.group(73, static_cast<int>(t.elements.size()));
        double total = 0;
        for (double e : t.elements) total += e < 0 ? -e : e;
        if (total == 0)
            out_.group(40, "0.0");
        else
            out_.group(40, total * u);
        for (double e : t.elements) {
            if (e == 0)
                out_.group(49, "0.0");
            else
                out_.group(49, e * u);
        }
    }
    out_.group(0, "ENDTAB");

    const std::string face = topcje->cb_fonts->Text();
    out_.group(0, "TABLE");
    out_.group(2, "STYLE");
    out_.group(70, 1);
    out_.group(0, "STYLE");
    out_.group(2, "STANDARD");
    out_.group(70, 0);
    out_.group(40, "0.0");
    out_.group(41, "1.0");
    out_.group(50, "0.0");
    out_.group(71, 0);
    out_.group(42, "0.19");
    out_.group(3, topcje->font_plik(face));
    out_.group(4, "");
    if (intellicad_style()) {
        out_.group(1001, "ACAD");
        out_.group(1000, face);
        out_.group(1071, 2);
    }
    out_.group(0, "ENDTAB");
    write_layers();
    out_.group(0, "ENDSEC");
}

void DXF_Writer::write_layers() {
    const TStringAlignGrid& grid = *topcje->sag_Layers;
    const TStringList& line_types = topcje->cb_LineType->Items();
    static const char* const line_type_names[] = {"CONTINUOUS", "DASH", "DOT", "DASHDOT", "DASHDOTDOT"};
    // The preview and printing read the layers' line widths from "39".
    const bool widths = (drawing().drawing_mode == "in" || drawing().drawing_mode == "print") && !handles_wanted();
    layers_ = {};
    entity_layers_.clear();
    out_.spell_layers(&layers_);
    out_.group(0, "TABLE");
    out_.group(2, "LAYER");
    for (int r = 1; r < grid.RowCount(); ++r) {
        // One layer per name whatever its case, as CAD programs have it.
        if (!layers_.declare(valid_warstwa(grid.Cells(1, r)))) continue;
        out_.spell_layers(&layers_);
        out_.group(0, "LAYER");
        out_.group(2, layers_.declared().back());
        out_.group(70, grid.Cells(5, r) == "\xA8" ? 64 : 4);
        out_.group(62, grid.Cells(2, r));
        const int k = line_types.IndexOf(grid.Cells(3, r));
        out_.group(6, k >= 0 && k < 5 ? line_type_names[k] : "CONTINUOUS");
        if (widths) out_.group(39, grid.Cells(4, r));
    }
    out_.group(0, "ENDTAB");
}

void DXF_Writer::write_blocks() {
    out_.group(0, "SECTION");
    out_.group(2, "BLOCKS");
    blocks_at_ = out_.size();
    for (const std::string& kind : symbol_kinds(chosen_sheet() == sheet_kind::cross_section,
                                                Form1->cb_DrainagePiezometer->Checked()))
        out_.lines(obiekty(kind) + "\r\n");
    out_.group(0, "ENDSEC");
}

void DXF_Writer::write_out() {
    // HEADER, TABLES and the BLOCKS header, the bend blocks, then the rest
    // as written, straight from the chunks into the file; the handles go in
    // on the way, in file order.
    int handle = 100;
    int* const handles = handles_wanted() ? &handle : nullptr;
    const bool bends = !bend_blocks.empty() && blocks_at_ <= out_.size();
    const std::size_t split = bends ? blocks_at_ : out_.size();
    OutputFile file(path_);
    out_.write_to(file, handles, 0, split);
    if (bends) {
        std::string blocks;
        for (const std::string& b : bend_blocks) {
            if (!blocks.empty()) blocks += "\r\n";
            blocks += b;
        }
        // Trimmed of blanks and line breaks, each block ends with its own line end.
        const std::size_t first = blocks.find_first_not_of(" \t\r\n");
        const std::size_t last = blocks.find_last_not_of(" \t\r\n");
        if (first != std::string::npos) {
            dxf_group_output bend_groups;
            bend_groups.spell_layers(&layers_);
            bend_groups.lines(blocks.substr(first, last - first + 1) + "\r\n");
            bend_groups.write_to(file, handles);
        }
    }
    out_.write_to(file, handles, split);
    file.commit();
}

// ---------------------------------------------------------------------------
// The sheets still to come: each writes its ENTITIES section with the
// title block at the origin, unless the drawing is to go without it.

namespace {

void sheet_with_title_block(DXF_Writer& w) {
    w.out().group(0, "SECTION");
    w.out().group(2, "ENTITIES");
    if (!Form1->tb_bezmetryki->Down()) w.write_title_block(point3{});
    w.out().group(0, "ENDSEC");
}

}  // namespace

void DXF_Writer::draw_scheme() { sheet_with_title_block(*this); }
void DXF_Writer::draw_cross_section() { sheet_with_title_block(*this); }

// ---------------------------------------------------------------------------
// Saving a drawing

void DXF_Object::save(std::string_view path) {
    DXF_Writer writer{std::string(path)};
    writer.write_drawing();
    writer.write_out();
}

void selection_lists::make_drawing(std::string_view path) {
    DXF_Object drawing("Untitled");
    drawing.save(path);
}
