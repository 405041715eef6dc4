#include "platform/builder.h"

#include "platform/comctrls.h"
#include "platform/forms.h"
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

void form_builder::add_label(std::string_view caption) {
    auto* l = new TLabel(form_);
    l->SetCaption(caption);
    // Screen fonts run a little wider than the built-in metrics.
    const int w = text_width(l->Font(), caption) * 6 / 5 + 8;
    l->SetBounds(left_, top_ + 3, w, 15);
    l->SetParent(parent_);
    label_right_ = left_ + w;
}

void form_builder::place_beside(TControl* c, std::string_view name, int width, int height) {
    c->SetName(std::string(name));
    c->SetBounds(label_right_ + 4, top_, width, height);
    c->SetParent(parent_);
    top_ += height + 4;
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
