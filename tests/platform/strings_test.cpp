#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/strings.h"

namespace {

std::vector<std::string> items_of(const TStringList& list) { return list.items(); }

// A fresh folder for one test, removed afterwards.
class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("halvoren_" + std::string(info->test_suite_name()) + "_" + info->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace

TEST(StringList, SortedListHonoursDuplicates) {
    struct Case {
        TStringList::TDuplicates dup;
        std::vector<std::string> adds;
        std::vector<int> indexes;  // returned by each Add; -2 where it raises
        std::vector<std::string> result;
    };
    const Case cases[] = {
        {TStringList::dupIgnore, {"pear", "Apple", "fig", "APPLE", "banana"}, {0, 0, 1, 0, 1},
         {"Apple", "banana", "fig", "pear"}},
        {TStringList::dupAccept, {"b", "a", "B", "c", "A"}, {0, 0, 1, 3, 0}, {"A", "a", "B", "b", "c"}},
        {TStringList::dupError, {"x", "y", "X"}, {0, 1, -2}, {"x", "y"}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.Duplicates = c.dup;
        list.SetSorted(true);
        for (std::size_t i = 0; i < c.adds.size(); ++i) {
            if (c.indexes[i] == -2) {
                try {
                    list.Add(c.adds[i]);
                    ADD_FAILURE() << "no exception for " << c.adds[i];
                } catch (const Exception& e) {
                    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
                }
            } else {
                EXPECT_EQ(list.Add(c.adds[i]), c.indexes[i]) << c.adds[i];
            }
        }
        EXPECT_EQ(items_of(list), c.result);
        for (std::size_t i = 0; i < c.result.size(); ++i) {
            // Binary search finds the first of equal items, whatever the case.
            std::string upper = c.result[i];
            for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            const int found = list.IndexOf(upper);
            ASSERT_GE(found, 0) << upper;
            EXPECT_LE(found, static_cast<int>(i));
        }
        EXPECT_EQ(list.IndexOf("missing"), -1);
    }
}

TEST(StringList, SortingKeepsObjectsWithTheirItems) {
    TStringList list;
    list.AddObject("delta", 4);
    list.AddObject("Alpha", 1);
    list.AddObject("charlie", 3);
    list.AddObject("bravo", 2);
    list.SetSorted(true);
    EXPECT_EQ(items_of(list), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(list.Objects(i), i + 1);
    // Sorted order is the collation's: signs before letters.
    EXPECT_EQ(list.Add("_x"), 0);
    EXPECT_THROW(list.Insert(0, "zulu"), Exception);
    EXPECT_THROW(list.SetString(0, "zulu"), Exception);

    list.SetSorted(false);
    list.CustomSort([](const TStringList& l, int a, int b) {
        return static_cast<int>(l.Objects(b) - l.Objects(a));  // descending by object
    });
    EXPECT_EQ(items_of(list), (std::vector<std::string>{"delta", "charlie", "bravo", "Alpha", "_x"}));
    list.Exchange(0, 4);
    EXPECT_EQ(list[0], "_x");
    EXPECT_EQ(list.Objects(4), 4);
    list.Move(4, 1);
    EXPECT_EQ(items_of(list), (std::vector<std::string>{"_x", "delta", "charlie", "bravo", "Alpha"}));
    EXPECT_EQ(list.Objects(1), 4);
    list.Delete(1);
    EXPECT_EQ(list.Objects(1), 3);
}

TEST(StringList, CaseSensitivity) {
    TStringList list{"Abc", "abc", "\xa5x"};
    EXPECT_EQ(list.IndexOf("ABC"), 0);
    EXPECT_EQ(list.IndexOf("\xb9x"), 2);  // the code page's letters fold too
    list.CaseSensitive = true;
    EXPECT_EQ(list.IndexOf("abc"), 1);
    EXPECT_EQ(list.IndexOf("ABC"), -1);
    EXPECT_EQ(list.IndexOf("\xb9x"), -1);
}

// Lists compare with the Polish collation: found, sorted and kept apart
// from duplicates without regard to case.
TEST(StringList, PolishWords) {
    const std::vector<std::string> words = {"Zasuwa", "żwir"_cp, "Świetlik"_cp, "studnia", "Źródło"_cp,
                                            "łuk"_cp,  "Lej",      "ąb"_cp,        "Beton",   "ćwierć"_cp,
                                            "Cement",  "óśmy"_cp,  "osadnik",      "Nawa",    "ńa"_cp};
    const std::vector<std::string> sorted = {"ąb"_cp, "Beton", "Cement", "ćwierć"_cp, "Lej", "łuk"_cp,
                                             "Nawa", "ńa"_cp, "osadnik", "óśmy"_cp, "studnia", "Świetlik"_cp,
                                             "Zasuwa", "Źródło"_cp, "żwir"_cp};
    TStringList unsorted;
    for (const std::string& w : words) unsorted.Add(w);
    EXPECT_EQ(unsorted.IndexOf("ŻWIR"_cp), 1);
    EXPECT_EQ(unsorted.IndexOf("świetlik"_cp), 2);
    EXPECT_EQ(unsorted.IndexOf("zwir"), -1);
    EXPECT_EQ(unsorted.IndexOf("swietlik"), -1);

    TStringList list = unsorted;
    list.Sort();
    EXPECT_EQ(items_of(list), sorted);

    TStringList kept;
    kept.Duplicates = TStringList::dupIgnore;
    kept.SetSorted(true);
    for (const std::string& w : words) kept.Add(w);
    EXPECT_EQ(items_of(kept), sorted);
    EXPECT_EQ(kept.Add("Żwir"_cp), 14);  // a duplicate: the existing item's index
    EXPECT_EQ(kept.Add("zwir"), 13);     // not a duplicate: z before ź and ż
    EXPECT_EQ(kept.IndexOf("ŻWIR"_cp), 15);
    EXPECT_EQ(kept.IndexOf("źródło"_cp), 14);
    EXPECT_EQ(kept.IndexOf("Ąb"_cp), 0);

    TStringList strict;
    strict.Duplicates = TStringList::dupError;
    strict.SetSorted(true);
    strict.Add("Żwir"_cp);
    EXPECT_THROW(strict.Add("żwir"_cp), Exception);

    // Case-sensitive lists keep the letter order; case decides only between
    // words that differ in case alone, small letter first.
    TStringList cased{"Żwir"_cp, "zwir", "żwir"_cp, "Zwir"};
    cased.CaseSensitive = true;
    cased.Sort();
    EXPECT_EQ(items_of(cased), (std::vector<std::string>{"zwir", "Zwir", "żwir"_cp, "Żwir"_cp}));
    EXPECT_EQ(cased.IndexOf("żwir"_cp), 2);
    EXPECT_EQ(cased.IndexOf("ŻWIR"_cp), -1);

    TStringList values{"Długość=5"_cp, "szerokość=2"_cp};
    EXPECT_EQ(values.Values("DŁUGOŚĆ"_cp), "5");
    EXPECT_EQ(values.IndexOfName("Szerokość"_cp), 1);
}

TEST(StringList, IndexOutOfBoundsNamesTheIndex) {
    TStringList list{"a", "b"};
    const int bad[] = {-1, 2, 100};
    for (int i : bad) {
        try {
            (void)list[i];
            ADD_FAILURE() << i;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(i) + ")");
        }
    }
    EXPECT_THROW(list.Delete(2), Exception);
    EXPECT_THROW(list.Objects(-1), Exception);
    EXPECT_THROW(list.Insert(3, "x"), Exception);
    list.Insert(2, "c");  // at the end is allowed
    EXPECT_EQ(list[2], "c");
}

TEST(StringList, NamesAndValues) {
    TStringList list{"Width=10", "name=first", "comment", "Name=second", "path=a=b", "empty="};
    struct Case {
        const char* name;
        int index;
        const char* value;
    };
    const Case cases[] = {
        {"width", 0, "10"}, {"NAME", 1, "first"}, {"comment", -1, ""},
        {"path", 4, "a=b"}, {"empty", 5, ""},     {"absent", -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.IndexOfName(c.name), c.index) << c.name;
        EXPECT_EQ(list.Values(c.name), c.value) << c.name;
    }
    EXPECT_EQ(list.Names(4), "path");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(4), "a=b");
    EXPECT_EQ(list.ValueFromIndex(2), "");

    list.SetValue("NAME", "third");  // replaces the first in place, spelled as given
    EXPECT_EQ(list[1], "NAME=third");
    list.SetValue("new", "x");
    EXPECT_EQ(list[list.Count() - 1], "new=x");
    list.SetValue("width", "");  // an empty value deletes the line
    EXPECT_EQ(list.IndexOfName("width"), -1);
    EXPECT_EQ(list[0], "NAME=third");
    list.SetValue("never", "");
    EXPECT_EQ(list.Count(), 6);

    TStringList colon;
    colon.NameValueSeparator = ':';
    colon.Add("a:1");
    colon.Add("b=2");
    EXPECT_EQ(colon.Values("a"), "1");
    EXPECT_EQ(colon.IndexOfName("b"), -1);

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Add("b=2");
    sorted.Add("c=3");
    sorted.AddObject("a=1", 7);
    sorted.SetValue("a", "9");
    EXPECT_EQ(items_of(sorted), (std::vector<std::string>{"a=9", "b=2", "c=3"}));
    EXPECT_EQ(sorted.Objects(0), 7);
}

TEST(StringList, CommaTextWrites) {
    struct Case {
        std::vector<std::string> items;
        const char* text;
    };
    const Case cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"a", "b c", "d,e", "say \"hi\""}, "a,\"b c\",\"d,e\",\"say \"\"hi\"\"\""},
        {{"a", "", "b"}, "a,,b"},
        {{"tab\there", "\xb9\xea"}, "\"tab\there\",\xb9\xea"},
    };
    for (const Case& c : cases) {
        TStringList list;
        for (const std::string& s : c.items) list.Add(s);
        EXPECT_EQ(list.CommaText(), c.text);
        TStringList back;
        back.SetCommaText(list.CommaText());
        EXPECT_EQ(items_of(back), c.items) << c.text;
    }
}

TEST(StringList, CommaTextReads) {
    struct Case {
        const char* text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b,c", {"a", "b", "c"}},  // blanks outside quotes separate too
        {" a , b ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {",a", {"", "a"}},
        {"\"x, y\",z", {"x, y", "z"}},
        {"\"q\"\"q\"", {"q\"q"}},
        {"\"open", {"open"}},
        {"\"a\"b", {"a", "b"}},
    };
    for (const Case& c : cases) {
        TStringList list{"old"};
        list.SetCommaText(c.text);
        EXPECT_EQ(items_of(list), c.items) << c.text;
    }
}

TEST(StringList, DelimitedTextUsesItsDelimiterAndQuote) {
    TStringList list;
    list.Delimiter = ';';
    list.QuoteChar = '\'';
    list.SetDelimitedText("a;'b;c';'it''s' d");
    EXPECT_EQ(items_of(list), (std::vector<std::string>{"a", "b;c", "it's", "d"}));
    EXPECT_EQ(list.DelimitedText(), "a;'b;c';'it''s';d");
    EXPECT_EQ(list.CommaText(), "a,b;c,it's,d");
}

TEST(StringList, TextAndSetText) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"one\r\ntwo\nthree\rfour", {"one", "two", "three", "four"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\n\n", {"", ""}},
        {"a\n\rb", {"a", "", "b"}},
        {"\x80\xff\r\n", {"\x80\xff"}},
    };
    for (const Case& c : cases) {
        TStringList list{"old"};
        list.SetText(c.text);
        EXPECT_EQ(items_of(list), c.lines) << c.text;
        std::string joined;
        for (const std::string& s : c.lines) joined += s + "\r\n";
        EXPECT_EQ(list.Text(), joined);
    }
}

TEST(StringList, OnChangeRunsOncePerChangeOrOncePerBatch) {
    TStringList list;
    int calls = 0;
    list.OnChange = [&] { ++calls; };
    list.Add("a");
    list.Add("b");
    list.Delete(0);
    EXPECT_EQ(calls, 3);

    calls = 0;
    list.BeginUpdate();
    list.Add("c");
    list.BeginUpdate();
    list.SetText("x\r\ny\r\nz");
    list.EndUpdate();
    EXPECT_EQ(calls, 0);
    list.EndUpdate();
    EXPECT_EQ(calls, 1);

    calls = 0;
    list.SetCommaText("p,q,r");
    EXPECT_EQ(calls, 1);
    list.SetSorted(true);
    calls = 1;
    list.Add("p");  // an ignored duplicate changes nothing
    EXPECT_EQ(calls, 1);

    TStringList copy(list);
    EXPECT_FALSE(copy.OnChange);  // a copy does not notify the original's owner
    copy.Add("s");
    EXPECT_EQ(calls, 1);
    list = copy;
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(list.Count(), 4);
}

TEST(StringList, AssignAndAddStrings) {
    TStringList source{"b", "a", "b"};
    source.SetObject(1, 5);
    TStringList target;
    target.SetSorted(true);
    target.Assign(source);
    EXPECT_EQ(items_of(target), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(target.Objects(0), 5);
    TStringList plain{"z"};
    plain.AddStrings(plain);
    EXPECT_EQ(items_of(plain), (std::vector<std::string>{"z", "z"}));
}

TEST(StringList, FileRoundTrip) {
    const TempDir dir;
    const std::string path = dir.file("lines.txt");
    TStringList list{"first", "", "\xa3\xf3\x64\x9f"};
    list.SaveToFile(path);
    EXPECT_EQ(read_file(path), "first\r\n\r\n\xa3\xf3\x64\x9f\r\n");
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(items_of(back), items_of(list));
    EXPECT_THROW(back.LoadFromFile(dir.file("missing.txt")), EInOutError);
    EXPECT_EQ(back.Count(), 3);  // a failed load leaves the list as it was
}
