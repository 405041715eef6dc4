// The main window.
#pragma once

#include <string>

#include "model/state.h"
#include "platform/forms.h"
#include "platform/menus.h"

class TForm1 : public TForm, public model_view {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    TMainMenu* MainMenu1;
    TMenuItem* mi_ObjectInsert;  // "Wstaw &obiekt"

    // The object text of the current node before the object menu changed it;
    // an object insertion the user cancels restores it.
    std::string previous_object;

    // The click of the object items of mi_ObjectInsert: puts the item's
    // object on the current node.
    void mi_InspectionChamberClick(TObject* Sender);
    // The node of the current table row (0 until the node table exists).
    virtual int current_node() const { return 0; }

    // model_view
    std::string item_caption(const std::string& name, const std::string& builtin) override;
};

extern TForm1* Form1;
