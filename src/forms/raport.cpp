#include "forms/raport.h"

Ttraport* traport = nullptr;

Ttraport::Ttraport(TComponent* owner) : TForm(owner) {
    set_class_name("Ttraport");
    SetName("traport");
    SetCaption("Statystyki");
    cb_NetworkType = new TComboBox(this);
    cb_NetworkType->SetName("cb_NetworkType");
    cb_NetworkType->Style = TComboBoxStyle::csDropDownList;
    cb_NetworkType->SetBounds(8, 8, 160, 21);
    cb_NetworkType->SetParent(this);
}
