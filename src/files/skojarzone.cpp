// The template chooser's handlers: listing, searching, drawing the items,
// making a document, editing, hiding and restoring templates.
#include <algorithm>

#include "files/wydruki.h"
#include "model/messages.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

// A hidden template's extension is ".~zr" (any case); a "~" elsewhere in
// the path (a folder's name) does not hide it.
bool is_hidden_template(const std::string& path) { return LowerCase(ExtractFileExt(path)) == ".~zr"; }

void select_item(TListBox* list, int index) {
    list->SetItemIndex(index);
}

}  // namespace

const head_info* Ttskojarzone::item_template(int item) const {
    if (item < 0 || item >= cb_Templates->Items().Count()) return nullptr;
    const std::string& text = cb_Templates->Items()[item];
    int index = -1;
    if (!TryStrToInt(text.substr(0, text.find('=')), index) || index < 0 ||
        index >= static_cast<int>(template_list.size()))
        return nullptr;
    return &template_list[static_cast<std::size_t>(index)];
}

void Ttskojarzone::ZnajdzPliki(const std::string& folder, const std::string& pattern) {
    const std::string dir = IncludeTrailingPathDelimiter(folder);
    if (!DirectoryExists(dir)) return;
    // The templates and the subfolders in name order, each subfolder
    // searched where its name falls.
    struct entry {
        std::string name;
        bool folder;
    };
    std::vector<entry> entries;
    for (std::string& f : list_folder(dir, pattern, false, ListKind::Files)) entries.push_back({std::move(f), false});
    for (std::string& d : list_folder(dir, "*", false, ListKind::Folders)) entries.push_back({std::move(d), true});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const entry& a, const entry& b) { return AnsiCompareText(a.name, b.name) < 0; });
    for (const entry& e : entries) {
        if (e.folder) {
            ZnajdzPliki(dir + e.name, pattern);
        } else {
            head_info info;
            info_plik(dir + e.name, info);
            template_list.push_back(std::move(info));
        }
    }
}

void Ttskojarzone::FormShow(TObject*) {
    sources().draw_make();
    sources().zestawienie_materialow(0);
    template_list.clear();
    const std::string pattern = sb_ShowHiddenTemplates->Down() ? "*.~zr" : "*.wzr";
    ZnajdzPliki(folders().config_folder + "templates", pattern);
    TStringList& items = cb_Templates->Items();
    cb_Templates->BeginUpdate();
    items.Clear();
    for (std::size_t i = 0; i < template_list.size(); ++i)
        items.Add(IntToStr(static_cast<int64_t>(i)) + "=" + template_list[i].title);
    cb_Templates->EndUpdate();
    const int remembered = cb_Templates->Tag;
    select_item(cb_Templates, remembered >= 0 && remembered < items.Count() ? remembered : (items.Count() > 0 ? 0 : -1));
    cb_TemplatesClick(cb_Templates);
    if (Visible() && e_Search->CanFocus()) e_Search->SetFocus();
}

void Ttskojarzone::cb_TemplatesDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = cb_Templates->Canvas();
    if (!canvas || Index < 0 || Index >= cb_Templates->Items().Count()) return;
    const std::string& text = cb_Templates->Items()[Index];
    const bool navy = State == odSelected;
    canvas->Brush.Color = navy ? TColor(0x800000) : clWhite;
    canvas->Brush.Style = TBrushStyle::bsSolid;
    canvas->FillRect(Rect);
    // An untitled template shows its file name in grey.
    if (text.find(".wzr") != std::string::npos) canvas->Font.Color = TColor(0x808080);
    else canvas->Font.Color = navy ? clWhite : clBlack;
    canvas->Font.Style &= ~fsBold;
    canvas->TextOut(Rect.Left + 3, Rect.Top, text.substr(std::min(text.size(), text.find('=') + 1)));
    const head_info* info = item_template(Index);
    const std::string type = info ? info->doc_type : std::string();
    const TRect badge{Rect.Right - 26, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2};
    canvas->Brush.Color = LowerCase(type) == "htm" ? TColor(0x008000) : TColor(0xC0C0C0);
    canvas->FillRect(badge);
    canvas->Font.Color = clWhite;
    const int spare = (badge.Right - badge.Left) - canvas->TextWidth(type);
    canvas->TextOut(badge.Left + static_cast<int>(Round(spare / 2.0)), badge.Top - 1, type);
}

void Ttskojarzone::cb_TemplatesClick(TObject*) {
    const head_info* info = item_template(cb_Templates->ItemIndex());
    sb_Status->Panels(0)->SetText(info ? info->path : std::string());
}

void Ttskojarzone::sb_MakeClick(TObject*) {
    if (const head_info* info = item_template(cb_Templates->ItemIndex())) {
        const std::string path = info->path;
        generuj(path);
    }
}

void Ttskojarzone::sb_CancelClick(TObject*) { Close(); }

void Ttskojarzone::sb_TemplateEditClick(TObject*) {
    const head_info* info = item_template(cb_Templates->ItemIndex());
    if (cb_Templates->Items().Count() == 0 || !info || info->path.size() <= 1) return;
    const std::string text = format_language_text(
        msg("msg_DocumentTemplateEditQuestion",
            "Do edycji wybrano wzorzec: %sWprowadzone zmiany będą miały wpływ %sna wygląd generowanych dokumentów. "_cp
            "%sCzy napewno przejść do edycji wzorca?"_cp),
        {info->title + "\r\r", "\r", "\r\r"});
    if (MessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDNO) return;
    services().open_in_editor(info->path);
}

void Ttskojarzone::sb_TemplateHideClick(TObject*) {
    if (cb_Templates->Items().Count() == 0) return;
    if (cb_Templates->ItemIndex() < 0) select_item(cb_Templates, 0);
    const int item = cb_Templates->ItemIndex();
    const head_info* info = item_template(item);
    if (!info) return;
    const std::string path = info->path;
    const bool hidden = is_hidden_template(path);
    const std::string text = format_language_text(
        hidden ? msg("msg_DocumentTemplateRestoreQuestion", "Czy ukryć szablon: %s%s?"_cp)
               : msg("msg_DocumentTemplateHideQuestion", "Czy ukryć szablon: %s%s?"_cp),
        {"\r", info->title});
    if (MessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES || path.size() <= 1) return;
    const std::string stem = path.substr(0, path.size() >= 4 ? path.size() - 4 : 0);
    if (hidden) {
        // As the system refuses a rename over an existing file, a visible
        // template of the same name stays as it is.
        const std::string target = stem + ".wzr";
        if (!FileExists(target)) RenameFile(path, target);
    } else {
        const std::string target = stem + ".~zr";
        if (FileExists(target)) DeleteFile(target);
        RenameFile(path, target);
    }
    cb_Templates->Items().Delete(item);
}

void Ttskojarzone::sb_ShowHiddenTemplatesClick(TObject* Sender) { FormShow(Sender); }

void Ttskojarzone::e_SearchChange(TObject*) {
    const std::string search = AnsiLowerCase(e_Search->Text());
    TStringList& items = cb_Templates->Items();
    cb_Templates->BeginUpdate();
    items.Clear();
    for (std::size_t i = 0; i < template_list.size(); ++i)
        if (search.empty() || AnsiLowerCase(template_list[i].title).find(search) != std::string::npos)
            items.Add(IntToStr(static_cast<int64_t>(i)) + "=" + template_list[i].title);
    cb_Templates->EndUpdate();
    select_item(cb_Templates, -1);
}

void Ttskojarzone::e_SearchKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    const int count = cb_Templates->Items().Count();
    if (count > 0) {
        const bool back = Key == VK_UP || Key == VK_RIGHT;
        const bool forward = Key == VK_DOWN || Key == VK_LEFT;
        const int current = cb_Templates->ItemIndex();
        if ((back || forward) && (Shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl) {
            select_item(cb_Templates, back ? 0 : count - 1);
        } else if (back) {
            select_item(cb_Templates, current <= 0 ? count - 1 : current - 1);
        } else if (forward) {
            select_item(cb_Templates, current >= count - 1 ? 0 : current + 1);
        }
        if (back || forward) cb_TemplatesClick(cb_Templates);
    }
    cb_TemplatesKeyDown(Sender, Key, Shift);
}

void Ttskojarzone::cb_TemplatesKeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (Key == VK_ESCAPE) {
        sb_CancelClick(sb_Cancel);
    } else if (Key == VK_RETURN && cb_Templates->ItemIndex() >= 0) {
        if (Shift & ssCtrl) sb_TemplateEditClick(sb_TemplateEdit);
        else sb_MakeClick(sb_Make);
    }
}

void Ttskojarzone::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key == VK_ESCAPE) sb_CancelClick(sb_Cancel);
}

void Ttskojarzone::connect_handlers() {
    OnShow = [this](TObject* s) { FormShow(s); };
    OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { FormKeyDown(s, k, sh); };
    OnResize = [this](TObject* s) { e_SearchChange(s); };
    cb_Templates->OnDrawItem = [this](TWinControl* c, int i, TRect r, TOwnerDrawState st) {
        cb_TemplatesDrawItem(c, i, r, st);
    };
    cb_Templates->OnClick = [this](TObject* s) { cb_TemplatesClick(s); };
    cb_Templates->OnDblClick = [this](TObject* s) { sb_MakeClick(s); };
    cb_Templates->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { cb_TemplatesKeyDown(s, k, sh); };
    sb_Make->OnClick = [this](TObject* s) { sb_MakeClick(s); };
    sb_Cancel->OnClick = [this](TObject* s) { sb_CancelClick(s); };
    sb_TemplateEdit->OnClick = [this](TObject* s) { sb_TemplateEditClick(s); };
    sb_TemplateHide->OnClick = [this](TObject* s) { sb_TemplateHideClick(s); };
    sb_ShowHiddenTemplates->OnClick = [this](TObject* s) { sb_ShowHiddenTemplatesClick(s); };
    e_Search->OnChange = [this](TObject* s) { e_SearchChange(s); };
    e_Search->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { e_SearchKeyDown(s, k, sh); };
}
