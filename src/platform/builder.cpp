#include "platform/builder.h"

#include "platform/comctrls.h"
#include "platform/forms.h"
#include "platform/grids.h"
#include "platform/stdctrls.h"
#include "platform/strings.h"

form_builder::form_builder(TForm* form, TWinControl* parent, int left, int top)
    : form_(form), parent_(parent), left_(left), top_(top) {}

void form_builder::place(TControl* c, std::string_view name, std::string_view caption, int width, int height) {
    c->SetName(std::string(name));
    if (!caption.empty()) c->SetCaption(caption);
    c->SetBounds(left_, top_, width, height);
    c->SetParent(parent_);
    top_ += height + 4;
}

void form_builder::add_label(std::string_view caption, std::string_view name) {
    auto* l = new TLabel(form_);
    if (!name.empty()) l->SetName(std::string(name));
    l->SetCaption(caption);
    // The label sizes itself to its caption.
    l->SetBounds(left_, top_ + 3, 0, 15);
    l->SetParent(parent_);
    label_right_ = l->Left() + l->Width();
    label_ = l;
}

void form_builder::place_beside(TControl* c, std::string_view name, int width, int height) {
    c->SetName(std::string(name));
    c->SetBounds(label_right_ + 4, top_, width, height);
    c->SetParent(parent_);
    top_ += height + 4;
    // The label's accelerator focuses the control, which keeps beside the
    // label when the label's caption (another language) changes its width.
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!label_ || !w) return;
    TLabel* label = label_;
    label->FocusControl = w;
    label->observe([label](TComponent*, Prop p) {
        if (p != Prop::Bounds) return;
        if (TWinControl* beside = label->FocusControl) beside->SetLeft(label->Left() + label->Width() + 4);
    });
}

TCheckBox* form_builder::check_box(std::string_view name, std::string_view caption, bool checked, int width,
                                   int height) {
    auto* c = add<TCheckBox>(name, caption, width, height);
    c->SetChecked(checked);
    return c;
}

TSpinEdit* form_builder::spin_edit(std::string_view name, std::string_view label, int min, int max, int value,
                                   int width) {
    auto* s = labelled<TSpinEdit>(name, label, width);
    s->MinValue = min;
    s->MaxValue = max;
    s->SetValue(value);
    return s;
}

TTrackBar* form_builder::track_bar(std::string_view name, std::string_view hint, int min, int max, int position,
                                   bool vertical) {
    auto* t = add<TTrackBar>(name, {}, vertical ? 30 : 180, vertical ? 120 : 30);
    t->SetRange(min, max);
    t->SetPosition(position);
    t->SetHint(hint);
    if (vertical) t->Orientation = TTrackBarOrientation::trVertical;
    return t;
}

TStringGrid* form_builder::string_grid(std::string_view name, int cols, int rows, int fixed_cols, int fixed_rows,
                                       int width, int height) {
    auto* g = add<TStringGrid>(name, {}, width, height);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetFixedCols(fixed_cols);
    g->SetFixedRows(fixed_rows);
    return g;
}

TToolButton* add_tool_button(TForm* form, TToolBar* bar, std::string_view name, std::string_view hint) {
    auto* b = new TToolButton(form);
    b->SetName(std::string(name));
    b->SetHint(hint);
    b->Style = TToolButtonStyle::tbsCheck;
    b->SetParent(bar);
    return b;
}

void set_header(TStringGrid* grid, std::initializer_list<std::string_view> titles) {
    int c = 0;
    for (auto t : titles) grid->SetCell(c++, 0, t);
}

TTabSheet* add_sheet(TForm* form, TPageControl* pages, std::string_view name, std::string_view caption) {
    auto* t = new TTabSheet(form);
    t->SetName(std::string(name));
    t->SetCaption(caption);
    t->SetPageControl(pages);
    return t;
}

void set_items(TStringList& list, std::initializer_list<std::string_view> items) {
    list.BeginUpdate();
    list.Clear();
    for (auto i : items) list.Add(std::string(i));
    list.EndUpdate();
}
