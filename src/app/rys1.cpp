// The main window's handlers.
#include "forms/rys1.h"

#include "model/objects.h"
#include "model/profiles.h"
#include "model/state.h"
#include "platform/sysutils.h"

void TForm1::connect_handlers() {
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
    sb_LockTabShifting->OnClick = [this](TObject* s) { sb_LockTabShiftingClick(s); };
    connect_profile_handlers();
    connect_file_handlers();
    connect_table_handlers();
    connect_template_handlers();
    connect_info_table_handlers();
    connect_drawing_handlers();
    connect_panel_handlers();
    connect_print_handlers();
    connect_preview_handlers();
    make_selection();
    t_Hints->OnTimer = [this](TObject* s) { t_HintsTimer(s); };
    if (TApplication* app = Application())
        app->OnNote = [](const std::string& text) {
            if (Form1) Form1->show_hint(text);
        };
}

void TForm1::mi_InspectionChamberClick(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) return;
    auto& m = model();
    if (m.current_profile >= m.profiles.size()) return;
    // As when the user begins to type in the cell: an empty profile gets its first node.
    if (m.profiles[m.current_profile].nodes.empty()) wstaw(true);
    auto& nodes = m.profiles[m.current_profile].nodes;
    const int node = current_node();
    if (node < 0 || node >= static_cast<int>(nodes.size())) return;
    wezel& w = nodes[static_cast<std::size_t>(node)];
    previous_object = w.obiekt;
    const std::string caption = LowerCase(item->Caption());
    w.obiekt = caption;
    set_project_modified(true);
    const object_menu_item* entry = object_menu_item_named(item->Name());
    if (entry && *entry->key) w.obiekt = entry->key;
    obiekty(caption);
}

void TForm1::sb_LockTabShiftingClick(TObject*) {
    // The tab strip of the profiles arrives with the main window; until then
    // the button's state is all there is.
}

void TForm1::show_hint(std::string_view text) {
    StatusBar1->SetColor(clYellow);
    StatusBar1->Panels(0)->SetText(text);
    // A new note restarts the four seconds.
    t_Hints->SetEnabled(false);
    t_Hints->SetEnabled(true);
}

void TForm1::t_HintsTimer(TObject*) {
    StatusBar1->SetColor(clBtnFace);
    StatusBar1->SetSimpleText("");
    t_Hints->SetEnabled(false);
}
