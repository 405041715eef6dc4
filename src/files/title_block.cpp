#include "files/title_block.h"

#include <algorithm>

#include "files/project_format.h"
#include "files/utils.h"
#include "forms/rys1.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

// In a stored line "¤" stands for a blank and "¬" for a TAB: the ini file
// would lose the blanks at either end of a value.
constexpr char stored_blank = '\xA4';
constexpr char stored_tab = '\xAC';
// The most boxes and drawing titles a file can ask for.
constexpr int box_limit = 255;

std::string stored_line(std::string_view line) {
    std::string out(line);
    for (char& c : out) {
        if (c == ' ') c = stored_blank;
        else if (c == '\t') c = stored_tab;
    }
    return out;
}

std::string shown_line(std::string_view line) {
    std::string out(line);
    for (char& c : out) {
        if (c == stored_blank) c = ' ';
        else if (c == stored_tab) c = '\t';
    }
    return out;
}

std::string user_ini() { return folders().config_folder + "halvoren.ini"; }

bool is_template(std::string_view file) { return SameText(ExtractFileExt(file), ".hlm"); }

std::string section_of(int n) { return "tabs" + IntToStr(n); }

}  // namespace

std::string default_drawing_title() { return "BIOLOGICZNA OCZYSZCZALNIA ŚCIEKÓW"_cp; }

void otworz_tabele(std::string_view file) {
    const IniFile ini(file);
    otworz_tabele(ini);
}

void otworz_tabele(const IniFile& ini) {
    const bool titles = ini.ReadBool("rozne", "tytuly", false);
    Form1->a_it_TitleList->SetChecked(titles);
    if (titles)
        cre_combo(ini.ReadInteger("tabs0", "t", title_area_height - 25), ini.ReadInteger("tabs0", "l", 5),
                  ini.ReadString("tabs0", "x", default_drawing_title()), ini.ReadInteger("tabs0", "w", 300));

    const int last = std::min(ini.ReadInteger("rozne", "last", 1), box_limit);
    for (int n = 1; n <= last; ++n) {
        const std::string section = section_of(n);
        if (!ini.SectionExists(section)) continue;
        const std::string kind = ini.ReadString(section, "typ", "");
        if (kind != "m" && kind != "e") continue;
        TMemo* box = Form1->make_text_box(n, ini.ReadInteger(section, "l", 5), ini.ReadInteger(section, "t", 5),
                                          ini.ReadInteger(section, "w", 50), ini.ReadInteger(section, "h", 19));
        // A damaged count cannot ask for more lines than the section has keys.
        const int keys = static_cast<int>(ini.ReadSection(section).size());
        const int count = std::min(ini.ReadInteger(section, "xc", 1), keys);
        const bool one_text = ini.ValueExists(section, "x");
        TStringList& lines = box->Lines();
        lines.BeginUpdate();
        // Each line goes in at the top, the last first, so they end in order;
        // an empty line is not restored.
        for (int k = count - 1; k >= 0; --k) {
            const std::string text = ini.ReadString(section, one_text ? "x" : "x" + IntToStr(k), "");
            if (!one_text && text.empty()) continue;
            lines.Insert(0, shown_line(text));
        }
        lines.EndUpdate();
        box->SetSelStart(0);
        box->SetSelLength(0);
    }
    if (is_template(ini.FileName())) add_recent_file(ini.FileName(), "pliki_metryka", user_ini());
}

void zapisz_tabele(std::string_view file) {
    IniFile ini(file);
    zapisz_tabele(ini);
    ini.UpdateFile();
}

void zapisz_tabele(IniFile& ini) {
    const int last = last_busy("last");
    for (int n = 0; n <= last; ++n) {
        TControl* box = title_box(n);
        if (!box) continue;
        const std::string section = section_of(n);
        auto* memo = dynamic_cast<TMemo*>(box);
        ini.WriteString(section, "typ", memo ? "m" : "c");
        ini.WriteInteger(section, "l", box->Left());
        ini.WriteInteger(section, "t", box->Top());
        ini.WriteInteger(section, "w", box->Width());
        ini.WriteInteger(section, "h", box->Height());
        if (!memo) {
            ini.WriteString(section, "x", box->Text());
            continue;
        }
        const TStringList& lines = memo->Lines();
        ini.WriteInteger(section, "xc", lines.Count());
        for (int k = 0; k < lines.Count(); ++k) ini.WriteString(section, "x" + IntToStr(k), stored_line(lines[k]));
    }
    ini.WriteInteger("rozne", "last", last);
    ini.WriteString("rozne", "tytuly", Form1->a_it_TitleList->Checked() ? "1" : "0");
    if (is_template(ini.FileName())) add_recent_file(ini.FileName(), "pliki_metryka", user_ini());
}

void zapisz_szablon(std::string_view file) {
    // The boxes are stored into a scratch file of their own (so that no
    // section of the old template survives) and the template replaced in
    // one piece, keeping its mode.
    const std::string target(file);
    std::string text;
    with_scratch_file("halvoren-template", [&text](const std::string& scratch) {
        zapisz_tabele(scratch);
        text = read_file(scratch);
    });
    write_file(target, text);
    add_recent_file(target, "pliki_metryka", user_ini());
}

void czysc_tabele() {
    if (Form1->PageControl1->ActivePage() == Form1->ts_DrawingPreview) view().redraw_preview();
    const int last = last_busy("last");
    for (int n = 0; n <= last; ++n) delete title_box(n);
    // The title list went with the boxes.
    Form1->a_it_TitleList->SetChecked(false);
}

int last_busy(std::string_view what) {
    int last = 0, min_l = 400, min_t = 400, max_r = 0, max_b = 0;
    for (int i = 0; i < Form1->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(Form1->Components(i));
        if (!c || c->Name().compare(0, 4, "tabs") != 0) continue;
        last = std::max(last, StrToInt(Copy(c->Name(), 5, 4)));
        min_l = std::min(min_l, c->Left());
        min_t = std::min(min_t, c->Top());
        max_r = std::max(max_r, c->Left() + c->Width());
        max_b = std::max(max_b, c->Top() + c->Height());
    }
    if (what == "last") return last;
    if (what == "min_l") return min_l;
    if (what == "min_t") return min_t;
    if (what == "max_r") return max_r;
    if (what == "max_b") return max_b;
    return 0;
}

int first_empty(std::string_view prefix) {
    int n = 1;
    while (Form1->FindComponent(std::string(prefix) + IntToStr(n))) ++n;
    return n;
}

void cre_combo(int top, int left, std::string_view text, int width) {
    if (Form1->FindComponent("tabs0")) return;
    TComboBox* list = Form1->make_title_list(left, top, width);
    const IniFile ini(user_ini());
    if (ini.ValueExists("nazwa_rys", "nazcount")) {
        const int count = std::min(ini.ReadInteger("nazwa_rys", "nazcount", 0), box_limit);
        for (int i = 1; i <= count; ++i) list->Items().Add(ini.ReadString("nazwa_rys", "naz" + IntToStr(i), ""));
    }
    list->SetText(text);
}

TControl* title_box(int n) { return dynamic_cast<TControl*>(Form1->FindComponent(section_of(n))); }
