#include "model/columns.h"

#include "platform/cp1250.h"
#include "platform/sysutils.h"

namespace {

using A = TAlignment;
using V = column_value;
using E = empty_cell;
using U = undo_keeps;
using F = file_form;
using W = wezel;

constexpr column_info columns[column_kind_count] = {
    {"ter", "TerOrd", "Teren istn.", "m n.p.m.", 75, A::taRightJustify, 2, true,
     {.value = V::entered_pair, .pair = &W::ter, .used = &W::ter_used, .emptied = E::empty_value, .file = F::pair,
      .namesakes = true}},
    {"dno", "PipeOrd", "Rzędna rury"_cp, "m n.p.m.", 75, A::taRightJustify, 2, true,
     {.value = V::pair, .pair = &W::dno, .emptied = E::shown_zero, .file = F::pair}},
    {"zag", "Depth", "Zagłębienie"_cp, "m", 62, A::taRightJustify, 2, true,
     {.value = V::pair, .pair = &W::zag, .emptied = E::empty_value, .file = F::pair}},
    {"dlug", "Length", "Długość"_cp, "m", 50, A::taRightJustify, 2, true,
     {.value = V::number, .number = &W::dlug, .emptied = E::zero, .file = F::g15}},
    {"spad", "Slope", "Spadek", "%", 50, A::taRightJustify, 1, true,
     {.value = V::number, .number = &W::spad, .emptied = E::zero, .refilled = true, .file = F::g10}},
    {"pipe", "Pipe", "Rura", "-", 30, A::taCenter, 0, true,
     {.value = V::none, .typed = false, .undo = U::nothing}},
    {"mat", "Material", "Materiał"_cp, "-", 58, A::taCenter, 0, true,
     {.value = V::text, .text = &W::mat, .file = F::text}},
    {"fi", "Diameter", "Średnica"_cp, "mm", 58, A::taCenter, 0, true,
     {.value = V::pair, .pair = &W::fi, .emptied = E::empty_value, .refilled = true, .file = F::pair}},
    {"odl", "Distance", "Odległość"_cp, "m", 58, A::taRightJustify, 2, true,
     {.value = V::number, .number = &W::odl, .emptied = E::zero, .undo = U::nothing, .file = F::g15}},
    {"obiekt", "Object", "Obiekt", "-", 105, A::taCenter, 0, true,
     {.value = V::text, .text = &W::obiekt, .undo = U::never, .file = F::text}},
    {"kom", "Comment", "Komentarz", "-", 205, A::taLeftJustify, 0, true,
     {.value = V::text, .text = &W::kom, .file = F::text}},
    {"wez", "Node", "Węzeł"_cp, "-", 39, A::taCenter, 0, true,
     {.value = V::text, .text = &W::wez, .file = F::text}},
    {"terp", "GroundLevelProj", "Teren proj.", "m n.p.m.", 75, A::taRightJustify, 2, true,
     {.value = V::entered_pair, .pair = &W::terp, .used = &W::terp_used, .emptied = E::empty_value, .file = F::pair,
      .namesakes = true}},
    {"kat", "Angle", "Kąt załamania"_cp, "°"_cp, 75, A::taRightJustify, 3, true,
     {.value = V::number, .number = &W::kat, .emptied = E::zero, .file = F::g15}},
    {"lin", "Line1", "Linia", "m n.p.m.", 75, A::taRightJustify, 2, false,
     {.value = V::entered_pair, .pair = &W::lin, .used = &W::lin_used, .emptied = E::empty_value, .file = F::pair}},
    {"lin2", "Line2", "Linia2", "m n.p.m.", 75, A::taRightJustify, 2, false,
     {.value = V::entered_pair, .pair = &W::lin2, .used = &W::lin2_used, .emptied = E::empty_value, .file = F::pair}},
    {"kol", "Crossings", "Kolizje", "szt.", 75, A::taCenter, 0, false,
     {.value = V::none, .typed = false, .undo = U::nothing}},
    {"osl", "ProtectingTubes", "Rury osłonowe"_cp, "szt.", 75, A::taCenter, 0, false,
     {.value = V::none, .typed = false, .undo = U::nothing}},
    {"szer", "Width", "Szerokość"_cp, "m", 75, A::taRightJustify, 2, false,
     {.value = V::pair, .pair = &W::szer, .emptied = E::empty_value, .refilled = true, .file = F::pair}},
    {"flow", "Flow", "Przepływ z odc."_cp, "m3/h", 80, A::taRightJustify, 3, false,
     {.value = V::number, .number = &W::flow, .emptied = E::zero, .file = F::g15}},
    // The cumulative flow is the summation's: shown and stored, never typed.
    {"sflow", "SFlow", "Przepływ"_cp, "m3/h", 80, A::taRightJustify, 3, false,
     {.value = V::number, .number = &W::sflow, .typed = false, .undo = U::nothing, .file = F::g15}},
    {"scale", "ScaleX", "Skala X", "1:", 50, A::taRightJustify, 0, false,
     {.value = V::scale, .whole = &W::scale, .emptied = E::zero, .file = F::whole}},
    {"wsplx", "OrdX", "Wspł. X"_cp, "-", 50, A::taRightJustify, 3, false,
     {.value = V::number, .number = &W::wsplx, .emptied = E::zero, .file = F::g15, .namesakes = true}},
    {"wsply", "OrdY", "Wspł. Y"_cp, "-", 50, A::taRightJustify, 3, false,
     {.value = V::number, .number = &W::wsply, .emptied = E::zero, .file = F::g15, .namesakes = true}},
    // The formula column is the window's: evaluated at each refresh.
    {"user1", "User1", "Calc 1", "?", 50, A::taRightJustify, 2, false,
     {.value = V::none, .typed = false, .undo = U::nothing}},
    {"rad", "Radius", "Promień gięcia"_cp, "m", 50, A::taRightJustify, 2, false,
     {.value = V::number, .number = &W::rad, .emptied = E::zero, .undo = U::nothing, .file = F::g15}},
};

// Every field the value names is there, and no other.
constexpr bool consistent(const column_node& n) {
    const bool pair = n.pair != nullptr, used = n.used != nullptr, number = n.number != nullptr,
               whole = n.whole != nullptr, text = n.text != nullptr;
    const int fields = pair + used + number + whole + text;
    switch (n.value) {
        case V::entered_pair: return pair && used && fields == 2;
        case V::pair: return pair && fields == 1;
        case V::number: return number && fields == 1;
        case V::scale: return whole && fields == 1;
        case V::text: return text && fields == 1 && n.emptied == E::nothing;
        case V::none: return fields == 0 && !n.typed && n.file == F::none && n.undo != U::value;
    }
    return false;
}

constexpr bool table_consistent() {
    for (const column_info& c : columns)
        if (!consistent(c.node)) return false;
    return true;
}
static_assert(table_consistent());

const column_node& node_of(column_kind k) { return columns[index_of(k)].node; }

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

bool is_text_column(column_kind k) { return node_of(k).value == V::text; }

value_pair column_value_of(const wezel& w, column_kind k) {
    const column_node& n = node_of(k);
    switch (n.value) {
        case V::entered_pair:
        case V::pair: return w.*n.pair;
        case V::number: return value_pair(w.*n.number);
        case V::scale: return value_pair(static_cast<double>(w.*n.whole));
        case V::text:
        case V::none: break;
    }
    return {};
}

value_pair column_value_in_use(const wezel& w, column_kind k) {
    const column_node& n = node_of(k);
    return n.value == V::entered_pair ? w.*n.used : column_value_of(w, k);
}

void put_column_value(wezel& w, column_kind k, const value_pair& v) {
    const column_node& n = node_of(k);
    if (!n.typed) return;
    switch (n.value) {
        case V::entered_pair:
        case V::pair: w.*n.pair = v; break;
        case V::number: w.*n.number = v.s1; break;
        case V::scale: w.*n.whole = static_cast<int32_t>(Round(v.s1)); break;
        case V::text:
        case V::none: break;
    }
}

void copy_column_value(column_kind k, const wezel& from, wezel& to) {
    const column_node& n = node_of(k);
    if (!n.typed) return;
    if (n.value == V::text)
        to.*n.text = from.*n.text;
    else
        put_column_value(to, k, column_value_of(from, k));
}
