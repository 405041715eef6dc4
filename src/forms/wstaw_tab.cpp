#include "forms/wstaw_tab.h"

#include "platform/builder.h"

Ttwstaw_tab* twstaw_tab = nullptr;

Ttwstaw_tab::Ttwstaw_tab(TComponent* owner) : TForm(owner) {
    set_class_name("Ttwstaw_tab");
    SetName("twstaw_tab");
    SetCaption("Wstaw profil");
    form_builder b(this, this);
    l_ProfileName = b.add<TLabel>("l_ProfileName", "Nazwa: ", 200, 15);
    l_ProfileName->Tag = 1;
}
