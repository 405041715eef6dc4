#include "costing/kosztorys_options.h"

TtKosztorysOptions* tKosztorysOptions = nullptr;

TtKosztorysOptions::TtKosztorysOptions(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysOptions");
    SetName("tKosztorysOptions");
}
