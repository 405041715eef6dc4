#include "platform/ini.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <unordered_map>

#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/sysutils.h"

namespace {

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

bool is_blank_line(std::string_view line) { return std::all_of(line.begin(), line.end(), is_blank); }

// Hash and equality without regard to ASCII case; transparent, so that a
// lookup by string_view allocates nothing.
struct CaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        std::uint64_t h = 14695981039346656037ull;
        for (char c : s) {
            h ^= static_cast<unsigned char>(ascii_lower(c));
            h *= 1099511628211ull;
        }
        return static_cast<std::size_t>(h);
    }
};

struct CaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
        return true;
    }
};

template <class T>
using CaseMap = std::unordered_map<std::string, T, CaseHash, CaseEqual>;

std::string capped(std::string_view v) { return std::string(v.substr(0, std::min(v.size(), ini_value_cap))); }

// What tells that the file on disk changed.
struct Signature {
    bool exists = false;
    std::int64_t mtime_ns = 0;
    std::int64_t size = -1;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const Signature&) const = default;
};

Signature signature_of(const std::string& os_path) {
    Signature s;
    struct stat st {};
    if (::stat(os_path.c_str(), &st) != 0) return s;
    s.exists = true;
    s.mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.size = static_cast<std::int64_t>(st.st_size);
    s.device = static_cast<std::uint64_t>(st.st_dev);
    s.inode = static_cast<std::uint64_t>(st.st_ino);
    return s;
}

}  // namespace

ini_line ini_parse_line(std::string_view line) {
    ini_line p;
    const std::string_view t = trim(line);
    if (t.empty() || t.front() == ';') return p;
    if (t.front() == '[') {
        std::string_view name = t.substr(1);
        const std::size_t close = name.find(']');
        if (close != std::string_view::npos) name = name.substr(0, close);
        p.kind = ini_line::header;
        p.name = trim(name);
        return p;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos) return p;
    p.kind = ini_line::key;
    p.name = trim(t.substr(0, eq));
    p.value = trim(t.substr(eq + 1));
    return p;
}

std::string_view ini_trim(std::string_view s) { return trim(s); }

std::string_view ini_unquote(std::string_view v) {
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\''))
        return v.substr(1, v.size() - 2);
    return v;
}

// The file's lines, kept byte for byte, grouped by section. sections[0] holds
// the lines before the first header; every other section starts with its
// header line. Indexes: sections by name and, per section, keys by name to
// their line (the first of equal names counts).
struct IniFile::Document {
    struct Section {
        std::string name;
        std::vector<std::string> lines;
        CaseMap<std::size_t> keys;

        void index_keys() {
            keys.clear();
            for (std::size_t i = 1; i < lines.size(); ++i) {
                const ini_line p = ini_parse_line(lines[i]);
                if (p.kind == ini_line::key) keys.emplace(std::string(p.name), i);
            }
        }
        const std::string* line_of(std::string_view key) const {
            const auto it = keys.find(trim(key));
            return it == keys.end() ? nullptr : &lines[it->second];
        }
    };

    std::string os_path;
    Signature signature;
    bool dirty = false;  // changes not yet written
    std::vector<std::unique_ptr<Section>> sections;
    CaseMap<Section*> by_name;

    void parse(std::vector<std::string> file_lines) {
        sections.clear();
        sections.push_back(std::make_unique<Section>());
        Section* current = sections.back().get();
        for (std::string& line : file_lines) {
            const ini_line p = ini_parse_line(line);
            if (p.kind == ini_line::header) {
                sections.push_back(std::make_unique<Section>());
                current = sections.back().get();
                current->name = std::string(p.name);
            } else if (p.kind == ini_line::key && current != sections.front().get()) {
                current->keys.emplace(std::string(p.name), current->lines.size());
            }
            current->lines.push_back(std::move(line));
        }
        index_sections();
    }

    void index_sections() {
        by_name.clear();
        for (std::size_t i = 1; i < sections.size(); ++i) by_name.emplace(sections[i]->name, sections[i].get());
    }

    Section* find(std::string_view name) const {
        const auto it = by_name.find(trim(name));
        return it == by_name.end() ? nullptr : it->second;
    }

    const std::string* line_of(std::string_view section, std::string_view key) const {
        const Section* s = find(section);
        return s ? s->line_of(key) : nullptr;
    }

    // Whether line i of section s is the line that counts for its key.
    static bool first_of_key(const Section& s, std::size_t i, std::string_view key) {
        const auto it = s.keys.find(key);
        return it != s.keys.end() && it->second == i;
    }

    std::string text() const {
        std::size_t size = 0;
        for (const auto& s : sections)
            for (const std::string& line : s->lines) size += line.size() + 2;
        std::string out;
        out.reserve(size);
        for (const auto& s : sections)
            for (const std::string& line : s->lines) {
                out += line;
                out += "\r\n";
            }
        return out;
    }
};

namespace {

using Document = IniFile::Document;

// The process-wide cache, keyed by the expanded path. Never destroyed, so that
// an IniFile living until the end of the program can still reach it.
struct Cache {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_ptr<Document>> files;
};

Cache& cache() {
    static Cache* c = new Cache;
    return *c;
}

std::shared_ptr<Document> load(const std::string& key, const std::string& os_path, const Signature& sig) {
    auto doc = std::make_shared<Document>();
    doc->os_path = os_path;
    doc->signature = sig;
    std::vector<std::string> lines;
    if (sig.exists) {
        try {
            lines = read_lines(key);
        } catch (const EInOutError&) {
            // Unreadable counts as empty, like a missing file.
        }
    }
    doc->parse(std::move(lines));
    return doc;
}

// The Document for `key`: the cached one while the file on disk is unchanged
// (or while it holds changes not yet written), else a fresh parse.
std::shared_ptr<Document> acquire(const std::string& key, const std::shared_ptr<Document>& current) {
    if (current && current->dirty) return current;
    const std::string os_path = current ? current->os_path : to_os_path(key).string();
    const Signature sig = signature_of(os_path);
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    auto it = c.files.find(key);
    if (it != c.files.end() && (it->second->dirty || it->second->signature == sig)) return it->second;
    auto doc = load(key, os_path, sig);
    c.files[key] = doc;
    return doc;
}

}  // namespace

// ---------------------------------------------------------------------------

IniFile::IniFile(std::string_view path) : path_(path), key_(path.empty() ? std::string() : ExpandFileName(path)) {
    ensure_fresh();
}

IniFile::~IniFile() {
    try {
        UpdateFile();
    } catch (...) {
        // Reported only through an explicit UpdateFile().
    }
}

void IniFile::ensure_fresh() const {
    if (key_.empty()) {
        if (!doc_) doc_ = std::make_shared<Document>();
        return;
    }
    doc_ = acquire(key_, doc_);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    ensure_fresh();
    const std::string* line = doc_->line_of(section, key);
    return capped(line ? ini_unquote(ini_parse_line(*line).value) : def);
}

std::string IniFile::ReadStringLong(std::string_view section, std::string_view key, std::string_view def) const {
    ensure_fresh();
    const std::string* line = doc_->line_of(section, key);
    return std::string(line ? ini_unquote(ini_parse_line(*line).value) : def);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
    ensure_fresh();
    const std::string* line = doc_->line_of(section, key);
    return line ? StrToIntDef(capped(ini_unquote(ini_parse_line(*line).value)), def) : def;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    ensure_fresh();
    const std::string* line = doc_->line_of(section, key);
    if (!line) return def;
    int n = 0;
    return TryStrToInt(capped(ini_unquote(ini_parse_line(*line).value)), n) ? n != 0 : def;
}

bool IniFile::SectionExists(std::string_view section) const {
    ensure_fresh();
    return doc_->find(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    ensure_fresh();
    return doc_->line_of(section, key) != nullptr;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
    ensure_fresh();
    std::vector<std::string> out;
    const Document::Section* s = doc_->find(section);
    if (!s) return out;
    for (std::size_t i = 1; i < s->lines.size(); ++i) {
        const ini_line p = ini_parse_line(s->lines[i]);
        if (p.kind == ini_line::key && Document::first_of_key(*s, i, p.name)) out.emplace_back(p.name);
    }
    return out;
}

std::vector<std::string> IniFile::ReadSectionValues(std::string_view section) const {
    ensure_fresh();
    std::vector<std::string> out;
    const Document::Section* s = doc_->find(section);
    if (!s) return out;
    for (std::size_t i = 1; i < s->lines.size(); ++i) {
        const ini_line p = ini_parse_line(s->lines[i]);
        if (p.kind == ini_line::key && Document::first_of_key(*s, i, p.name))
            out.push_back(std::string(p.name) + "=" + capped(ini_unquote(p.value)));
    }
    return out;
}

std::vector<std::string> IniFile::ReadSections() const {
    ensure_fresh();
    std::vector<std::string> out;
    for (std::size_t i = 1; i < doc_->sections.size(); ++i) {
        const Document::Section* s = doc_->sections[i].get();
        if (doc_->find(s->name) == s) out.push_back(s->name);  // a repeated section counts once
    }
    return out;
}

std::vector<std::string> IniFile::ReadNumbered(std::string_view section, std::string_view prefix, int first) const {
    ensure_fresh();
    std::vector<std::string> out;
    const Document::Section* s = doc_->find(section);
    if (!s) return out;
    std::string key(prefix);
    for (int i = first;; ++i) {
        key.resize(prefix.size());
        key += std::to_string(i);
        const std::string* line = s->line_of(key);
        if (!line) break;
        out.push_back(capped(ini_unquote(ini_parse_line(*line).value)));
    }
    return out;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    ensure_fresh();
    Document& doc = *doc_;
    const std::string_view section_name = trim(section);
    const std::string_view key_name = trim(key);
    std::string v(value);
    std::replace(v.begin(), v.end(), '\r', ' ');
    std::replace(v.begin(), v.end(), '\n', ' ');

    Document::Section* s = doc.find(section_name);
    if (!s) {
        auto fresh = std::make_unique<Document::Section>();
        fresh->name = std::string(section_name);
        fresh->lines.push_back("[" + fresh->name + "]");
        fresh->lines.push_back(std::string(key_name) + "=" + v);
        fresh->keys.emplace(std::string(key_name), 1);
        doc.by_name.emplace(fresh->name, fresh.get());
        doc.sections.push_back(std::move(fresh));
        doc.dirty = true;
        return;
    }
    const auto it = s->keys.find(key_name);
    if (it != s->keys.end()) {
        std::string& line = s->lines[it->second];
        std::string replaced = std::string(ini_parse_line(line).name) + "=" + v;  // the key as spelled in the file
        if (replaced != line) {
            line = std::move(replaced);
            doc.dirty = true;
        }
        return;
    }
    // After the section's last line that is not blank; only blank lines
    // follow that position, so no key's line number moves.
    std::size_t pos = s->lines.size();
    while (pos > 1 && is_blank_line(s->lines[pos - 1])) --pos;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(pos), std::string(key_name) + "=" + v);
    s->keys.emplace(std::string(key_name), pos);
    doc.dirty = true;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::EraseSection(std::string_view section) {
    ensure_fresh();
    Document& doc = *doc_;
    const Document::Section* s = doc.find(section);
    if (!s) return;
    doc.sections.erase(std::find_if(doc.sections.begin(), doc.sections.end(),
                                    [s](const auto& p) { return p.get() == s; }));
    doc.index_sections();  // a later section of the same name now counts
    doc.dirty = true;
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
    ensure_fresh();
    Document::Section* s = doc_->find(section);
    if (!s) return;
    const auto it = s->keys.find(trim(key));
    if (it == s->keys.end()) return;
    s->lines.erase(s->lines.begin() + static_cast<std::ptrdiff_t>(it->second));
    s->index_keys();
    doc_->dirty = true;
}

void IniFile::UpdateFile() {
    if (!doc_ || !doc_->dirty) return;
    Cache& c = cache();
    try {
        write_file(key_, doc_->text());
    } catch (const EInOutError&) {
        // The changes are dropped: the next read sees the file as it is.
        doc_->dirty = false;
        std::lock_guard<std::mutex> lock(c.mutex);
        const auto it = c.files.find(key_);
        if (it != c.files.end() && it->second == doc_) c.files.erase(it);
        throw EIniFileException(Format("Unable to write to %s", {path_}));
    }
    doc_->dirty = false;
    doc_->signature = signature_of(doc_->os_path);
    std::lock_guard<std::mutex> lock(c.mutex);
    c.files[key_] = doc_;
}

// ---------------------------------------------------------------------------

std::string ini_read(std::string_view path, std::string_view section, std::string_view key, std::string_view def) {
    return IniFile(path).ReadString(section, key, def);
}

void ini_write(std::string_view path, std::string_view section, std::string_view key, std::string_view value) {
    IniFile ini(path);
    ini.WriteString(section, key, value);
    ini.UpdateFile();
}

void ini_cache_clear() {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.files.clear();
}

void ini_cache_forget(std::string_view path) {
    const std::string key = ExpandFileName(path);
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.files.erase(key);
}
