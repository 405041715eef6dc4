#include "platform/forms.h"

#include <stdexcept>

#include "platform/files.h"
#include "platform/services.h"
#include "platform/sysutils.h"

namespace {
TApplication* g_application = nullptr;
TCursor g_cursor = TCursor::crDefault;
}  // namespace

TApplication* Application() {
    if (!g_application) throw ScriptError("no application is running");
    return g_application;
}

void set_application(TApplication* app) { g_application = app; }

// ---------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;
    SetBounds(0, 0, 640, 480);
}

TForm::~TForm() = default;

void TForm::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}

void TForm::SetFormStyle(TFormStyle s) {
    if (s == form_style_) return;
    form_style_ = s;
    changed(Prop::Style);
}

void TForm::SetWindowState(TWindowState s) {
    if (s == window_state_) return;
    window_state_ = s;
    changed(Prop::Bounds);
}

void TForm::SetModalResult(TModalResult r) {
    modal_result_ = r;
}

void TForm::SetActiveControl(TWinControl* c) {
    if (!c) {
        active_control_ = nullptr;
        return;
    }
    c->SetFocus();
}

void TForm::focus_control(TWinControl* c) {
    if (c == active_control_) return;
    TWinControl* old = active_control_;
    active_control_ = c;
    if (old) {
        old->changed(Prop::Focus);
        old->DoExit();
    }
    // An exit handler may move the focus elsewhere; then this enter is moot.
    if (active_control_ != c) return;
    c->changed(Prop::Focus);
    c->DoEnter();
}

void TForm::forget_control(TControl* c) {
    if (active_control_ == c) active_control_ = nullptr;
}

void TForm::SetVisible(bool v) {
    if (v == visible_) return;
    TControl::SetVisible(v);
    if (v) {
        if (g_application) g_application->set_active_form(this);
        if (!modal_) services().form_shown(*this);
        if (OnShow) OnShow(this);
    } else {
        if (OnHide) OnHide(this);
        if (!modal_) services().form_hidden(*this);
        if (g_application && g_application->ActiveForm() == this) g_application->set_active_form(g_application->MainForm());
    }
}

bool TForm::CloseQuery() {
    bool can = true;
    if (OnCloseQuery) OnCloseQuery(this, can);
    return can;
}

void TForm::Close() {
    if (modal_) {
        modal_result_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (g_application && this == g_application->MainForm()) {
        SetVisible(false);
        g_application->Terminate();
        return;
    }
    SetVisible(false);
}

TModalResult TForm::ShowModal() {
    if (visible_ || modal_) throw Exception("Cannot make a visible window modal");
    TForm* previous_active = g_application ? g_application->ActiveForm() : nullptr;
    modal_ = true;
    modal_result_ = mrNone;
    if (g_application) g_application->push_modal(this);
    auto finish = [&] {
        if (visible_) SetVisible(false);
        modal_ = false;
        if (g_application) {
            g_application->pop_modal();
            g_application->set_active_form(previous_active);
        }
    };
    try {
        SetVisible(true);
        for (;;) {
            if (modal_result_ == mrNone) services().run_modal(*this);
            if (modal_result_ == mrNone) modal_result_ = mrCancel;
            // The form may refuse to close; then the user goes on.
            if (!CloseQuery()) {
                modal_result_ = mrNone;
                continue;
            }
            TCloseAction action = TCloseAction::caHide;
            if (OnClose) OnClose(this, action);
            if (action == TCloseAction::caNone) {
                modal_result_ = mrNone;
                continue;
            }
            break;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return modal_result_;
}

// ---------------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    if (g_application == this) g_application = nullptr;
}

std::string TApplication::ParamStr(int i) const {
    return i >= 0 && i < static_cast<int>(arguments.size()) ? arguments[static_cast<std::size_t>(i)] : std::string();
}

std::string TApplication::ExeFolder() const { return IncludeTrailingPathDelimiter(ExtractFilePath(ParamStr(0))); }

void TApplication::post(std::function<void()> call) { posted_.push_back(std::move(call)); }

int TApplication::process_pending() {
    int n = 0;
    while (!posted_.empty()) {
        auto call = std::move(posted_.front());
        posted_.pop_front();
        run_guarded(call);
        ++n;
    }
    return n;
}

void TApplication::run_guarded(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const ScriptError&) {
        throw;
    } catch (const EAbort&) {
    } catch (const std::exception& e) {
        ShowException(e);
    }
}

void TApplication::ShowException(const std::exception& e) {
    std::string msg = e.what();
    // A full stop is added after a last character above "." (letters, digits...).
    if (!msg.empty() && static_cast<unsigned char>(msg.back()) > '.') msg += '.';
    services().message_box(msg, Title, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    return services().message_box(text, caption, flags);
}

TForm* TApplication::ActiveForm() const {
    if (!modal_stack_.empty()) return modal_stack_.back();
    return active_form_ ? active_form_ : main_form_;
}

void TApplication::ProcessMessages() { services().process_messages(); }

void TApplication::Terminate() {
    terminated_ = true;
    services().terminate();
}

// ---------------------------------------------------------------------------

namespace Screen {
void SetCursor(TCursor c) {
    g_cursor = c;
    services().set_cursor(c);
}
TCursor Cursor() { return g_cursor; }
int Width() {
    const auto m = services().monitors();
    return m.empty() ? 1024 : m.front().Width;
}
int Height() {
    const auto m = services().monitors();
    return m.empty() ? 768 : m.front().Height;
}
int PixelsPerInch() { return services().pixels_per_inch(); }
int MonitorCount() { return static_cast<int>(services().monitors().size()); }
MonitorInfo Monitors(int i) { return services().monitors().at(static_cast<std::size_t>(i)); }
std::vector<std::string> Fonts() {
    std::vector<std::string> names;
    for (const auto& f : services().fonts()) names.push_back(f.name);
    return names;
}
}  // namespace Screen

void ShowMessage(std::string_view text) {
    services().message_box(text, g_application ? g_application->Title : std::string("Halvoren"), MB_OK);
}

int MessageBox(std::string_view text, unsigned flags) {
    return services().message_box(text, g_application ? g_application->Title : std::string("Halvoren"), flags);
}

const char* const refused_text_note = "Tekst zawiera znaki, których program nie obsługuje."_cp;

void refuse_unrepresentable_text() {
    services().beep();
    TApplication* app = Application();
    if (app && app->OnNote) {
        const auto note = app->OnNote;  // the handler may replace itself
        note(refused_text_note);
    }
}
