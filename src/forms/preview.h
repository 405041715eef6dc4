// The separate preview window: a tool window that stays on top, into which
// the main window moves its viewport; closing it puts the viewport back.
#pragma once

#include "platform/forms.h"

class TtPreview : public TForm {
public:
    explicit TtPreview(TComponent* owner);

    // Handlers (app/preview.cpp).
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormDeactivate(TObject* Sender);
    void connect_handlers();
};

extern TtPreview* tPreview;
