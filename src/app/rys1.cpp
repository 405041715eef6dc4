#include "app/rys1.h"

#include "model/objects.h"
#include "platform/sysutils.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    set_class_name("TForm1");
    SetName("Form1");
    MainMenu1 = new TMainMenu(this);
    MainMenu1->SetName("MainMenu1");
    Menu = MainMenu1;

    mi_ObjectInsert = new TMenuItem(this);
    mi_ObjectInsert->SetName("mi_ObjectInsert");
    mi_ObjectInsert->SetCaption("Wstaw &obiekt");
    MainMenu1->Items()->Add(mi_ObjectInsert);
    for (const object_menu_item& item : object_menu_items()) {
        auto* mi = new TMenuItem(this);
        mi->SetName(item.name);
        mi->SetCaption(item.caption);
        mi->SetVisible(item.visible);
        if (item.pick_list) mi->Tag = 1;  // an entry of the object pick list
        if (item.puts_object && std::string(item.name) != "mi_BuildingEntrance")
            mi->OnClick = [this](TObject* s) { mi_InspectionChamberClick(s); };
        TMenuItem* parent = *item.parent ? static_cast<TMenuItem*>(FindComponent(item.parent)) : mi_ObjectInsert;
        parent->Add(mi);
    }
    build_panels();
    SetBounds(0, 0, 1000, 700);
    set_view(this);
}

TForm1::~TForm1() {
    if (&view() == this) set_view(nullptr);
}

std::string TForm1::item_caption(const std::string& name, const std::string& builtin) {
    if (auto* mi = dynamic_cast<TMenuItem*>(FindComponent(name))) return mi->Caption();
    return builtin;
}

void TForm1::mi_InspectionChamberClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    auto& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    auto& nodes = m.profiles[m.current_profile].nodes;
    const int node = current_node();
    if (node < 0 || node >= static_cast<int>(nodes.size())) return;
    wezel& w = nodes[static_cast<std::size_t>(node)];
    previous_object = w.obiekt;
    const std::string caption = LowerCase(item->Caption());
    w.obiekt = caption;
    const object_menu_item* entry = object_menu_item_named(item->Name());
    if (entry && *entry->key) w.obiekt = entry->key;
}
