#include "platform/forms.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "platform/files.h"
#include "platform/services.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"

namespace {
TApplication* g_application = nullptr;
TCursor g_cursor = TCursor::crDefault;
}  // namespace

TApplication* Application() {
    if (!g_application) throw ScriptError("no application is running");
    return g_application;
}

TApplication* current_application() { return g_application; }

void set_application(TApplication* app) { g_application = app; }

// ---------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    begin_loading();
    visible_ = false;
    SetBounds(0, 0, 640, 480);
}

TForm::~TForm() = default;

void TForm::DoCreate() {
    if (ComponentState() & csLoading) Loaded();
    if (created_) return;
    created_ = true;
    fire(this, OnCreate, this);
}

void TForm::DoDestroy() { fire(this, OnDestroy, this); }

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
    if (old && exiting_ != old) {
        // The exit handler validates what was typed: when it raises, the
        // focus stays. A focus change inside it does not run it again.
        exiting_ = old;
        try {
            old->DoExit();
        } catch (...) {
            exiting_ = nullptr;
            throw;
        }
        exiting_ = nullptr;
        // The handler moved the focus itself (or destroyed the control).
        if (active_control_ != old) return;
    }
    active_control_ = c;
    if (old) old->changed(Prop::Focus);
    c->changed(Prop::Focus);
    c->DoEnter();
}

bool TForm::DialogKey(Word key, TShiftState shift) {
    TWinControl* focused = ActiveControl();
    if (focused && focused->wants_key(key)) return false;
    if (key == VK_TAB) {
        if (shift & (ssCtrl | ssAlt)) return false;
        SelectNext(focused, !(shift & ssShift), true);
        return true;
    }
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    if (auto* b = dynamic_cast<TButton*>(focused); b && key == VK_RETURN) {
        b->Click();
        return true;
    }
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TButton*>(Components(i));
            b && b->Showing() && b->Enabled() && ((key == VK_RETURN && b->Default) || (key == VK_ESCAPE && b->Cancel))) {
            b->Click();
            return true;
        }
    return false;
}

void TForm::SetVisible(bool v) {
    if (v == visible_) return;
    // A form shown is built, whether or not its OnCreate ran.
    if (v && (ComponentState() & csLoading)) Loaded();
    TControl::SetVisible(v);
    if (v) {
        if (g_application) g_application->set_active_form(this);
        if (!modal_) services().form_shown(*this);
        fire(this, OnShow, this);
    } else {
        fire(this, OnHide, this);
        if (!modal_) services().form_hidden(*this);
        if (g_application && g_application->ActiveForm() == this) g_application->set_active_form(g_application->MainForm());
    }
}

bool TForm::CloseQuery() {
    bool can = true;
    fire(this, OnCloseQuery, this, can);
    return can;
}

void TForm::Close() {
    if (modal_) {
        modal_result_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    fire(this, OnClose, this, action);
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
            g_application->modal_ended(this);
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
            fire(this, OnClose, this, action);
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

void TApplication::push_modal(TForm* f) {
    modal_stack_.push_back(f);
    outer_input_depths_.push_back(std::exchange(input_depth_, 0));
}

void TApplication::pop_modal() {
    if (modal_stack_.empty()) return;
    modal_stack_.pop_back();
    input_depth_ = outer_input_depths_.back();
    outer_input_depths_.pop_back();
}

void TApplication::post(std::function<void()> call) { posted_.push_back(std::move(call)); }

void TComponent::Release() { Application()->release(this); }

void TApplication::release(TComponent* c) {
    if (std::find(released_.begin(), released_.end(), c) != released_.end()) return;
    // Destroyed meanwhile by its owner, it leaves the list (Notification).
    FreeNotification(c);
    released_.push_back(c);
    post([this] { destroy_released(); });
}

void TApplication::destroy_released() {
    std::vector<TComponent*> waiting;
    while (!released_.empty()) {
        TComponent* c = released_.front();
        released_.erase(released_.begin());
        if (auto* f = dynamic_cast<TForm*>(c); f && f->Modal()) {
            waiting.push_back(c);
            continue;
        }
        RemoveFreeNotification(c);
        delete c;
    }
    released_.insert(released_.end(), waiting.begin(), waiting.end());
}

void TApplication::modal_ended(TForm* f) {
    if (std::find(released_.begin(), released_.end(), f) != released_.end()) post([this] { destroy_released(); });
}

void TApplication::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) released_.erase(std::remove(released_.begin(), released_.end(), c), released_.end());
}

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

void TApplication::ProcessMessages() {
    services().process_messages();
    process_pending();
}

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
