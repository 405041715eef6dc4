// The main window's title block: the template commands, the boxes, the
// arrows and modes that move and size them, dragging, and the change of
// the main pages.
#include <algorithm>

#include "files/title_block.h"
#include "files/utils.h"
#include "forms/rys1.h"
#include "model/messages.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

constexpr TColor caption_grey = 8421504;

std::string user_ini() { return folders().config_folder + "halvoren.ini"; }

// The folder the template dialogs start in, and the one they remember (the
// folder of an existing file whose path does not hold "autosave").
std::string template_folder() {
    return ini_string(user_ini(), "program", "path_metryka", folders().config_folder + "templates" + PathDelim);
}

void remember_template_folder(const std::string& file) {
    if (!FileExists(file) || file.find("autosave") != std::string::npos) return;
    write_user_setting(user_ini(), [&file] {
        std::string unused;
        ini_string(user_ini(), "program", "path_metryka", ExtractFilePath(file), 'w', unused);
    });
}

void prepare_template_dialog(TOpenDialog* dialog, std::string_view title_key, std::string_view title) {
    dialog->Filter = lang_text("dialogs", "d_InfotableFilter", "Halvoren - szablon metryki (*.hlm)|*.hlm");
    dialog->Title = lang_text("dialogs", title_key, title);
    dialog->InitialDir = template_folder();
    dialog->FileName.clear();
}

}  // namespace

void TForm1::connect_info_table_handlers() {
    title_box_focus = [this](TObject* s) { test(s); };
    // The boxes are the title block the project keeps.
    title_box_change = [](TObject*) { set_project_modified(true); };
    title_box_mouse_down = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { Edit1MouseDown(s, b, sh, x, y); };
    title_box_mouse_move = [this](TObject* s, TShiftState sh, int x, int y) { Edit1MouseMove(s, sh, x, y); };
    a_it_TemplateNew->OnExecute = [this](TObject* s) { a_it_TemplateNewExecute(s); };
    a_it_TemplateOpen->OnExecute = [this](TObject* s) { a_it_TemplateOpenExecute(s); };
    a_it_TemplateSave->OnExecute = [this](TObject* s) { a_it_TemplateSaveExecute(s); };
    a_it_WithoutInfoTable->OnExecute = [this](TObject* s) { a_it_WithoutInfoTableExecute(s); };
    a_it_TitleList->OnExecute = [this](TObject* s) { a_it_TitleListExecute(s); };
    a_it_TextboxInsert->OnExecute = [this](TObject* s) { a_it_TextboxInsertExecute(s); };
    a_it_TextboxDelete->OnExecute = [this](TObject* s) { a_it_TextboxDeleteExecute(s); };
    for (TAction* a : {a_it_Arrow_Left, a_it_Arrow_Right, a_it_Arrow_Up, a_it_Arrow_Down})
        a->OnExecute = [this](TObject* s) { sb_r_Click(s); };
    mi_Location->OnClick = [this](TObject* s) { mi_LocationClick(s); };
    mi_Size->OnClick = [this](TObject* s) { mi_SizeClick(s); };
    tb_mprzesun->OnClick = [this](TObject* s) { tb_mprzesunClick(s); };
    tb_mrozmiar->OnClick = [this](TObject* s) { tb_mrozmiarClick(s); };
    ts_InfoTable->OnShow = [this](TObject* s) { ts_InfoTableShow(s); };
    PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };
}

// --- templates ---------------------------------------------------------------------

int TForm1::czy_zapis_metryka() {
    // Nothing to keep while there is no text box.
    if (last_busy("last") == 0) return IDNO;
    const int answer =
        MessageBox(msg("msg_InfotableFileSaveQuestion", "Czy zapisać bieżącą metrykę jako szablon?"_cp),
                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) a_it_TemplateSaveExecute(nullptr);
    return answer;
}

void TForm1::a_it_TemplateNewExecute(TObject*) {
    if (czy_zapis_metryka() == IDCANCEL) return;
    czysc_tabele();
    set_project_modified(true);
}

void TForm1::a_it_TemplateOpenExecute(TObject*) {
    if (czy_zapis_metryka() == IDCANCEL) return;
    prepare_template_dialog(OD_InfoTable, "d_InfotableOpen", "Wybierz szablon metryki");
    if (!OD_InfoTable->Execute()) return;
    remember_template_folder(OD_InfoTable->FileName);
    czysc_tabele();
    otworz_tabele(OD_InfoTable->FileName);
    set_project_modified(true);
}

void TForm1::a_it_TemplateSaveExecute(TObject*) {
    prepare_template_dialog(SD_InfoTable, "d_InfotableSave", "Zapisz szablon metryki");
    if (!SD_InfoTable->Execute()) return;
    remember_template_folder(SD_InfoTable->FileName);
    zapisz_szablon(SD_InfoTable->FileName);
    ShowMessage(msg("msg_InfotableSaveSuccess", "Szablon zapisany pomyślnie."_cp));
}

// --- the title block's switches ---------------------------------------------------------

void TForm1::a_it_WithoutInfoTableExecute(TObject*) {
    // The page's caption is grey while the drawings leave the title block out.
    TFont font = ts_InfoTable->Font();
    font.Color = a_it_WithoutInfoTable->Checked() ? caption_grey : clWindowText;
    ts_InfoTable->SetFont(font);
}

void TForm1::a_it_TitleListExecute(TObject*) {
    a_it_TitleList->SetChecked(!a_it_TitleList->Checked());
    set_project_modified(true);
    if (a_it_TitleList->Checked()) {
        cre_combo(5, 5, default_drawing_title(), 300);
    } else {
        selected_title_box = "tabs0";
        a_it_TextboxDeleteExecute(nullptr);
    }
}

// --- boxes ---------------------------------------------------------------------------

void TForm1::a_it_TextboxInsertExecute(TObject*) {
    const int n = first_empty("tabs");
    TMemo* box = make_text_box(n, 5 * n, 5, 185, 19);
    box->Lines().Add("");
    set_project_modified(true);
}

void TForm1::a_it_TextboxDeleteExecute(TObject*) {
    if (selected_title_box == "tabs0") a_it_TitleList->SetChecked(false);
    auto* box = dynamic_cast<TControl*>(FindComponent(selected_title_box));
    if (!box) {
        ShowMessage(format_language_text(
            msg("msg_NotSelectedTextboxDeleteError", "Nie wybrano pola do usunięcia. %sKliknij w polu, które chcesz usunąć."_cp),
            {"\r"}));
        return;
    }
    delete box;
    set_project_modified(true);
}

void TForm1::test(TObject* Sender) {
    if (auto* c = as<TComponent>(Sender)) selected_title_box = c->Name();
}

// --- moving and sizing ---------------------------------------------------------------

void TForm1::sb_r_Click(TObject* Sender) {
    auto* action = as<TAction>(Sender);
    if (!action) return;
    const std::string direction = LowerCase(Copy(action->Name(), 12, static_cast<int>(action->Name().size())));
    const bool horizontal = direction == "left" || direction == "right";
    int step = direction == "left" || direction == "up" ? -1 : 1;
    if (tb_m10->Down()) step *= 10;
    auto* box = dynamic_cast<TControl*>(FindComponent(selected_title_box));
    if (!box) return;
    const bool moving = mi_Location->Checked();
    // A margin of 3 pixels to the area's edges.
    constexpr int margin = 3;
    int l = box->Left(), t = box->Top(), w = box->Width(), h = box->Height();
    if (horizontal && moving) {
        const int nl = l + step;
        if (nl >= margin && (step < 0 || nl + w + margin <= title_area_width)) l = nl;
    } else if (horizontal) {
        const int nw = w + step;
        if (nw >= 5 && l + nw + margin <= title_area_width) w = nw;
    } else if (moving) {
        const int nt = t + step;
        if (nt >= margin && nt + h + margin <= title_area_height) t = nt;
    } else if (dynamic_cast<TMemo*>(box)) {
        const int nh = h + step;
        if (nh >= 19 && nh + margin <= title_area_height) h = nh;
    }
    if (l == box->Left() && t == box->Top() && w == box->Width() && h == box->Height()) return;
    box->SetBounds(l, t, w, h);
    set_project_modified(true);
}

void TForm1::mi_LocationClick(TObject*) {
    mi_Location->SetChecked(true);
    tb_mprzesun->SetDown(true);
}

void TForm1::mi_SizeClick(TObject*) {
    mi_Size->SetChecked(true);
    tb_mrozmiar->SetDown(true);
}

void TForm1::tb_mprzesunClick(TObject*) { mi_Location->SetChecked(true); }

void TForm1::tb_mrozmiarClick(TObject*) { mi_Size->SetChecked(true); }

// --- dragging ------------------------------------------------------------------------

void TForm1::Edit1MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { drag_start_ = {X, Y}; }

void TForm1::Edit1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {
    auto* box = as<TControl>(Sender);
    if (!box) return;
    if (!(Shift & ssCtrl)) {
        box->Cursor = TCursor::crDefault;
        return;
    }
    box->Cursor = TCursor::crSizeAll;
    // With the left button down the box follows the mouse: the point where
    // the mouse went down stays under it; the box stays inside the area.
    if (!(Shift & ssLeft)) return;
    const int left = std::max(0, box->Left() + X - drag_start_.x), top = std::max(0, box->Top() + Y - drag_start_.y);
    if (left == box->Left() && top == box->Top()) return;
    box->SetBounds(left, top, box->Width(), box->Height());
    set_project_modified(true);
}

// --- pages ---------------------------------------------------------------------------

void TForm1::ts_InfoTableShow(TObject* Sender) { a_it_WithoutInfoTableExecute(Sender); }

void TForm1::PageControl1Change(TObject*) {
    const TTabSheet* page = PageControl1->ActivePage();
    mi_ObjectInsert->SetEnabled(page == ts_Data);
    mi_InfoTable->SetEnabled(page == ts_InfoTable);
    tb_InfoTable->SetVisible(page == ts_InfoTable);
    // The side panel: the drawing's parameters with the preview, the table's elsewhere.
    gb_PreviewPanel->SetVisible(page == ts_DrawingPreview);
    gb_DataPanel->SetVisible(page != ts_DrawingPreview);
    if (page == ts_DrawingPreview && p_Side->Visible()) wypelnij_listy_opisow();
    // The preview's tool bar with its page; there Ctrl+Z goes back to the
    // previous view, elsewhere it undoes.
    tb_podglad1->SetVisible(page == ts_DrawingPreview);
    a_Zprevious->SetShortCut(page == ts_DrawingPreview ? ShortCut('Z', ssCtrl) : 0);
    a_Undo->SetShortCut(page == ts_DrawingPreview ? 0 : ShortCut('Z', ssCtrl));
}
