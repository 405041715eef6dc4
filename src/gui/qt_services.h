// The services of the Qt front end: real message boxes and dialogs, the
// clipboard, timers on the real clock, the screen, the desktop's
// associations, fonts, the printer and the registry store.
#pragma once

#include <QElapsedTimer>

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

// The command line of a desktop entry's Exec value with its field codes
// removed ("%%" stays a "%") and a bare program name resolved through PATH
// (quoted when its path holds a blank); "" for an empty value.
std::string desktop_exec_command(const QString& exec);
// The name a font file table gives a face: family, style unless it is the
// regular one, and "(TrueType)" or "(OpenType)" by the file's format.
QString font_table_name(const QString& family, const QString& style, bool opentype);

class QtServices : public Services {
public:
    QtServices();
    ~QtServices() override;

    Renderer& renderer() { return *renderer_; }

    // A test's stand-in for the user at a message box: when set, it answers
    // instead of a shown box.
    std::function<int(std::string_view text, std::string_view caption, unsigned flags)> answer_message_box;
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
    void beep() override;
    bool shell_open(std::string_view target) override;
    bool open_in_editor(std::string_view path) override;
    std::string dxf_program() override;
    std::vector<FontInfo> fonts() override;
    std::vector<FontFile> font_files() override;
    TPrinter& printer() override;
    Registry& registry() override { return registry_; }
    void process_messages() override;
    void terminate() override;
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
    std::unique_ptr<QTranslator> translator_;
};

}  // namespace gui
