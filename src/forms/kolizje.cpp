#include "forms/kolizje.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

Ttkolizje* tkolizje = nullptr;

Ttkolizje::Ttkolizje(TComponent* owner) : TForm(owner) {
    set_class_name("Ttkolizje");
    SetName("tkolizje");
    SetCaption("Edytor kolizji");
    form_builder b(this, this);
    rg_PipeOrdinateMode = b.add<TRadioGroup>("rg_PipeOrdinateMode", "Rzędna/Zagłębienie"_cp, 200, 60);
    set_items(rg_PipeOrdinateMode->Items(), {"dna", "osi"});
    rg_PipeOrdinateMode->SetItemIndex(0);
}
