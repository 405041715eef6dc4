// Template variables of the cost estimates: the resource summaries, the
// estimates with their elements, positions and resources, the value and
// parameter blocks and the estimates' title data.
#include <cmath>

#include "files/wydruki.h"
#include "model/cost_state.h"
#include "model/state.h"
#include "platform/sysutils.h"

namespace {

kosztorysy& cost() { return cost_data(); }

template <class T>
const T* item(const std::vector<T>& list, int i) {
    return i >= 0 && i < static_cast<int>(list.size()) ? &list[static_cast<std::size_t>(i)] : nullptr;
}

// The "ko_" names exist while an estimate is open, or for the position
// library (i0 = 65535) while it is not empty.
bool estimates_in_reach(const var_call& c) {
    return !cost().estimates.empty() || (c.i0 == 65535 && !cost().position_library.empty());
}

const kosztorys* estimate(const var_call& c) { return item(cost().estimates, c.i0); }
const koszt_element* element(const var_call& c) {
    const kosztorys* k = estimate(c);
    return k ? item(k->elements, c.i1) : nullptr;
}
const koszt_pozycja* position(const var_call& c) {
    const koszt_element* e = element(c);
    return e ? item(e->positions, c.i2) : nullptr;
}
// A position of an estimate, or of the position library for i0 = 65535.
const koszt_pozycja* position_or_library(const var_call& c) {
    return c.i0 == 65535 ? item(cost().position_library, c.i2) : position(c);
}
const koszt_material* resource(const var_call& c) {
    const koszt_pozycja* p = position(c);
    return p && !p->resources.empty() ? item(p->resources, c.i3) : nullptr;
}
const koszt_element* summary_element(const var_call& c) { return item(cost().combined_elements, c.i0); }
const koszt_pozycja* summary_position(const var_call& c) {
    const koszt_element* e = summary_element(c);
    return e ? item(e->positions, c.i1) : nullptr;
}

std::string money(long double hundredths) { return fmt_fixed(2, static_cast<double>(hundredths / 100)); }

// --- the resource summaries ("rms_...") --------------------------------------------------

template <char Kind>
const koszt_material* summary_resource(const var_call& c) {
    const auto& list = Kind == 'r' ? cost().labour : Kind == 'm' ? cost().materials : cost().equipment;
    return item(list, c.i0);
}

template <char Kind>
double price_factor() {
    return Kind == 'm' ? cost().CorM : Kind == 's' ? cost().CorS : 1.0;
}

template <char Kind>
void rms_entries(std::vector<var_entry>& out) {
    static const std::string k(1, Kind);
    static const std::string names[] = {"rms_material_no_" + k,       "rms_material_number_" + k,
                                        "rms_material_description_" + k, "rms_material_unit_" + k,
                                        "rms_material_quantity_" + k, "rms_material_netto_" + k,
                                        "rms_material_w_netto_" + k};
#define RMS(expr) [](var_call& c, std::string& v) { if (const koszt_material* r = summary_resource<Kind>(c)) v = expr; }
    out.insert(out.end(), {
        {names[0].c_str(), "", RMS(fmt_d(c.i0 + 1))},
        {names[1].c_str(), "", RMS(fmt_d(r->id))},
        {names[2].c_str(), "", RMS(r->name)},
        {names[3].c_str(), "", RMS(koszt_jedn2txt(r->unit))},
        {names[4].c_str(), "", RMS(fmt_fixed(4, r->quantity))},
        {names[5].c_str(), "", RMS(fmt_fixed(2, r->price / 100.0 * price_factor<Kind>()))},
        {names[6].c_str(), "", RMS(fmt_fixed(2, r->price / 100.0 * r->quantity))},
    });
#undef RMS
}

// --- estimates ------------------------------------------------------------------------------

// A "ko_" name: nothing outside the estimates' reach.
#define KO(expr) [](var_call& c, std::string& v) { if (estimates_in_reach(c)) v = expr; }
#define KO_IF(getter, var, expr) \
    [](var_call& c, std::string& v) { if (!estimates_in_reach(c)) return; if (const auto* var = getter(c)) v = expr; }

// The next number of a continuous count through one document.
std::string next_number(var_call& c, int counter) {
    uint16_t& n = c.form.estimate_numbers[static_cast<std::size_t>(counter)];
    ++n;
    return fmt_d(n);
}

// The unit net price of a position: its fixed net value per unit, else
// the sum of slots 3 to 5 in whole hundredths; 0 for a quantity of 0.
std::string unit_net_price(const koszt_pozycja& p) {
    if (p.ilosc == 0) return fmt_fixed(2, 0);
    if (p.values.wart_netto != 0) return fmt_fixed(2, p.values.wart_netto / 100.0 / p.ilosc);
    const long double sum = p.values.amounts[3] + p.values.amounts[4] + p.values.amounts[5];
    return fmt_fixed(2, Round(static_cast<double>(sum)) / 100.0);
}

// The additional labour, materials or equipment of a position.
template <uint16_t koszt_pozycja::*Share>
const koszt_pozycja* with_addition(const var_call& c) {
    const koszt_pozycja* p = position(c);
    return p && !p->resources.empty() && p->*Share != 0 ? p : nullptr;
}

template <uint16_t koszt_pozycja::*Share, int Slot>
void addition_entries(std::vector<var_entry>& out, const char* prefix, const char* description) {
    static std::vector<std::string> names;
    names = {std::string(prefix) + "_description", std::string(prefix) + "_quantity", std::string(prefix) + "_unit",
             std::string(prefix) + "_netto"};
    static const char* text = nullptr;
    text = description;
    out.insert(out.end(), {
        {names[0].c_str(), "", KO_IF(with_addition<Share>, p, ((void)p, std::string(text)))},
        {names[1].c_str(), "", KO_IF(with_addition<Share>, p, fmt_f(p->*Share / 100.0))},
        {names[2].c_str(), "", KO_IF(with_addition<Share>, p, ((void)p, std::string("%")))},
        {names[3].c_str(), "", KO_IF(with_addition<Share>, p, fmt_fixed(3, static_cast<double>(p->values.amounts[Slot] / 100)))},
    });
}

// --- value and parameter blocks ----------------------------------------------------------------

using block_getter = const value_block* (*)(const var_call&);

const value_block* summary_element_block(const var_call& c) {
    const koszt_element* e = summary_element(c);
    return e ? &e->values : nullptr;
}
const value_block* printout_block(const var_call&) {
    const kosztorysy& k = cost();
    if (k.print_OnlyActiveTab) {
        const kosztorys* e = item(k.estimates, k.current_estimate);
        return e ? &e->totals : nullptr;
    }
    return &k.grand_total;
}
const value_block* estimate_block(const var_call& c) {
    const kosztorys* k = estimate(c);
    return k ? &k->totals : nullptr;
}
const value_block* element_block(const var_call& c) {
    const koszt_element* e = element(c);
    return e ? &e->values : nullptr;
}
const value_block* position_block(const var_call& c) {
    const koszt_pozycja* p = position(c);
    return p ? &p->values : nullptr;
}
const value_block* summary_position_block(const var_call& c) {
    const koszt_pozycja* p = summary_position(c);
    return p ? &p->values : nullptr;
}

long double slot_sum(const value_block& b, std::initializer_list<int> slots) {
    long double s = 0;
    for (const int i : slots) s += b.amounts[static_cast<std::size_t>(i)];
    return s;
}

using block_value = long double (*)(const value_block&);

template <block_getter Block, block_value Value>
void block_variable(var_call& c, std::string& v) {
    if (!estimates_in_reach(c)) return;
    if (const value_block* b = Block(c)) v = money(Value(*b));
}

template <int Slot>
long double slot(const value_block& b) {
    return b.amounts[Slot];
}
template <int Slot>
long double gross_slot(const value_block& b) {
    return b.amounts[Slot] * (1 + cost().params.vat / 100.0L);
}
long double netto(const value_block& b) { return b.netto; }
long double vat(const value_block& b) { return b.vat; }
long double brutto(const value_block& b) { return b.brutto; }
long double overheads(const value_block& b) { return slot_sum(b, {6, 7, 8, 12, 14}); }
long double profits(const value_block& b) { return slot_sum(b, {9, 10, 11, 12, 13, 14}); }

struct block_suffix {
    const char* suffix;
    block_value value;
};
constexpr block_suffix block_suffixes[] = {
    {"netto", netto},          {"vat", vat},
    {"brutto", brutto},        {"nettor", slot<0>},
    {"nettom", slot<1>},       {"nettos", slot<2>},
    {"net_narzr", slot<3>},    {"net_narzm", slot<4>},
    {"net_narzs", slot<5>},    {"skpr", slot<6>},
    {"skzm", slot<7>},         {"skps", slot<8>},
    {"szr", slot<9>},          {"szm", slot<10>},
    {"szs", slot<11>},         {"szkpr", slot<12>},
    {"szkzm", slot<13>},       {"szkps", slot<14>},
    {"skp", overheads},        {"sz", profits},
    {"brutto_narzr", gross_slot<3>}, {"brutto_narzm", gross_slot<4>},
    {"brutto_narzs", gross_slot<5>},
};

template <block_getter Block, std::size_t... I>
void block_entries(std::vector<var_entry>& out, std::vector<std::string>& names, const char* prefix,
                   std::index_sequence<I...>) {
    (names.push_back(std::string(prefix) + block_suffixes[I].suffix), ...);
    const std::size_t first = names.size() - sizeof...(I);
    (out.push_back({names[first + I].c_str(), "", block_variable<Block, block_suffixes[I].value>}), ...);
}

using params_getter = const cost_params* (*)(const var_call&);
const cost_params* state_params(const var_call&) { return &cost().params; }
const cost_params* estimate_params(const var_call& c) {
    const kosztorys* k = estimate(c);
    return k ? &k->params : nullptr;
}
const cost_params* element_params(const var_call& c) {
    const koszt_element* e = element(c);
    return e ? &e->params : nullptr;
}

template <params_getter Params, double cost_params::*Rate>
void rate_variable(var_call& c, std::string& v) {
    if (!estimates_in_reach(c)) return;
    if (const cost_params* p = Params(c)) v = fmt_fixed(2, p->*Rate);
}
template <params_getter Params>
void vat_rate_variable(var_call& c, std::string& v) {
    if (!estimates_in_reach(c)) return;
    if (const cost_params* p = Params(c)) v = fmt_d(p->vat);
}

template <params_getter Params>
void params_entries(std::vector<var_entry>& out, std::vector<std::string>& names, const char* prefix) {
    const char* suffixes[] = {"vat", "kpr", "kzm", "kps", "zr", "zm", "zs", "zkpr", "zkzm", "zkps"};
    for (const char* s : suffixes) names.push_back(std::string(prefix) + s);
    const std::size_t first = names.size() - std::size(suffixes);
    out.insert(out.end(), {
        {names[first].c_str(), "", vat_rate_variable<Params>},
        {names[first + 1].c_str(), "", rate_variable<Params, &cost_params::kpR>},
        {names[first + 2].c_str(), "", rate_variable<Params, &cost_params::kzM>},
        {names[first + 3].c_str(), "", rate_variable<Params, &cost_params::kpS>},
        {names[first + 4].c_str(), "", rate_variable<Params, &cost_params::zR>},
        {names[first + 5].c_str(), "", rate_variable<Params, &cost_params::zM>},
        {names[first + 6].c_str(), "", rate_variable<Params, &cost_params::zS>},
        {names[first + 7].c_str(), "", rate_variable<Params, &cost_params::zkpR>},
        {names[first + 8].c_str(), "", rate_variable<Params, &cost_params::zkzM>},
        {names[first + 9].c_str(), "", rate_variable<Params, &cost_params::zkpS>},
    });
}

// --- title data of the estimates ("k_...") -------------------------------------------------------

// The title data of estimate i0 (or of the current estimate while only it
// is printed); with "'" and the option off, the project's own data.
const projekt_dane* title_data(const var_call& c) {
    const kosztorysy& k = cost();
    if (k.estimates.empty()) return nullptr;
    if (k.print_OnlyActiveTab) {
        const kosztorys* e = item(k.estimates, k.current_estimate);
        return e ? &e->title : nullptr;
    }
    if (c.project_data) return &model().project.dane;
    const kosztorys* e = estimate(c);
    return e ? &e->title : nullptr;
}

template <std::string projekt_dane::*F>
void title_field(var_call& c, std::string& v) {
    if (const projekt_dane* d = title_data(c)) v = d->*F;
}

}  // namespace

void cost_variables(std::vector<var_entry>& out) {
    rms_entries<'r'>(out);
    rms_entries<'m'>(out);
    rms_entries<'s'>(out);
    out.insert(out.end(), {
        {"ko_catalogs", "", KO(cost().catalogs_used)},
        {"ko_calc_no", "", KO(fmt_d(c.i0 + 1))},
        {"ko_element_no", "", KO(fmt_d(c.i1 + 1))},
        {"ko_position_no", "", KO(fmt_d(c.i2 + 1))},
        {"ko_material_no", "", KO(fmt_d(c.i3 + 1))},
        {"ko_element_table_no", "", KO(fmt_d(c.i0 + 1))},
        {"ko_position_table_no", "", KO(fmt_d(c.i1 + 1))},
        {"ko_calc_no_all", "", KO(next_number(c, 0))},
        {"ko_element_no_all", "", KO(next_number(c, 1))},
        {"ko_position_no_all", "", KO(next_number(c, 2))},
        {"ko_position_table_no_all", "", KO(next_number(c, 3))},
        {"ko_calc_kind", "", KO(cost().kind)},
        {"ko_calc_n_jobrate", "", KO_IF(estimate, k, fmt_fixed(2, k->JobRate / 100.0))},
        {"ko_n_jobrate", "", KO(fmt_fixed(2, cost().JobRate / 100.0))},
        {"ko_plants_quantity", "",
         KO(fmt_d(cost().print_OnlyActiveTab ? 1 : static_cast<int64_t>(cost().estimates.size())))},
        {"ko_element_table_description", "", KO_IF(summary_element, e, e->opis)},
        {"ko_element_description", "", KO_IF(element, e, e->opis)},
        {"ko_element_quantity", "", KO_IF(element, e, fmt_f(e->ilosc))},
        {"ko_element_specification_link", "", KO_IF(element, e, e->spec)},
        {"ko_position_table_description", "", KO_IF(summary_position, p, p->opis)},
        {"ko_position_table_quantity", "", KO_IF(summary_position, p, fmt_f(p->ilosc))},
        {"ko_position_table_unit", "", KO_IF(summary_position, p, fmt_d(p->kat_jedn))},
        {"ko_position_table_unit_txt", "", KO_IF(summary_position, p, koszt_jedn2txt(p->kat_jedn))},
        {"ko_position_description", "", KO_IF(position_or_library, p, p->opis)},
        {"ko_position_catalog_name", "", KO_IF(position_or_library, p, p->kat_nazwa)},
        {"ko_position_catalog", "",
         [](var_call& c, std::string& v) {
             if (!estimates_in_reach(c)) return;
             if (const koszt_pozycja* p = position_or_library(c)) koszt_zwroc_knr(*p, v);
         }},
        {"ko_position_specification_link", "", KO_IF(position_or_library, p, p->spec)},
        {"ko_position_quantity", "", KO_IF(position_or_library, p, fmt_f(p->ilosc))},
        {"ko_position_unit", "", KO_IF(position_or_library, p, fmt_d(p->kat_jedn))},
        {"ko_position_unit3", "", KO_IF(position_or_library, p, Format("%.3d", {p->kat_jedn}))},
        {"ko_position_unit_txt", "", KO_IF(position_or_library, p, koszt_jedn2txt(p->kat_jedn))},
        {"ko_position_par1", "", KO_IF(position, p, fmt_f(p->par1_value))},
        {"ko_position_w_netto_1", "", KO_IF(position, p, unit_net_price(*p))},
        // Resources of a position.
        {"ko_material_number", "", KO_IF(resource, r, fmt_d(r->id))},
        {"ko_material_type", "", KO_IF(resource, r, std::string(1, r->type))},
        {"ko_material_description", "", KO_IF(resource, r, r->name)},
        {"ko_material_naklad", "", KO_IF(resource, r, fmt_fixed(4, r->norm))},
        {"ko_material_unit", "", KO_IF(resource, r, koszt_jedn2txt(r->unit))},
        {"ko_material_quantity", "", KO_IF(resource, r, fmt_fixed(2, r->quantity))},
        {"ko_material_limit", "", KO_IF(resource, r, fmt_fixed(4, position(c)->ilosc * r->norm))},
        {"ko_material_netto", "", KO_IF(resource, r, fmt_fixed(2, r->price / 100.0))},
        {"ko_material_1_netto", "", KO_IF(resource, r, fmt_fixed(3, r->price / 100.0 * r->norm))},
    });
    addition_entries<&koszt_pozycja::pomR, 15>(out, "ko_add_r", "Robocizna dodatkowa");
    addition_entries<&koszt_pozycja::pomM, 16>(out, "ko_add_m", "Materiały dodatkowe"_cp);
    addition_entries<&koszt_pozycja::pomS, 17>(out, "ko_add_s", "Sprzęt dodatkowy"_cp);

    static std::vector<std::string> names;
    names.clear();
    names.reserve(200);
    const auto suffixes = std::make_index_sequence<std::size(block_suffixes)>{};
    block_entries<summary_element_block>(out, names, "ko_element_table_w_", suffixes);
    block_entries<printout_block>(out, names, "ko_w_", suffixes);
    block_entries<estimate_block>(out, names, "ko_calc_w_", suffixes);
    block_entries<element_block>(out, names, "ko_element_w_", suffixes);
    block_entries<position_block>(out, names, "ko_position_w_", suffixes);
    block_entries<summary_position_block>(out, names, "ko_position_table_w_", suffixes);
    params_entries<state_params>(out, names, "ko_n_");
    params_entries<estimate_params>(out, names, "ko_calc_n_");
    params_entries<element_params>(out, names, "ko_element_n_");

    out.insert(out.end(), {
        {"", "k_investor", title_field<&projekt_dane::inwestor>},
        {"", "k_investor_place", title_field<&projekt_dane::inor_miejscowosc>},
        {"", "k_investor_zip_code", title_field<&projekt_dane::inor_kod>},
        {"", "k_investor_post", title_field<&projekt_dane::inor_poczta>},
        {"", "k_object", title_field<&projekt_dane::obiekt>},
        {"", "k_investment", title_field<&projekt_dane::inwestycja>},
        {"", "k_investment_place", title_field<&projekt_dane::miejscowosc>},
        {"", "k_investment_zip_code", title_field<&projekt_dane::kod>},
        {"", "k_investment_post", title_field<&projekt_dane::poczta>},
        {"", "k_investment_commune", title_field<&projekt_dane::gmina>},
        {"", "k_investment_allotment_no", title_field<&projekt_dane::dzialka>},
        {"", "k_project_type", title_field<&projekt_dane::branza>},
        {"", "k_project_order_no", title_field<&projekt_dane::nr_zlecenia>},
        {"", "k_project_date", title_field<&projekt_dane::data>},
        {"", "k_user1", title_field<&projekt_dane::wlas1>},
        {"", "k_user2", title_field<&projekt_dane::wlas2>},
        {"", "k_user3", title_field<&projekt_dane::wlas3>},
    });
}
#undef KO
#undef KO_IF
