// The project data dialog's handlers: the data edited into the project (or
// the current estimate's copy), taken from another project file, cleared
// and passed through the clipboard, and the completion of staff names from
// the office's staff list of the settings.
#include <algorithm>

#include "files/project_data.h"
#include "forms/dane.h"
#include "forms/kosztorys.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "model/cost_state.h"
#include "model/messages.h"
#include "model/state.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {

// The record the data table edits: the current estimate's copy while the
// cost-estimate window shows, else the project's.
projekt_dane& edited_record() {
    kosztorysy& c = cost_data();
    if (tKosztorys && tKosztorys->Visible() && c.current_estimate < c.estimates.size())
        return c.estimates[c.current_estimate].title;
    return model().project.dane;
}

bool ask(const std::string& text, const std::string& caption) {
    return services().message_box(text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::string clearing_caption() { return msg("msg_DataClearing", "Usuwanie danych..."); }

// While an item is being taken its name goes into the cell; that is no typing.
bool taking_item = false;

}  // namespace

void Ttdane::sag_MainDataAfterEdit(TObject*, int ACol, int ARow) {
    if (ACol == 1 && ARow >= 1 && ARow <= 17) project_data_field(edited_record(), ARow) = sag_MainData->Cells(1, ARow);
}

void Ttdane::tb_PasteFromFileClick(TObject*) {
    TOpenDialog* d = Form1->OD1;
    d->FileName.clear();
    d->DefaultExt = "hlv";
    d->Title = lang_text("dialogs", "d_ProjectOpen", "Otwórz projekt"_cp);
    d->Options |= ofFileMustExist;
    const bool chosen = d->Execute();
    // The next opening starts in the folder the program remembers.
    d->InitialDir = IniFile(path_join(folders().config_folder, "halvoren.ini"))
                        .ReadString("program", "path", folders().documents_folder);
    if (!chosen || AnsiLowerCase(ExtractFileExt(d->FileName)) != ".hlv") return;
    projekt_dane read;
    czytaj_dane_proj(IniFile(d->FileName), read);
    odswiez_dane_proj(read, "all", true);
    if (ask(msg("msg_ProjectDataAcceptQuestion", "Czy zatwierdzić te dane?"_cp),
            msg("msg_ProjectDataAccept", "Potwierdź dane"_cp)))
        model().project.dane = read;
    odswiez_dane_proj(model().project.dane, "all", false);
}

void Ttdane::tb_ClearClick(TObject*) {
    if (PageControl1->ActivePage() == ts_dane_main) {
        if (!ask(msg("msg_ProjectDataClearQuestion", "Czy usunąć wszystkie dane z poniższej tabeli?"_cp),
                 clearing_caption()))
            return;
        czysc_dane_proj2(model().project.dane);
        odswiez_dane_proj(model().project.dane, "all", false);
    } else if (ask(msg("msg_ProjectStaffClearQuestion", "Czy usunąć dane projektantów z poniższej tabeli?"_cp),
                   clearing_caption())) {
        czysc_parametry_projektu_kadra();
    }
}

void Ttdane::FormKeyDown(TObject*, Word& Key, TShiftState Shift) {
    TStringAlignGrid* g = sag_MainData;
    if (ActiveControl() == g && (Shift & ssCtrl) && !(Shift & (ssAlt | ssShift)) && (Key == 'C' || Key == 'V')) {
        const int col = g->Col(), row = g->Row();
        if (Key == 'C') {
            services().set_clipboard_text(g->Cells(col, row));
        } else if (col == 1 && row >= 1 && row <= 17) {
            const std::optional<std::string> text = services().clipboard_text();
            if (!text) {
                refuse_unrepresentable_text();
            } else {
                const std::string value = Trim(*text);
                if (g->EditorMode()) g->SetEditorText(value);
                g->SetCell(col, row, value);
                // The record takes it at once, so that closing keeps what shows.
                fire(g, g->OnAfterEdit, g, col, row);
            }
        }
        Key = 0;
    } else if (Key == VK_ESCAPE && !sag_MainData->EditorMode() && !sag_dane_kadra->EditorMode()) {
        Key = 0;
        Close();
    }
}

void Ttdane::lista_pokaz() {
    TStringAlignGrid* g = sag_dane_kadra;
    if (taking_item || g->Col() != 1) return;
    const std::string typed = AnsiLowerCase(g->EditorMode() ? g->EditorText() : g->Cells(1, g->Row()));
    TStringList& items = lb_listy->Items();
    items.Clear();
    // Each name keeps its row of the staff list.
    const TStringGrid* staff = topcje->sag_Workers;
    for (int r = 1; r <= 10 && r < staff->RowCount(); ++r)
        if (!staff->Cells(0, r).empty()) items.AddObject(staff->Cells(0, r), r);
    items.Add("");
    items.Add(lang_text("MostUsedValues", "muv_CustomizeList", "            dostosuj listę..."_cp));
    int chosen = -1;
    for (int i = 0; i < items.Count() && chosen < 0; ++i)
        if (AnsiLowerCase(items[i]).starts_with(typed)) chosen = i;
    if (chosen < 0) {
        lb_listy->SetVisible(false);
        return;
    }
    lb_listy->SetItemIndex(chosen);
    lb_listy->TopIndex = std::max(0, chosen - 1);
    const TRect cell = g->CellRect(1, g->Row());
    const int shown = std::min(items.Count(), 8);
    lb_listy->SetBounds(g->Left() + cell.Left + 1, g->Top() + cell.Bottom + 1, lb_listy->Width(),
                        shown * lb_listy->ItemHeight + 4);
    lb_listy->SetVisible(true);
}

void Ttdane::lista_wybierz() {
    TStringAlignGrid* g = sag_dane_kadra;
    const int n = lb_listy->Items().Count();
    const int i = lb_listy->ItemIndex();
    const int row = g->Row();
    lb_listy->SetVisible(false);
    if (i < 0 || i >= n) return;
    auto set_name = [g, row](const std::string& name) {
        taking_item = true;
        if (g->EditorMode()) g->SetEditorText(name);
        g->SetCell(1, row, name);
        taking_item = false;
    };
    if (i < n - 2) {
        const TStringGrid* staff = topcje->sag_Workers;
        const int person = static_cast<int>(lb_listy->Items().Objects(i));
        for (int c = 1; c <= 3; ++c) g->SetCell(c + 1, row, staff->Cells(c, person));
        set_name(staff->Cells(0, person));
    } else if (i == n - 2) {
        for (int c = 2; c <= 4; ++c) g->SetCell(c, row, "");
        set_name("");
    } else {
        // The staff list is edited on the settings' page "Kadra".
        topcje->open_at(1);
    }
    if (g->CanFocus()) g->SetFocus();
}

void Ttdane::sag_dane_kadraKeyDown(TObject*, Word& Key, TShiftState) {
    if (!lb_listy->Visible() || !sag_dane_kadra->EditorMode() || sag_dane_kadra->Col() != 1) return;
    const int i = lb_listy->ItemIndex();
    switch (Key) {
        case VK_RETURN: lista_wybierz(); break;
        case VK_ESCAPE: lb_listy->SetVisible(false); break;
        case VK_UP: if (i > 0) lb_listy->SetItemIndex(i - 1); break;
        case VK_DOWN: if (i + 1 < lb_listy->Items().Count()) lb_listy->SetItemIndex(i + 1); break;
        case VK_LEFT: case VK_RIGHT: case VK_DELETE: case VK_BACK: return;
        default:
            // Keys that type go on to the cell; the others act on the list only.
            if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z') || Key == VK_SPACE || Key >= 0xBA) return;
    }
    Key = 0;
}

void Ttdane::lb_listyDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* c = lb_listy->Canvas();
    if (!c || Index < 0 || Index >= lb_listy->Items().Count()) return;
    c->Brush.Style = TBrushStyle::bsSolid;
    c->Brush.Color = (State & odSelected) ? clHighlight : clInfoBk;
    c->FillRect(Rect);
    c->Font.Color = (State & odSelected) ? clHighlightText : clInfoText;
    c->TextOut(Rect.Left + 2, Rect.Top + 1, lb_listy->Items()[Index]);
}

void Ttdane::connect_handlers() {
    tb_PasteData->SetAction(Form1->a_PasteData);
    tb_CopyData->SetAction(Form1->a_CopyData);
    sag_MainData->OnAfterEdit = [this](TObject* s, int c, int r) { sag_MainDataAfterEdit(s, c, r); };
    tb_PasteFromFile->OnClick = [this](TObject* s) { tb_PasteFromFileClick(s); };
    tb_Clear->OnClick = [this](TObject* s) { tb_ClearClick(s); };
    OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    sag_dane_kadra->OnSetEditText = [this](TObject*, int, int, const std::string&) { lista_pokaz(); };
    sag_dane_kadra->OnClick = [this](TObject*) { lista_pokaz(); };
    sag_dane_kadra->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { sag_dane_kadraKeyDown(s, k, sh); };
    sag_dane_kadra->OnSelectCell = [this](TObject*, int, int, bool&) { lb_listy->SetVisible(false); };
    lb_listy->OnDblClick = [this](TObject*) { lista_wybierz(); };
    lb_listy->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) { lb_listyDrawItem(c, i, r, st); };
}
