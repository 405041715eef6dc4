#include "gui/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontMetrics>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QMimeType>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <set>

#include "gui/form_window.h"
#include "gui/qt_bitmap.h"
#include "gui/qt_printer.h"
#include "gui/qt_text.h"
#include "gui/renderer.h"
#include "platform/comctrls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace gui {

QStringList qt_filters(const std::string& filter) {
    TOpenDialog probe(nullptr);
    probe.Filter = filter;
    QStringList out;
    for (const auto& [description, masks] : probe.filter_pairs()) {
        QString patterns = qs(masks);
        patterns.replace(u';', u' ');
        patterns = patterns.simplified();
        QString d = qs(description).trimmed();
        // A description that shows its masks already keeps them, with the
        // real masks in the parentheses Qt reads.
        if (d.endsWith(u')') && d.contains(u'(') && d.mid(d.lastIndexOf(u'(')).contains(u'*'))
            d = d.left(d.lastIndexOf(u'(')).trimmed();
        out << d + QStringLiteral(" (") + patterns + u')';
    }
    return out;
}

QString dialog_start_folder(const std::string& initial_dir, const std::string& file_name) {
    const std::string dir = !initial_dir.empty() ? initial_dir : ExtractFileDir(file_name);
    QString folder = dir.empty() ? QString() : QDir::cleanPath(QFileInfo(os_path(dir)).absoluteFilePath());
    while (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        const QString above = QFileInfo(folder).absolutePath();
        folder = above == folder ? QString() : above;
    }
    return folder.isEmpty() ? QDir::homePath() : folder;
}

int filter_index(const QStringList& filters, const QString& chosen) {
    const int i = static_cast<int>(filters.indexOf(chosen));
    return i < 0 ? 1 : i + 1;
}

QtServices::QtServices()
    : renderer_(std::make_unique<Renderer>()), registry_(path_join(registry_folder(), "registry.ini")) {
    clock_.start();
}

QtServices::~QtServices() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    timers_.clear();
    if (override_cursor_) QApplication::restoreOverrideCursor();
    printer_.reset();
    renderer_.reset();
}

void QtServices::language_chosen(std::string_view language) {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    // The program's languages by their Qt locale; English is Qt's own.
    if (language != "polski") return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::Polish), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
}

QWidget* QtServices::dialog_parent() const {
    if (QWidget* m = QApplication::activeModalWidget()) return m;
    try {
        if (TForm* f = Application()->ActiveForm())
            if (FormWindow* w = renderer_->existing_window(*f); w && w->isVisible()) return w;
    } catch (const ScriptError&) {
    }
    return QApplication::activeWindow();
}

int QtServices::message_box(std::string_view text, std::string_view caption, unsigned flags) {
    if (answer_message_box) return answer_message_box(text, caption, flags);
    QMessageBox box(dialog_parent());
    box.setWindowTitle(qs(caption));
    QString t = qs(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(t);
    switch (flags & MB_ICON_MASK) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    std::vector<std::pair<QPushButton*, int>> buttons;
    auto add = [&](QMessageBox::StandardButton b, int id) { buttons.emplace_back(box.addButton(b), id); };
    switch (flags & MB_BUTTONS_MASK) {
        case MB_OKCANCEL: add(QMessageBox::Ok, IDOK); add(QMessageBox::Cancel, IDCANCEL); break;
        case MB_YESNOCANCEL: add(QMessageBox::Yes, IDYES); add(QMessageBox::No, IDNO); add(QMessageBox::Cancel, IDCANCEL); break;
        case MB_YESNO: add(QMessageBox::Yes, IDYES); add(QMessageBox::No, IDNO); break;
        default: add(QMessageBox::Ok, IDOK); break;
    }
    std::size_t def = 0;
    if (flags & MB_DEFBUTTON2) def = 1;
    if (flags & MB_DEFBUTTON3) def = 2;
    if (def < buttons.size()) box.setDefaultButton(buttons[def].first);
    // Esc: Cancel, or No when there is no Cancel, or the only button.
    int escape_id = IDOK;
    for (const auto& [b, id] : buttons)
        if (id == IDCANCEL || (id == IDNO && escape_id != IDCANCEL)) escape_id = id;
    for (const auto& [b, id] : buttons)
        if (id == escape_id) box.setEscapeButton(b);
    box.exec();
    for (const auto& [b, id] : buttons)
        if (box.clickedButton() == b) return id;
    return escape_id;
}

void QtServices::run_modal(TForm& form) { renderer_->run_modal(form); }

void QtServices::form_shown(TForm& form) { renderer_->show_form(form); }

void QtServices::form_hidden(TForm& form) { renderer_->hide_form(form); }

bool QtServices::open_dialog(TOpenDialog& dialog, bool save) {
    QFileDialog d(dialog_parent(), qs(dialog.Title));
    d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) d.setFileMode(QFileDialog::AnyFile);
    else d.setFileMode((dialog.Options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    d.setOption(QFileDialog::DontConfirmOverwrite, !(dialog.Options & ofOverwritePrompt));
    const QStringList filters = qt_filters(dialog.Filter);
    if (!filters.isEmpty()) {
        d.setNameFilters(filters);
        const int i = std::clamp(dialog.FilterIndex, 1, static_cast<int>(filters.size()));
        d.selectNameFilter(filters[i - 1]);
    }
    if (!dialog.DefaultExt.empty()) d.setDefaultSuffix(qs(dialog.DefaultExt));
    d.setDirectory(dialog_start_folder(dialog.InitialDir, dialog.FileName));
    if (!dialog.FileName.empty()) d.selectFile(os_path(ExtractFileName(dialog.FileName)));
    if (d.exec() != QDialog::Accepted) return false;
    std::vector<std::string> files;
    for (const QString& f : d.selectedFiles()) {
        bool lossy = false;
        files.push_back(cp_path(f, &lossy));
        if (lossy) {
            message_box("The file name cannot be used (characters outside the Windows-1250 code page): " + cp(f),
                        Application()->Title, MB_OK | MB_ICONERROR);
            return false;
        }
    }
    if (files.empty()) return false;
    dialog.Files = files;
    dialog.FileName = files.front();
    if (!filters.isEmpty()) dialog.FilterIndex = filter_index(filters, d.selectedNameFilter());
    return true;
}

bool QtServices::color_dialog(TColorDialog& dialog) {
    const QColor c = QColorDialog::getColor(qcolor(dialog.Color), dialog_parent());
    if (!c.isValid()) return false;
    dialog.Color = tcolor(c);
    return true;
}

bool QtServices::font_dialog(TFontDialog& dialog) {
    bool ok = false;
    QFont start = qfont(dialog.Font);
    start.setPointSize(std::max(1, dialog.Font.Size()));
    const QFont f = QFontDialog::getFont(&ok, start, dialog_parent());
    if (!ok) return false;
    dialog.Font = tfont(f, dialog.Font);
    return true;
}

bool QtServices::printer_setup_dialog() {
    printer();
    QPrintDialog d(&printer_->qprinter(), dialog_parent());
    if (d.exec() != QDialog::Accepted) return false;
    // The list stands on the printer chosen there.
    printer_->follow_chosen_printer();
    return true;
}

bool QtServices::select_folder(std::string_view caption, std::string& folder) {
    const QString chosen = QFileDialog::getExistingDirectory(dialog_parent(), qs(caption), os_path(folder));
    if (chosen.isEmpty()) return false;
    bool lossy = false;
    const std::string f = cp_path(chosen, &lossy);
    if (lossy) return false;
    folder = f;
    return true;
}

void QtServices::popup_menu(TPopupMenu& menu, int x, int y) { renderer_->popup(menu, QPoint(x, y)); }

std::optional<std::string> QtServices::clipboard_text() {
    // Other programs here end lines with LF (or CR alone); the program's
    // readers count CR LF, as the window system of the old program gave.
    QString t = QGuiApplication::clipboard()->text();
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    t.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    bool lossy = false;
    std::string text = cp(t, &lossy);
    if (lossy) return std::nullopt;
    return text;
}

void QtServices::set_clipboard_text(std::string_view text) {
    QString t = qs(text);
    QGuiApplication::clipboard()->setText(t);
}

void QtServices::timer_changed(TTimer& timer) {
    auto& slot = timers_[&timer];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        TTimer* t = &timer;
        QObject::connect(slot.get(), &QTimer::timeout, slot.get(), [this, t] { renderer_->input([t] { user::timer(t); }); });
    }
    if (timer.Enabled() && timer.Interval() > 0) slot->start(timer.Interval());
    else slot->stop();
}

void QtServices::timer_destroyed(TTimer& timer) {
    const auto it = timers_.find(&timer);
    if (it == timers_.end()) return;
    it->second->stop();
    // A timer may go inside its own handler: then Qt deletes it afterwards.
    if (renderer_->dispatching()) it->second.release()->deleteLater();
    timers_.erase(it);
}

int64_t QtServices::tick_count() { return clock_.elapsed(); }

bool QtServices::key_held(Word key) {
    const Qt::KeyboardModifiers m = QGuiApplication::queryKeyboardModifiers();
    switch (key) {
        case VK_CONTROL: return m & Qt::ControlModifier;
        case VK_SHIFT: return m & Qt::ShiftModifier;
        case VK_MENU: return m & Qt::AltModifier;
        default: return false;
    }
}

void QtServices::set_cursor(TCursor cursor) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (cursor) {
        case TCursor::crDefault:
            if (override_cursor_) QApplication::restoreOverrideCursor();
            override_cursor_ = false;
            return;
        case TCursor::crHourGlass: shape = Qt::WaitCursor; break;
        case TCursor::crArrow: shape = Qt::ArrowCursor; break;
        case TCursor::crCross: shape = Qt::CrossCursor; break;
        case TCursor::crHandPoint: shape = Qt::PointingHandCursor; break;
        case TCursor::crSizeAll: shape = Qt::SizeAllCursor; break;
        case TCursor::crDrag: shape = Qt::DragMoveCursor; break;
        case TCursor::crIBeam: shape = Qt::IBeamCursor; break;
        case TCursor::crNo: shape = Qt::ForbiddenCursor; break;
    }
    if (override_cursor_) QApplication::changeOverrideCursor(QCursor(shape));
    else QApplication::setOverrideCursor(QCursor(shape));
    override_cursor_ = true;
}

std::vector<MonitorInfo> QtServices::monitors() {
    std::vector<MonitorInfo> out;
    for (QScreen* s : QGuiApplication::screens()) {
        const QRect g = s->geometry();
        out.push_back({g.x(), g.y(), g.width(), g.height()});
    }
    if (out.empty()) out.push_back(MonitorInfo{});
    return out;
}

int QtServices::screen_text_width(const TFont& font, std::string_view text) {
    // The font the canvas paints with.
    return QFontMetrics(qfont(font)).horizontalAdvance(qs(text));
}

int QtServices::pixels_per_inch() {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? static_cast<int>(s->logicalDotsPerInch() + 0.5) : default_pixels_per_inch;
}

void QtServices::beep() {
    ++beeps;
    QApplication::beep();
}

bool QtServices::shell_open(std::string_view target) {
    if (answer_open) return answer_open(target);
    const std::string t(target);
    QUrl url;
    if (t.find("://") != std::string::npos || t.rfind("mailto:", 0) == 0) url = QUrl(qs(t));
    else if (t.rfind("www.", 0) == 0) url = QUrl(QStringLiteral("http://") + qs(t));
    else url = QUrl::fromLocalFile(os_path(t));
    return QDesktopServices::openUrl(url);
}

bool QtServices::open_in_editor(std::string_view path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(os_path(path))); }

namespace {

// The value of "Exec" in the [Desktop Entry] group of a desktop file.
QString desktop_entry_exec(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool in_entry = false;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) in_entry = line == QStringLiteral("[Desktop Entry]");
        else if (in_entry && line.startsWith(QStringLiteral("Exec="))) return line.mid(5);
    }
    return {};
}

// The value of `key` in the group of a desktop or list file, "" when none.
QString desktop_value(const QString& path, const QString& group, const QString& key) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool in_group = false;
    const QString prefix = key + QLatin1Char('=');
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) in_group = line == QLatin1Char('[') + group + QLatin1Char(']');
        else if (in_group && line.startsWith(prefix)) return line.mid(prefix.size()).trimmed();
    }
    return {};
}

// An XDG base-directory list: the variable's folders, else the default.
QStringList xdg_folders(const char* variable, const QString& fallback) {
    QStringList out;
    for (const QString& f : qEnvironmentVariable(variable).split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (f.startsWith(QLatin1Char('/'))) out << f;
    if (out.isEmpty()) out = fallback.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return out;
}

QString xdg_home(const char* variable, const QString& below_home) {
    const QString v = qEnvironmentVariable(variable);
    if (v.startsWith(QLatin1Char('/'))) return v;
    return qEnvironmentVariable("HOME") + QLatin1Char('/') + below_home;
}

// The applications folders, the user's first.
QStringList application_folders() {
    QStringList out{xdg_home("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/applications")};
    for (const QString& d : xdg_folders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")))
        out << d + QStringLiteral("/applications");
    return out;
}

// The mimeapps.list files in the order they count.
QStringList mimeapps_lists() {
    QStringList desktops;
    for (const QString& d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        desktops << d.toLower();
    QStringList folders{xdg_home("XDG_CONFIG_HOME", QStringLiteral(".config"))};
    folders << xdg_folders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    folders << application_folders();
    QStringList out;
    for (const QString& folder : folders) {
        for (const QString& d : desktops) out << folder + QLatin1Char('/') + d + QStringLiteral("-mimeapps.list");
        out << folder + QStringLiteral("/mimeapps.list");
    }
    return out;
}

// The file of an installed desktop entry ("vendor-app.desktop" may stand in
// a subfolder "vendor/app.desktop"); "" when it is not installed, hidden or
// runs nothing.
QString installed_entry(const QString& id) {
    if (!id.endsWith(QStringLiteral(".desktop")) || id.contains(QLatin1Char('/'))) return {};
    QStringList names{id};
    if (id.contains(QLatin1Char('-'))) {
        names << QString(id).replace(id.indexOf(QLatin1Char('-')), 1, QLatin1Char('/'));
        names << QString(id).replace(QLatin1Char('-'), QLatin1Char('/'));
    }
    for (const QString& folder : application_folders())
        for (const QString& name : names) {
            const QString path = folder + QLatin1Char('/') + name;
            if (!QFileInfo(path).isFile()) continue;
            const QString group = QStringLiteral("Desktop Entry");
            if (desktop_value(path, group, QStringLiteral("Hidden")) == QStringLiteral("true")) return {};
            if (desktop_value(path, group, QStringLiteral("Exec")).isEmpty()) return {};
            return path;
        }
    return {};
}

QStringList entry_ids(const QString& list) {
    QStringList out;
    for (const QString& id : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) out << id.trimmed();
    return out;
}

// The entry for one type, without its ancestors.
QString entry_for_type(const QString& type) {
    const QStringList lists = mimeapps_lists();
    QStringList removed;
    for (const QString& list : lists) removed << entry_ids(desktop_value(list, QStringLiteral("Removed Associations"), type));
    for (const QString& list : lists)
        for (const QString& id : entry_ids(desktop_value(list, QStringLiteral("Default Applications"), type)))
            if (const QString path = installed_entry(id); !path.isEmpty()) return path;
    for (const QString& list : lists)
        for (const QString& id : entry_ids(desktop_value(list, QStringLiteral("Added Associations"), type)))
            if (!removed.contains(id))
                if (const QString path = installed_entry(id); !path.isEmpty()) return path;
    for (const QString& folder : application_folders())
        for (const QString& id :
             entry_ids(desktop_value(folder + QStringLiteral("/mimeinfo.cache"), QStringLiteral("MIME Cache"), type)))
            if (!removed.contains(id))
                if (const QString path = installed_entry(id); !path.isEmpty()) return path;
    return {};
}

}  // namespace

QString default_desktop_entry(const QString& mime_type) {
    const QMimeType t = QMimeDatabase().mimeTypeForName(mime_type);
    QStringList types{mime_type};
    if (t.isValid()) {
        if (t.name() != mime_type) types << t.name();  // an alias
        types << t.allAncestors();
    }
    for (const QString& type : types)
        if (const QString path = entry_for_type(type); !path.isEmpty()) return path;
    return {};
}

QStringList desktop_exec_arguments(const QString& exec, const QString& file) {
    // The value's own escapes first, then the quoting of the command line.
    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == QLatin1Char('\\') && i + 1 < exec.size()) {
            const QChar c = exec[++i];
            if (c == QLatin1Char('s')) value += QLatin1Char(' ');
            else if (c == QLatin1Char('n')) value += QLatin1Char('\n');
            else if (c == QLatin1Char('t')) value += QLatin1Char('\t');
            else if (c == QLatin1Char('r')) value += QLatin1Char('\r');
            else if (c == QLatin1Char('\\')) value += QLatin1Char('\\');
            else value += QLatin1Char('\\') + QString(c);
            continue;
        }
        value += exec[i];
    }
    QStringList words;
    QString word;
    bool in_word = false, quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < value.size()) word += value[++i];
            else if (c == QLatin1Char('"')) quoted = false;
            else word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = in_word = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (in_word) words << word;
            word.clear();
            in_word = false;
        } else {
            word += c;
            in_word = true;
        }
    }
    if (in_word) words << word;

    const QString url = QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded());
    bool given = false;
    QStringList out;
    for (const QString& w : words) {
        QString arg;
        bool field_only = w.size() == 2 && w[0] == QLatin1Char('%');
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w[i] != QLatin1Char('%') || i + 1 >= w.size()) {
                arg += w[i];
                continue;
            }
            const QChar code = w[++i];
            if (code == QLatin1Char('%')) {
                arg += QLatin1Char('%');
                field_only = false;
            } else if (code == QLatin1Char('f') || code == QLatin1Char('F')) {
                arg += file;
                given = true;
            } else if (code == QLatin1Char('u') || code == QLatin1Char('U')) {
                arg += url;
                given = true;
            }
        }
        if (!arg.isEmpty() || !field_only) out << arg;
    }
    if (out.isEmpty()) return {};
    if (!given) out << file;
    return out;
}

std::string desktop_exec_command(const QString& exec) {
    // Field codes go; "%%" is a percent sign.
    QString cmd;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == QLatin1Char('%') && i + 1 < exec.size()) {
            if (exec[i + 1] == QLatin1Char('%')) cmd += QLatin1Char('%');
            ++i;
            continue;
        }
        cmd += exec[i];
    }
    cmd = cmd.simplified();
    if (cmd.isEmpty()) return {};
    if (cmd.startsWith(QLatin1Char('"'))) return cp(cmd);
    const qsizetype blank = cmd.indexOf(QLatin1Char(' '));
    const QString program = blank < 0 ? cmd : cmd.left(blank);
    const QString rest = blank < 0 ? QString() : cmd.mid(blank);
    QString resolved = program;
    if (!program.contains(QLatin1Char('/'))) {
        const QString found = QStandardPaths::findExecutable(program);
        if (!found.isEmpty()) resolved = found;
    }
    if (resolved.contains(QLatin1Char(' '))) resolved = QLatin1Char('"') + resolved + QLatin1Char('"');
    return cp(resolved + rest);
}

open_result QtServices::open_file(std::string_view path) {
    const QString file = os_path(path);
    if (!QFileInfo(file).isFile()) return open_result::missing;
    if (answer_open) return answer_open(path) ? open_result::opened : open_result::no_program;
    const QString entry = default_desktop_entry(QMimeDatabase().mimeTypeForFile(file).name());
    if (entry.isEmpty()) return open_result::no_program;
    QStringList args = desktop_exec_arguments(desktop_entry_exec(entry), file);
    if (args.isEmpty()) return open_result::no_program;
    QString program = args.takeFirst();
    if (!program.contains(QLatin1Char('/'))) program = QStandardPaths::findExecutable(program);
    if (program.isEmpty()) return open_result::no_program;
    return QProcess::startDetached(program, args) ? open_result::opened : open_result::no_program;
}

std::string QtServices::dxf_program() {
    const QString entry = default_desktop_entry(QStringLiteral("image/vnd.dxf"));
    return entry.isEmpty() ? std::string() : desktop_exec_command(desktop_entry_exec(entry));
}

std::vector<FontInfo> QtServices::fonts() {
    std::vector<FontInfo> out;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || !fits_cp1250(family)) continue;
        out.push_back({cp(family), QFontDatabase::isFixedPitch(family) ? 1 : 2, QFontDatabase::isScalable(family)});
    }
    if (out.empty()) return builtin_font_list();
    return out;
}

QString font_table_name(const QString& family, const QString& style, bool opentype) {
    static const QStringList regular = {QStringLiteral("Regular"), QStringLiteral("Book"), QStringLiteral("Normal"),
                                        QStringLiteral("Roman"), QStringLiteral("Standard")};
    QString name = family;
    if (!style.isEmpty() && !regular.contains(style, Qt::CaseInsensitive)) name += QLatin1Char(' ') + style;
    return name + (opentype ? QStringLiteral(" (OpenType)") : QStringLiteral(" (TrueType)"));
}

std::vector<FontFile> QtServices::font_files() {
    std::vector<FontFile> out;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_FONTFORMAT, FC_OUTLINE, nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    std::set<std::string> names;
    for (int i = 0; set && i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        FcChar8* family = nullptr;
        FcChar8* style = nullptr;
        FcChar8* file = nullptr;
        FcChar8* format = nullptr;
        FcBool outline = FcFalse;
        if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        if (FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && !outline) continue;
        FcPatternGetString(font, FC_STYLE, 0, &style);
        FcPatternGetString(font, FC_FONTFORMAT, 0, &format);
        const QString path = QString::fromUtf8(reinterpret_cast<const char*>(file));
        const QString suffix = QFileInfo(path).suffix().toLower();
        const QString fmt = format ? QString::fromUtf8(reinterpret_cast<const char*>(format)) : QString();
        bool opentype = false;
        if (suffix == QStringLiteral("otf") || fmt == QStringLiteral("CFF")) opentype = true;
        else if (fmt != QStringLiteral("TrueType")) continue;  // Type 1, bitmap and other formats
        const QString name = font_table_name(QString::fromUtf8(reinterpret_cast<const char*>(family)),
                                             style ? QString::fromUtf8(reinterpret_cast<const char*>(style)) : QString(), opentype);
        const QString file_name = QFileInfo(path).fileName();
        if (!fits_cp1250(name) || !fits_cp1250(file_name)) continue;
        if (!names.insert(cp(name)).second) continue;
        out.push_back({cp(name), cp(file_name)});
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    std::sort(out.begin(), out.end(), [](const FontFile& a, const FontFile& b) { return AnsiCompareText(a.name, b.name) < 0; });
    return out;
}

TPrinter& QtServices::printer() {
    if (!printer_) printer_ = std::make_unique<QtPrinter>();
    return *printer_;
}

std::unique_ptr<TBitmap> QtServices::make_bitmap(int width, int height) {
    return std::make_unique<QtBitmap>(width, height);
}

void QtServices::process_messages() { QCoreApplication::processEvents(); }

int QtServices::exec_main_loop() {
    main_loop_running_ = true;
    const int status = QApplication::exec();
    main_loop_running_ = false;
    return status;
}

// Only a running main loop is told to end: an exit asked for outside it
// would make every later event loop of the process (a message box's, say)
// return at once.
void QtServices::terminate() {
    if (main_loop_running_) QCoreApplication::exit(0);
}

}  // namespace gui
