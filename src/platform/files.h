// File helpers: the only code outside src/gui that opens files or folders.
//
// Paths are Windows-1250 texts inside the program; "\" and "/" both separate
// folders. They become operating-system paths (UTF-8) only here. Whole files
// are read and written in one piece; a file that replaces another is written
// to a temporary file in the same folder and renamed over it, so a failed
// write never loses the old file. Failures to read or write raise EInOutError.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sysutils.h"

// The folder separator the program writes into paths it builds.
inline constexpr char PathDelim = '/';

// Edges to the operating system.
std::filesystem::path to_os_path(std::string_view path);
std::string from_os_path(const std::filesystem::path& path);

// Path texts (both separators are recognised).
std::string ExtractFileName(std::string_view path);   // "a/b.hlv" -> "b.hlv"
std::string ExtractFilePath(std::string_view path);   // "a/b.hlv" -> "a/"
std::string ExtractFileDir(std::string_view path);    // "a/b.hlv" -> "a"
std::string ExtractFileExt(std::string_view path);    // "a/b.hlv" -> ".hlv"
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
std::string ExpandFileName(std::string_view path);    // absolute, normalised
// Joins folder and name with one separator.
std::string path_join(std::string_view folder, std::string_view name);

// Existence and metadata.
bool FileExists(std::string_view path);        // a regular file
bool DirectoryExists(std::string_view path);
bool ForceDirectories(std::string_view path);  // creates missing parents; true when it exists afterwards
int64_t file_byte_size(std::string_view path); // -1 when it cannot be measured
// Modification date of a file; 0 when it cannot be read.
TDateTime FileDateTime(std::string_view path);
bool SetFileDateTime(std::string_view path, TDateTime t);

// Changes; false on failure (nothing raised).
bool DeleteFile(std::string_view path);
bool RenameFile(std::string_view from, std::string_view to);  // replaces an existing target
bool CopyFile(std::string_view from, std::string_view to, bool fail_if_exists);
bool RemoveDir(std::string_view path);  // an empty folder

// Folder listing: names matching a wildcard pattern ("*.hlo", "*"; * and ?,
// case-insensitive), sorted by name. With recursive set, subfolders are
// searched too and the results are paths relative to `folder`.
enum class ListKind { Files, Folders, Both };
std::vector<std::string> list_folder(std::string_view folder, std::string_view pattern,
                                     bool recursive, ListKind kind = ListKind::Files);

// Whole files. read_file raises EInOutError when the file cannot be read.
std::string read_file(std::string_view path);
// Lines split at CR LF, LF or lone CR; a final line ending gives no empty line.
std::vector<std::string> read_lines(std::string_view path);
// A whole file mapped into memory for reading (a file that cannot be
// mapped, such as a pipe, is read into memory instead). Raises EInOutError
// when the file cannot be opened or read.
class mapped_file {
public:
    explicit mapped_file(std::string_view path);
    ~mapped_file();
    mapped_file(const mapped_file&) = delete;
    mapped_file& operator=(const mapped_file&) = delete;
    std::string_view bytes() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
    std::string copy_;
};
// Writes through a temporary file and a rename; raises EInOutError. The
// file is flushed to the disk before it is renamed over the target, and the
// folder after, so that a power cut leaves the old file or the new one. A
// replaced file keeps its mode; a new one gets 0666 less the umask.
void write_file(std::string_view path, std::string_view bytes);
// Each line followed by CR LF.
void write_lines(std::string_view path, const std::vector<std::string>& lines);

// A file written piece by piece (the drawing file): written to a temporary
// file beside the target and renamed over it by commit(); destroyed without
// commit() it leaves the old file as it was. Like write_file, it flushes the
// file to the disk before the rename and the folder after it, and the file
// keeps the mode of the one it replaces.
class OutputFile {
public:
    explicit OutputFile(std::string_view path);  // raises EInOutError
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    void write(std::string_view bytes);
    void write_line(std::string_view line);  // line + CR LF
    void commit();                           // raises EInOutError
private:
    struct Impl;
    Impl* impl_;
};

// The temporary files of the writes above stand beside their target, named
// "." + the target's name + "." + six random characters + ".halvoren-tmp",
// and are locked while their write runs. One left by a write that was killed
// is stale once it is older than this program's start and no write holds
// it: the next write of the same target removes it, and so does this call
// for every target of a folder (the configuration folder at start). Returns
// how many went.
bool is_temp_file_name(std::string_view name);
int remove_stale_temp_files(std::string_view folder);

// Tests watch the steps of the writes that replace a file: "sync file" (the
// temporary file flushed to the disk, with its path), "rename" (with the
// target's path) and "sync folder" (with the folder's path). Process-wide;
// an empty hook removes it.
using write_step_hook = std::function<void(std::string_view step, const std::string& path)>;
void set_write_step_hook(write_step_hook hook);

// A new empty file with a unique name in `folder` (the system's temporary
// folder when empty); returns its path.
std::string make_temp_file(std::string_view folder, std::string_view prefix);
// A new empty folder with a unique name in the system's temporary folder;
// returns its path. Raises EInOutError.
std::string make_temp_folder(std::string_view prefix);
std::string temp_folder();
// Deletes a folder with everything in it; false when something stayed.
bool delete_folder_tree(std::string_view path);
// Copies the folder `from` with its subfolders into `to` (made when
// missing, and each subfolder too, empty ones included), leaving every file
// that `to` already holds as it is; names beginning with "." (version
// control's placeholders) are not copied. False, and nothing made, when
// `from` is no folder; false when a folder could not be made or a file not
// copied.
bool copy_missing_files(std::string_view from, std::string_view to);

// True when another open file description holds a write lock on the file
// (the nearest Linux has to a sharing violation). Programs that keep a file
// open without locking it are not seen.
bool file_locked_by_other(std::string_view path);
