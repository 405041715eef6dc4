// The main window's command "Dokumenty skojarzone".
#include "forms/rys1.h"
#include "forms/skojarzone.h"

void TForm1::a_TemplatesExecute(TObject*) { tskojarzone->ShowModal(); }

void TForm1::connect_template_handlers() {
    a_Templates->OnExecute = [this](TObject* s) { a_TemplatesExecute(s); };
}
