// The estimate parameters dialog.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class TtKosztorysProp : public TForm {
public:
    explicit TtKosztorysProp(TComponent* owner);

    TComboBox* cb_CalcKind;
    TCheckBox* cb_SingleJobRate;
    TEdit* e_JobRate;
    TEdit* e_CorM;
    TEdit* e_CorS;
    TRadioGroup* rg_CalculationMode;
    TCheckBox* cb_SaveCalcParamsInHLV;
};

extern TtKosztorysProp* tKosztorysProp;
