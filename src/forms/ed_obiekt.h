// The object property editor.
#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/stdctrls.h"

struct mat_osadnik;

class TtObjectProp : public TForm {
public:
    explicit TtObjectProp(TComponent* owner);

    // Its Tag is the mode: 1 edits an object of the project, 0 makes a new one.
    // The hint of l_ObjectKind holds the object kind, its Tag the index of
    // the record to edit (-1 none).
    TLabel* l_ObjectKind;

    // Reads section [object] of a tank-like object file into a tank record:
    // the head and add-ons (which also replace the editor's working copies;
    // the add-ons are bound to the current node of the node table when the
    // current profile has nodes), then the tank's sizes, covers and next
    // chamber. A missing key reads as its default, a missing file as all
    // defaults.
    void czytaj_dane_osadnik(const std::string& file, mat_osadnik& tank);
};

extern TtObjectProp* tObjectProp;
