#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/named_bytes.h"

namespace {

using Items = std::vector<std::string>;

TEST(NamedBytes, ItemsSplitJoinAndFirst) {
    struct Case {
        std::string text;
        Items items;
        std::string first;
    };
    const std::string s(1, item_separator);
    const Case cases[] = {
        {"", {}, ""},
        {"PVC", {"PVC"}, "PVC"},
        {"PVC" + s + "PE", {"PVC", "PE"}, "PVC"},
        {"PVC" + s + "PE" + s, {"PVC", "PE", ""}, "PVC"},
        {s, {"", ""}, ""},
        {s + s + "x", {"", "", "x"}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(split_items(c.text), c.items) << c.text;
        EXPECT_EQ(first_item(c.text), c.first) << c.text;
        if (!c.items.empty()) {
            EXPECT_EQ(join_items(c.items), c.text) << c.text;
        }
    }
    EXPECT_EQ(join_items({}), "");
    // Another separator: the lists of one field.
    const std::string r(1, list_separator);
    EXPECT_EQ(split_items("3" + r + "4" + r, list_separator), (Items{"3", "4", ""}));
    EXPECT_EQ(join_items({"a", "b"}, list_separator), "a" + r + "b");
    EXPECT_EQ(first_item("a" + s + "b" + r + "c", list_separator), "a" + s + "b");
}

}  // namespace
