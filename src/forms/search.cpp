#include "forms/search.h"

TtSearch* tSearch = nullptr;

TtSearch::TtSearch(TComponent* owner) : TForm(owner) {
    set_class_name("TtSearch");
    SetName("tSearch");
}
