// The main window's menu and size; its pages and panels are laid out in
// rys1_panels.cpp.
#include "forms/rys1.h"

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
    build_panels();
    build_profile_commands();
    build_file_commands();
    build_table_commands();
    build_template_controls();
    build_info_table();
    build_drawing_commands();
    build_print_commands();
    build_preview_controls();
    Files_listbox = new TListBox(this);
    Files_listbox->SetName("Files_listbox");
    Files_listbox->MultiSelect = true;
    Files_listbox->SetVisible(false);
    Files_listbox->SetParent(this);
    name_images();
    SetBounds(0, 0, 1000, 700);
}
