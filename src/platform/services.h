// The services of the operating system and the window system, behind one
// interface with two implementations: HeadlessServices (tests; answers from
// a script and records what was shown) and the Qt services of the front end.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics.h"
#include "platform/types.h"

class TForm;
class TTimer;
class TPopupMenu;
class TOpenDialog;
class TColorDialog;
class TFontDialog;
class TPrinter;
class Registry;

struct MonitorInfo {
    int Left = 0, Top = 0, Width = 1920, Height = 1080;
};

struct FontInfo {
    std::string name;
    int pitch_and_family = 0;  // low two bits: 1 fixed, 2 variable; high nibble: family
    bool scalable = true;      // an outline (vector, TrueType or OpenType) face; false for bitmap faces
};

// One entry of the installed fonts' file table: the face with its style and
// format ("Arial Bold (TrueType)", the regular style without its word) and
// the name of its font file ("arialbd.ttf").
struct FontFile {
    std::string name;
    std::string file;
};

// What became of a file handed to the desktop to open.
enum class open_result {
    opened,      // its program was started
    missing,     // there is no such file
    no_program,  // no program is associated with its type, or it could not be started
};

class Services {
public:
    virtual ~Services() = default;

    // A modal message box: text and caption, MB_* flags (buttons, icon,
    // default button); returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int message_box(std::string_view text, std::string_view caption, unsigned flags) = 0;

    // Runs a modal form until its ModalResult is set (the front end's modal
    // loop; headless: the test's responder plays the user).
    virtual void run_modal(TForm& form) = 0;
    // A form was shown or hidden without being modal.
    virtual void form_shown(TForm& /*form*/) {}
    virtual void form_hidden(TForm& /*form*/) {}

    // Common dialogs: true when the user confirmed. The dialog objects carry
    // their settings in and the choice out.
    virtual bool open_dialog(TOpenDialog& dialog, bool save) = 0;
    virtual bool color_dialog(TColorDialog& dialog) = 0;
    virtual bool font_dialog(TFontDialog& dialog) = 0;
    virtual bool printer_setup_dialog() = 0;
    // Folder browser: `folder` in and out.
    virtual bool select_folder(std::string_view caption, std::string& folder) = 0;
    // Shows a popup menu at screen point (x, y); the chosen item is clicked
    // through platform/input.h.
    virtual void popup_menu(TPopupMenu& menu, int x, int y) = 0;

    // Clipboard, plain text. Nothing (nullopt) when the clipboard holds a
    // character that Windows-1250 cannot: such text is refused, not pasted
    // with stand-ins (see refuse_unrepresentable_text in forms.h).
    virtual std::optional<std::string> clipboard_text() = 0;
    virtual void set_clipboard_text(std::string_view text) = 0;

    // Timers: the front end calls timer_fired (through platform/input.h) when
    // an enabled timer's interval has passed.
    virtual void timer_changed(TTimer& timer) = 0;
    virtual void timer_destroyed(TTimer& timer) = 0;
    // Milliseconds of a monotonic clock.
    virtual int64_t tick_count() = 0;

    // Whether a key (VK_CONTROL, VK_SHIFT, VK_MENU) is held now.
    virtual bool key_held(Word key) = 0;
    virtual void set_cursor(TCursor cursor) = 0;
    virtual std::vector<MonitorInfo> monitors() = 0;
    virtual int pixels_per_inch() = 0;
    virtual void beep() = 0;

    // Opens a file, folder or address with its associated program; false
    // when nothing could open it.
    virtual bool shell_open(std::string_view target) = 0;
    // Opens a file (a document, the drawing, the help) with the program the
    // desktop associates with its type.
    virtual open_result open_file(std::string_view path) = 0;
    // Opens a text file in the user's text editor.
    virtual bool open_in_editor(std::string_view path) = 0;
    // The command line of the program registered to open ".dxf" files (a
    // quoted program path may be followed by arguments), "" when none.
    virtual std::string dxf_program() = 0;

    // The width in pixels of a text in a font as the window system writes
    // it on the screen (headless: the built-in metrics), for controls that
    // size themselves to the texts they paint.
    virtual int screen_text_width(const TFont& font, std::string_view text) { return ::text_width(font, text); }

    virtual std::vector<FontInfo> fonts() = 0;
    // The installed fonts' file table, sorted by name.
    virtual std::vector<FontFile> font_files() = 0;
    virtual TPrinter& printer() = 0;
    virtual Registry& registry() = 0;
    // A white bitmap of the size, for raster printing.
    virtual std::unique_ptr<TBitmap> make_bitmap(int width, int height) = 0;

    // The system's language: the locale named by LC_ALL, LC_MESSAGES or
    // LANG (the first one set and not empty), "" when none is.
    virtual std::string system_language();
    // The program's language was chosen ("english", "polski"): the front
    // end's own texts (standard buttons, common dialogs) follow it.
    virtual void language_chosen(std::string_view /*language*/) {}

    // Processes pending window-system events (a long operation's progress).
    virtual void process_messages() {}
    // Ends the application's event loop.
    virtual void terminate() {}

    // A user's action was aimed at a control no user can reach (disabled or
    // hidden, itself or a parent): the action is dropped. The window system
    // delivers no such input, so the front end needs nothing here; the
    // headless services raise ScriptError (a test pressed what a user
    // cannot).
    virtual void unreachable_input(std::string_view /*what*/) {}
};

// The services in use (set by the Program or the test fixture).
Services& services();
// The same, nullptr when none is installed (a destructor must not raise).
Services* installed_services();
void set_services(Services* s);

// A mistake in a test's script (a question nobody answers, a modal form
// without a responder): not an error of the program, so the toolkit's
// exception handling lets it through.
class ScriptError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};
