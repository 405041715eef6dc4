#include "platform/headless.h"

#include <algorithm>

#include "platform/comctrls.h"
#include "platform/cp1250.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/sysutils.h"

std::vector<FontInfo> builtin_font_list() {
    return {
        {"Arial", 0x22},           {"Courier New", 0x31}, {"ISOCPEUR", 0x22}, {"Lucida Console", 0x31},
        {"Symbol", 0x52},          {"Tahoma", 0x22},      {"Times New Roman", 0x12}, {"Verdana", 0x22},
        {"Wingdings", 0x52},
    };
}

std::vector<FontFile> builtin_font_files() {
    return {
        {"Arial (TrueType)", "arial.ttf"},
        {"Arial Bold (TrueType)", "arialbd.ttf"},
        {"Arial Bold Italic (TrueType)", "arialbi.ttf"},
        {"Arial Italic (TrueType)", "ariali.ttf"},
        {"Courier New (TrueType)", "cour.ttf"},
        {"ISOCPEUR (TrueType)", "isocpeur.ttf"},
        {"Lucida Console (TrueType)", "lucon.ttf"},
        {"Symbol (TrueType)", "symbol.ttf"},
        {"Tahoma (TrueType)", "tahoma.ttf"},
        {"Times New Roman (TrueType)", "times.ttf"},
        {"Verdana (TrueType)", "verdana.ttf"},
        {"Wingdings (TrueType)", "wingding.ttf"},
    };
}

HeadlessServices::HeadlessServices(std::string config_folder)
    : font_list(builtin_font_list()), font_file_table(builtin_font_files()), registry_(path_join(config_folder, "registry.ini")) {}

HeadlessServices::~HeadlessServices() = default;

void HeadlessServices::on_modal(std::string class_or_name, Responder r) {
    responders_.emplace_back(std::move(class_or_name), std::move(r));
}

void HeadlessServices::choose_file(std::string path, int filter_index) {
    file_answers_.push_back({true, {std::move(path)}, filter_index});
}
void HeadlessServices::choose_files(std::vector<std::string> paths) { file_answers_.push_back({true, std::move(paths), 0}); }
void HeadlessServices::cancel_file_dialog() { file_answers_.push_back({false, {}, 0}); }
void HeadlessServices::choose_color(TColor c) { color_answers_.push_back(c); }
void HeadlessServices::cancel_color_dialog() { color_answers_.push_back(std::nullopt); }
void HeadlessServices::choose_font(const TFont& f) { font_answers_.push_back(f); }
void HeadlessServices::choose_folder(std::string folder) { folder_answers_.push_back(std::move(folder)); }
void HeadlessServices::cancel_folder_dialog() { folder_answers_.push_back(std::nullopt); }
void HeadlessServices::confirm_printer_setup(bool ok) { printer_answers_.push_back(ok); }
void HeadlessServices::pick_from_popup(std::string caption) { popup_answers_.push_back(std::move(caption)); }
void HeadlessServices::dismiss_popup() { popup_answers_.push_back(std::nullopt); }

bool HeadlessServices::script_used_up() const { return unused_script().empty(); }

std::string HeadlessServices::unused_script() const {
    std::string out;
    auto add = [&out](std::size_t n, const char* what, std::string detail = {}) {
        if (n == 0) return;
        if (!out.empty()) out += ", ";
        out += std::to_string(n) + " " + what + (n == 1 ? "" : "s");
        if (!detail.empty()) out += " (" + detail + ")";
    };
    std::string names;
    for (const auto& [name, responder] : responders_) names += (names.empty() ? "" : ", ") + name;
    std::string popups_left;
    for (const auto& p : popup_answers_) popups_left += (popups_left.empty() ? "" : ", ") + p.value_or("dismiss");
    add(answers_.size(), "question answer");
    add(responders_.size(), "modal responder", names);
    add(file_answers_.size(), "file dialog answer");
    add(color_answers_.size(), "colour dialog answer");
    add(font_answers_.size(), "font dialog answer");
    add(folder_answers_.size(), "folder dialog answer");
    add(printer_answers_.size(), "printer set-up answer");
    add(popup_answers_.size(), "popup menu choice", popups_left);
    return out;
}

int HeadlessServices::message_box(std::string_view text, std::string_view caption, unsigned flags) {
    const unsigned buttons = flags & MB_BUTTONS_MASK;
    Box box{std::string(text), std::string(caption), flags, buttons == MB_YESONLY ? IDYES : IDOK};
    if (buttons != MB_OK && buttons != MB_YESONLY) {
        if (answers_.empty()) {
            boxes.push_back(box);
            throw ScriptError("unanswered question: " + cp1250_to_utf8(text));
        }
        const int a = answers_.front();
        answers_.pop_front();
        const bool valid = (buttons == MB_OKCANCEL && (a == IDOK || a == IDCANCEL)) ||
                           (buttons == MB_YESNO && (a == IDYES || a == IDNO)) ||
                           (buttons == MB_YESNOCANCEL && (a == IDYES || a == IDNO || a == IDCANCEL));
        if (!valid) throw ScriptError("scripted answer does not fit the question: " + cp1250_to_utf8(text));
        box.answer = a;
    }
    boxes.push_back(box);
    return box.answer;
}

void HeadlessServices::run_modal(TForm& form) {
    modal_forms.push_back(form.ClassName());
    if (responders_.empty())
        throw ScriptError(std::string("modal form shown with no responder: ") + form.ClassName());
    auto [name, responder] = std::move(responders_.front());
    responders_.pop_front();
    if (!SameText(name, form.ClassName()) && !SameText(name, form.Name()))
        throw ScriptError("modal form " + std::string(form.ClassName()) + " shown, responder expects " + name);
    // The modal loop runs the calls posted so far before the user acts.
    if (TApplication* app = current_application()) app->process_pending();
    responder(form);
}

bool HeadlessServices::open_dialog(TOpenDialog& dialog, bool save) {
    file_dialogs.push_back({save, dialog.Title, dialog.Filter, dialog.InitialDir, dialog.DefaultExt, dialog.FileName,
                            dialog.Options});
    if (file_answers_.empty()) throw ScriptError("file dialog shown with no scripted answer");
    FileAnswer a = std::move(file_answers_.front());
    file_answers_.pop_front();
    if (!a.ok) return false;
    dialog.Files = a.paths;
    dialog.FileName = a.paths.empty() ? std::string() : a.paths.front();
    if (a.filter_index > 0) dialog.FilterIndex = a.filter_index;
    return true;
}

bool HeadlessServices::color_dialog(TColorDialog& dialog) {
    if (color_answers_.empty()) throw ScriptError("colour dialog shown with no scripted answer");
    const auto a = color_answers_.front();
    color_answers_.pop_front();
    if (!a) return false;
    dialog.Color = *a;
    return true;
}

bool HeadlessServices::font_dialog(TFontDialog& dialog) {
    if (font_answers_.empty()) throw ScriptError("font dialog shown with no scripted answer");
    dialog.Font = font_answers_.front();
    font_answers_.pop_front();
    return true;
}

std::unique_ptr<TBitmap> HeadlessServices::make_bitmap(int width, int height) {
    return std::make_unique<RecordingBitmap>(width, height, [this](const RecordingBitmap& b, const std::string& path) {
        saved_bitmaps.push_back({path, b.Width(), b.Height(), b.Monochrome(), b.canvas.ops});
    });
}

bool HeadlessServices::printer_setup_dialog() {
    if (printer_answers_.empty()) throw ScriptError("printer set-up shown with no scripted answer");
    const bool ok = printer_answers_.front();
    printer_answers_.pop_front();
    return ok;
}

bool HeadlessServices::select_folder(std::string_view, std::string& folder) {
    if (folder_answers_.empty()) throw ScriptError("folder browser shown with no scripted answer");
    const auto a = folder_answers_.front();
    folder_answers_.pop_front();
    if (!a) return false;
    folder = *a;
    return true;
}

namespace {
TMenuItem* find_item(TMenuItem* parent, const std::string& caption) {
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* m = parent->Items(i);
        if (AnsiSameText(StringReplace(m->Caption(), "&", "", rfReplaceAll), caption)) return m;
        if (TMenuItem* f = find_item(m, caption)) return f;
    }
    return nullptr;
}
}  // namespace

void HeadlessServices::popup_menu(TPopupMenu& menu, int, int) {
    popups.push_back(menu.Name());
    if (popup_answers_.empty()) throw ScriptError("popup menu " + menu.Name() + " shown with no scripted choice");
    const auto a = popup_answers_.front();
    popup_answers_.pop_front();
    if (!a) return;
    TMenuItem* item = find_item(menu.Items(), *a);
    if (!item) throw ScriptError("popup menu has no item " + *a);
    user::choose_menu(item);
}

void HeadlessServices::timer_changed(TTimer& timer) {
    if (timer.Enabled() && timer.Interval() > 0) timers_[&timer] = clock_ms_ + timer.Interval();
    else timers_.erase(&timer);
}

void HeadlessServices::timer_destroyed(TTimer& timer) { timers_.erase(&timer); }

void HeadlessServices::unreachable_input(std::string_view what) {
    throw ScriptError("no user can reach " + cp1250_to_utf8(what));
}

void HeadlessServices::advance(int64_t ms) {
    const int64_t target = clock_ms_ + ms;
    for (;;) {
        // The earliest due; of those due at the same moment, the first created.
        const TTimer* next = nullptr;
        int64_t due = target + 1;
        for (const auto& [t, d] : timers_)
            if (d < due || (d == due && next && t->creation_order() < next->creation_order())) {
                due = d;
                next = t;
            }
        if (!next) break;
        clock_ms_ = due;
        auto* t = const_cast<TTimer*>(next);
        timers_[t] = due + std::max(1, t->Interval());
        user::timer(t);
    }
    clock_ms_ = target;
}

bool HeadlessServices::key_held(Word key) {
    return std::find(held_keys.begin(), held_keys.end(), key) != held_keys.end();
}

bool HeadlessServices::shell_open(std::string_view target) {
    opened.emplace_back(target);
    return !nothing_opens;
}

open_result HeadlessServices::open_file(std::string_view path) {
    opened.emplace_back(path);
    if (!FileExists(path)) return open_result::missing;
    return nothing_opens ? open_result::no_program : open_result::opened;
}

bool HeadlessServices::open_in_editor(std::string_view path) {
    edited.emplace_back(path);
    return true;
}
