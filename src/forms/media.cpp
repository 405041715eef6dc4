#include "forms/media.h"

#include "platform/builder.h"

TtMedia* tMedia = nullptr;

TtMedia::TtMedia(TComponent* owner) : TForm(owner) {
    set_class_name("TtMedia");
    SetName("tMedia");
    SetCaption("Media");
    BorderStyle = TFormBorderStyle::bsToolWindow;
    Position = TPosition::poScreenCenter;
    SetBounds(0, 0, 220, 236);
    form_builder b(this, this, 8, 8);
    clb_Media = b.add<TCheckListBox>("clb_Media", {}, 204, 7 * 17 + 8);
    clb_Media->Style = TListBoxStyle::lbOwnerDrawFixed;
    clb_Media->ItemHeight = 17;
    b.skip(4);
    cb_CheckAll = b.check_box("cb_CheckAll", "Zaznacz/odznacz wszystkie", false, 204);
    b.skip(8);
    b_OK = b.add<TButton>("b_OK", "OK", 98, 25);
    b_OK->Default = true;
    b_Cancel = new TButton(this);
    b_Cancel->SetName("b_Cancel");
    b_Cancel->SetCaption("Anuluj");
    b_Cancel->ModalResult = mrCancel;
    b_Cancel->Cancel = true;
    b_Cancel->SetBounds(114, b_OK->Top(), 98, 25);
    b_Cancel->SetParent(this);
}
