#include "model/columns.h"

#include "platform/cp1250.h"

namespace {

using A = TAlignment;
const column_info columns[column_kind_count] = {
    {"ter", "TerOrd", "Teren istn.", "m n.p.m.", 75, A::taRightJustify, 2, true},
    {"dno", "PipeOrd", "Rzędna rury"_cp, "m n.p.m.", 75, A::taRightJustify, 2, true},
    {"zag", "Depth", "Zagłębienie"_cp, "m", 62, A::taRightJustify, 2, true},
    {"dlug", "Length", "Długość"_cp, "m", 50, A::taRightJustify, 2, true},
    {"spad", "Slope", "Spadek", "%", 50, A::taRightJustify, 1, true},
    {"pipe", "Pipe", "Rura", "-", 30, A::taCenter, 0, true},
    {"mat", "Material", "Materiał"_cp, "-", 58, A::taCenter, 0, true},
    {"fi", "Diameter", "Średnica"_cp, "mm", 58, A::taCenter, 0, true},
    {"odl", "Distance", "Odległość"_cp, "m", 58, A::taRightJustify, 2, true},
    {"obiekt", "Object", "Obiekt", "-", 105, A::taCenter, 0, true},
    {"kom", "Comment", "Komentarz", "-", 205, A::taLeftJustify, 0, true},
    {"wez", "Node", "Węzeł"_cp, "-", 39, A::taCenter, 0, true},
    {"terp", "GroundLevelProj", "Teren proj.", "m n.p.m.", 75, A::taRightJustify, 2, true},
    {"kat", "Angle", "Kąt załamania"_cp, "°"_cp, 75, A::taRightJustify, 3, true},
    {"lin", "Line1", "Linia", "m n.p.m.", 75, A::taRightJustify, 2, false},
    {"lin2", "Line2", "Linia2", "m n.p.m.", 75, A::taRightJustify, 2, false},
    {"kol", "Crossings", "Kolizje", "szt.", 75, A::taCenter, 0, false},
    {"osl", "ProtectingTubes", "Rury osłonowe"_cp, "szt.", 75, A::taCenter, 0, false},
    {"szer", "Width", "Szerokość"_cp, "m", 75, A::taRightJustify, 2, false},
    {"flow", "Flow", "Przepływ z odc."_cp, "m3/h", 80, A::taRightJustify, 3, false},
    {"sflow", "SFlow", "Przepływ"_cp, "m3/h", 80, A::taRightJustify, 3, false},
    {"scale", "ScaleX", "Skala X", "1:", 50, A::taRightJustify, 0, false},
    {"wsplx", "OrdX", "Wspł. X"_cp, "-", 50, A::taRightJustify, 3, false},
    {"wsply", "OrdY", "Wspł. Y"_cp, "-", 50, A::taRightJustify, 3, false},
    {"user1", "User1", "Calc 1", "?", 50, A::taRightJustify, 2, false},
    {"rad", "Radius", "Promień gięcia"_cp, "m", 50, A::taRightJustify, 2, false},
};

}  // namespace

const column_info& column_of(column_kind k) { return columns[index_of(k)]; }

bool column_kind_by_key(const std::string& key, column_kind& out) {
    for (int i = 0; i < column_kind_count; ++i)
        if (key == columns[i].key) {
            out = kind_from_index(i);
            return true;
        }
    return false;
}

bool is_text_column(column_kind k) {
    return k == column_kind::wez || k == column_kind::mat || k == column_kind::obiekt || k == column_kind::kom;
}
