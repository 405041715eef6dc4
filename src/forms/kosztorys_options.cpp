#include "forms/kosztorys_options.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

TtKosztorysOptions* tKosztorysOptions = nullptr;

TtKosztorysOptions::TtKosztorysOptions(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysOptions");
    SetName("tKosztorysOptions");
    form_builder b(this, this);
    cb_OnlyActiveTab = b.add<TCheckBox>("cb_OnlyActiveTab", "Uwzględniaj tylko bieżącą zakładkę"_cp, 400);
    cb_ContinuousPosNumbering = b.add<TCheckBox>("cb_ContinuousPosNumbering", "Ciągła numeracja pozycji"_cp, 400);
    cb_IgnoredPositionMessages = b.add<TCheckBox>("cb_IgnoredPositionMessages", "Informuj o zignorowaniu pozycji", 400);
    cb_RoundingCorrection = b.add<TCheckBox>("cb_RoundingCorrection", "Korekta zaokrągleń"_cp, 400);
}
