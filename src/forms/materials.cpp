#include "forms/materials.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

TtMaterials* tMaterials = nullptr;

TtMaterials::TtMaterials(TComponent* owner) : TForm(owner) {
    set_class_name("TtMaterials");
    SetName("tMaterials");
    form_builder b(this, this);
    rg_SearchWide = b.add<TRadioGroup>("rg_SearchWide", "Szukaj...", 200, 60);
    set_items(rg_SearchWide->Items(), {"na początku"_cp, "wszędzie"_cp});
    rg_SearchWide->SetItemIndex(1);
}
