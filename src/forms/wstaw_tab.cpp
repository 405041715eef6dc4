#include "forms/wstaw_tab.h"

Ttwstaw_tab* twstaw_tab = nullptr;

Ttwstaw_tab::Ttwstaw_tab(TComponent* owner) : TForm(owner) {
    set_class_name("Ttwstaw_tab");
    SetName("twstaw_tab");
}
