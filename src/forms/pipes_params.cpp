#include "forms/pipes_params.h"

TtPipesParams* tPipesParams = nullptr;

TtPipesParams::TtPipesParams(TComponent* owner) : TForm(owner) {
    set_class_name("TtPipesParams");
    SetName("tPipesParams");
}
