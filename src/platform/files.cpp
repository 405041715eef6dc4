#include "platform/files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <system_error>

#include "platform/cp1250.h"
#include "platform/exceptions.h"

namespace fs = std::filesystem;

namespace {

bool is_sep(char c) { return c == '/' || c == '\\'; }

// Position of the last folder separator, npos when none.
std::size_t last_sep(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (is_sep(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

// Position of the extension's dot in the last component, npos when none.
std::size_t ext_dot(std::string_view path) {
    const std::size_t sep = last_sep(path);
    const std::size_t from = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = path.rfind('.');
    return (dot == std::string_view::npos || dot < from) ? std::string_view::npos : dot;
}

// The system's text for an errno value, in Windows-1250. strerror_r comes in
// two flavours (GNU returns the text, POSIX fills the buffer).
[[maybe_unused]] const char* pick_error_text(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* pick_error_text(const char* result, const char*) { return result; }

std::string sys_error(int e) {
    char buffer[256] = {};
    return utf8_to_cp1250(pick_error_text(strerror_r(e, buffer, sizeof buffer), buffer));
}

[[noreturn]] void raise_io(const char* what, std::string_view path, int e) {
    throw EInOutError(std::string(what) + " \"" + std::string(path) + "\". " + sys_error(e), e);
}

// Writes everything; 0 or the errno of the failure.
int write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

// The file a write to `target` replaces: a symbolic link is followed so that
// the link stays and the file it names is replaced.
fs::path resolve_target(fs::path target) {
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path real = fs::canonical(target, ec);
        if (!ec) return real;
    }
    return target;
}

constexpr std::string_view temp_suffix = ".halvoren-tmp";
constexpr std::size_t temp_random_length = 6;

std::string random_suffix() {
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 rng([] {
        std::seed_seq seq{static_cast<std::uint64_t>(std::random_device{}()),
                          static_cast<std::uint64_t>(::getpid()),
                          static_cast<std::uint64_t>(
                              std::chrono::steady_clock::now().time_since_epoch().count())};
        return std::mt19937_64(seq);
    }());
    std::string s(temp_random_length, ' ');
    for (char& c : s) c = letters[rng() % (sizeof letters - 1)];
    return s;
}

// This program's start: a temporary file older than it, and not locked,
// belongs to a write that no longer runs.
const std::int64_t g_started_ns =
    std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch()).count();

write_step_hook& step_hook() {
    static write_step_hook hook;
    return hook;
}

void write_step(std::string_view step, const fs::path& path) {
    if (const write_step_hook& hook = step_hook()) hook(step, from_os_path(path));
}

// ".<name>.XXXXXX.halvoren-tmp"
bool temp_file_of(std::string_view entry, std::string_view name) {
    return entry.size() == 1 + name.size() + 1 + temp_random_length + temp_suffix.size() && entry[0] == '.' &&
           entry.substr(1, name.size()) == name && entry[1 + name.size()] == '.' &&
           entry.substr(entry.size() - temp_suffix.size()) == temp_suffix;
}

bool temp_file_of_any(std::string_view entry) {
    const std::size_t least = 1 + 1 + 1 + temp_random_length + temp_suffix.size();
    return entry.size() >= least && entry[0] == '.' &&
           entry.substr(entry.size() - temp_suffix.size()) == temp_suffix &&
           entry[entry.size() - temp_suffix.size() - temp_random_length - 1] == '.';
}

// Whether an open file description holds a write lock on the file (ours
// included: a lock of this process through another description counts).
bool locked_by_other(const fs::path& path) {
#ifdef F_OFD_GETLK
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return locked;
#else
    (void)path;
    return false;
#endif
}

// A write holds its temporary file locked, so that no other run of the
// program takes it for stale.
void lock_for_writing(int fd) {
#ifdef F_OFD_SETLK
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    (void)::fcntl(fd, F_OFD_SETLK, &lock);
#else
    (void)fd;
#endif
}

// Removes the stale temporary files of the folder: those of one target's
// name, or all when `name` is null.
int remove_stale_temps(const fs::path& folder, const std::string* name) {
    int removed = 0;
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (name ? !temp_file_of(entry, *name) : !temp_file_of_any(entry)) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const std::int64_t mtime_ns = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        if (mtime_ns >= g_started_ns || locked_by_other(it->path())) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

// Flushes a file's data to the disk; 0 or the errno of the failure. A file
// system that cannot flush (EINVAL) has nothing to flush.
int sync_file(int fd, const fs::path& path) {
    while (::fsync(fd) != 0) {
        if (errno == EINTR) continue;
        if (errno == EINVAL) break;
        return errno;
    }
    write_step("sync file", path);
    return 0;
}

// After a rename: the folder's entry to the disk too. A failure here leaves
// the new file in place; it is not reported.
void sync_folder(const fs::path& folder) {
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    while (::fsync(fd) != 0 && errno == EINTR) {
    }
    ::close(fd);
    write_step("sync folder", dir);
}

// Renames the finished temporary file over the target and flushes the
// folder; 0 or the errno of the failure.
int replace_target(const fs::path& temp, const fs::path& target) {
    if (::rename(temp.c_str(), target.c_str()) != 0) return errno;
    write_step("rename", target);
    sync_folder(target.parent_path());
    return 0;
}

// A new temporary file beside `target` (see files.h for its name), open for
// writing and locked. It takes the permissions of the file it will replace,
// or the usual ones (0666 less the umask) for a new file. The stale
// temporary files of earlier writes of the same target go first.
struct TempFile {
    int fd = -1;
    fs::path path;
};

TempFile create_temp_beside(const fs::path& target, std::string_view shown_path) {
    const fs::path folder = target.parent_path();
    const std::string name = target.filename().string();
    remove_stale_temps(folder, &name);
    struct stat old {};
    const bool replaces = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    for (int attempt = 0;; ++attempt) {
        TempFile t;
        t.path = folder / ("." + name + "." + random_suffix() + std::string(temp_suffix));
        t.fd = ::open(t.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (t.fd >= 0) {
            lock_for_writing(t.fd);
            if (replaces) (void)::fchmod(t.fd, old.st_mode & 07777);
            return t;
        }
        const int e = errno;
        if (e != EEXIST || attempt > 100) raise_io("Cannot create file", shown_path, e);
    }
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    while (start < n) {
        std::size_t end = start;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        lines.emplace_back(text.substr(start, end - start));
        start = (end + 1 < n && text[end] == '\r' && text[end + 1] == '\n') ? end + 2 : end + 1;
    }
    return lines;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// * any run of characters, ? one character; ASCII case is ignored.
bool wildcard_match(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, s = 0;
    std::size_t star = std::string_view::npos, mark = 0;
    while (s < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = s;
        } else if (p < pattern.size() && (pattern[p] == '?' || ascii_lower(pattern[p]) == ascii_lower(name[s]))) {
            ++p;
            ++s;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            s = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void walk_folder(const fs::path& folder, const std::string& prefix, std::string_view pattern, bool recursive,
                 ListKind kind, std::vector<std::string>& out) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& entry = *it;
        std::error_code ec2;
        const bool is_dir = entry.is_directory(ec2);
        const bool is_file = !is_dir && entry.is_regular_file(ec2);
        const std::string name = from_os_path(entry.path().filename());
        if (wildcard_match(pattern, name)) {
            if ((is_file && kind != ListKind::Folders) || (is_dir && kind != ListKind::Files))
                out.push_back(prefix + name);
        }
        // Linked folders are listed but not entered (no loops).
        if (recursive && is_dir && !entry.is_symlink(ec2))
            walk_folder(entry.path(), prefix + name + "/", pattern, recursive, kind, out);
    }
}

// Copies the modification time of `from` to `to`.
void copy_mtime(const fs::path& from, const fs::path& to) {
    struct stat st {};
    if (::stat(from.c_str(), &st) != 0) return;
    const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
    (void)::utimensat(AT_FDCWD, to.c_str(), times, 0);
}

}  // namespace

// ---------------------------------------------------------------------------

fs::path to_os_path(std::string_view path) {
    std::string s = cp1250_to_utf8(path);
    std::replace(s.begin(), s.end(), '\\', '/');
    return fs::path(std::move(s));
}

std::string from_os_path(const fs::path& path) { return utf8_to_cp1250(path.string()); }

std::string ExtractFileName(std::string_view path) {
    const std::size_t sep = last_sep(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t sep = last_sep(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileDir(std::string_view path) {
    const std::size_t sep = last_sep(path);
    if (sep == std::string_view::npos) return std::string();
    // The root ("/") and a doubled separator keep their last separator.
    if (sep == 0 || is_sep(path[sep - 1])) return std::string(path.substr(0, sep + 1));
    return std::string(path.substr(0, sep));
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t dot = ext_dot(path);
    return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::size_t dot = ext_dot(path);
    std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
    out += ext;
    return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || !is_sep(out.back())) out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.size() > 1 && is_sep(out.back())) out.pop_back();  // the root stays "/"
    return out;
}

std::string ExpandFileName(std::string_view path) {
    if (path.empty()) return std::string();
    const fs::path os = to_os_path(path);
    std::error_code ec;
    fs::path abs = fs::absolute(os, ec);
    if (ec) abs = os;
    std::string out = from_os_path(abs.lexically_normal());
    // "a/b/.." normalises to "a/"; keep a final separator only when asked for.
    if (out.size() > 1 && out.back() == '/' && !is_sep(path.back())) out.pop_back();
    return out;
}

std::string path_join(std::string_view folder, std::string_view name) {
    while (!name.empty() && is_sep(name.front())) name.remove_prefix(1);
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    if (!is_sep(out.back())) out += PathDelim;
    out += name;
    return out;
}

bool FileExists(std::string_view path) {
    struct stat st {};
    return !path.empty() && ::stat(to_os_path(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    struct stat st {};
    return !path.empty() && ::stat(to_os_path(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(std::string_view path) {
    const std::string folder = ExcludeTrailingPathDelimiter(path);
    if (folder.empty()) return false;
    std::error_code ec;
    fs::create_directories(to_os_path(folder), ec);
    return DirectoryExists(folder);
}

int64_t file_byte_size(std::string_view path) {
    struct stat st {};
    if (path.empty() || ::stat(to_os_path(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

// File dates are local times: the seconds since 1970 are shifted by the zone
// offset in force at that moment, then counted as days from 1899-12-30.
TDateTime FileDateTime(std::string_view path) {
    struct stat st {};
    if (path.empty() || ::stat(to_os_path(path).c_str(), &st) != 0) return 0;
    const time_t t = st.st_mtim.tv_sec;
    struct tm local {};
    if (localtime_r(&t, &local) == nullptr) return 0;
    return UnixToDateTime(static_cast<int64_t>(t) + local.tm_gmtoff) +
           static_cast<double>(st.st_mtim.tv_nsec) / 86400e9;
}

bool SetFileDateTime(std::string_view path, TDateTime t) {
    if (path.empty() || !std::isfinite(t)) return false;
    int64_t local_seconds = 0;
    try {
        local_seconds = DateTimeToUnix(t);
    } catch (const Exception&) {
        return false;  // outside the range of file dates
    }
    int64_t nanoseconds = std::llround((t - UnixToDateTime(local_seconds)) * 86400e9);
    while (nanoseconds < 0) {
        nanoseconds += 1000000000;
        --local_seconds;
    }
    while (nanoseconds >= 1000000000) {
        nanoseconds -= 1000000000;
        ++local_seconds;
    }
    // The local calendar time back to seconds since 1970 (mktime applies
    // the zone and daylight saving in force then).
    const time_t as_utc = static_cast<time_t>(local_seconds);
    struct tm fields {};
    if (gmtime_r(&as_utc, &fields) == nullptr) return false;
    fields.tm_isdst = -1;
    const time_t real = mktime(&fields);
    const struct timespec times[2] = {{0, UTIME_OMIT}, {real, static_cast<long>(nanoseconds)}};
    return ::utimensat(AT_FDCWD, to_os_path(path).c_str(), times, 0) == 0;
}

bool DeleteFile(std::string_view path) { return !path.empty() && ::unlink(to_os_path(path).c_str()) == 0; }

bool RenameFile(std::string_view from, std::string_view to) {
    if (from.empty() || to.empty()) return false;
    if (::rename(to_os_path(from).c_str(), to_os_path(to).c_str()) == 0) return true;
    // Another file system: copy and remove.
    if (errno == EXDEV && FileExists(from)) return CopyFile(from, to, false) && DeleteFile(from);
    return false;
}

// Written beside the target and renamed over it, like every other file that
// replaces one; the copy keeps the source's modification time.
bool CopyFile(std::string_view from, std::string_view to, bool fail_if_exists) {
    if (from.empty() || to.empty()) return false;
    if (fail_if_exists) {
        struct stat st {};
        if (::lstat(to_os_path(to).c_str(), &st) == 0) return false;
    }
    const fs::path source = to_os_path(from);
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const fs::path target = resolve_target(to_os_path(to));
    TempFile temp;
    try {
        temp = create_temp_beside(target, to);
    } catch (const EInOutError&) {
        ::close(in);
        return false;
    }
    if (!fs::exists(target)) (void)::fchmod(temp.fd, st.st_mode & 07777);
    std::vector<char> buffer(1 << 20);
    int err = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        if (n == 0) break;
        err = write_all(temp.fd, buffer.data(), static_cast<std::size_t>(n));
        if (err != 0) break;
    }
    ::close(in);
    if (err == 0) err = sync_file(temp.fd, temp.path);
    if (::close(temp.fd) != 0 && err == 0) err = errno;
    if (err == 0) {
        copy_mtime(source, temp.path);
        if (replace_target(temp.path, target) == 0) return true;
    }
    ::unlink(temp.path.c_str());
    return false;
}

bool RemoveDir(std::string_view path) { return !path.empty() && ::rmdir(to_os_path(path).c_str()) == 0; }

std::vector<std::string> list_folder(std::string_view folder, std::string_view pattern, bool recursive,
                                     ListKind kind) {
    // "*.*" meant every name on the system the program comes from.
    if (pattern.empty() || pattern == "*.*") pattern = "*";
    std::vector<std::string> out;
    walk_folder(to_os_path(folder.empty() ? std::string_view(".") : folder), std::string(), pattern, recursive,
                kind, out);
    std::sort(out.begin(), out.end());
    return out;
}

std::string read_file(std::string_view path) {
    const fs::path os = to_os_path(path);
    const int fd = ::open(os.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raise_io("Cannot open file", path, errno);
    struct stat st {};
    std::size_t capacity = 64 * 1024;
    // One byte more than the size, so that the end is seen without growing.
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) capacity = static_cast<std::size_t>(st.st_size) + 1;
    std::string out(capacity, '\0');
    std::size_t length = 0;
    for (;;) {
        if (length == out.size()) out.resize(out.size() * 2);
        const ssize_t n = ::read(fd, out.data() + length, out.size() - length);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int e = errno;
            ::close(fd);
            raise_io("Cannot read file", path, e);
        }
        if (n == 0) break;
        length += static_cast<std::size_t>(n);
    }
    ::close(fd);
    out.resize(length);
    return out;
}

std::vector<std::string> read_lines(std::string_view path) { return split_lines(read_file(path)); }

mapped_file::mapped_file(std::string_view path) {
    const fs::path os = to_os_path(path);
    const int fd = ::open(os.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) raise_io("Cannot open file", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (p != MAP_FAILED) {
            ::madvise(p, static_cast<std::size_t>(st.st_size), MADV_SEQUENTIAL);
            data_ = static_cast<const char*>(p);
            size_ = static_cast<std::size_t>(st.st_size);
            mapped_ = true;
        }
    }
    ::close(fd);
    if (!mapped_) {
        copy_ = read_file(path);
        data_ = copy_.data();
        size_ = copy_.size();
    }
}

mapped_file::~mapped_file() {
    if (mapped_) ::munmap(const_cast<char*>(data_), size_);
}

void write_file(std::string_view path, std::string_view bytes) {
    const fs::path target = resolve_target(to_os_path(path));
    const TempFile temp = create_temp_beside(target, path);
    int err = write_all(temp.fd, bytes.data(), bytes.size());
    if (err == 0) err = sync_file(temp.fd, temp.path);
    if (::close(temp.fd) != 0 && err == 0) err = errno;
    if (err == 0) err = replace_target(temp.path, target);
    if (err != 0) {
        ::unlink(temp.path.c_str());
        raise_io("Cannot write file", path, err);
    }
}

void write_lines(std::string_view path, const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    write_file(path, text);
}

// ---------------------------------------------------------------------------

struct OutputFile::Impl {
    static constexpr std::size_t buffer_size = 1 << 20;
    std::string shown_path;
    fs::path target;
    TempFile temp;
    std::string buffer;
    int error = 0;  // the first write failure, reported by commit()
    bool committed = false;

    void flush() {
        if (error == 0 && !buffer.empty()) error = write_all(temp.fd, buffer.data(), buffer.size());
        buffer.clear();
    }
};

OutputFile::OutputFile(std::string_view path) {
    auto impl = std::make_unique<Impl>();
    impl->shown_path = std::string(path);
    impl->target = resolve_target(to_os_path(path));
    impl->temp = create_temp_beside(impl->target, path);
    impl->buffer.reserve(Impl::buffer_size);
    impl_ = impl.release();
}

OutputFile::~OutputFile() {
    if (!impl_->committed) {
        if (impl_->temp.fd >= 0) ::close(impl_->temp.fd);
        ::unlink(impl_->temp.path.c_str());
    }
    delete impl_;
}

void OutputFile::write(std::string_view bytes) {
    if (impl_->committed || impl_->error != 0) return;
    if (impl_->buffer.size() + bytes.size() > Impl::buffer_size) {
        impl_->flush();
        if (bytes.size() >= Impl::buffer_size) {
            if (impl_->error == 0) impl_->error = write_all(impl_->temp.fd, bytes.data(), bytes.size());
            return;
        }
    }
    impl_->buffer.append(bytes);
}

void OutputFile::write_line(std::string_view line) {
    write(line);
    write("\r\n");
}

void OutputFile::commit() {
    if (impl_->committed) return;
    impl_->flush();
    int err = impl_->error;
    if (err == 0) err = sync_file(impl_->temp.fd, impl_->temp.path);
    if (::close(impl_->temp.fd) != 0 && err == 0) err = errno;
    impl_->temp.fd = -1;
    if (err == 0) err = replace_target(impl_->temp.path, impl_->target);
    if (err != 0) {
        ::unlink(impl_->temp.path.c_str());
        impl_->committed = true;  // nothing left to clean up
        raise_io("Cannot write file", impl_->shown_path, err);
    }
    impl_->committed = true;
}

// ---------------------------------------------------------------------------

bool is_temp_file_name(std::string_view name) { return temp_file_of_any(name); }

int remove_stale_temp_files(std::string_view folder) {
    if (folder.empty()) return 0;
    return remove_stale_temps(to_os_path(folder), nullptr);
}

void set_write_step_hook(write_step_hook hook) { step_hook() = std::move(hook); }

std::string temp_folder() {
    const char* env = std::getenv("TMPDIR");
    if (env == nullptr || *env == '\0') return "/tmp";
    return ExcludeTrailingPathDelimiter(utf8_to_cp1250(env));
}

std::string make_temp_file(std::string_view folder, std::string_view prefix) {
    const std::string dir = folder.empty() ? temp_folder() : std::string(folder);
    std::string pattern = (to_os_path(dir) / (cp1250_to_utf8(prefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) raise_io("Cannot create file", path_join(dir, std::string(prefix) + "XXXXXX"), errno);
    ::close(fd);
    return path_join(dir, from_os_path(fs::path(pattern).filename()));
}

std::string make_temp_folder(std::string_view prefix) {
    std::string pattern = (to_os_path(temp_folder()) / (cp1250_to_utf8(prefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) raise_io("Cannot create folder", path_join(temp_folder(), std::string(prefix)), errno);
    return from_os_path(pattern);
}

bool delete_folder_tree(std::string_view path) {
    std::error_code ec;
    fs::remove_all(to_os_path(path), ec);
    return !ec;
}

bool copy_missing_files(std::string_view from, std::string_view to) {
    if (!DirectoryExists(from) || !ForceDirectories(to)) return false;
    bool ok = true;
    for (const std::string& name : list_folder(from, "*", true, ListKind::Both)) {
        if (name.starts_with('.') || name.find("/.") != std::string::npos) continue;
        const std::string source = path_join(from, name), target = path_join(to, name);
        if (DirectoryExists(source)) ok = ForceDirectories(target) && ok;
        else if (!FileExists(target)) ok = CopyFile(source, target, true) && ok;
    }
    return ok;
}

bool file_locked_by_other(std::string_view path) {
    // Closing the description the check opens would drop a traditional
    // (per-process) lock that this process held on the file; open file
    // description locks stay.
    return !path.empty() && locked_by_other(to_os_path(path));
}
