// Bindings of the standard controls: labels, buttons, check boxes, radio
// buttons and groups, edits, memos, combo, list and check-list boxes, spin
// edits, panels, group boxes, scroll boxes, splitters, paint boxes and
// pictures.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOption>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QTextBlock>
#include <QTimer>
#include <QToolButton>
#include <qdrawutil.h>

#include "gui/bindings.h"
#include "gui/key_map.h"
#include "gui/qt_canvas.h"
#include "gui/qt_text.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "platform/services.h"
#include "platform/stdctrls.h"

namespace gui {

namespace {

Qt::Alignment qt_alignment(TAlignment a) {
    switch (a) {
        case TAlignment::taRightJustify: return Qt::AlignRight;
        case TAlignment::taCenter: return Qt::AlignHCenter;
        case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft;
}

// --- owner-drawn items ------------------------------------------------------

using DrawItem = std::function<void(int index, TRect rect, TOwnerDrawState state, QPainter& painter)>;

void draw_owner_item(TWinControl* control, TItemCanvasHost* host, const TDrawItemEvent& handler, int index,
                     const QRect& r, TOwnerDrawState state, QPainter& painter) {
    painter.save();
    QtCanvas canvas(painter);
    canvas.Font = control->Font();
    const bool selected = state & odSelected;
    canvas.Brush.Color = selected ? clHighlight : control->Color();
    if (selected) canvas.Font.Color = clHighlightText;
    host->set_canvas(&canvas);
    const TRect rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    run_deferred_errors([&] { handler(control, index, rect, state); });
    host->set_canvas(nullptr);
    painter.restore();
}

class OwnerDrawDelegate : public QStyledItemDelegate {
public:
    OwnerDrawDelegate(TWinControl* control, TItemCanvasHost* host, std::function<const TDrawItemEvent&()> handler,
                      std::function<int()> item_height, QObject* parent)
        : QStyledItemDelegate(parent), control_(control), host_(host), handler_(std::move(handler)),
          item_height_(std::move(item_height)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const TDrawItemEvent& h = handler_();
        if (!h) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        TOwnerDrawState st = 0;
        if (option.state & QStyle::State_Selected) st |= odSelected;
        if (option.state & QStyle::State_HasFocus) st |= odFocused;
        if (!(option.state & QStyle::State_Enabled)) st |= odDisabled;
        QRect rect = option.rect;
        // A check list box draws the item's check box itself; the owner
        // paints the rest of the item.
        if (auto* checks = dynamic_cast<TCheckListBox*>(control_)) {
            const QWidget* w = option.widget;
            QStyle* style = w ? w->style() : QApplication::style();
            const int size = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w);
            QStyleOptionButton box;
            if (w) box.initFrom(w);
            box.rect = QRect(rect.left() + 2, rect.top() + (rect.height() - size) / 2, size, size);
            box.state = QStyle::State_Enabled | (checks->Checked(index.row()) ? QStyle::State_On : QStyle::State_Off);
            painter->fillRect(QRect(rect.left(), rect.top(), size + 4, rect.height()), option.palette.base());
            style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, w);
            rect.setLeft(rect.left() + size + 4);
        }
        draw_owner_item(control_, host_, h, index.row(), rect, st, *painter);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(1, item_height_()));
        return s;
    }

private:
    TWinControl* control_;
    TItemCanvasHost* host_;
    std::function<const TDrawItemEvent&()> handler_;
    std::function<int()> item_height_;
};

// --- label ----------------------------------------------------------------------

class LabelBinding : public Binding {
public:
    LabelBinding(Renderer& r, TLabel* l, QWidget* parent) : Binding(r, l), label_(new QLabel(parent)) {
        label_->setTextFormat(Qt::PlainText);
        label_->setFocusPolicy(Qt::NoFocus);
        attach(label_);
    }
    TLabel* lab() const { return static_cast<TLabel*>(control); }
    void sync_caption() override {
        label_->setText(strip_accelerator(qs(lab()->Caption())));
        place();
    }
    void sync_state(Prop) override {
        label_->setAlignment(qt_alignment(lab()->Alignment) | (lab()->WordWrap ? Qt::AlignTop : Qt::AlignVCenter));
        label_->setWordWrap(lab()->WordWrap);
    }
    void place() override {
        TLabel* l = lab();
        if (!l->AutoSize || l->Align() != TAlign::alNone) {
            Binding::place();
            return;
        }
        if (l->WordWrap) {
            // Its width kept, as tall as its lines.
            const int width = std::max(0, l->Width());
            label_->setGeometry(l->Left(), l->Top(), width, std::max(l->Height(), label_->heightForWidth(width)));
            return;
        }
        // Sized to its text, the right edge kept for right-aligned text.
        const QSize hint = label_->sizeHint();
        int x = l->Left();
        if (l->Alignment == TAlignment::taRightJustify) x = l->Left() + l->Width() - hint.width();
        else if (l->Alignment == TAlignment::taCenter) x = l->Left() + (l->Width() - hint.width()) / 2;
        label_->setGeometry(x, l->Top(), hint.width(), std::max(hint.height(), 1));
    }
    bool fills_background() const override { return !lab()->Transparent; }
    void sync(Prop p) override {
        Binding::sync(p);
        if (p == Prop::Font) place();  // the text's size changed
    }

private:
    QLabel* label_;
};

// --- buttons ------------------------------------------------------------------

class ButtonBinding : public Binding {
public:
    ButtonBinding(Renderer& r, TButton* b, QWidget* parent) : Binding(r, b), button_(new QPushButton(parent)) {
        button_->setAutoDefault(false);
        on(button_, &QPushButton::clicked, [this](bool) { user::click(control); });
        attach(button_);
    }
    void sync_caption() override { button_->setText(qs(control->Caption())); }
    void sync_state(Prop) override { button_->setDefault(static_cast<TButton*>(control)->Default); }
    bool passive_mouse() const override { return false; }

private:
    QPushButton* button_;
};

class SpeedButtonBinding : public Binding {
public:
    SpeedButtonBinding(Renderer& r, TSpeedButton* b, QWidget* parent) : Binding(r, b), button_(new QToolButton(parent)) {
        button_->setFocusPolicy(Qt::NoFocus);
        on(button_, &QToolButton::clicked, [this](bool) { user::click(control); });
        attach(button_);
    }
    TSpeedButton* sb() const { return static_cast<TSpeedButton*>(control); }
    void resync() override { sync_state(Prop::Down); }
    void sync_caption() override { sync_state(Prop::Style); }
    void sync_state(Prop) override {
        const QIcon ic = renderer.picture(sb()->ImageName(), sb()->Images, sb()->ImageIndex);
        button_->setIcon(ic);
        // Without a picture the caption shows, or the hint's short part.
        button_->setText(qs(ic.isNull() ? caption_or_hint(sb()) : sb()->Caption()));
        button_->setToolButtonStyle(ic.isNull() ? Qt::ToolButtonTextOnly
                                    : sb()->Caption().empty() ? Qt::ToolButtonIconOnly
                                                              : Qt::ToolButtonTextBesideIcon);
        button_->setAutoRaise(sb()->Flat);
        button_->setCheckable(sb()->GroupIndex != 0 || sb()->Down());
        button_->setChecked(sb()->Down());
    }
    bool passive_mouse() const override { return false; }

private:
    QToolButton* button_;
};

class CheckBoxBinding : public Binding {
public:
    CheckBoxBinding(Renderer& r, TCheckBox* b, QWidget* parent) : Binding(r, b), box_(new QCheckBox(parent)) {
        on(box_, &QCheckBox::clicked, [this](bool) { user::click(control); });
        attach(box_);
    }
    TCheckBox* cb() const { return static_cast<TCheckBox*>(control); }
    void resync() override { sync_state(Prop::Checked); }
    void sync_caption() override { box_->setText(qs(cb()->Caption())); }
    void sync_state(Prop) override {
        box_->setTristate(cb()->AllowGrayed || cb()->State() == TCheckBoxState::cbGrayed);
        box_->setCheckState(cb()->State() == TCheckBoxState::cbChecked  ? Qt::Checked
                            : cb()->State() == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                                        : Qt::Unchecked);
        box_->setLayoutDirection(cb()->Alignment == TAlignment::taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    }
    bool passive_mouse() const override { return false; }

private:
    QCheckBox* box_;
};

class RadioButtonBinding : public Binding {
public:
    RadioButtonBinding(Renderer& r, TRadioButton* b, QWidget* parent) : Binding(r, b), radio_(new QRadioButton(parent)) {
        radio_->setAutoExclusive(false);
        on(radio_, &QRadioButton::clicked, [this](bool) { user::click(control); });
        attach(radio_);
    }
    void resync() override { sync_state(Prop::Checked); }
    void sync_caption() override { radio_->setText(qs(control->Caption())); }
    void sync_state(Prop) override { radio_->setChecked(static_cast<TRadioButton*>(control)->Checked()); }
    bool passive_mouse() const override { return false; }

private:
    QRadioButton* radio_;
};

// The frame of a group box or radio group: through the middle of the
// caption, as the old toolkit drew it.
void paint_group_frame(QPainter& p, QWidget* w, const std::string& caption, bool enabled) {
    const QFontMetrics fm(w->font());
    const int top = fm.height() / 2;
    qDrawShadeRect(&p, QRect(0, top, w->width(), w->height() - top), w->palette(), true, 1, 0);
    if (caption.empty()) return;
    const QString title = qs(caption);
    const QRect text(8, 0, fm.horizontalAdvance(strip_accelerator(title)) + 4, fm.height());
    p.fillRect(text, w->palette().color(QPalette::Window));
    p.setPen(w->palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, title);
}

class RadioGroupBinding : public Binding {
public:
    RadioGroupBinding(Renderer& r, TRadioGroup* g, QWidget* parent) : Binding(r, g), box_(new HookWidget(parent)) {
        box_->on_paint = [this](QPainter& p) { paint_group_frame(p, box_, control->Caption(), control->Enabled()); };
        box_->on_resize = [this] { arrange(); };
        attach(box_);
    }
    TRadioGroup* group() const { return static_cast<TRadioGroup*>(control); }
    QList<QRadioButton*> buttons() const { return QList<QRadioButton*>(buttons_.begin(), buttons_.end()); }
    void sync_caption() override { box_->update(); }
    void sync_state(Prop p) override {
        if (p == Prop::Items) rebuild();
        if (p == Prop::Items || p == Prop::ItemIndex)
            for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
                buttons_[static_cast<std::size_t>(i)]->setChecked(i == group()->ItemIndex());
    }
    void sync(Prop p) override {
        Binding::sync(p);
        if (p == Prop::Font) arrange();
    }
    void resync() override { sync_state(Prop::ItemIndex); }
    bool passive_mouse() const override { return false; }

private:
    HookWidget* box_;
    std::vector<QRadioButton*> buttons_;

    void rebuild() {
        for (QRadioButton* b : buttons_) delete b;
        buttons_.clear();
        const int n = group()->Items().Count();
        for (int i = 0; i < n; ++i) {
            auto* b = new QRadioButton(qs(group()->Items()[i]), box_);
            b->setAutoExclusive(false);
            b->show();
            on(b, &QRadioButton::clicked, [this, i](bool) { user::choose(group(), i); });
            buttons_.push_back(b);
        }
        arrange();
    }
    // Columns of equal width; the rows share the height below the caption.
    void arrange() {
        const int n = static_cast<int>(buttons_.size());
        if (n == 0) return;
        const int cols = std::max(1, group()->Columns);
        const int rows = (n + cols - 1) / cols;
        const int text = QFontMetrics(box_->font()).height();
        const int avail = std::max(rows, box_->height() - text - 5);
        const int row_height = avail / rows;
        const int top = text + 1 + (avail % rows) / 2;
        const int col_width = std::max(1, (box_->width() - 10) / cols);
        for (int i = 0; i < n; ++i) {
            QRadioButton* b = buttons_[static_cast<std::size_t>(i)];
            const int h = std::max(row_height, b->sizeHint().height());
            b->setGeometry((i / rows) * col_width + 8, top + (i % rows) * row_height + (row_height - h) / 2, col_width, h);
        }
    }
};

// --- edits --------------------------------------------------------------------------

// The selection of an edit-like widget pushed into the control; `pushing`
// is set meanwhile, so that the control's change leaves the widget's caret.
void push_selection(Renderer& r, TCustomEdit* e, int start, int length, bool& pushing) {
    if (e->SelStart() == start && e->SelLength() == length) return;
    pushing = true;
    r.input([e, start, length] {
        e->SetSelStart(start);
        e->SetSelLength(length);
    });
    pushing = false;
}

class EditBinding : public FieldBinding {
public:
    EditBinding(Renderer& r, TCustomEdit* e, QWidget* parent, QLineEdit* line = nullptr)
        : FieldBinding(r, e), line_(line ? line : new QLineEdit(parent)) {
        on(line_, &QLineEdit::textEdited, [this](const QString& text) {
            if (acceptable(text)) user::set_text(edit(), cp(text));
        });
        auto selection = [this] {
            if (syncing() || pushing_) return;
            const int start = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
            const int length = line_->hasSelectedText() ? static_cast<int>(line_->selectedText().size()) : 0;
            push_selection(renderer, edit(), start, length, pushing_);
        };
        QObject::connect(line_, &QLineEdit::selectionChanged, line_, selection);
        QObject::connect(line_, &QLineEdit::cursorPositionChanged, line_, selection);
    }
    void start() { attach(line_); }
    TCustomEdit* edit() const { return static_cast<TCustomEdit*>(control); }
    void sync_caption() override {
        const QString t = qs(edit()->Text());
        if (line_->text() != t) line_->setText(t);
        sync_selection();
    }
    void sync_state(Prop p) override {
        if (p == Prop::Selection) {
            sync_selection();
            return;
        }
        line_->setReadOnly(edit()->ReadOnly());
        line_->setEchoMode(edit()->PasswordChar ? QLineEdit::Password : QLineEdit::Normal);
    }
    void sync_selection() {
        if (pushing_) return;
        const int start = edit()->SelStart(), length = edit()->SelLength();
        const int qstart = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        const int qlength = line_->hasSelectedText() ? static_cast<int>(line_->selectedText().size()) : 0;
        if (start == qstart && length == qlength) return;
        if (length > 0) line_->setSelection(start, length);
        else line_->setCursorPosition(start);
    }
    void resync() override { sync_caption(); }
    QWidget* focus_widget() const override { return line_; }

protected:
    QLineEdit* line_;
    bool pushing_ = false;
};

// Positions in the memo's text (lines joined with CR LF) and in Qt's (LF).
int qt_position(const std::string& text, int i) {
    int q = i;
    for (int k = 0; k < i && k + 1 < static_cast<int>(text.size()); ++k)
        if (text[static_cast<std::size_t>(k)] == '\r' && text[static_cast<std::size_t>(k + 1)] == '\n') --q;
    return q;
}

int core_position(const std::string& text, int q) {
    int k = 0;
    const int n = static_cast<int>(text.size());
    for (int pos = 0; pos < q && k < n; ++pos)
        k += (text[static_cast<std::size_t>(k)] == '\r' && k + 1 < n && text[static_cast<std::size_t>(k + 1)] == '\n') ? 2 : 1;
    return k;
}

class MemoBinding : public FieldBinding {
public:
    MemoBinding(Renderer& r, TMemo* m, QWidget* parent) : FieldBinding(r, m), text_(new QPlainTextEdit(parent)) {
        // The narrow margin of the system's edit control: a memo one line
        // high shows its line.
        text_->document()->setDocumentMargin(1);
        on(text_, &QPlainTextEdit::textChanged, [this] {
            QString t = text_->toPlainText();
            if (!acceptable(t)) return;
            t.replace(u'\n', QStringLiteral("\r\n"));
            const std::string s = cp(t);
            if (s != memo()->Text()) user::set_text(memo(), s);
        });
        auto selection = [this] {
            if (syncing() || pushing_) return;
            const QTextCursor c = text_->textCursor();
            const std::string& s = memo()->Text();
            const int start = core_position(s, c.selectionStart());
            const int end = core_position(s, c.selectionEnd());
            push_selection(renderer, memo(), start, end - start, pushing_);
        };
        QObject::connect(text_, &QPlainTextEdit::selectionChanged, text_, selection);
        QObject::connect(text_, &QPlainTextEdit::cursorPositionChanged, text_, selection);
        attach(text_);
    }
    TMemo* memo() const { return static_cast<TMemo*>(control); }
    void resync() override { sync_caption(); }
    void sync_caption() override {
        QString t = qs(memo()->Text());
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text_->toPlainText() != t) text_->setPlainText(t);
        sync_selection();
    }
    void sync_state(Prop p) override {
        if (p == Prop::Selection) {
            sync_selection();
            return;
        }
        text_->setReadOnly(memo()->ReadOnly());
        text_->setLineWrapMode(memo()->WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        const TScrollStyle s = memo()->ScrollBars;
        text_->setVerticalScrollBarPolicy(s == TScrollStyle::ssVertical || s == TScrollStyle::ssBoth ? Qt::ScrollBarAlwaysOn
                                                                                                       : Qt::ScrollBarAsNeeded);
        text_->setHorizontalScrollBarPolicy(s == TScrollStyle::ssHorizontal || s == TScrollStyle::ssBoth
                                                ? Qt::ScrollBarAlwaysOn
                                                : Qt::ScrollBarAsNeeded);
    }
    void sync_selection() {
        if (pushing_) return;
        const std::string& s = memo()->Text();
        const int start = qt_position(s, memo()->SelStart());
        const int end = qt_position(s, memo()->SelStart() + memo()->SelLength());
        QTextCursor c = text_->textCursor();
        if (c.selectionStart() == start && c.selectionEnd() == end) return;
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        text_->setTextCursor(c);
    }

private:
    QPlainTextEdit* text_;
    bool pushing_ = false;
};

class SpinWidget : public QAbstractSpinBox {
public:
    explicit SpinWidget(QWidget* parent) : QAbstractSpinBox(parent) {}
    std::function<void(int)> on_step;
    QLineEdit* edit() const { return lineEdit(); }
    void stepBy(int steps) override {
        if (on_step) on_step(steps);
    }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

class SpinEditBinding : public EditBinding {
public:
    SpinEditBinding(Renderer& r, TSpinEdit* s, QWidget* parent, SpinWidget* w) : EditBinding(r, s, parent, w->edit()), spin_(w) {
        spin_->on_step = input_handler([this](int steps) {
            auto* se = static_cast<TSpinEdit*>(control);
            user::set_value(se, se->Value() + steps * se->Increment);
        });
    }
    void begin() { attach(spin_); }
    void sync_state(Prop p) override {
        EditBinding::sync_state(p);
        spin_->setReadOnly(edit()->ReadOnly());
    }

private:
    SpinWidget* spin_;
};

// --- combo and list boxes ---------------------------------------------------------

class ComboWidget : public QComboBox {
public:
    explicit ComboWidget(QWidget* parent) : QComboBox(parent) {}
    std::function<void()> on_drop_down;
    std::function<void()> on_close_up;
    // Paints the current item in the closed box (owner-drawn boxes).
    std::function<void(QPainter&, const QRect&)> paint_current;
    void showPopup() override {
        if (on_drop_down) on_drop_down();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (on_close_up) on_close_up();
    }

protected:
    void paintEvent(QPaintEvent* e) override {
        if (!paint_current || isEditable()) {
            QComboBox::paintEvent(e);
            return;
        }
        QStylePainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        opt.currentText.clear();
        opt.currentIcon = QIcon();
        p.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        paint_current(p, r);
    }
};

class ComboBinding : public FieldBinding {
public:
    ComboBinding(Renderer& r, TComboBox* c, QWidget* parent) : FieldBinding(r, c), combo_(new ComboWidget(parent)) {
        combo_->setInsertPolicy(QComboBox::NoInsert);
        on(combo_, &QComboBox::activated, [this](int i) { user::choose(box(), i); });
        combo_->on_drop_down = [this] {
            TComboBox* cb = box();
            renderer.input([cb] {
                cb->DroppedDown = true;
                if (cb->OnDropDown) cb->OnDropDown(cb);
            });
        };
        combo_->on_close_up = [this] {
            TComboBox* cb = box();
            renderer.input([cb] {
                cb->DroppedDown = false;
                if (cb->OnCloseUp) cb->OnCloseUp(cb);
            });
        };
        attach(combo_);
    }
    ~ComboBinding() override {
        // The box closes its list as it goes: nothing of this binding runs then.
        if (widget) {
            combo_->on_drop_down = nullptr;
            combo_->on_close_up = nullptr;
            combo_->paint_current = nullptr;
        }
    }
    TComboBox* box() const { return static_cast<TComboBox*>(control); }
    bool owner_drawn() const {
        return (box()->Style == TComboBoxStyle::csOwnerDrawFixed || box()->Style == TComboBoxStyle::csOwnerDrawVariable) &&
               box()->OnDrawItem;
    }
    void sync_caption() override { sync_current(); }
    void sync_state(Prop p) override {
        if (p == Prop::Items) {
            combo_->clear();
            for (int i = 0; i < box()->Items().Count(); ++i) combo_->addItem(qs(box()->Items()[i]));
        }
        if (p == Prop::Style || p == Prop::Items) {
            const bool editable = box()->Style == TComboBoxStyle::csDropDown || box()->Style == TComboBoxStyle::csSimple;
            if (combo_->isEditable() != editable) {
                combo_->setEditable(editable);
                if (editable) {
                    combo_->setCompleter(nullptr);
                    on(combo_->lineEdit(), &QLineEdit::textEdited, [this](const QString& text) {
                        if (acceptable(text)) user::set_text(box(), cp(text));
                    });
                }
            }
            combo_->setMaxVisibleItems(std::max(1, box()->DropDownCount));
            if (owner_drawn() && !delegate_) {
                TComboBox* cb = box();
                delegate_ = new OwnerDrawDelegate(
                    cb, cb, [cb]() -> const TDrawItemEvent& { return cb->OnDrawItem; }, [cb] { return cb->ItemHeight; }, combo_);
                combo_->setItemDelegate(delegate_);
                combo_->paint_current = [this, cb](QPainter& painter, const QRect& r) {
                    if (cb->ItemIndex() < 0 || !cb->OnDrawItem) return;
                    draw_owner_item(cb, cb, cb->OnDrawItem, cb->ItemIndex(), r, odComboBoxEdit | (combo_->hasFocus() ? static_cast<TOwnerDrawState>(odFocused) : 0u),
                                    painter);
                };
            }
        }
        sync_current();
    }
    void sync_current() {
        if (combo_->currentIndex() != box()->ItemIndex()) combo_->setCurrentIndex(box()->ItemIndex());
        if (combo_->isEditable() && combo_->currentText() != qs(box()->Text())) combo_->setEditText(qs(box()->Text()));
        combo_->update();
    }
    void resync() override { sync_current(); }

private:
    ComboWidget* combo_;
    OwnerDrawDelegate* delegate_ = nullptr;
};

class ListBinding : public FieldBinding {
public:
    ListBinding(Renderer& r, TListBox* l, QWidget* parent) : FieldBinding(r, l), list_(new QListWidget(parent)) {
        list_->setSelectionMode(QAbstractItemView::NoSelection);
        list_->setUniformItemSizes(true);
        attach(list_);
    }
    TListBox* lb() const { return static_cast<TListBox*>(control); }
    TCheckListBox* checks() const { return dynamic_cast<TCheckListBox*>(control); }
    void sync_state(Prop p) override {
        if (p == Prop::Items) {
            list_->clear();
            for (int i = 0; i < lb()->Items().Count(); ++i) list_->addItem(qs(lb()->Items()[i]));
            if (lb()->Style != TListBoxStyle::lbStandard && !delegate_) {
                TListBox* l = lb();
                delegate_ = new OwnerDrawDelegate(
                    l, l, [l]() -> const TDrawItemEvent& { return l->OnDrawItem; }, [l] { return l->ItemHeight; }, list_);
                list_->setItemDelegate(delegate_);
            }
        }
        if (TCheckListBox* cl = checks(); cl && (p == Prop::Items || p == Prop::Checked || p == Prop::Style)) {
            for (int i = 0; i < list_->count(); ++i) {
                QListWidgetItem* it = list_->item(i);
                Qt::ItemFlags f = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
                if (cl->ItemEnabled(i)) f |= Qt::ItemIsEnabled;
                it->setFlags(f);
                it->setCheckState(cl->Checked(i) ? Qt::Checked : Qt::Unchecked);
            }
        }
        if (p == Prop::Items || p == Prop::ItemIndex || p == Prop::Selection) {
            list_->setSelectionMode(QAbstractItemView::MultiSelection);
            for (int i = 0; i < list_->count(); ++i) list_->item(i)->setSelected(lb()->Selected(i));
            list_->setSelectionMode(QAbstractItemView::NoSelection);
            if (lb()->ItemIndex() >= 0) {
                list_->setCurrentRow(lb()->ItemIndex(), QItemSelectionModel::NoUpdate);
                list_->scrollToItem(list_->item(lb()->ItemIndex()));
            }
        }
    }
    bool mouse_event(QWidget* target, QMouseEvent* e, QPoint) override {
        if (target != list_->viewport()) return false;
        if (e->type() == QEvent::MouseButtonPress && e->button() == Qt::LeftButton) {
            const QPoint vp = e->position().toPoint();
            const QModelIndex index = list_->indexAt(vp);
            if (index.isValid()) {
                const int row = index.row();
                TListBox* l = lb();
                TCheckListBox* cl = checks();
                const TShiftState shift = shift_from_qt(e->modifiers());
                const QPointer<QObject> alive = lifetime();
                renderer.input([l, row, shift] { user::choose(l, row, shift); });
                if (cl && alive && widget && vp.x() < list_->visualRect(index).left() + 20)
                    renderer.input([cl, row] { user::toggle_check(cl, row); });
            }
        }
        return e->type() != QEvent::MouseMove || (e->buttons() & Qt::LeftButton);
    }

private:
    QListWidget* list_;
    OwnerDrawDelegate* delegate_ = nullptr;
};

// --- containers and drawing surfaces ---------------------------------------------------

class PanelBinding : public Binding {
public:
    PanelBinding(Renderer& r, TPanel* p, QWidget* parent) : Binding(r, p), panel_(new HookWidget(parent)) {
        panel_->on_paint = [this](QPainter& painter) { paint(painter); };
        attach(panel_);
    }
    TPanel* panel() const { return static_cast<TPanel*>(control); }
    void sync_caption() override { panel_->update(); }
    void sync_state(Prop) override { panel_->update(); }

private:
    HookWidget* panel_;
    void paint(QPainter& p) {
        QRect r = panel_->rect();
        auto bevel = [&](TBevelCut cut) {
            if (cut == TBevelCut::bvNone) return;
            if (cut != TBevelCut::bvSpace) qDrawShadePanel(&p, r, panel_->palette(), cut == TBevelCut::bvLowered, 1);
            r.adjust(1, 1, -1, -1);
        };
        bevel(panel()->BevelOuter);
        bevel(panel()->BevelInner);
        if (!panel()->Caption().empty()) {
            p.setPen(panel_->palette().color(QPalette::WindowText));
            p.drawText(r.adjusted(2, 0, -2, 0), static_cast<int>(qt_alignment(panel()->Alignment) | Qt::AlignVCenter),
                       strip_accelerator(qs(panel()->Caption())));
        }
    }
};

// The frame runs through the middle of the caption, as the old group box
// drew it; the children stand where their bounds say inside it.
class GroupBoxBinding : public Binding {
public:
    GroupBoxBinding(Renderer& r, TGroupBox* g, QWidget* parent) : Binding(r, g), box_(new HookWidget(parent)) {
        box_->on_paint = [this](QPainter& p) { paint(p); };
        attach(box_);
    }
    void sync_caption() override { box_->update(); }

private:
    HookWidget* box_;
    void paint(QPainter& p) { paint_group_frame(p, box_, control->Caption(), control->Enabled()); }
};

// The children stand on a surface inside a scroll area; the surface is as
// large as the box's ranges (at least the visible part), and follows the
// children as they come, go, move and change size.
class ScrollBoxBinding : public Binding {
public:
    ScrollBoxBinding(Renderer& r, TScrollBox* b, QWidget* parent)
        : Binding(r, b), area_(new QScrollArea(parent)), surface_(new HookWidget(nullptr)) {
        area_->setWidgetResizable(false);
        area_->setWidget(surface_);
        surface_->installEventFilter(&watcher_);
        area_->viewport()->installEventFilter(&watcher_);
        watcher_.on_change = [this] { schedule_fit(); };
        on(area_->horizontalScrollBar(), &QScrollBar::valueChanged, [this](int v) { box()->HorzScrollBar().SetPosition(v); });
        on(area_->verticalScrollBar(), &QScrollBar::valueChanged, [this](int v) { box()->VertScrollBar().SetPosition(v); });
        attach(area_);
    }
    TScrollBox* box() const { return static_cast<TScrollBox*>(control); }
    QWidget* container() const override { return surface_; }
    void children_built() override { fit(); }
    void sync(Prop p) override {
        Binding::sync(p);
        if (p == Prop::Color) {
            surface_->setPalette(area_->palette());
            surface_->setAutoFillBackground(area_->autoFillBackground());
            area_->viewport()->setPalette(area_->palette());
            area_->viewport()->setAutoFillBackground(area_->autoFillBackground());
        }
    }
    void sync_state(Prop p) override {
        if (p != Prop::Selection) return;
        fit();
        area_->horizontalScrollBar()->setValue(box()->HorzScrollBar().Position());
        area_->verticalScrollBar()->setValue(box()->VertScrollBar().Position());
    }
    bool passive_mouse() const override { return false; }

private:
    // Child widgets added, removed, moved or resized, or the view resized.
    class Watcher : public QObject {
    public:
        std::function<void()> on_change;
        bool eventFilter(QObject* obj, QEvent* e) override {
            switch (e->type()) {
                case QEvent::ChildAdded:
                    if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child())) w->installEventFilter(this);
                    [[fallthrough]];
                case QEvent::ChildRemoved:
                case QEvent::Move:
                case QEvent::Resize:
                case QEvent::Show:
                case QEvent::Hide:
                    if (on_change) on_change();
                    break;
                default: break;
            }
            return QObject::eventFilter(obj, e);
        }
    };
    QScrollArea* area_;
    HookWidget* surface_;
    Watcher watcher_;
    bool fit_scheduled_ = false;

    void schedule_fit() {
        if (fit_scheduled_) return;
        fit_scheduled_ = true;
        QTimer::singleShot(0, lifetime(), [this] {
            fit_scheduled_ = false;
            fit();
        });
    }
    void fit() {
        const QSize view = area_->viewport()->size();
        const QSize size(std::max(box()->HorzScrollBar().Range(), view.width()),
                         std::max(box()->VertScrollBar().Range(), view.height()));
        if (surface_->size() != size) surface_->resize(size);
    }
};

class SplitterBinding : public Binding {
public:
    SplitterBinding(Renderer& r, TSplitter* s, QWidget* parent) : Binding(r, s), bar_(new HookWidget(parent)) {
        bar_->on_paint = [this](QPainter& p) {
            if (static_cast<TSplitter*>(control)->Beveled) qDrawShadePanel(&p, bar_->rect(), bar_->palette(), false, 1);
        };
        attach(bar_);
    }
    void sync_state(Prop) override {
        const TAlign a = control->Align();
        bar_->setCursor(a == TAlign::alTop || a == TAlign::alBottom ? Qt::SplitVCursor : Qt::SplitHCursor);
    }
    bool mouse_event(QWidget*, QMouseEvent* e, QPoint pos) override {
        const TAlign a = control->Align();
        const bool vertical = a == TAlign::alTop || a == TAlign::alBottom;
        if (e->type() == QEvent::MouseButtonPress && e->button() == Qt::LeftButton) grab_ = vertical ? pos.y() : pos.x();
        else if (e->type() == QEvent::MouseButtonRelease) grab_ = -1;
        else if (e->type() == QEvent::MouseMove && grab_ >= 0 && (e->buttons() & Qt::LeftButton)) {
            const int delta = (vertical ? pos.y() : pos.x()) - grab_;
            if (delta != 0) {
                auto* s = static_cast<TSplitter*>(control);
                renderer.input([s, delta] { user::drag_splitter(s, delta); });
            }
        }
        return true;
    }

private:
    HookWidget* bar_;
    int grab_ = -1;
};

class PaintBinding : public Binding {
public:
    PaintBinding(Renderer& r, TControl* c, QWidget* parent, bool fill) : Binding(r, c), box_(new HookWidget(parent)) {
        box_->setMouseTracking(true);
        box_->on_paint = [this, fill](QPainter& p) { paint_control(control, p, fill); };
        attach(box_);
    }
    void sync_state(Prop) override { box_->update(); }
    bool fills_background() const override { return false; }

private:
    HookWidget* box_;
};

}  // namespace

bool acceptable(const QString& text) {
    if (fits_cp1250(text)) return true;
    refuse_unrepresentable_text();
    return false;
}

Binding* make_standard_binding(Renderer& r, TControl* c, QWidget* parent) {
    if (auto* x = dynamic_cast<TLabel*>(c)) return new LabelBinding(r, x, parent);
    if (auto* x = dynamic_cast<TButton*>(c)) return new ButtonBinding(r, x, parent);
    if (auto* x = dynamic_cast<TSpeedButton*>(c)) return new SpeedButtonBinding(r, x, parent);
    if (auto* x = dynamic_cast<TCheckBox*>(c)) return new CheckBoxBinding(r, x, parent);
    if (auto* x = dynamic_cast<TRadioButton*>(c)) return new RadioButtonBinding(r, x, parent);
    if (auto* x = dynamic_cast<TRadioGroup*>(c)) return new RadioGroupBinding(r, x, parent);
    if (auto* x = dynamic_cast<TMemo*>(c)) return new MemoBinding(r, x, parent);
    if (auto* x = dynamic_cast<TSpinEdit*>(c)) {
        auto* b = new SpinEditBinding(r, x, parent, new SpinWidget(parent));
        b->begin();
        return b;
    }
    if (auto* x = dynamic_cast<TCustomEdit*>(c)) {
        auto* b = new EditBinding(r, x, parent);
        b->start();
        return b;
    }
    if (auto* x = dynamic_cast<TComboBox*>(c)) return new ComboBinding(r, x, parent);
    if (auto* x = dynamic_cast<TListBox*>(c)) return new ListBinding(r, x, parent);
    if (auto* x = dynamic_cast<TPanel*>(c)) return new PanelBinding(r, x, parent);
    if (auto* x = dynamic_cast<TGroupBox*>(c)) return new GroupBoxBinding(r, x, parent);
    if (auto* x = dynamic_cast<TScrollBox*>(c)) return new ScrollBoxBinding(r, x, parent);
    if (auto* x = dynamic_cast<TSplitter*>(c)) return new SplitterBinding(r, x, parent);
    if (auto* x = dynamic_cast<TPaintBox*>(c)) return new PaintBinding(r, x, parent, false);
    if (auto* x = dynamic_cast<TImage*>(c)) return new PaintBinding(r, x, parent, false);
    return nullptr;
}

}  // namespace gui
