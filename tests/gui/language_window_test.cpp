// The program's languages as a person meets them in the real windows: the
// language chosen in the settings comes back at the next start, in English
// every text of the program's own is one of the English file, and in
// either language no caption is cut. Each window is walked view by view
// (every page of its page controls), and screenshots of the main window
// and every settings page in both languages are kept.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "files/settings_groups.h"
#include "forms/opcje.h"
#include "forms/rys1.h"
#include "gui/gui_fixture.h"
#include "gui/qt_text.h"
#include "model/columns.h"
#include "model/messages.h"
#include "model/state.h"
#include "platform/comctrls.h"
#include "platform/cp1250.h"
#include "platform/grids.h"
#include "platform/ini.h"
#include "platform/menus.h"
#include "platform/named_bytes.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "platform/services.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "widgets/comctrls95.h"

namespace {

std::string shipped(const std::string& language) { return std::string(HALVOREN_RESOURCE_DIR) + "/lang/" + language + ".lng"; }

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(text.substr(from));
    return parts;
}

bool has_polish_letter(const std::string& text) {
    return text.find_first_of("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF") !=
           std::string::npos;
}

// What the two files say, to judge a text shown in English: every value of
// english.lng with each of its parts (list items, table columns and cells,
// the items of a stored row), its patterns, and the Polish file's texts.
class language_texts {
public:
    language_texts() {
        const IniFile english(shipped("english"));
        for (const std::string& s : english.ReadSections())
            for (const std::string& k : english.ReadSection(s)) add(english.ReadString(s, k, ""), english_);
        const IniFile polski(shipped("polski"));
        for (const std::string& s : polski.ReadSections())
            for (const std::string& k : polski.ReadSection(s)) add(polski.ReadString(s, k, ""), polish_);
        for (const std::string& t : english_) {
            if (t.find('%') == std::string::npos) continue;
            std::string rx;
            for (std::size_t i = 0; i < t.size(); ++i) {
                if (t[i] == '%' && i + 1 < t.size() && std::strchr("sdf", t[i + 1])) {
                    rx += "[\\s\\S]*";
                    ++i;
                } else if (t[i] == '%' && i + 2 < t.size() && t[i + 1] == '.' && t[i + 3] == 'f') {
                    rx += "[\\s\\S]*";
                    i += 3;
                } else {
                    if (std::strchr("\\^$.|?*+()[]{}", t[i])) rx += '\\';
                    rx += t[i];
                }
            }
            patterns_.emplace_back(rx);
        }
        // The longest first, for taking texts out of a composed one.
        by_length_.assign(english_.begin(), english_.end());
        std::sort(by_length_.begin(), by_length_.end(),
                  [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    }

    // Why a text shown in English is not the English file's, or "" when it
    // is (or is a value: numbers, names, paths, the user's data).
    std::string fault(const std::string& text, const std::set<std::string>& values) const {
        if (text.empty() || values.count(text)) return "";
        if (has_polish_letter(text)) return "Polish letters";
        if (english_.count(text)) return "";
        for (const std::regex& r : patterns_)
            if (std::regex_match(text, r)) return "";
        if (polish_.count(text)) return "the Polish file's text";
        // A text composed of the file's texts and values ("Node [1/1]:"):
        // once those are taken out, no word may be left.
        std::string rest = text;
        for (const std::string& v : values)
            if (v.size() >= 2) rest = replace(rest, v);
        for (const std::string& t : by_length_)
            if (t.size() >= 2) rest = replace(rest, t);
        if (std::regex_search(rest, std::regex("[A-Za-z]{2,}"))) return "not from the English file";
        return "";
    }

private:
    std::set<std::string> english_, polish_;
    std::vector<std::regex> patterns_;
    std::vector<std::string> by_length_;

    static void add(const std::string& value, std::set<std::string>& to) {
        to.insert(value);
        for (const std::string& column : split(value, "\\r"))
            for (const std::string& cell : split(column, "\\n")) {
                to.insert(cell);
                for (const std::string& item : split_items(cell, item_separator)) to.insert(item);
            }
    }
    static std::string replace(std::string text, const std::string& part) {
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) text.replace(at, part.size(), " ");
        return text;
    }
};

const language_texts& texts() {
    static const language_texts t;
    return t;
}

class LanguageWindows : public GuiTest {
protected:
    // The program started afresh on the same HALVOREN_HOME in the language
    // of the user's settings file, its main window shown and active.
    void start() {
        if (prog) prog.reset();
        settle();
        ini_cache_clear();
        prog = std::make_unique<Program>(qt(), std::vector<std::string>{home.file("bin/halvoren")});
        prog->show_main_window();
        settle();
        QApplication::setActiveWindow(window(*Form1));
        settle();
    }
    void start_in(const char* language) {
        ini_write(user_settings_file(), "inne", "lang", std::string(language) == "english" ? "0" : "1");
        start();
    }
    static std::string language() { return settings().language; }

    // Every view of every window: the window shown, then each page of its
    // page controls in turn (an inner page with the pages it stands on).
    void walk(const std::function<void(TForm&, const std::string& view)>& look) {
        std::vector<TForm*> forms;
        for (int i = 0; i < app().ComponentCount(); ++i)
            if (auto* f = dynamic_cast<TForm*>(app().Components(i))) forms.push_back(f);
        for (TForm* f : forms) {
            const bool main = f == app().MainForm();
            if (!main) f->Show();
            settle();
            look(*f, "");
            for (int k = 0; k < f->ComponentCount(); ++k) {
                auto* page = dynamic_cast<TTabSheet*>(f->Components(k));
                if (!page) continue;
                for (TControl* c = page; c; c = c->Parent())
                    if (auto* s = dynamic_cast<TTabSheet*>(c)) s->PageControl()->SetActivePage(s);
                settle();
                look(*f, page->Name());
            }
            if (!main) f->Hide();
            settle();
        }
        Form1->PageControl1->SetActivePage(Form1->ts_Data);
        settle();
    }

    // --- cut captions ---------------------------------------------------------------

    static QRect in_window(QWidget* w, const QRect& r, QWidget* top) { return QRect(w->mapTo(top, r.topLeft()), r.size()); }

    // Where the text of a label, check box or radio button stands in its
    // widget; an empty rectangle for other widgets and for empty texts.
    static QRect text_rect(QWidget* w) {
        const QFontMetrics fm(w->font());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty()) return {};
            if (l->wordWrap()) return QRect(0, 0, l->width(), l->heightForWidth(l->width()));
            const int width = fm.horizontalAdvance(l->text());
            int x = 0;
            if (l->alignment() & Qt::AlignRight) x = l->width() - width;
            else if (l->alignment() & Qt::AlignHCenter) x = (l->width() - width) / 2;
            return QRect(x, (l->height() - fm.height()) / 2, width, fm.height());
        }
        auto* b = qobject_cast<QAbstractButton*>(w);
        if (!b || !(qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) || b->text().isEmpty()) return {};
        // The indicator and the text, as wide as the button asks to be.
        QRect r(0, (b->height() - fm.height()) / 2, b->sizeHint().width(), fm.height());
        if (b->layoutDirection() == Qt::RightToLeft) r.moveRight(b->width() - 1);
        return r;
    }

    // The texts cut in the window as it shows now: wider than their widget,
    // reaching past a parent's edge, or covered by a widget on top of them.
    std::vector<std::string> cut_captions(TForm& f) {
        std::vector<std::string> out;
        QWidget* top = window(f);
        // A control standing partly outside its parent (a group box too
        // small for what it holds) is cut, whatever it shows.
        auto inside = [&](const TComponent* c, QWidget* w, const QRect& r, const std::string& what) {
            for (QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget()) {
                // A scroll area shows the rest of its content by scrolling.
                if (qobject_cast<QAbstractScrollArea*>(p->parentWidget())) break;
                if (!in_window(p, p->rect(), top).contains(r)) {
                    out.push_back(what + "reaches past the edge of its parent " + parent_name(p));
                    return false;
                }
            }
            (void)c;
            return true;
        };
        auto check = [&](const TComponent* c, QWidget* w) {
            if (!w->isVisible()) return;
            const QRect local = text_rect(w);
            if (local.isEmpty()) {
                if (!dynamic_cast<const TForm*>(c) && qobject_cast<QWidget*>(w->parent()))
                    inside(c, w, in_window(w, w->rect(), top), f.Name() + "." + c->Name() + " ");
                return;
            }
            const std::string what = f.Name() + "." + c->Name() + " \"" + cp(w) + "\" ";
            if (local.left() < 0 || local.right() >= w->width() || local.bottom() >= std::max(w->height(), local.height()) + 1) {
                out.push_back(what + "is wider than its widget");
                return;
            }
            const QRect r = in_window(w, local, top);
            if (!inside(c, w, r, what)) return;
            const QObjectList& siblings = w->parentWidget()->children();
            for (auto it = std::find(siblings.begin(), siblings.end(), w) + 1; it != siblings.end(); ++it) {
                auto* s = qobject_cast<QWidget*>(*it);
                if (s && s->isVisible() && in_window(s, s->rect(), top).intersects(r)) {
                    out.push_back(what + "is covered by " + parent_name(s));
                    return;
                }
            }
        };
        for (int k = 0; k < f.ComponentCount(); ++k) {
            auto* c = dynamic_cast<TControl*>(f.Components(k));
            QWidget* w = c ? renderer().widget_for(c) : nullptr;
            if (!w) continue;
            if (dynamic_cast<TRadioGroup*>(c)) {
                for (QRadioButton* b : w->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) check(c, b);
            } else {
                check(c, w);
            }
        }
        return out;
    }
    static std::string cp(QWidget* w) {
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text().toStdString();  // UTF-8 for the report
        return {};
    }
    std::string parent_name(QWidget* w) {
        for (int i = 0; i < app().ComponentCount(); ++i)
            if (auto* f = dynamic_cast<TForm*>(app().Components(i)))
                for (int k = 0; k < f->ComponentCount(); ++k)
                    if (renderer().widget_for(f->Components(k)) == w) return f->Components(k)->Name();
        return w->metaObject()->className();
    }

    // --- texts shown ------------------------------------------------------------------

    // The texts the window shows now (captions, items, cells, tab and tree
    // texts, hints of what is visible, its title and menus), each with
    // where it stands.
    std::map<std::string, std::string> shown_texts(TForm& f) {
        std::map<std::string, std::string> out;
        auto add = [&out](const std::string& where, const std::string& text) {
            if (!text.empty()) out.emplace(text, where);
        };
        auto items = [&add](const std::string& where, const TStringList& l) {
            for (int i = 0; i < l.Count(); ++i) add(where, l[i]);
        };
        gui::FormWindow* w = window(f);
        add(f.Name(), gui::cp(w->windowTitle()));
        if (QMenuBar* bar = w->menu_bar())
            for (QAction* a : bar->actions()) menu_texts(f.Name() + " menu", a, out);
        for (int k = 0; k < f.ComponentCount(); ++k) {
            TComponent* c = f.Components(k);
            const std::string where = f.Name() + "." + c->Name();
            if (auto* a = dynamic_cast<TAction*>(c)) {
                add(where + " hint", a->Hint());
                continue;
            }
            auto* control = dynamic_cast<TControl*>(c);
            QWidget* widget = control ? renderer().widget_for(control) : nullptr;
            if (!widget || !widget->isVisible()) continue;
            if (control->ShowHint) add(where + " hint", control->Hint());
            // What edits hold is the user's or the settings' value.
            if (!dynamic_cast<TCustomEdit*>(c) && !dynamic_cast<TComboBox*>(c)) add(where, control->Caption());
            if (auto* cb = dynamic_cast<TComboBox*>(c)) items(where, cb->Items());
            if (auto* lb = dynamic_cast<TListBox*>(c)) items(where, lb->Items());
            if (auto* rg = dynamic_cast<TRadioGroup*>(c)) items(where, rg->Items());
            if (auto* tc = dynamic_cast<TTabControl*>(c))
                for (int n = 0; n < tc->TabCount(); ++n) add(where, tc->Tab(n).Text);
            if (auto* tv = dynamic_cast<TTreeView*>(c))
                for (int n = 0; n < tv->Items().Count(); ++n) add(where, tv->Items().Item(n)->Text());
            if (auto* g = dynamic_cast<TStringGrid*>(c))
                for (int col = 0; col < g->ColCount(); ++col)
                    for (int row = 0; row < g->RowCount(); ++row)
                        add(where + "[" + IntToStr(col) + "," + IntToStr(row) + "]", g->Cells(col, row));
            if (control->PopupMenu) popup_texts(control, widget, where, out);
        }
        return out;
    }
    static void menu_texts(const std::string& where, QAction* a, std::map<std::string, std::string>& out) {
        if (!a->isVisible() || a->isSeparator()) return;
        const std::string text = gui::cp(a->text());
        if (!text.empty()) out.emplace(text, where);
        if (QMenu* m = a->menu())
            for (QAction* sub : m->actions()) menu_texts(where + " > " + text, sub, out);
    }
    // The control's popup menu opened by a right click, as the user sees it.
    static void popup_texts(TControl* c, QWidget* w, const std::string& where, std::map<std::string, std::string>& out) {
        QWidget* target = w;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) target = area->viewport();
        bool opened = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            opened = true;
            for (QAction* a : menu->actions()) menu_texts(where + " popup", a, out);
            menu->close();
        });
        const QPoint at(5, 5);
        QContextMenuEvent ev(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &ev);
        settle();
        (void)c;
        (void)opened;
    }

    // Values a window shows that no language file gives: the profiles'
    // names, the folders, the fonts and the check marks.
    static std::set<std::string> values() {
        std::set<std::string> out{std::string(1, check_on), std::string(1, check_off), "Halvoren"};
        for (const odcinek& p : model().profiles) out.insert(p.nazwa);
        for (const std::string& folder : {folders().config_folder, folders().documents_folder, folders().program_folder})
            out.insert(folder);
        out.insert(user_settings_file());
        for (int i = 0; i < topcje->cb_fonts->Items().Count(); ++i) out.insert(topcje->cb_fonts->Items()[i]);
        // The print dialog names the printer.
        for (const std::string& name : services().printer().Printers()) out.insert(name);
        return out;
    }

    void keep_screenshots(TForm& f, const std::string& view) {
        const std::string suffix = "_" + language();
        if (&f == Form1 && (view.empty() || view == "ts_DrawingPreview" || view == "ts_Drainage"))
            screenshot(window(f), QString::fromStdString("language_Form1" + (view.empty() ? "" : "_" + view) + suffix));
        if (&f == topcje && !view.empty())
            screenshot(window(f), QString::fromStdString("language_topcje_" + view + suffix));
    }
};

TEST_F(LanguageWindows, PolishChosenInTheSettingsComesBackAtTheNextStartWithQtsOwnButtonsPolish) {
    start_in("english");
    ASSERT_EQ(topcje->cb_Language->Text(), "english");
    // The settings command of the tool bar opens the dialog; the user picks
    // "Other" in the tree, "polski" in the list, and OK.
    QWidget* configuration = widget(Form1->SpeedButton8);
    ASSERT_NE(configuration, nullptr);
    ASSERT_TRUE(configuration->isVisible());
    bool acted = false;
    // What the user does in the dialog; whatever fails, the dialog closes.
    auto choose_polish = [&] {
        settle();
        auto* tree = widget_as<QTreeWidget>(topcje->tv_Config);
        if (!tree) return;
        QStringList shown;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) shown << (*it)->text(0);
        const QList<QTreeWidgetItem*> other = tree->findItems(QStringLiteral("Other"), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(other.size(), 1) << shown.join(u'|').toStdString();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(other[0]).center());
        settle();
        ASSERT_EQ(topcje->PageControl1->ActivePage(), topcje->ts_Other);
        auto* combo = widget_as<QComboBox>(topcje->cb_Language);
        ASSERT_NE(combo, nullptr);
        QTest::mouseClick(combo, Qt::LeftButton);
        settle();
        // The list opened: down to its second item, and Enter.
        ASSERT_TRUE(combo->view()->isVisible());
        QTest::keyClick(combo->view(), Qt::Key_Down);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        settle();
        EXPECT_EQ(topcje->cb_Language->Text(), "polski");
        EXPECT_EQ(topcje->ts_Other->Caption(), "&Inne");
        QTest::mouseClick(widget_as<QPushButton>(topcje->b_OK), Qt::LeftButton);
        acted = true;
    };
    QTimer::singleShot(0, [&] {
        choose_polish();
        if (!acted) topcje->SetModalResult(mrCancel);
    });
    QTest::mouseClick(configuration, Qt::LeftButton);
    settle();
    ASSERT_TRUE(acted);
    EXPECT_FALSE(window(*topcje)->isVisible());
    // The program is closed by its window's title bar, which ends its event
    // loop, and started again.
    QTimer::singleShot(0, [this] { window(*Form1)->close(); });
    EXPECT_EQ(qt().exec_main_loop(), 0);
    EXPECT_TRUE(app().Terminated());
    start();
    EXPECT_EQ(topcje->cb_Language->Text(), "polski");
    EXPECT_EQ(window(*Form1)->menu_bar()->actions()[0]->text(), QStringLiteral("&Plik"));
    EXPECT_EQ(Form1->sg1->Cells(model().position_of(column_kind::fi), 0), "Średnica"_cp);
    // Qt's own buttons speak Polish too.
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) buttons << b->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MessageBox(msg("msg_FileSaveQuestion", "Czy zapisać bieżące dane?"_cp), MB_YESNO | MB_ICONQUESTION), IDNO);
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("&Nie"), QStringLiteral("&Tak")}));
}

TEST_F(LanguageWindows, InEnglishEveryTextOfTheProgramsOwnComesFromTheEnglishFile) {
    start_in("english");
    ASSERT_EQ(language(), "english");
    std::set<std::string> faults;
    std::set<std::string> seen;
    walk([&](TForm& f, const std::string& view) {
        const std::set<std::string> known = values();
        for (const auto& [text, where] : shown_texts(f)) {
            seen.insert(text);
            const std::string why = texts().fault(text, known);
            if (!why.empty()) faults.insert(where + (view.empty() ? "" : " (" + view + ")") + ": \"" + cp1250_to_utf8(text) + "\" " + why);
        }
    });
    // The walk saw the windows' texts, the menus' and the popup menus' among them.
    EXPECT_GT(seen.size(), 600u);
    for (const char* t : {"&File", "Settings", "Add", "Trench bottom", "Diameter", "Terrain description"})
        EXPECT_TRUE(seen.count(t)) << t;
    // The messages a person meets on the way: a number the table cannot read.
    std::vector<std::string> messages;
    qt().answer_message_box = [&messages](std::string_view text, std::string_view caption, unsigned) {
        messages.emplace_back(text);
        messages.emplace_back(caption);
        return IDOK;
    };
    QWidget* table = widget(Form1->sg1);
    Form1->sg1->SetFocus();
    settle();
    for (const char k : std::string("12-3-4")) {
        QWidget* editor = table->findChild<QLineEdit*>();
        key(editor && editor->isVisible() ? editor : table, static_cast<Qt::Key>(k), Qt::NoModifier, QString(QChar::fromLatin1(k)));
    }
    QWidget* editor = table->findChild<QLineEdit*>();
    key(editor && editor->isVisible() ? editor : table, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    settle();
    qt().answer_message_box = nullptr;
    EXPECT_FALSE(messages.empty());
    if (!messages.empty()) {
        EXPECT_TRUE(messages[0].starts_with("Wrong data format: \r\" ")) << messages[0];
    }
    for (const std::string& m : messages) {
        const std::string why = texts().fault(m, values());
        if (!why.empty()) faults.insert("message \"" + cp1250_to_utf8(m) + "\" " + why);
    }
    for (const std::string& f : faults) ADD_FAILURE() << f;
}

TEST_F(LanguageWindows, NoCaptionIsCutInEitherLanguage) {
    for (const char* lang : {"english", "polski"}) {
        start_in(lang);
        ASSERT_EQ(language(), lang);
        // Each cut caption once, with the first view that shows it.
        std::map<std::string, std::string> cut;
        walk([&](TForm& f, const std::string& view) {
            keep_screenshots(f, view);
            for (const std::string& c : cut_captions(f)) cut.emplace(c, view);
        });
        for (const auto& [c, view] : cut) ADD_FAILURE() << lang << ": " << c << (view.empty() ? "" : " (" + view + ")");
    }
}

TEST_F(LanguageWindows, LabelsOnScreenTakeTheSizeOfTheirCaptions) {
    auto* form = new TForm(&app());
    form->SetBounds(0, 0, 400, 200);
    auto label = [form](TAlignment a, bool wrap) {
        auto* l = new TLabel(form);
        l->Alignment = a;
        l->WordWrap = wrap;
        l->SetBounds(100, 10, 120, 15);
        l->SetParent(form);
        return l;
    };
    TLabel* left = label(TAlignment::taLeftJustify, false);
    TLabel* right = label(TAlignment::taRightJustify, false);
    TLabel* wrapped = label(TAlignment::taLeftJustify, true);
    form->Show();
    settle();
    const std::string text = "Take a drop in the sump when the depth difference exceeds [mm]:";
    for (TLabel* l : {left, right, wrapped}) l->SetCaption(text);
    settle();
    auto* l = qobject_cast<QLabel*>(widget(left));
    auto* r = qobject_cast<QLabel*>(widget(right));
    auto* w = qobject_cast<QLabel*>(widget(wrapped));
    ASSERT_TRUE(l && r && w);
    const int width = QFontMetrics(l->font()).horizontalAdvance(l->text());
    // A left-aligned label grows to the right, a right-aligned one to the left.
    EXPECT_EQ(l->x(), 100);
    EXPECT_GE(l->width(), width);
    EXPECT_EQ(r->x() + r->width(), 220);
    EXPECT_GE(r->width(), width);
    // A word-wrapped one keeps its width and grows down to hold its lines.
    EXPECT_EQ(w->x(), 100);
    EXPECT_EQ(w->width(), 120);
    EXPECT_GE(w->height(), w->heightForWidth(120));
    EXPECT_GT(w->height(), 2 * QFontMetrics(w->font()).height());
    form->Hide();
    settle();
}

}  // namespace
