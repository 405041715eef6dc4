#include "platform/strings.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/sysutils.h"

namespace {

[[noreturn]] void index_error(int i) {
    throw Exception("List index out of bounds (" + std::to_string(i) + ")");
}

[[noreturn]] void sorted_error() { throw Exception("Operation not allowed on sorted list"); }

bool is_blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The old runtime quoted an item holding a control character, a blank, the
// quote or the delimiter; an empty item stays empty unless it is the only one.
std::string join_delimited(const std::vector<std::string>& items, char delimiter, char quote) {
    if (items.size() == 1 && items[0].empty()) return std::string(2, quote);
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += delimiter;
        const std::string& s = items[i];
        const bool needs_quotes = std::any_of(s.begin(), s.end(), [&](char c) {
            return is_blank(c) || c == quote || c == delimiter;
        });
        if (!needs_quotes) {
            out += s;
            continue;
        }
        out += quote;
        for (char c : s) {
            if (c == quote) out += quote;
            out += c;
        }
        out += quote;
    }
    return out;
}

// Items are separated by the delimiter or by blanks outside quotes; a quoted
// item has its doubled quotes made single. A delimiter that ends the text
// directly gives a final empty item.
std::vector<std::string> split_delimited(std::string_view text, char delimiter, char quote) {
    std::vector<std::string> out;
    const std::size_t n = text.size();
    std::size_t p = 0;
    auto skip_blanks = [&] {
        while (p < n && is_blank(text[p])) ++p;
    };
    skip_blanks();
    while (p < n) {
        std::string item;
        if (text[p] == quote) {
            ++p;
            while (p < n) {
                if (text[p] == quote) {
                    if (p + 1 < n && text[p + 1] == quote) {
                        item += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            const std::size_t start = p;
            while (p < n && !is_blank(text[p]) && text[p] != delimiter) ++p;
            item.assign(text.substr(start, p - start));
        }
        out.push_back(std::move(item));
        skip_blanks();
        if (p < n && text[p] == delimiter) {
            ++p;
            if (p == n) out.emplace_back();
            skip_blanks();
        }
    }
    return out;
}

// Runs f between BeginUpdate and EndUpdate, so that OnChange runs once.
template <class F>
void batch(TStringList& list, F&& f) {
    list.BeginUpdate();
    try {
        f();
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}

void apply_order(std::vector<std::string>& items, std::vector<intptr_t>& objects, const std::vector<int>& order) {
    std::vector<std::string> new_items;
    std::vector<intptr_t> new_objects;
    new_items.reserve(items.size());
    new_objects.reserve(objects.size());
    for (int i : order) {
        new_items.push_back(std::move(items[i]));
        new_objects.push_back(objects[i]);
    }
    items = std::move(new_items);
    objects = std::move(new_objects);
}

}  // namespace

TStringList::TStringList(std::initializer_list<std::string> items)
    : items_(items), objects_(items.size(), 0) {}

TStringList::TStringList(const TStringList& other)
    : CaseSensitive(other.CaseSensitive),
      Duplicates(other.Duplicates),
      Delimiter(other.Delimiter),
      QuoteChar(other.QuoteChar),
      NameValueSeparator(other.NameValueSeparator),
      items_(other.items_),
      objects_(other.objects_),
      sorted_(other.sorted_) {}

TStringList& TStringList::operator=(const TStringList& other) {
    if (this == &other) return *this;
    CaseSensitive = other.CaseSensitive;
    Duplicates = other.Duplicates;
    Delimiter = other.Delimiter;
    QuoteChar = other.QuoteChar;
    NameValueSeparator = other.NameValueSeparator;
    items_ = other.items_;
    objects_ = other.objects_;
    sorted_ = other.sorted_;
    changed();
    return *this;
}

void TStringList::changed() {
    if (update_count_ == 0 && OnChange) OnChange();
}

// The program's collation, as the old runtime's lists compared with the
// user's locale: without regard to case unless CaseSensitive.
int TStringList::compare(std::string_view a, std::string_view b) const {
    return CaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

// Lower bound: the first index whose item is not below s.
int TStringList::find_sorted(std::string_view s, bool& found) const {
    int lo = 0;
    int hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (compare(items_[mid], s) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    found = lo < Count() && compare(items_[lo], s) == 0;
    return lo;
}

const std::string& TStringList::operator[](int i) const {
    if (i < 0 || i >= Count()) index_error(i);
    return items_[i];
}

void TStringList::SetString(int i, std::string s) {
    if (sorted_) sorted_error();
    if (i < 0 || i >= Count()) index_error(i);
    items_[i] = std::move(s);
    changed();
}

intptr_t TStringList::Objects(int i) const {
    if (i < 0 || i >= Count()) index_error(i);
    return objects_[i];
}

void TStringList::SetObject(int i, intptr_t object) {
    if (i < 0 || i >= Count()) index_error(i);
    objects_[i] = object;
    changed();
}

int TStringList::Add(std::string s) { return AddObject(std::move(s), 0); }

int TStringList::AddObject(std::string s, intptr_t object) {
    int i = Count();
    if (sorted_) {
        bool found = false;
        i = find_sorted(s, found);
        if (found) {
            if (Duplicates == dupIgnore) return i;
            if (Duplicates == dupError) throw Exception("String list does not allow duplicates");
        }
    }
    items_.insert(items_.begin() + i, std::move(s));
    objects_.insert(objects_.begin() + i, object);
    changed();
    return i;
}

void TStringList::Insert(int i, std::string s) { InsertObject(i, std::move(s), 0); }

void TStringList::InsertObject(int i, std::string s, intptr_t object) {
    if (sorted_) sorted_error();
    if (i < 0 || i > Count()) index_error(i);
    items_.insert(items_.begin() + i, std::move(s));
    objects_.insert(objects_.begin() + i, object);
    changed();
}

void TStringList::Delete(int i) {
    if (i < 0 || i >= Count()) index_error(i);
    items_.erase(items_.begin() + i);
    objects_.erase(objects_.begin() + i);
    changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    objects_.clear();
    changed();
}

void TStringList::Exchange(int a, int b) {
    if (a < 0 || a >= Count()) index_error(a);
    if (b < 0 || b >= Count()) index_error(b);
    std::swap(items_[a], items_[b]);
    std::swap(objects_[a], objects_[b]);
    changed();
}

void TStringList::Move(int from, int to) {
    if (from == to) return;
    if (sorted_) sorted_error();
    if (from < 0 || from >= Count()) index_error(from);
    if (to < 0 || to >= Count()) index_error(to);
    std::string s = std::move(items_[from]);
    const intptr_t object = objects_[from];
    items_.erase(items_.begin() + from);
    objects_.erase(objects_.begin() + from);
    items_.insert(items_.begin() + to, std::move(s));
    objects_.insert(objects_.begin() + to, object);
    changed();
}

void TStringList::AddStrings(const TStringList& other) {
    const std::vector<std::string> items = other.items_;  // other may be this list
    const std::vector<intptr_t> objects = other.objects_;
    batch(*this, [&] {
        for (std::size_t i = 0; i < items.size(); ++i) AddObject(items[i], objects[i]);
    });
}

void TStringList::Assign(const TStringList& other) {
    if (this == &other) return;
    batch(*this, [&] {
        Clear();
        if (sorted_) {
            for (int i = 0; i < other.Count(); ++i) AddObject(other.items_[i], other.objects_[i]);
        } else {
            items_ = other.items_;
            objects_ = other.objects_;
        }
    });
}

int TStringList::IndexOf(std::string_view s) const {
    if (sorted_) {
        bool found = false;
        const int i = find_sorted(s, found);
        return found ? i : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (compare(items_[i], s) == 0) return i;
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& s = items_[i];
        const std::size_t p = s.find(NameValueSeparator);
        if (p != std::string::npos && compare(std::string_view(s).substr(0, p), name) == 0) return i;
    }
    return -1;
}

std::string TStringList::Names(int i) const {
    const std::string& s = (*this)[i];
    const std::size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStringList::ValueFromIndex(int i) const {
    const std::string& s = (*this)[i];
    const std::size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStringList::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValue(std::string_view name, std::string value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string line;
    line.reserve(name.size() + 1 + value.size());
    line.append(name);
    line += NameValueSeparator;
    line += value;
    if (i < 0) {
        Add(std::move(line));
    } else if (sorted_) {
        // The new line may belong elsewhere in the order.
        const intptr_t object = objects_[i];
        batch(*this, [&] {
            Delete(i);
            AddObject(std::move(line), object);
        });
    } else {
        SetString(i, std::move(line));
    }
}

std::string TStringList::Text() const {
    std::size_t size = 0;
    for (const std::string& s : items_) size += s.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& s : items_) {
        out += s;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    batch(*this, [&] {
        Clear();
        std::size_t start = 0;
        const std::size_t n = text.size();
        while (start < n) {
            std::size_t end = start;
            while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
            Add(std::string(text.substr(start, end - start)));
            if (end + 1 < n && text[end] == '\r' && text[end + 1] == '\n')
                start = end + 2;
            else
                start = end + 1;
        }
    });
}

std::string TStringList::CommaText() const { return join_delimited(items_, ',', '"'); }

void TStringList::SetCommaText(std::string_view text) {
    std::vector<std::string> items = split_delimited(text, ',', '"');
    batch(*this, [&] {
        Clear();
        for (std::string& s : items) Add(std::move(s));
    });
}

std::string TStringList::DelimitedText() const { return join_delimited(items_, Delimiter, QuoteChar); }

void TStringList::SetDelimitedText(std::string_view text) {
    std::vector<std::string> items = split_delimited(text, Delimiter, QuoteChar);
    batch(*this, [&] {
        Clear();
        for (std::string& s : items) Add(std::move(s));
    });
}

void TStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
}

void TStringList::Sort() {
    if (Count() < 2) return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return compare(items_[a], items_[b]) < 0; });
    apply_order(items_, objects_, order);
    changed();
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare_items) {
    // A sorted list keeps its own order (binary search relies on it).
    if (sorted_ || Count() < 2) return;
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare_items(*this, a, b) < 0; });
    apply_order(items_, objects_, order);
    changed();
}

void TStringList::LoadFromFile(std::string_view path) {
    std::vector<std::string> lines = read_lines(path);
    batch(*this, [&] {
        Clear();
        if (sorted_) {
            for (std::string& s : lines) Add(std::move(s));
        } else {
            objects_.assign(lines.size(), 0);
            items_ = std::move(lines);
        }
    });
}

void TStringList::SaveToFile(std::string_view path) const { write_lines(path, items_); }
