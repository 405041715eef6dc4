#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/ini.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder and an empty cache for each test.
class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        ini_cache_clear();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("halvoren_ini_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "test.ini").string();
    }
    void TearDown() override {
        ini_cache_clear();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void write(const std::string& text) { write_file(path_, text); }
    std::string contents() const { return read_file(path_); }

    fs::path dir_;
    std::string path_;
};

}  // namespace

TEST_F(IniTest, LookupIgnoresCaseAndTheFirstOfEqualNamesCounts) {
    write("[Main]\r\nWidth=10\r\nwidth=20\r\n  Name  =  spaced value  \r\nEmpty=\r\n"
          "[MAIN]\r\nWidth=30\r\nOnlyHere=1\r\n[Other]\r\nx=y\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("main", "WIDTH", "def"), "10");
    EXPECT_EQ(ini.ReadString(" Main ", "name", "def"), "spaced value");
    EXPECT_EQ(ini.ReadString("Main", "Empty", "def"), "");        // present and empty
    EXPECT_EQ(ini.ReadString("Main", "Missing", "def"), "def");   // absent
    EXPECT_EQ(ini.ReadString("Main", "OnlyHere", "def"), "def");  // in the repeated section
    EXPECT_EQ(ini.ReadString("Nowhere", "x", "def"), "def");
    EXPECT_TRUE(ini.ValueExists("MAIN", "empty"));
    EXPECT_FALSE(ini.ValueExists("Main", "OnlyHere"));
    EXPECT_TRUE(ini.SectionExists("other"));
    EXPECT_FALSE(ini.SectionExists("x"));
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Main", "Other"}));

    EXPECT_EQ(ini_read(path_, "OTHER", "X", "d"), "y");
    EXPECT_EQ(ini_read((dir_ / "absent.ini").string(), "a", "b", "d"), "d");
    EXPECT_FALSE(fs::exists(dir_ / "absent.ini"));  // reading creates nothing
}

TEST_F(IniTest, LineForms) {
    write("key=before any section\r\n"
          "[ Spaced Name ] trailing\r\n"
          "; comment=not a key\r\n"
          "no equals sign\r\n"
          "a=b=c\r\n"
          "\ttabbed\t=\tvalue\t\r\n"
          "[NoClose\r\n"
          "k=v\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Spaced Name", "NoClose"}));
    EXPECT_EQ(ini.ReadSection("spaced name"), (std::vector<std::string>{"a", "tabbed"}));
    EXPECT_EQ(ini.ReadString("Spaced Name", "a", ""), "b=c");
    EXPECT_EQ(ini.ReadString("Spaced Name", "tabbed", ""), "value");
    EXPECT_EQ(ini.ReadString("Spaced Name", "; comment", "d"), "d");
    EXPECT_EQ(ini.ReadString("NoClose", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("", "key", "d"), "d");  // lines before the first section belong to none
}

TEST_F(IniTest, MatchingQuotesAreStripped) {
    struct Case {
        const char* stored;
        const char* read;
    };
    const Case cases[] = {
        {"\"abc\"", "abc"},   {"'abc'", "abc"},     {"\"abc'", "\"abc'"}, {"\"", "\""},
        {"\"\"", ""},         {"  \" x \"  ", " x "}, {"\"a\"b\"", "a\"b"}, {"'it''s'", "it''s"},
        {"a\"b\"", "a\"b\""}, {"\xa5\"\xb9", "\xa5\"\xb9"},
    };
    std::string text = "[q]\r\n";
    for (std::size_t i = 0; i < std::size(cases); ++i) text += "k" + std::to_string(i) + "=" + cases[i].stored + "\r\n";
    write(text);
    IniFile ini(path_);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string key = "k" + std::to_string(i);
        EXPECT_EQ(ini.ReadString("q", key, "d"), cases[i].read) << cases[i].stored;
        EXPECT_EQ(ini.ReadStringLong("q", key, "d"), cases[i].read) << cases[i].stored;
    }
}

TEST_F(IniTest, ValuesAreCutAt2047UnlessReadLong) {
    const std::string long_value(3000, 'v');
    write("[s]\r\nlong=" + long_value + "\r\nquoted=\"" + std::string(2047, 'q') + "\"\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("s", "long", ""), long_value.substr(0, 2047));
    EXPECT_EQ(ini.ReadStringLong("s", "long", ""), long_value);
    EXPECT_EQ(ini.ReadString("s", "quoted", ""), std::string(2047, 'q'));  // the quotes do not count
    EXPECT_EQ(ini.ReadSectionValues("s")[0], "long=" + long_value.substr(0, 2047));
}

TEST_F(IniTest, WholeSectionReads) {
    write("[List]\r\nB=2\r\n;A=comment\r\na=1\r\nb=3\r\n\r\nC = \"x\"\r\n[Numbers]\r\n"
          "Item1=one\r\nitem2=\r\nITEM3=three\r\nItem5=five\r\nItem0=zero\r\n");
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadSection("list"), (std::vector<std::string>{"B", "a", "C"}));
    EXPECT_EQ(ini.ReadSectionValues("LIST"), (std::vector<std::string>{"B=2", "a=1", "C=x"}));
    EXPECT_TRUE(ini.ReadSection("none").empty());
    EXPECT_TRUE(ini.ReadSectionValues("none").empty());

    EXPECT_EQ(ini.ReadNumbered("numbers", "item"), (std::vector<std::string>{"one", "", "three"}));
    EXPECT_EQ(ini.ReadNumbered("numbers", "Item", 0), (std::vector<std::string>{"zero", "one", "", "three"}));
    EXPECT_EQ(ini.ReadNumbered("numbers", "Item", 5), std::vector<std::string>{"five"});
    EXPECT_TRUE(ini.ReadNumbered("numbers", "other").empty());
    EXPECT_TRUE(ini.ReadNumbered("none", "Item").empty());
}

TEST_F(IniTest, NumbersAndFlags) {
    write("[n]\r\ndec=42\r\nneg= -7 \r\nhex=$1F\r\nbad=12abc\r\nempty=\r\nzero=0\r\nquoted=\"5\"\r\n");
    IniFile ini(path_);
    struct Case {
        const char* key;
        int integer;
        bool flag;  // read with default true
    };
    const Case cases[] = {
        {"dec", 42, true},  {"neg", -7, true},   {"hex", 31, true},    {"bad", -1, true},
        {"empty", -1, true}, {"zero", 0, false}, {"quoted", 5, true}, {"missing", -1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadInteger("n", c.key, -1), c.integer) << c.key;
        EXPECT_EQ(ini.ReadBool("n", c.key, true), c.flag) << c.key;
    }
    EXPECT_FALSE(ini.ReadBool("n", "bad", false));
    EXPECT_TRUE(ini.ReadBool("n", "neg", false));

    ini.WriteInteger("n", "dec", -12);
    ini.WriteBool("n", "flag", true);
    ini.WriteBool("n", "off", false);
    EXPECT_EQ(ini.ReadString("n", "dec", ""), "-12");
    EXPECT_EQ(ini.ReadString("n", "flag", ""), "1");
    EXPECT_EQ(ini.ReadString("n", "off", ""), "0");
}

TEST_F(IniTest, WritingAKeyKeepsEveryOtherLineByteForByte) {
    const std::string before =
        "; Ustawienia \xa3\xf3\x64\x9f \x80\x9f\xff\r\n"
        "[Og\xf3lne]\r\n"
        "  Jezyk = PL   \r\n"
        "Nazwa=\xb9\xea\xe6\r\n"
        "raw line \x81\x8f without equals\r\n"
        "\r\n"
        "[Inne]\r\n"
        "x = \"quoted\"  \r\n";
    write(before);
    {
        IniFile ini(path_);
        ini.WriteString("og\xf3lne", "jezyk", "EN");  // only ASCII folds: "\xf3" is matched as is
        ini.UpdateFile();
    }
    std::string expected = before;
    expected.replace(expected.find("  Jezyk = PL   "), 15, "Jezyk=EN");
    EXPECT_EQ(contents(), expected);

    // Lines read with LF or CR alone are written back with CR LF.
    write("[a]\nk=1\rz=2\n");
    ini_write(path_, "a", "k", "3");
    EXPECT_EQ(contents(), "[a]\r\nk=3\r\nz=2\r\n");
}

TEST_F(IniTest, NewKeysAndSections) {
    write("[First]\r\na=1\r\n; closing comment\r\n\r\n\r\n[Second]\r\nb=2");
    {
        IniFile ini(path_);
        ini.WriteString("FIRST", "New", "n");      // after the last line that is not blank
        ini.WriteString("Second", "c", "line\r\nbreak\nhere");
        ini.WriteString("Third", "t", "3");        // a new section at the end
        ini.WriteString("third", "u", "4");
        EXPECT_EQ(ini.ReadString("first", "new", ""), "n");
        EXPECT_EQ(ini.ReadString("second", "c", ""), "line  break here");
    }  // written by the destructor
    EXPECT_EQ(contents(),
              "[First]\r\na=1\r\n; closing comment\r\nNew=n\r\n\r\n\r\n"
              "[Second]\r\nb=2\r\nc=line  break here\r\n"
              "[Third]\r\nt=3\r\nu=4\r\n");

    const std::string created = (dir_ / "created.ini").string();
    ini_write(created, "S", "k", "v");
    EXPECT_EQ(read_file(created), "[S]\r\nk=v\r\n");
}

TEST_F(IniTest, EraseSectionAndDeleteKey) {
    write("[A]\r\nk=1\r\nk=2\r\nj=3\r\n[B]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n[C]\r\nz=3\r\n");
    IniFile ini(path_);
    ini.DeleteKey("a", "K");
    EXPECT_EQ(ini.ReadString("A", "k", ""), "2");  // the next key of that name now counts
    ini.DeleteKey("a", "absent");
    ini.DeleteKey("absent", "k");
    ini.EraseSection("B");
    EXPECT_EQ(ini.ReadString("B", "y", ""), "2");  // the repeated section now counts
    EXPECT_EQ(ini.ReadString("B", "x", "d"), "d");
    ini.EraseSection("absent");
    ini.UpdateFile();
    EXPECT_EQ(contents(), "[A]\r\nk=2\r\nj=3\r\n[b]\r\ny=2\r\n[C]\r\nz=3\r\n");
}

TEST_F(IniTest, AnotherWriterBehindOurBackIsSeen) {
    write("[s]\r\nk=old\r\n");
    IniFile first(path_);
    EXPECT_EQ(first.ReadString("s", "k", ""), "old");
    write("[s]\r\nk=changed by another program\r\n");
    EXPECT_EQ(first.ReadString("s", "k", ""), "changed by another program");
    IniFile second(path_);
    EXPECT_EQ(second.ReadString("s", "k", ""), "changed by another program");
    fs::remove(path_);
    EXPECT_EQ(first.ReadString("s", "k", "gone"), "gone");
}

TEST_F(IniTest, ObjectsOnOnePathShareChanges) {
    write("[s]\r\nk=1\r\n");
    IniFile writer(path_);
    IniFile reader(path_);
    writer.WriteString("s", "k", "2");
    EXPECT_EQ(reader.ReadString("s", "k", ""), "2");  // before it reaches the disk
    EXPECT_EQ(contents(), "[s]\r\nk=1\r\n");
    reader.UpdateFile();  // pending changes belong to the file, not to one object
    EXPECT_EQ(contents(), "[s]\r\nk=2\r\n");
    writer.WriteString("s", "k", "3");
    writer.UpdateFile();
    EXPECT_EQ(IniFile(path_).ReadString("s", "k", ""), "3");
}

TEST_F(IniTest, WriteFailureRaisesAndDropsTheChanges) {
    write("[s]\r\nk=1\r\n");
    const std::string bad = path_ + "/inside.ini";  // the parent is a regular file
    try {
        ini_write(bad, "s", "k", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + bad);
    }
    {
        IniFile ini(bad);
        ini.WriteString("s", "k", "v");
        EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
        EXPECT_THROW(ini.UpdateFile(), EIniFileException);
        EXPECT_EQ(ini.ReadString("s", "k", "default"), "default");  // read from the disk again
        ini.WriteString("s", "k", "again");
    }  // the destructor's failure is not raised
    EXPECT_EQ(contents(), "[s]\r\nk=1\r\n");
}

TEST_F(IniTest, UnchangedValuesWriteNothing) {
    write("[s]\r\nk=same\n");
    {
        IniFile ini(path_);
        ini.WriteString("s", "k", "same");
        ini.DeleteKey("s", "absent");
    }
    EXPECT_EQ(contents(), "[s]\r\nk=same\n");  // the file was not rewritten
}
