// The network-type chooser "Media": the network types of the main window's
// list with check marks and their drawing colours; the list's hint carries
// the network-letters text in and out.
#pragma once

#include "platform/forms.h"
#include "platform/stdctrls.h"

class TtMedia : public TForm {
public:
    explicit TtMedia(TComponent* owner);

    TCheckListBox* clb_Media;  // owner-drawn, 17-pixel items
    TCheckBox* cb_CheckAll;
    TButton* b_OK;
    TButton* b_Cancel;

    // The types of the hint's letters are checked ("a": every type).
    void FormShow(TObject* Sender);
    // The hint becomes the checked types' letters, each followed by ",",
    // or "a" when every type is checked.
    void b_OKClick(TObject* Sender);
    void cb_CheckAllClick(TObject* Sender);
    // The item's network colour in a square before its text.
    void clb_MediaDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void connect_handlers();
};

extern TtMedia* tMedia;
