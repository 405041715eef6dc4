#include "forms/kosztprop.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

TtKosztorysProp* tKosztorysProp = nullptr;

TtKosztorysProp::TtKosztorysProp(TComponent* owner) : TForm(owner) {
    set_class_name("TtKosztorysProp");
    SetName("tKosztorysProp");
    form_builder b(this, this);
    cb_CalcKind = b.labelled<TComboBox>("cb_CalcKind", "Typ kosztorysu: ", 200);
    cb_SingleJobRate = b.add<TCheckBox>("cb_SingleJobRate", "Jednolita stawka roboczogodziny [zł]: "_cp, 300);
    cb_SingleJobRate->SetChecked(true);
    e_JobRate = b.add<TEdit>("e_JobRate", {}, 80);
    e_CorM = b.labelled<TEdit>("e_CorM", "Współczynnik korygujący: "_cp, 80);
    e_CorS = b.labelled<TEdit>("e_CorS", "Współczynnik korygujący: "_cp, 80);
    rg_CalculationMode = b.add<TRadioGroup>("rg_CalculationMode", "Metoda obliczeń"_cp, 200, 80);
    set_items(rg_CalculationMode->Items(), {"Uproszczona", "Szczegółowa"_cp, "Nie przeliczaj"});
    rg_CalculationMode->SetItemIndex(1);
    cb_SaveCalcParamsInHLV = b.add<TCheckBox>("cb_SaveCalcParamsInHLV",
                                              "Zapisz parametry kosztorysu z projektem (w pliku HLV)", 400);
}
