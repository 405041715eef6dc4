#include "app/rys1.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    set_class_name("TForm1");
    SetName("Form1");
}
