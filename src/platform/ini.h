// Private-profile ini files, with the rules the program relies on:
// - sections and keys are found without regard to ASCII case; the first of
//   two equal sections or keys counts;
// - a missing file, section or key gives the default; an existing key with an
//   empty value gives the empty text;
// - keys and values are trimmed of blanks; a value enclosed in a matching
//   pair of double or single quotes loses them when read;
// - a value read holds at most 2047 characters (ReadStringLong has no cap);
// - values are written in Windows-1250 with CR LF; a written value replaces
//   the key's line in place, a new key goes after the last line of its
//   section, a new section at the end of the file; the file is created on
//   first write; line breaks inside a written value become blanks;
// - the lines the program does not touch are kept byte for byte.
//
// A file is parsed once and cached; the cache is invalidated by our own
// writes and by a change of the file's modification time or size. While
// changes are pending the cached parse is kept, and UpdateFile() writes it
// over whatever another program wrote meanwhile. One file is not meant to be
// used from several threads at once.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t ini_value_cap = 2047;

// One line of an ini file as the rules above see it: a section header (its
// name trimmed), a key with its value (both trimmed, quotes kept), or any
// other line (blank, a comment after ';', text without '=').
struct ini_line {
    enum kind_t { other, header, key } kind = other;
    std::string_view name;
    std::string_view value;
};
ini_line ini_parse_line(std::string_view line);
// The text without the blanks and TABs that the engine trims from names and values.
std::string_view ini_trim(std::string_view s);
// A value in a matching pair of double or single quotes loses them.
std::string_view ini_unquote(std::string_view v);

class IniFile {
public:
    // Opens (reads through the cache) the file at path; a missing file is an
    // empty one. The empty path names no file: nothing is read, and a write
    // fails.
    explicit IniFile(std::string_view path);
    // Writes pending changes, ignoring failures: call UpdateFile() to learn of them.
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    const std::string& FileName() const { return path_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    std::string ReadStringLong(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;  // "0" false, other numbers true

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Key names of a section, in file order.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // "key=value" for every key of a section, in file order.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;
    // Names of all sections, in file order.
    std::vector<std::string> ReadSections() const;
    // Values of prefix+first, prefix+(first+1), ... up to the first missing key.
    std::vector<std::string> ReadNumbered(std::string_view section, std::string_view prefix, int first = 1) const;

    // Changes are kept until UpdateFile() (or the destructor) writes them.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" / "0"
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    // Writes pending changes (through a temporary file and a rename); raises
    // EIniFileException "Unable to write to %s" when the system refuses.
    void UpdateFile();

    struct Document;  // the cached parse of one file

private:
    std::string path_;  // as given
    std::string key_;   // expanded: the cache key and the path written
    // The shared parse; replaced when the file changed on disk. Pending
    // changes are kept in the Document, so every IniFile on the path sees them.
    mutable std::shared_ptr<Document> doc_;
    void ensure_fresh() const;
};

// One value read or written in one call (the file is written at once).
std::string ini_read(std::string_view path, std::string_view section, std::string_view key, std::string_view def);
void ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value);

// Forgets every cached file (tests).
void ini_cache_clear();
// Forgets the cached parse of one file (a scratch file about to go).
void ini_cache_forget(std::string_view path);
