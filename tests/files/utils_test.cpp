#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "files/utils.h"
#include "platform/files.h"
#include "platform/ini.h"
#include "platform/stdctrls.h"
#include "platform/sysutils.h"
#include "support/toolkit_fixture.h"

namespace {


class Utils : public ToolkitTest {};

TEST_F(Utils, IniStringReadsWritesAndKeepsTheEmptyValue) {
    const std::string ini = temp.file("a.ini");
    std::string out = "untouched";
    ini_string(ini, "s", "k", "def", 'r', out);
    EXPECT_EQ(out, "def");
    ini_string(ini, "s", "k", "value", 'w', out);
    EXPECT_EQ(out, "def");  // a write leaves out alone
    ini_string(ini, "S", "K", "def", 'r', out);
    EXPECT_EQ(out, "value");
    ini_string(ini, "s", "empty", "", 'w', out);
    EXPECT_EQ(ini_string(ini, "s", "empty", "def"), "");
    ini_string(ini, "s", "k", "other", 'x', out);  // any other mode does nothing
    EXPECT_EQ(ini_string(ini, "s", "k", ""), "value");
    ini_string(ini, "s", "long", std::string(3000, 'x'), 'w', out);
    EXPECT_EQ(ini_string(ini, "s", "long", "").size(), 2047u);
    EXPECT_THROW(ini_string(temp.file("a.ini/sub.ini"), "s", "k", "v", 'w', out), EIniFileException);
}

TEST_F(Utils, RecentFilesMoveToTheTopAndSkipAutosave) {
    const std::string ini = temp.file("halvoren.ini");
    for (const char* f : {"d.hlv", "c.hlv", "b.hlv", "a.hlv"}) add_recent_file(f, "pliki", ini);
    IniFile check(ini);
    auto list = [&] {
        IniFile i(ini);
        return std::vector<std::string>{i.ReadString("pliki", "plik1", ""), i.ReadString("pliki", "plik2", ""),
                                        i.ReadString("pliki", "plik3", ""), i.ReadString("pliki", "plik4", "")};
    };
    EXPECT_EQ(list(), (std::vector<std::string>{"a.hlv", "b.hlv", "c.hlv", "d.hlv"}));
    add_recent_file("c.hlv", "pliki", ini);  // was plik3
    EXPECT_EQ(list(), (std::vector<std::string>{"c.hlv", "a.hlv", "b.hlv", "d.hlv"}));
    add_recent_file(temp.file("autosave.~hl"), "pliki", ini);
    add_recent_file("", "pliki", ini);
    EXPECT_EQ(list(), (std::vector<std::string>{"c.hlv", "a.hlv", "b.hlv", "d.hlv"}));
    add_recent_file("e.hlv", "pliki", ini);  // the oldest falls off
    EXPECT_EQ(list(), (std::vector<std::string>{"e.hlv", "c.hlv", "a.hlv", "b.hlv"}));
}

TEST_F(Utils, BackupCopiesByAgeAndForErrBySize) {
    const std::string file = temp.file("plan.hlv");
    const std::string bak = file + ".bak";
    write_file(file, "new contents");
    write_file(bak, "old");
    SetFileDateTime(bak, Now() - 1);
    backup_copy(file, "bak", 2);
    EXPECT_EQ(read_file(bak), "old");
    SetFileDateTime(bak, Now() - 3);
    backup_copy(file, "bak", 2);
    EXPECT_EQ(read_file(bak), "new contents");
    EXPECT_NEAR(FileDateTime(bak), Now(), 1.0 / 1440);  // dated now

    const std::string err = file + ".err";
    write_file(file, std::string(200, 'f'));
    write_file(err, std::string(100, 'e'));
    SetFileDateTime(err, Now() - 1);
    backup_copy(file, ".err", 4);
    EXPECT_EQ(file_size(err), 200);
    write_file(file, std::string(80, 'g'));
    SetFileDateTime(err, Now() - 1);
    backup_copy(file, ".err", 4);
    EXPECT_EQ(file_size(err), 200);
    backup_copy(temp.file("missing.hlv"), "bak", 2);  // silent
    EXPECT_FALSE(FileExists(temp.file("missing.hlv.bak")));
    EXPECT_EQ(file_size(temp.file("missing.hlv")), 0);
}

TEST_F(Utils, FileInUseCheckCreatesTheFileAndWarnsWhenHeld) {
    const std::string path = temp.file("rysunek.dxf");
    EXPECT_TRUE(file_in_use_check(path, true));
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_THROW(file_in_use_check(temp.file("no/such/folder.dxf"), true), EInOutError);

    // Another holder of the file: a write lock on another open description.
    const int fd = open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lk {};
    lk.l_type = F_WRLCK;
    lk.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(fd, F_OFD_SETLK, &lk), 0);
    EXPECT_FALSE(file_in_use_check(path, false));
    EXPECT_TRUE(ui().boxes.empty());
    EXPECT_FALSE(file_in_use_check(path, true));
    close(fd);
    ASSERT_EQ(ui().boxes.size(), 1u);
    EXPECT_EQ(ui().boxes[0].text, "Plik: " + path + "\rjest używany przez inną aplikację.\r"_cp +
                                      "Zalecane jest jej zamknięcie lub zapisanie w niej w/w pliku pod inną nazwą."_cp);
    EXPECT_EQ(ui().boxes[0].buttons(), MB_YESONLY);
    EXPECT_EQ(ui().boxes[0].icon(), MB_ICONWARNING);
    EXPECT_TRUE(file_in_use_check(path, true));
}

TEST_F(Utils, PathsForDisplay) {
    TEdit edit(nullptr);
    show_file_in_edit("/home/u/Projekty/Plan.hlv", &edit);
    EXPECT_EQ(edit.Text(), "Plan.hlv");
    EXPECT_EQ(edit.Hint(), "/home/u/Projekty/Plan.hlv");
    show_file_in_edit("", &edit);
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(shorten_path_for_display("C:\\Users\\Jan\\Ustawienia\\Moje.INI\\"), "c:\\ ... \\moje.ini");
    EXPECT_EQ(shorten_path_for_display(""), "");
    TLabel label(nullptr);
    EXPECT_EQ(shorten_path_for_display("/Home/u/x.ini", &label), "/ ... /x.ini");
    EXPECT_EQ(label.Caption(), "/ ... /x.ini");
    EXPECT_EQ(label.Hint(), "/Home/u/x.ini");
    EXPECT_EQ(long_path_name("/a/b"), "/a/b");
}

TEST(TextRoutines, Replacements) {
    EXPECT_EQ(replace_all("  ", " ", "a     b"), "a b");  // searched again from the start
    EXPECT_EQ(replace_all("a", "aa", "banana"), "baanaanaa");  // contains the pattern: one pass
    EXPECT_EQ(replace_all("x", "y", ""), "");
    EXPECT_EQ(replace_all("ab", "b", "aaab"), "b");
    EXPECT_EQ(replace_all("zxa", "ab", "zxab"), "abb");  // the replacement makes the pattern again
    EXPECT_EQ(replace_all("  ", " ", std::string(100000, ' ')), " ");
    // An equal or longer replacement is one pass: searching again would never
    // end or, as here, double the text on every pass.
    EXPECT_EQ(replace_all("ab", "bba", "aaaab"), "aaabba");
    EXPECT_EQ(replace_all("ab", "ba", "aab"), "aba");
    EXPECT_EQ(string_replace_all("ab", "b", "aaab"), "aab");
    EXPECT_EQ(string_replace_all("AB", "x", "abAB"), "abx");
    EXPECT_EQ(delete_substring("aXbXcX", "X", 2), "abcX");
    EXPECT_EQ(delete_substring("aXbXcX", "X", 0), "abc");
    EXPECT_EQ(delete_substring("aXb", "X", 5), "ab");
    EXPECT_EQ(delete_substring("aabb", "ab", 0), "");
    EXPECT_EQ(polish_to_ascii("Zażółć gęślą jaźń ŁÓDŹ"_cp), "Zazolc gesla jazn LODZ");
    EXPECT_EQ(clean_file_name("a\\b/c?d:e*f\"g>h<i|j.k l"), "abcdefghijk l");
    std::string out;
    replace_dxf_code("45%%d, 3%%d", "%%d", out);
    EXPECT_EQ(out, "45\xb0, 3\xb0");
    replace_dxf_code("%%p5", "%%p", out);
    EXPECT_EQ(out, "\xb1" "5");
    replace_dxf_code("a%%cb", "%%c", out);
    EXPECT_EQ(out, std::string("a\0b", 3));
    EXPECT_EQ(char_or_default(2, 'y', 'n'), "y");
    EXPECT_EQ(char_or_default(0, 'y', 'n'), "n");
}

TEST(TextRoutines, DigitsAndHundredths) {
    decimal_separator = ',';
    EXPECT_EQ(digits_only("12,50"), "01250");
    EXPECT_EQ(digits_only(""), "0");
    EXPECT_EQ(digits_only(std::string(255, 'a') + "7"), "0");  // only the first 255 characters count
    const std::pair<const char*, const char*> cases[] = {
        {"12,", "01200"}, {"", "0"}, {"12,5", "01250"}, {"3", "0300"}, {"1,239", "0123"}, {"-4,1", "0410"},
    };
    for (const auto& [in, want] : cases) EXPECT_EQ(to_hundredths_text(in), want) << in;
}

TEST(TextRoutines, TagNames) {
    std::string out = "stale";
    tag_name_after("x @_Nazwa|'A b'|'c' y", "@_", out);
    EXPECT_EQ(out, "nazwa|'a b'|'c'");
    tag_name_after("no marker", "@_", out);
    EXPECT_EQ(out, "");
    tag_name_after("@_Rura.dn", "@_", out);
    EXPECT_EQ(out, "rura");
    tag_name_after("@_Opis\xa4X y", "@_", out);  // holds the item separator: case kept
    EXPECT_EQ(out, "Opis\xa4X");
    tag_name_after("@_a|'x|y' z", "@_", out);  // inside quotes "|" ends the name
    EXPECT_EQ(out, "a|'x");
    tag_name_after("@_A\x8b", "@_", out);
    EXPECT_EQ(out, "a");
}

TEST(TextRoutines, TemplateBlocksBeginAndEndLines) {
    std::string out;
    normalize_template_blocks("<_prof>@_nazwa</prof>", "txt", out);
    EXPECT_EQ(out, "\r\n\x8b_prof\x9b@_nazwa\x8b/prof\x9b\r\n");
    normalize_template_blocks("<_prof>@_nazwa</prof>", "htm", out);
    EXPECT_EQ(out, "\r\n\x8b_prof\x9b@_nazwa\x8b/prof\x9b");
    normalize_template_blocks("<tr><_wez><td>@_nazwa</td>\r\n</wez></tr>", "htm", out);
    EXPECT_EQ(out, "<tr>\r\n\x8b_wez\x9b<td>@_nazwa</td>\r\n\x8b/wez\x9b\r\n</tr>");
    // A block opened on one line and nested blocks on the same line.
    normalize_template_blocks("a<_p>b<_w>c</W>d\r\ne</p>f", "txt", out);
    EXPECT_EQ(out, "a\r\n\x8b_p\x9b" "b\r\n\x8b_w\x9b" "c\x8b/W\x9b\r\nd\r\ne\x8b/p\x9b\r\nf");
}

TEST(TextRoutines, EveryBlockMarkerOfALineIsFound) {
    const std::pair<const char*, const char*> cases[] = {
        // A block closed on its own line still opens a line for the block
        // nested inside it.
        {"<_prof><tr><_wez>@_x</wez></tr></prof>",
         "\r\n\x8b_prof\x9b<tr>\r\n\x8b_wez\x9b@_x\x8b/wez\x9b\r\n</tr>\x8b/prof\x9b\r\n"},
        {"<_a>1<_b>2<_c>3</c>4</b>5</a>6",
         "\r\n\x8b_a\x9b" "1\r\n\x8b_b\x9b" "2\r\n\x8b_c\x9b" "3\x8b/c\x9b\r\n4\x8b/b\x9b\r\n5\x8b/a\x9b\r\n6"},
        // A closing tag before an opening tag on the same line ends its line.
        {"<_a>\r\nx</a><_b>y</b>", "\r\n\x8b_a\x9b\r\nx\x8b/a\x9b\r\n\r\n\x8b_b\x9b" "y\x8b/b\x9b\r\n"},
        // A block without a name is closed only by a closing tag without one.
        {"<_>a</b>", "\r\n\x8b_\x9b" "a</b>"},
        {"<_>a</>b", "\r\n\x8b_\x9b" "a\x8b/\x9b\r\nb"},
        // A closing tag closes the block of its whole name only.
        {"<_x>a</xy>b</X>", "\r\n\x8b_x\x9b" "a</xy>b\x8b/X\x9b\r\n"},
        {"<_xy>\r\n</x></xy>", "\r\n\x8b_xy\x9b\r\n</x>\x8b/xy\x9b\r\n"},
    };
    std::string out;
    for (const auto& [in, want] : cases) {
        normalize_template_blocks(in, "txt", out);
        EXPECT_EQ(out, want) << in;
    }
}

TEST(TextRoutines, TemplateLinesOfAnyLength) {
    // Tens of thousands of blocks on one line: every marker still begins or
    // ends a line of its own.
    const int n = 30000;
    std::string opening, closing, closed;
    std::string want_opening, want_closing, want_closed;
    for (int i = 0; i < n; ++i) {
        opening += "<_b>";
        closing += "</B>";
        closed += "<_b>x</b>";
        want_opening += "\r\n\x8b_b\x9b";
        want_closing += "\x8b/B\x9b\r\n";
        want_closed += "\r\n\x8b_b\x9bx\x8b/b\x9b\r\n";
    }
    std::string out;
    normalize_template_blocks(opening + "\r\n" + closing, "txt", out);
    EXPECT_TRUE(out == want_opening + "\r\n" + want_closing) << out.substr(0, 100);
    normalize_template_blocks(closed, "htm", out);
    EXPECT_TRUE(out == want_closed.substr(0, want_closed.size() - 2)) << out.substr(0, 100);
}

TEST(NumberRoutines, DecimalSeparatorAndRounding) {
    {
        decimal_separator = ',';
        EXPECT_EQ(fix_decimal_separator("1.5"), "1,5");
        EXPECT_EQ(fix_decimal_separator("1,5"), "1,5");
    }
    decimal_separator = '.';
    EXPECT_EQ(fix_decimal_separator("1,5;2.5"), "1.5;2.5");
    EXPECT_EQ(round_to(-1, 2.675), 2.675);
    euro_rounding = true;
    EXPECT_DOUBLE_EQ(round_to(2, 2.675), 2.68);
    EXPECT_DOUBLE_EQ(round_to(2, 1.015), 1.02);
    EXPECT_DOUBLE_EQ(round_to(0, -2.5), -3);
    euro_rounding = false;
    EXPECT_DOUBLE_EQ(round_to(2, 1.015), 1.01);  // 101.49999... to nearest
    EXPECT_DOUBLE_EQ(round_to(0, 2.5), 2);
    EXPECT_DOUBLE_EQ(round_to(0, 3.5), 4);
}

TEST(NumberRoutines, FixedPointText) {
    decimal_separator = '.';
    const struct {
        int code;
        double x;
        const char* want;
    } cases[] = {
        {2, 2.345, "2.35"},   {2, 2.344, "2.34"},   {2, -2.345, "-2.34"}, {2, -2.346, "-2.35"},
        {2, -2.3451, "-2.35"}, {0, 2.5, "3"},       {0, -2.5, "-2"},      {3, 1.0005, "1.001"},
        {2, 9.995, "10.00"},  {2, -0.001, "0.00"},  {1, 123456789.25, "123456789.3"},
        {-7, 1.26, "1.25"},   {-7, 1.28, "1.30"},   {-6, 2.3, "2.5"},     {-6, 2.2, "2.0"},
        {-5, 12.4, "10"},     {-5, 12.6, "15"},     {2, 1e16, "10000000000000000.00"},
        // Stored precisions reach 255: every code gives its number of decimals.
        {17, 1.5, "1.50000000000000000"}, {20, 0.1, "0.10000000000000000555"},
        {-22, 1.5, "1.50000000000000000"}, {19, 1e16, "10000000000000000.0000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(format_fixed(c.code, c.x), c.want) << c.code << " " << c.x;
    decimal_separator = ',';
    EXPECT_EQ(format_fixed(2, 2.345), "2,35");
    EXPECT_EQ(format_fixed(-7, 1.28), "1,30");
    EXPECT_THROW(format_fixed(-2, 1.0), EConvertError);
    const std::string wide = format_fixed(255, 2.5);
    EXPECT_EQ(wide.size(), 257u);
    EXPECT_EQ(wide.substr(0, 5), "2,500");
    EXPECT_EQ(wide.find_first_not_of('0', 3), std::string::npos);
}

// The text of a shown value (the node table's, the panel's and the
// documents'): the window tests hold the table of roundings; here the
// separator, the range of decimals and the limit of the fixed form.
TEST(NumberRoutines, ShownFixedText) {
    euro_rounding = true;
    decimal_separator = ',';
    EXPECT_EQ(fixed_text(2, -0.125), "-0,13");
    EXPECT_EQ(fixed_text(1, 1e20), "1E20");
    decimal_separator = '.';
    EXPECT_EQ(fixed_text(-1, 2.5), "3");  // decimals below 0 count as 0
    EXPECT_EQ(fixed_text(30, 0.5), "0.5");  // and above 18 as 18, too many digits for the fixed form
    EXPECT_EQ(fixed_text(0, 999999999999999.0), "999999999999999");
    EXPECT_EQ(fixed_text(0, 1e15), "1E15");
    EXPECT_EQ(fixed_text(4, 0.00005), "0.0001");
    EXPECT_EQ(fixed_text(3, -0.0), "0.000");
    EXPECT_THROW(fixed_text(2, std::nan("")), EMathError);
    EXPECT_THROW(fixed_text(2, HUGE_VAL), EMathError);
    // Without euro_rounding halves go to the even neighbour, as Round does.
    euro_rounding = false;
    EXPECT_EQ(fixed_text(0, 2.5), "2");
    EXPECT_EQ(fixed_text(0, -3.5), "-4");
    euro_rounding = true;
}

TEST_F(Utils, KeyFilters) {
    decimal_separator = ',';
    TEdit edit(nullptr);
    TMemo memo(nullptr);
    auto filtered = [](TObject* sender, char key, bool decimal) {
        if (decimal) decimal_key_filter(sender, key);
        else integer_key_filter(sender, key);
        return key;
    };
    EXPECT_EQ(filtered(&edit, '.', true), ',');
    EXPECT_EQ(filtered(&edit, '7', true), '7');
    EXPECT_EQ(filtered(&edit, '-', true), '-');
    EXPECT_EQ(filtered(&edit, '\b', true), '\b');
    EXPECT_EQ(filtered(&edit, 'a', true), 0);
    edit.SetText("3,5");
    EXPECT_EQ(filtered(&edit, '.', true), 0);
    EXPECT_EQ(filtered(&edit, ',', true), 0);
    memo.SetText("3,5");
    EXPECT_EQ(filtered(&memo, ',', true), ',');  // only single-line fields count the separator
    EXPECT_EQ(filtered(&edit, '5', false), '5');
    EXPECT_EQ(filtered(&edit, ',', false), 0);
    EXPECT_EQ(ui().beeps, 4);
}

}  // namespace
