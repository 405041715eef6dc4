#include "forms/kosztorys_alias.h"

TtKosztorysAlias* tKosztorysAlias = nullptr;

TtKosztorysAlias::TtKosztorysAlias(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysAlias");
    SetName("tKosztorysAlias");
}
