#include "forms/objects.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

TtObjects* tObjects = nullptr;

TtObjects::TtObjects(TComponent* owner) : TForm(owner) {
    set_class_name("TtObjects");
    SetName("tObjects");
    form_builder b(this, this);
    l_Found = b.add<TLabel>("l_Found", {}, 300, 15);
    cb_InListShowDesc = b.add<TCheckBox>("cb_InListShowDesc", "Na liście stosuj opisy obiektów"_cp, 300);
    cb_Description = b.add<TComboBox>("cb_Description", {}, 300);
    cb_Description->SetText("@_obj_name @_obj_description [@_obj_producer]");
}
