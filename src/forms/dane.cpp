#include "forms/dane.h"

#include "platform/builder.h"
#include "platform/sysutils.h"

Ttdane* tdane = nullptr;

Ttdane::Ttdane(TComponent* owner) : TForm(owner) {
    set_class_name("Ttdane");
    SetName("tdane");
    SetCaption("Podstawowe parametry projektu");
    form_builder b(this, this);
    sag_dane_kadra = b.add<TStringGrid>("sag_dane_kadra", {}, 600, 220);
    sag_dane_kadra->SetColCount(5);
    sag_dane_kadra->SetRowCount(11);
    sag_dane_kadra->Options |= goEditing;
    const char* const titles[] = {"", "Nazwisko i imię"_cp, "Stanowisko", "Numer uprawnień"_cp, "Specjalność"_cp};
    for (int c = 0; c < 5; ++c) sag_dane_kadra->SetCell(c, 0, titles[c]);
    for (int r = 1; r <= 10; ++r) sag_dane_kadra->SetCell(0, r, IntToStr(r));

    sag_MainData = b.add<TStringGrid>("sag_MainData", {}, 600, 420);
    sag_MainData->SetColCount(2);
    sag_MainData->SetRowCount(18);
    sag_MainData->SetFixedCols(1);
    sag_MainData->Options |= goEditing;
    const char* const names[] = {"Parametr",
                                 "Inwestor",
                                 "  Miejscowość/Ulica"_cp,
                                 "  Kod pocztowy",
                                 "  Poczta",
                                 "Obiekt",
                                 "Inwestycja:",
                                 "  Miejscowość/Ulica"_cp,
                                 "  Kod pocztowy",
                                 "  Poczta",
                                 "  Gmina",
                                 "  Numer działki"_cp,
                                 "Branża"_cp,
                                 "Numer zlecenia",
                                 "Data",
                                 "Własny 1"_cp,
                                 "Własny 2"_cp,
                                 "Własny 3"_cp};
    for (int r = 0; r < 18; ++r) sag_MainData->SetCell(0, r, names[r]);
    sag_MainData->SetCell(1, 0, "Wartość"_cp);
}
