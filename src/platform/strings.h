// TStringList: the list of texts that the program uses everywhere (scratch
// lists, memo lines, combo and list items, whole-file line lists).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> items);
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);
    virtual ~TStringList() = default;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int i) const;  // raises Exception "List index out of bounds (%d)"
    const std::string& Strings(int i) const { return (*this)[i]; }
    void SetString(int i, std::string s);
    intptr_t Objects(int i) const;
    void SetObject(int i, intptr_t object);

    int Add(std::string s);  // returns the index (sorted lists insert in place)
    int AddObject(std::string s, intptr_t object);
    void Insert(int i, std::string s);
    void InsertObject(int i, std::string s, intptr_t object);
    void Delete(int i);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);
    void AddStrings(const TStringList& other);
    void Assign(const TStringList& other);  // items only

    // Items compare, sort and find duplicates by the program's collation
    // (sysutils.h): AnsiCompareText, or AnsiCompareStr when CaseSensitive.
    // First index of s, -1 when absent (case-insensitive unless CaseSensitive).
    int IndexOf(std::string_view s) const;
    // Index of the first "name=value" line whose name is `name`.
    int IndexOfName(std::string_view name) const;
    std::string Names(int i) const;
    std::string ValueFromIndex(int i) const;
    std::string Values(std::string_view name) const;
    void SetValue(std::string_view name, std::string value);  // empty value deletes the line

    // Lines joined with CR LF, each line ended (the old runtime's Text).
    std::string Text() const;
    // Splits at CR LF, LF or CR.
    void SetText(std::string_view text);
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    bool CaseSensitive = false;
    enum TDuplicates { dupIgnore, dupAccept, dupError } Duplicates = dupIgnore;
    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';

    // Whole-file helpers through the platform's file functions (Windows-1250
    // lines, CR LF).
    void LoadFromFile(std::string_view path);
    void SaveToFile(std::string_view path) const;

    const std::vector<std::string>& items() const { return items_; }

    // Runs after every change (controls hook their item lists here).
    std::function<void()> OnChange;

protected:
    void changed();

private:
    std::vector<std::string> items_;
    std::vector<intptr_t> objects_;
    bool sorted_ = false;
    int update_count_ = 0;
    int find_sorted(std::string_view s, bool& found) const;
    int compare(std::string_view a, std::string_view b) const;

public:
    void BeginUpdate() { ++update_count_; }
    // OnChange runs once when the outermost EndUpdate closes the batch.
    void EndUpdate() {
        if (update_count_ > 0 && --update_count_ == 0) changed();
    }
};
