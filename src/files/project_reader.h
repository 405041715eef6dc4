// The project reader: the content of a project file, an autosave file or a
// legacy project text read into a fresh project content, without any
// window, so that a file that cannot be read leaves the open project as it
// was. The main window's open command runs the steps around it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/project_format.h"
#include "model/records.h"
#include "platform/exceptions.h"

// A file that is refused: the reason says where (section, key) and why.
class project_file_error : public Exception {
public:
    using Exception::Exception;
};

// A file's text parsed once: its lines (a CR, an LF or a CR LF ends a
// line) and its sections and keys found as the ini engine finds them
// (names trimmed and compared without ASCII case, the first of two equal
// names counting, values trimmed and a matching pair of quotes removed).
class project_text {
public:
    explicit project_text(std::string content);
    project_text(const project_text&) = delete;
    project_text& operator=(const project_text&) = delete;

    const std::vector<std::string_view>& lines() const { return lines_; }
    // The lines ended by a line break (a last line cut short is not).
    std::size_t ended_lines() const { return ended_lines_; }
    bool has_section(std::string_view section) const;
    // A key's value; nullopt when the section or key is missing. Values
    // hold at most 2047 characters unless `whole` is set.
    std::optional<std::string_view> value(std::string_view section, std::string_view key, bool whole = false) const;
    // The number of keys of a section (each name once).
    std::size_t key_count(std::string_view section) const;
    // The rest of the first line of the section that begins with key + "="
    // (not trimmed; empty when there is none).
    std::string_view column(std::string_view section, std::string_view key) const;
    // Every section but the profile, sump and pipe-series sections, as
    // lines ended by CR LF: what the settings and the title block read.
    std::string settings_text() const;

private:
    struct section_lines {
        std::size_t first = 0;  // the header line
        std::size_t end = 0;    // one past the last line
        std::unordered_map<std::string, std::size_t> keys;  // lower-cased name -> line
    };
    std::string content_;
    std::vector<std::string_view> lines_;
    std::size_t ended_lines_ = 0;
    std::vector<section_lines> sections_;
    std::unordered_map<std::string, std::size_t> by_name_;  // lower-cased name -> section
    const section_lines* find(std::string_view section) const;
};

// The section that opens a project file as this program writes it: the
// number of profile sections that follow ("profile"), the names of the
// sections after them, in file order, joined by "," ("sekcje"), and the
// number of lines of the whole file, each ended by a line break ("linie").
// The reader compares them with what the file holds, so that a file cut
// short is known; older files without it are read as they are.
inline constexpr std::string_view file_header_section = "naglowek";
inline constexpr std::string_view file_header_profiles = "profile";
inline constexpr std::string_view file_header_sections = "sekcje";
inline constexpr std::string_view file_header_lines = "linie";

// How a file is read: as a project (".hlv", ".~hl"), as a legacy text
// (".txt", or any other extension when the open dialog's second filter was
// chosen), or, another extension with the first filter, only for its
// settings and title block.
enum class project_kind { project, legacy, other };
project_kind project_kind_of(std::string_view path, int filter_index);

// What a file holds, read into a fresh project content.
struct project_content {
    std::vector<odcinek> profiles;  // a legacy text: one profile with its nodes
    std::vector<mat_studzienka> sumps;
    std::vector<mat_rura_typosz> pipe_series;
    int16_t main_profile = -1;
    int version = 0;                // the digits of [format] "wersja"
    int legacy_rows = 0;            // a legacy text: the main table's rows
    cell_faults faults;             // node cells that did not convert
    // What the file declares and does not hold, one text each for the
    // user: profiles and sections that are missing, profiles whose node
    // columns end before their declared node count. Empty for a whole file.
    std::vector<std::string> missing;
};

// Reads a file's content. Raises project_file_error with the reason when
// the file is refused: a number outside the node cells that does not
// convert, a whole number outside its field's range, a node count below 0
// or above 65535, a legacy "kolumny" below 1, a file read as a project
// without a section "p0". What is declared but missing is read as far as
// it goes and listed in `missing`.
void read_project(const project_text& text, project_kind kind, project_content& out);

// Reads section "p" + n into the profile: the header (its id only without
// `keep_id`), the nodes and the attachment lines. Node cells that do not
// convert read as 0 and are counted in `faults`.
void odczytaj_tabele(odcinek& p, int n, const project_text& text, bool keep_id, cell_faults& faults);
// The same from a file into profile `target` of the open project (the
// insert-profiles dialog passes `keep_id` for the profile it made); the
// nodes count faults without a report.
void odczytaj_tabele(uint16_t target, int section, const std::string& file, bool keep_id);
// The value of one node-column key of section "p" + n.
std::string_view odczytaj_kolumne_dlugi_tekst(const project_text& text, std::string_view key, int n);
// Distributes the cells of one node column (its key) over the profile's nodes.
void odczytaj_kolumne(std::string_view key, odcinek& p, std::string_view column, cell_faults& faults);
// An older comment that carries object values after "@": the text up to
// the "@" and the first value, the rest after the values, then "|", the
// first value, "|", the second, "|". A text without "@", or with "@_", comes
// back unchanged.
std::string czysc_komentarz(const std::string& comment);
// One sump line into the record (only a line that holds "¤").
void linia2sump(std::string_view line, mat_studzienka& sump);
// The fixes of older files for every node: below version 213 the hydrant
// comments and the trench width, for every version the names ending in "*".
void zgodnosc_wstecz(std::vector<odcinek>& profiles, int version);
// The same for the open project, with the version just read.
void zgodnosc_wstecz();
// Reads a legacy project text into the content's one profile.
void read_legacy(const project_text& text, project_content& out);

// Reads the settings of mode "plik" and the title block of a file that has
// been read: from its sections other than the profile, sump and
// pipe-series sections, so the file is not read again.
void read_file_settings(const project_text& text);
