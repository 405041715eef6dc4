// The groups each entity class writes into the drawing file.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "drawing/entities.h"
#include "model/utils.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {

std::string lines(const std::vector<std::string>& l) {
    std::string s;
    for (const auto& x : l) s += x + "\r\n";
    return s;
}

std::string written(const DXF_Entity& e, std::string_view layer) {
    dxf_group_output out;
    e.write_dxf(out, layer);
    return out.bytes();
}

std::vector<std::unique_ptr<Attrib_>> one_attribute() {
    std::vector<std::unique_ptr<Attrib_>> a;
    a.push_back(std::make_unique<Attrib_>(point3_unit_z, point3{1, 2, 0}, point3_origin, "NR", "S1", 0, 0, 1.5, 256));
    return a;
}

TEST(EntityGroups, EveryClassWritesItsGroups) {
    decimal_separator = ',';  // the file carries "." whatever the system's separator
    euro_rounding = false;
    const point3 z = point3_unit_z;
    const struct {
        const char* what;
        std::function<std::unique_ptr<DXF_Entity>()> make;
        const char* layer;
        std::vector<std::string> want;
    } cases[] = {
        {"line", [] { return std::make_unique<Line_>(point3{0, 0, 0}, point3{1000, 0, 0}, 1); }, "0",
         {"0", "LINE", "8", "0", "62", "1", "10", "0", "20", "0", "30", "0", "11", "1000", "21", "0", "31", "0"}},
        {"line by layer", [] { return std::make_unique<Line_>(point3{0.5, 1, 0}, point3{2, 3, 4}, 256); }, "ter",
         {"0", "LINE", "8", "ter", "10", "0.5", "20", "1", "30", "0", "11", "2", "21", "3", "31", "4"}},
        {"point", [z] { return std::make_unique<Point_>(z, point3{1, 2, 3}, 5); }, "L",
         {"0", "POINT", "8", "L", "62", "5", "10", "1", "20", "2", "30", "3"}},
        {"circle with its own axis", [] { return std::make_unique<Circle_>(point3{0, 0, -1}, point3{1, 1, 0}, 2.5, 3); },
         "L",
         {"0", "CIRCLE", "8", "L", "62", "3", "210", "0", "220", "0", "230", "-1", "10", "1", "20", "1", "30", "0",
          "40", "2.5"}},
        {"arc", [z] { return std::make_unique<Arc_>(z, point3{50, 50, 0}, 10, 30, 120, 256); }, "L",
         {"0", "ARC", "8", "L", "10", "50", "20", "50", "30", "0", "40", "10", "50", "30", "51", "120"}},
        {"ellipse", [z] { return std::make_unique<Ellipse_>(z, point3{1, 2, 0}, point3{4, 0, 0}, 0.5, 0, 6.25, 7); },
         "L",
         {"0", "ELLIPSE", "8", "L", "100", "AcDbEntity", "100", "AcDbEllipse", "62", "7", "10", "1", "20", "2", "30",
          "0", "11", "4", "21", "0", "31", "0", "40", "0.5", "41", "0", "42", "6.25"}},
        {"text left", [z] { return std::make_unique<Text_>(z, point3{5, 5, 0}, point3_origin, "abc", 2.5, 1, 2, 0, 90); },
         "opis",
         {"0", "TEXT", "8", "opis", "62", "2", "10", "5", "20", "5", "30", "0", "40", "2.5", "50", "90", "1", "abc", "41",
          "1"}},
        {"text centred",
         [z] { return std::make_unique<Text_>(z, point3{5, 5, 0}, point3{7, 5, 0}, "x", 2, 0.8, 256, 1, 0); }, "opis",
         {"0", "TEXT", "8", "opis", "10", "5", "20", "5", "30", "0", "40", "2", "50", "0", "1", "x", "41", "0.8", "11",
          "7", "21", "5", "31", "0", "72", "1"}},
        {"invisible attribute",
         [z] { return std::make_unique<Attrib_>(z, point3{1, 2, 0}, point3_origin, "NR", "S1", 1, 0, 1.5, 4); }, "L",
         {"0", "ATTRIB", "8", "L", "62", "4", "10", "1", "20", "2", "30", "0", "40", "1.5", "50", "0", "1", "S1", "41",
          "0", "2", "NR", "70", "1"}},
        {"attribute definition",
         [z] {
             return std::make_unique<Attdef_>(z, point3{1, 2, 0}, point3{3, 2, 0}, "NR", "", "Numer", 0, 2, 1.5, 256);
         },
         "L",
         {"0", "ATTDEF", "8", "L", "10", "1", "20", "2", "30", "0", "40", "1.5", "50", "0", "1", "", "41", "0", "11",
          "3", "21", "2", "31", "0", "72", "2", "2", "NR", "70", "0", "3", "Numer"}},
        {"plain insert",
         [z] {
             return std::make_unique<Insert_>(z, point3{20, 30, 0}, point3{1, 1, 1}, 0, 256,
                                              std::vector<std::unique_ptr<Attrib_>>{}, "KOLIZJA");
         },
         "0",
         {"0", "INSERT", "8", "0", "210", "0", "220", "0", "230", "1", "10", "20", "20", "30", "30", "0", "2",
          "KOLIZJA"}},
        {"insert scaled, turned, with an attribute",
         [z] { return std::make_unique<Insert_>(z, point3{20, 30, 0}, point3{2, 1, 1}, 90, 3, one_attribute(), "B"); },
         "0",
         {"0", "INSERT", "8", "0", "62", "3", "210", "0", "220", "0", "230", "1", "10", "20", "20", "30", "30", "0",
          "2", "B", "41", "2", "42", "1", "43", "1", "50", "90", "66", "1", "0", "ATTRIB", "8", "0", "10", "1", "20",
          "2", "30", "0", "40", "1.5", "50", "0", "1", "S1", "41", "0", "2", "NR", "70", "0", "0", "SEQEND"}},
        {"polyline closed by its repeated vertex",
         [] {
             return std::make_unique<Polyline_>(std::vector<point3>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}}, 256,
                                                false);
         },
         "L",
         {"0", "POLYLINE", "8", "L", "70", "9", "0", "VERTEX", "70", "32", "10", "0", "20", "0", "30", "0", "0",
          "VERTEX", "70", "32", "10", "1", "20", "0", "30", "0", "0", "VERTEX", "70", "32", "10", "1", "20", "1", "30",
          "0", "0", "SEQEND"}},
        {"three-corner face",
         [] { return std::make_unique<Face3D_>(std::vector<point3>{{0, 0, 0}, {1, 0, 0}, {1, 1, 2}}, 256); }, "L",
         {"0", "3DFACE", "8", "L", "62", "256", "10", "0", "20", "0", "30", "0", "11", "1", "21", "0", "31", "0", "12",
          "1", "22", "1", "32", "2", "13", "1", "23", "1", "33", "2"}},
        {"solid",
         [z] {
             return std::make_unique<Solid_>(z, std::vector<point3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, 6, 0);
         },
         "L",
         {"0", "SOLID", "8", "L", "62", "6", "10", "0", "20", "0", "30", "0", "11", "1", "21", "0", "31", "0", "12",
          "0", "22", "1", "32", "0", "13", "1", "23", "1", "33", "0", "39", " 0.00000000000000E+0000"}},
        {"polygon mesh closed both ways",
         [] {
             return std::make_unique<Polygon_mesh_>(std::vector<point3>{{0, 0, 0}, {1, 0, 0}}, 1, 2, 1 + 32, 256);
         },
         "L",
         {"0", "POLYLINE", "8", "L", "62", "256", "66", "1", "70", "49", "71", "1", "72", "2", "0", "VERTEX", "70", "64",
          "10", "0", "20", "0", "30", "0", "0", "VERTEX", "70", "64", "10", "1", "20", "0", "30", "0", "0", "SEQEND"}},
        {"polyface mesh",
         [] {
             return std::make_unique<Polyface_mesh_>(std::vector<point3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                                                     std::vector<Polyface_mesh_::face>{{0, 1, 2, -1}}, 2);
         },
         "L",
         {"0", "POLYLINE", "8", "L", "62", "2", "66", "1", "70", "64", "71", "3", "72", "1", "0", "VERTEX", "70", "192",
          "10", "0", "20", "0", "30", "0", "0", "VERTEX", "70", "192", "10", "1", "20", "0", "30", "0", "0", "VERTEX",
          "70", "192", "10", "0", "20", "1", "30", "0", "0", "VERTEX", "70", "128", "71", "1", "72", "2", "73", "3",
          "74", "0", "0", "SEQEND"}},
        {"block",
         [] {
             auto b = std::make_unique<Block_>("ZNAK", point3{1, 1, 0});
             b->add(std::make_unique<Line_>(point3{0, 0, 0}, point3{2, 0, 0}, 1));
             return b;
         },
         "0",
         {"0", "BLOCK", "8", "0", "2", "ZNAK", "10", "1", "20", "1", "30", "0", "0", "LINE", "8", "0", "62", "1", "10",
          "0", "20", "0", "30", "0", "11", "2", "21", "0", "31", "0", "0", "ENDBLK"}},
    };
    for (const auto& c : cases) {
        const auto e = c.make();
        EXPECT_EQ(written(*e, c.layer), lines(c.want)) << c.what;
    }
}

TEST(EntityGroups, SolidThicknessIsTwentyThreeCharactersWide) {
    decimal_separator = ',';
    euro_rounding = false;
    const struct {
        double v;
        const char* text;
    } cases[] = {
        {0, " 0.00000000000000E+0000"},
        {1.5, " 1.50000000000000E+0000"},
        {-12.25, "-1.22500000000000E+0001"},
        {0.001, " 1.00000000000000E-0003"},
        {6.02e23, " 6.02000000000000E+0023"},
        {-1e-300, "-1.00000000000000E-0300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(solid_thickness_text(c.v), c.text) << c.v;
        EXPECT_EQ(solid_thickness_text(c.v).size(), 23u) << c.v;
    }
}

class EllipseFlag : public ToolkitTest {
protected:
    ~EllipseFlag() override { folders() = {}; }
};

TEST_F(EllipseFlag, TakenFromTheProgramFoldersOptionsFile) {
    decimal_separator = '.';
    euro_rounding = false;
    auto flag = [] { return Ellipse_(point3_unit_z, {}, {1, 0, 0}, 0.5, 0, 1, 1).acad_flag; };
    EXPECT_EQ(flag(), 1) << "no program folder";
    folders().program_folder = IncludeTrailingPathDelimiter(temp.path());
    EXPECT_EQ(flag(), 1) << "no options file";
    write_file(temp.file("halvoren.ini"), "[inne]\r\nacad=0\r\n");
    EXPECT_EQ(flag(), 0);
    const Ellipse_ off(point3_unit_z, {}, {1, 0, 0}, 0.5, 0, 1, 256);
    EXPECT_EQ(written(off, "L"), lines({"0", "ELLIPSE", "8", "L", "10", "0", "20", "0", "30", "0", "11", "1", "21",
                                        "0", "31", "0", "40", "0.5", "41", "0", "42", "1"}));
    write_file(temp.file("halvoren.ini"), "[inne]\r\nacad=1\r\n");
    ini_cache_clear();
    EXPECT_EQ(flag(), 1);
}

}  // namespace
