// The services of the Qt front end: real message boxes and dialogs, the
// clipboard, timers on the real clock, the screen, the desktop's
// associations, fonts, the printer and the registry store.
#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "platform/services.h"

class QTimer;
class QTranslator;
class QWidget;

namespace gui {

class QtPrinter;
class Renderer;

// The old dialogs' filter ("description|mask;mask|...") as Qt's name
// filters ("description (mask mask)"), one per pair.
QStringList qt_filters(const std::string& filter);
// The 1-based index of a chosen Qt filter among them (1 when not found).
int filter_index(const QStringList& filters, const QString& chosen);

// The folder a file dialog opens in: the dialog's initial folder, else the
// folder of its file name, or, when that folder is gone, the nearest
// folder above it that exists; the user's home folder when there is none
// (never the process's working folder).
QString dialog_start_folder(const std::string& initial_dir, const std::string& file_name);

// The command line of a desktop entry's Exec value with its field codes
// removed ("%%" stays a "%") and a bare program name resolved through PATH
// (quoted when its path holds a blank); "" for an empty value.
std::string desktop_exec_command(const QString& exec);
// The name a font file table gives a face: family, style unless it is the
// regular one, and "(TrueType)" or "(OpenType)" by the file's format.
QString font_table_name(const QString& family, const QString& style, bool opentype);

// The desktop entry (the path of its file) of the program the desktop opens
// files of a MIME type with, by the XDG rules: the defaults of the
// mimeapps.list files in their order (the current desktop's first), then
// their added associations, then the applications folders' mimeinfo.cache,
// leaving out removed associations and entries that are not installed; the
// type's ancestors are tried after the type. "" when none is associated.
QString default_desktop_entry(const QString& mime_type);
// The program and its arguments that a desktop entry's Exec value gives for
// one file: the quoting rules of desktop entries applied, %f and %F the
// file's path, %u and %U its URL, "%%" a "%", the other field codes
// dropped; the file appended when the value names none.
QStringList desktop_exec_arguments(const QString& exec, const QString& file);

class QtServices : public Services {
public:
    QtServices();
    ~QtServices() override;

    Renderer& renderer() { return *renderer_; }

    // A test's stand-in for the user at a message box: when set, it answers
    // instead of a shown box.
    std::function<int(std::string_view text, std::string_view caption, unsigned flags)> answer_message_box;
    // A test's stand-in for the desktop opening a file, folder or address
    // (shell_open, and open_file for a file that exists): when set, it
    // answers instead of the program the desktop associates.
    std::function<bool(std::string_view target)> answer_open;
    // How often the program beeped (refused keys included).
    int beeps = 0;

    int message_box(std::string_view text, std::string_view caption, unsigned flags) override;
    void run_modal(TForm& form) override;
    void form_shown(TForm& form) override;
    void form_hidden(TForm& form) override;
    bool open_dialog(TOpenDialog& dialog, bool save) override;
    bool color_dialog(TColorDialog& dialog) override;
    bool font_dialog(TFontDialog& dialog) override;
    bool printer_setup_dialog() override;
    bool select_folder(std::string_view caption, std::string& folder) override;
    void popup_menu(TPopupMenu& menu, int x, int y) override;
    std::optional<std::string> clipboard_text() override;
    void set_clipboard_text(std::string_view text) override;
    void timer_changed(TTimer& timer) override;
    void timer_destroyed(TTimer& timer) override;
    int64_t tick_count() override;
    bool key_held(Word key) override;
    void set_cursor(TCursor cursor) override;
    std::vector<MonitorInfo> monitors() override;
    int pixels_per_inch() override;
    int screen_text_width(const TFont& font, std::string_view text) override;
    void beep() override;
    bool shell_open(std::string_view target) override;
    open_result open_file(std::string_view path) override;
    bool open_in_editor(std::string_view path) override;
    std::string dxf_program() override;
    std::vector<FontInfo> fonts() override;
    std::vector<FontFile> font_files() override;
    TPrinter& printer() override;
    Registry& registry() override { return registry_; }
    // A QtBitmap.
    std::unique_ptr<TBitmap> make_bitmap(int width, int height) override;
    void process_messages() override;
    void terminate() override;
    // Runs the application's event loop until the program ends.
    int exec_main_loop();
    // Qt's own texts (standard buttons, the common dialogs, the edits' menus)
    // in the chosen language: Qt's translation of it, loaded from Qt's
    // translations folder (Debian's qt6-translations-l10n); English without.
    void language_chosen(std::string_view language) override;

    // The window dialogs stand over (the active form's window).
    QWidget* dialog_parent() const;

private:
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<QtPrinter> printer_;
    Registry registry_;
    QElapsedTimer clock_;
    std::unordered_map<TTimer*, std::unique_ptr<QTimer>> timers_;
    bool override_cursor_ = false;
    bool main_loop_running_ = false;
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace gui
