#include "forms/rys1_build.h"

#include <string>

namespace rys1_build {

TAction* add_action(TForm1* form, std::string_view name, std::string_view caption, TShortCut key) {
    auto* a = new TAction(form);
    a->SetName(std::string(name));
    a->SetCaption(caption);
    if (key != 0) a->SetShortCut(key);
    a->SetActionList(form->ActionList1);
    return a;
}

TMenuItem* add_item(TForm1* form, TMenuItem* parent, std::string_view name, std::string_view caption) {
    auto* mi = new TMenuItem(form);
    if (!name.empty()) mi->SetName(std::string(name));
    mi->SetCaption(caption);
    parent->Add(mi);
    return mi;
}

void add_separator(TForm1* form, TMenuItem* parent) { add_item(form, parent, {}, "-"); }

TMenuItem* add_command(TForm1* form, TMenuItem* parent, TAction* action) {
    auto* mi = new TMenuItem(form);
    mi->SetAction(action);
    parent->Add(mi);
    return mi;
}

}  // namespace rys1_build
