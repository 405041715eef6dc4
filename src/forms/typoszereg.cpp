#include "forms/typoszereg.h"

TtPipeSystem* tPipeSystem = nullptr;

TtPipeSystem::TtPipeSystem(TComponent* owner) : TForm(owner) {
    set_class_name("TtPipeSystem");
    SetName("tPipeSystem");
}
