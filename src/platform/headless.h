// Headless services: the program runs without a window system. Everything
// shown is recorded; the user's answers come from a script that a test
// fills beforehand. A question or dialog nobody scripted raises ScriptError;
// a plain OK box (or a single Yes button) needs no answer.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/printer.h"
#include "platform/registry.h"
#include "platform/services.h"

class HeadlessServices : public Services {
public:
    // `config_folder`: where the registry store lives.
    explicit HeadlessServices(std::string config_folder);
    ~HeadlessServices() override;

    // --- what was shown -------------------------------------------------
    struct Box {
        std::string text;
        std::string caption;
        unsigned flags = 0;
        int answer = 0;
        unsigned buttons() const { return flags & MB_BUTTONS_MASK; }
        unsigned icon() const { return flags & MB_ICON_MASK; }
    };
    std::vector<Box> boxes;
    std::vector<std::string> modal_forms;   // class names, in the order shown
    std::vector<std::string> opened;        // shell_open and open_file targets
    bool nothing_opens = false;             // no program is associated with any target
    std::vector<std::string> edited;        // open_in_editor paths
    std::vector<std::string> popups;        // names of popup menus shown
    // The file dialogs shown, with what they were given.
    struct FileDialog {
        bool save = false;
        std::string title, filter, initial_dir, default_ext, file_name;
        unsigned options = 0;
    };
    std::vector<FileDialog> file_dialogs;
    int beeps = 0;
    TCursor cursor = TCursor::crDefault;

    // --- the script -----------------------------------------------------
    // The answer to the next question box (IDYES, IDNO, IDCANCEL, IDOK).
    void answer(int id) { answers_.push_back(id); }
    // The responder for the next modal showing of a form of this class (or
    // name); it plays the user and sets the form's ModalResult (or closes it).
    // A responder left without a result closes the form (mrCancel).
    using Responder = std::function<void(TForm&)>;
    void on_modal(std::string class_or_name, Responder r);
    // Answers for the next file dialog: a path (several for multiple
    // selection) or cancel.
    void choose_file(std::string path, int filter_index = 0);
    void choose_files(std::vector<std::string> paths);
    void cancel_file_dialog();
    void choose_color(TColor c);
    void cancel_color_dialog();
    void choose_font(const TFont& f);
    void choose_folder(std::string folder);
    void cancel_folder_dialog();
    void confirm_printer_setup(bool ok);
    // The item the user picks from the next popup menu (by caption without
    // "&"), or that the user closes it without a choice. A popup menu shown
    // without either raises ScriptError, as every dialog does.
    void pick_from_popup(std::string caption);
    void dismiss_popup();
    // Everything scripted was used.
    bool script_used_up() const;
    // What of the script is left unused ("1 question answer, 1 modal
    // responder (Ttopcje)"), empty when nothing is.
    std::string unused_script() const;

    // --- the world ------------------------------------------------------
    // nullopt plays a clipboard holding text that Windows-1250 cannot hold.
    std::optional<std::string> clipboard = std::string();
    std::vector<Word> held_keys;
    std::vector<MonitorInfo> monitor_list{MonitorInfo{}};
    int ppi = 96;
    std::string dxf_program_path;
    std::vector<FontInfo> font_list;
    std::vector<FontFile> font_file_table;
    // The system's locale ("pl_PL.UTF-8", "en_GB.UTF-8", ...).
    std::string locale = "pl_PL.UTF-8";
    RecordingPrinter printer_;

    // The virtual clock: advances and fires the timers that fall due, in
    // order (each fire guarded).
    void advance(int64_t ms);
    int64_t now_ms() const { return clock_ms_; }
    // Enabled timers with their next due time.
    bool timer_running(const TTimer& t) const { return timers_.count(&t) != 0; }

    // --- Services -------------------------------------------------------
    int message_box(std::string_view text, std::string_view caption, unsigned flags) override;
    void run_modal(TForm& form) override;
    bool open_dialog(TOpenDialog& dialog, bool save) override;
    bool color_dialog(TColorDialog& dialog) override;
    bool font_dialog(TFontDialog& dialog) override;
    bool printer_setup_dialog() override;
    bool select_folder(std::string_view caption, std::string& folder) override;
    void popup_menu(TPopupMenu& menu, int x, int y) override;
    std::optional<std::string> clipboard_text() override { return clipboard; }
    void set_clipboard_text(std::string_view text) override { clipboard = std::string(text); }
    void timer_changed(TTimer& timer) override;
    void timer_destroyed(TTimer& timer) override;
    void unreachable_input(std::string_view what) override;
    int64_t tick_count() override { return clock_ms_; }
    bool key_held(Word key) override;
    void set_cursor(TCursor c) override { cursor = c; }
    std::vector<MonitorInfo> monitors() override { return monitor_list; }
    int pixels_per_inch() override { return ppi; }
    void beep() override { ++beeps; }
    bool shell_open(std::string_view target) override;
    // A file that exists opens unless nothing_opens is set.
    open_result open_file(std::string_view path) override;
    bool open_in_editor(std::string_view path) override;
    std::string dxf_program() override { return dxf_program_path; }
    std::vector<FontInfo> fonts() override { return font_list; }
    std::vector<FontFile> font_files() override { return font_file_table; }
    std::string system_language() override { return locale; }
    // The languages chosen, in order.
    std::vector<std::string> languages_chosen;
    void language_chosen(std::string_view language) override { languages_chosen.emplace_back(language); }
    TPrinter& printer() override { return printer_; }
    Registry& registry() override { return registry_; }
    // Bitmaps record what is drawn on them; their saves are kept here
    // (nothing is written).
    std::unique_ptr<TBitmap> make_bitmap(int width, int height) override;
    struct SavedBitmap {
        std::string path;
        int width = 0, height = 0;
        bool monochrome = false;
        std::vector<RecordingCanvas::Op> ops;
    };
    std::vector<SavedBitmap> saved_bitmaps;

private:
    struct FileAnswer {
        bool ok = false;
        std::vector<std::string> paths;
        int filter_index = 0;
    };
    std::deque<int> answers_;
    std::deque<std::pair<std::string, Responder>> responders_;
    std::deque<FileAnswer> file_answers_;
    std::deque<std::optional<TColor>> color_answers_;
    std::deque<TFont> font_answers_;
    std::deque<std::optional<std::string>> folder_answers_;
    std::deque<bool> printer_answers_;
    std::deque<std::optional<std::string>> popup_answers_;
    Registry registry_;
    int64_t clock_ms_ = 0;
    std::map<const TTimer*, int64_t> timers_;  // due time
};

// Fonts the headless services (and the front end, as a fallback) list.
std::vector<FontInfo> builtin_font_list();
// The font files of the headless services' fonts, sorted by name.
std::vector<FontFile> builtin_font_files();
