// Forms, the application object and the screen.
//
// Forms are created once at start by the Program, own their controls in
// creation order and live until the end. A form is being built (no events
// run) from its constructor until DoCreate, or until it is first shown.
// ShowModal asks the services to run the form: headless, a test's responder
// plays the user's part; in the front end it is a real modal window. Modal
// forms nest.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/services.h"

class TMainMenu;
class TApplication;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormStyle { fsNormal, fsStayOnTop, fsMDIChild, fsMDIForm };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const char* ClassName() const override { return class_name_.c_str(); }

    // Ends the building of the form, then runs OnCreate; the Program calls
    // it right after construction.
    void DoCreate();
    // Runs OnDestroy; the Program calls it before it deletes the form.
    void DoDestroy();

    bool KeyPreview = false;
    TFormStyle FormStyle() const { return form_style_; }
    void SetFormStyle(TFormStyle s);
    TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
    TPosition Position = TPosition::poDesigned;
    TWindowState WindowState() const { return window_state_; }
    void SetWindowState(TWindowState s);
    component_ref<TMainMenu> Menu{this};

    TModalResult ModalResult() const { return modal_result_; }
    void SetModalResult(TModalResult r);
    bool Modal() const { return modal_; }

    // The control that has the keyboard focus on this form.
    TWinControl* ActiveControl() const { return active_control_; }
    void SetActiveControl(TWinControl* c);

    void SetVisible(bool v) override;
    // Shows the form modally; returns its ModalResult.
    TModalResult ShowModal();
    // Closes: OnCloseQuery, then OnClose; a modal form gets mrCancel, another
    // one is hidden.
    void Close();
    // Asks OnCloseQuery; true when the form may close.
    bool CloseQuery();
    void BringToFront() { changed(Prop::Style); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // The class name the form reports (subclasses set it: "Ttopcje").
    void set_class_name(std::string n) { class_name_ = std::move(n); }

    // Focus bookkeeping, used by TWinControl::SetFocus: the control that
    // has the focus runs OnExit (which may raise: the focus then stays),
    // then `c` takes the focus and runs OnEnter.
    void focus_control(TWinControl* c);

    // The window's keyboard navigation, once the key went past the message
    // hook, the shortcuts and the key preview, unless the focused control
    // wants the key itself: Tab and Shift+Tab move the focus in tab order;
    // Enter presses the focused button, else the default button; Esc the
    // cancel button. True when the key was used.
    bool DialogKey(Word key, TShiftState shift);

private:
    std::string class_name_ = "TForm";
    TFormStyle form_style_ = TFormStyle::fsNormal;
    TWindowState window_state_ = TWindowState::wsNormal;
    TModalResult modal_result_ = mrNone;
    bool modal_ = false;
    bool created_ = false;
    component_ref<TWinControl> active_control_{this};
    TWinControl* exiting_ = nullptr;  // the control whose OnExit runs
};

// What the message hook sees: a key going down or up, or a character.
struct TMsg {
    enum Kind { KeyDown, KeyUp, Char } kind = KeyDown;
    Word key = 0;           // virtual key, or the character for Char
    TShiftState shift = 0;
    TWinControl* target = nullptr;  // the control with the focus
};
using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    // The program's display name: caption of message boxes.
    std::string Title = "Halvoren";
    // The first form created.
    TForm* MainForm() const { return main_form_.get(); }
    void set_main_form(TForm* f) { main_form_ = f; }

    // Sees every key before anything else.
    TMessageEvent OnMessage;
    TNotifyEvent OnHint;

    // Hint settings.
    int HintPause = 500;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    bool ShowHint = true;
    std::string Hint;  // the current hint text (status bar)
    // Short notes for the user, which the main window shows in its status
    // bar; nothing while none is set.
    std::function<void(const std::string& text)> OnNote;

    // The command line: ParamStr(0) is the program's path.
    std::vector<std::string> arguments;
    int ParamCount() const { return arguments.empty() ? 0 : static_cast<int>(arguments.size()) - 1; }
    std::string ParamStr(int i) const;
    // The program's own folder (ends with the path separator).
    std::string ExeFolder() const;

    // Calls queued to run after the current event, in order.
    void post(std::function<void()> call);
    // Runs the queued calls (also those that they queue); returns how many ran.
    int process_pending();
    bool has_pending() const { return !posted_.empty(); }
    // Queues the destruction of a component (TComponent::Release). A form
    // that shows modally goes once its modal run is over.
    void release(TComponent* c);
    // A form's modal run ended: a release it waited for is queued now.
    void modal_ended(TForm* f);

    // Runs fn; an exception that escapes is shown in the standard error box
    // (EAbort silently; ScriptError passes through).
    void run_guarded(const std::function<void()>& fn);
    // The standard error box: the message (a full stop added when its last
    // character sorts above "."), OK and the error icon.
    void ShowException(const std::exception& e);
    int MessageBox(std::string_view text, std::string_view caption, unsigned flags);

    // The form that receives the keys: the innermost modal form, else the
    // active form.
    TForm* ActiveForm() const;
    void set_active_form(TForm* f) { active_form_ = f; }
    void push_modal(TForm* f);
    void pop_modal();
    int modal_depth() const { return static_cast<int>(modal_stack_.size()); }

    // User input being handled (platform/input.h): the calls nest; a modal
    // run starts afresh, as its loop takes input of its own. end_input is
    // true when the outermost input of the current loop ended.
    void begin_input() { ++input_depth_; }
    bool end_input() { return --input_depth_ == 0; }

    // Lets the window system handle its pending events, then runs the
    // queued calls.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

protected:
    void Notification(TComponent* c, TOperation op) override;

private:
    component_ref<TForm> main_form_{this};
    component_ref<TForm> active_form_{this};
    std::vector<TForm*> modal_stack_;
    std::vector<int> outer_input_depths_;  // input_depth_ of each loop a modal run interrupts
    int input_depth_ = 0;
    std::deque<std::function<void()>> posted_;
    std::vector<TComponent*> released_;  // released components not yet destroyed
    bool terminated_ = false;
    void destroy_released();
};

// The application of the running Program.
TApplication* Application();
// The same, nullptr when none is running.
TApplication* current_application();
void set_application(TApplication* app);

// Text that Windows-1250 cannot hold, typed or pasted, is refused, never
// stored with stand-ins: a beep and refused_text_note through the
// application's OnNote.
extern const char* const refused_text_note;
void refuse_unrepresentable_text();

// The screen: cursor, size, monitors, pixels per inch, fonts.
namespace Screen {
void SetCursor(TCursor c);
TCursor Cursor();
int Width();
int Height();
int PixelsPerInch();
int MonitorCount();
MonitorInfo Monitors(int i);
std::vector<std::string> Fonts();
}  // namespace Screen

// Message helpers with the display name as caption.
void ShowMessage(std::string_view text);
int MessageBox(std::string_view text, unsigned flags);
