#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/sysutils.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder for one test, removed afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("halvoren_files_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    // Names in the folder, hidden ones included (temporary files start with ".").
    std::vector<std::string> entries() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir_)) out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    fs::path dir_;
};

std::string all_bytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
}

// Writes beyond `limit` bytes fail with EFBIG, for the process and even for
// root: a stand-in for a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lower = old_;
        lower.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

}  // namespace

TEST(FilePaths, TextFunctions) {
    struct Case {
        const char* path;
        const char* name;
        const char* folder;
        const char* dir;
        const char* ext;
    };
    const Case cases[] = {
        {"a/b.hlv", "b.hlv", "a/", "a", ".hlv"},
        {"C:\\proj\\x.y\\plan", "plan", "C:\\proj\\x.y\\", "C:\\proj\\x.y", ""},
        {"a.b/c", "c", "a.b/", "a.b", ""},
        {"/top", "top", "/", "/", ""},
        {"name.tar.gz", "name.tar.gz", "", "", ".gz"},
        {"dir/", "", "dir/", "dir", ""},
        {"mixed\\sep/end.TXT", "end.TXT", "mixed\\sep/", "mixed\\sep", ".TXT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
        EXPECT_EQ(ExtractFileDir(c.path), c.dir) << c.path;
        EXPECT_EQ(ExtractFileExt(c.path), c.ext) << c.path;
    }
    EXPECT_EQ(ChangeFileExt("a/b.hlv", ".hlo"), "a/b.hlo");
    EXPECT_EQ(ChangeFileExt("a.b/c", ".txt"), "a.b/c.txt");
    EXPECT_EQ(ChangeFileExt("a/b.hlv", ""), "a/b");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a\\"), "a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a/"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
    EXPECT_EQ(path_join("a", "b"), "a/b");
    EXPECT_EQ(path_join("a/", "/b"), "a/b");
    EXPECT_EQ(path_join("a\\", "b"), "a\\b");
    EXPECT_EQ(path_join("", "b"), "b");
}

TEST(FilePaths, OperatingSystemEdges) {
    EXPECT_EQ(to_os_path("dir\\\xb3\xf3\x64\x9f.hlv").string(), "dir/\xc5\x82\xc3\xb3" "d\xc5\xba.hlv");
    EXPECT_EQ(from_os_path(fs::path("/x/\xc5\x81\xc3\xb3" "d\xc5\xba")), "/x/\xa3\xf3\x64\x9f");
    const std::string cwd = from_os_path(fs::current_path());
    EXPECT_EQ(ExpandFileName("a/./b/../c.txt"), cwd + "/a/c.txt");
    EXPECT_EQ(ExpandFileName("/x/y/../z"), "/x/z");
    EXPECT_EQ(ExpandFileName("/x\\y\\..\\z"), "/x/z");
}

TEST_F(FilesTest, EveryByteSurvivesWriteAndRead) {
    const std::string path = file("bytes.bin");
    write_file(path, all_bytes());
    EXPECT_EQ(read_file(path), all_bytes());
    EXPECT_EQ(file_byte_size(path), 256);
    write_file(path, "");
    EXPECT_EQ(read_file(path), "");
    EXPECT_EQ(entries(), std::vector<std::string>{"bytes.bin"});
}

TEST_F(FilesTest, WindowsNamesBecomeUtf8OnDisk) {
    const std::string name = "\xa3\xf3\x64\x9f \xb9.txt";  // a Polish town name and a letter with ogonek
    write_lines(file(name), {"x"});
    EXPECT_TRUE(fs::exists(dir_ / "\xc5\x81\xc3\xb3" "d\xc5\xba \xc4\x85.txt"));
    EXPECT_TRUE(FileExists(file(name)));
    EXPECT_EQ(list_folder(dir_.string(), "*", false), std::vector<std::string>{name});
}

TEST_F(FilesTest, ReadLinesSplitsEveryLineEnd) {
    const std::string path = file("lines.txt");
    write_file(path, "a\r\nb\nc\rd\r\n\r\n");
    EXPECT_EQ(read_lines(path), (std::vector<std::string>{"a", "b", "c", "d", ""}));
    write_lines(path, {"x", "", "\xff"});
    EXPECT_EQ(read_file(path), "x\r\n\r\n\xff\r\n");
}

TEST_F(FilesTest, ReadingAMissingFileNamesPathAndReason) {
    const std::string path = file("missing.hlv");
    try {
        read_file(path);
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
        EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\". No such file or directory");
    }
    EXPECT_THROW(read_file(dir_.string()), EInOutError);  // a folder is no file
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFile) {
    const std::string path = file("keep.txt");
    write_file(path, "old contents");
    {
        const FileSizeLimit limit(64);
        try {
            write_file(path, std::string(4096, 'n'));
            ADD_FAILURE() << "no exception";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode, EFBIG);
            EXPECT_NE(e.Message().find(path), std::string::npos);
        }
    }
    EXPECT_EQ(read_file(path), "old contents");
    EXPECT_EQ(entries(), std::vector<std::string>{"keep.txt"});  // no temporary left behind

    // A folder that cannot hold files: its "parent" is a regular file.
    try {
        write_file(path + "/inside.txt", "x");
        ADD_FAILURE() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, ENOTDIR);
    }
    EXPECT_EQ(read_file(path), "old contents");
}

TEST_F(FilesTest, WriteKeepsPermissionsOfTheReplacedFile) {
    const std::string path = file("script.sh");
    write_file(path, "one");
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read);
    write_file(path, "two");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all | fs::perms::group_read);
}

TEST_F(FilesTest, OutputFileReplacesOnlyOnCommit) {
    const std::string path = file("drawing.dxf");
    write_file(path, "old");
    {
        OutputFile out(path);
        out.write_line("never");
        EXPECT_EQ(read_file(path), "old");
    }
    EXPECT_EQ(read_file(path), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"drawing.dxf"});

    std::string expected;
    {
        OutputFile out(path);
        for (int i = 0; i < 200000; ++i) {  // several buffers' worth
            const std::string line = "LINE " + std::to_string(i);
            out.write_line(line);
            expected += line + "\r\n";
        }
        out.write(std::string(3 << 20, 'z'));  // larger than the buffer at once
        expected += std::string(3 << 20, 'z');
        out.commit();
    }
    EXPECT_EQ(read_file(path), expected);
    EXPECT_EQ(entries(), std::vector<std::string>{"drawing.dxf"});
}

TEST_F(FilesTest, OutputFileCommitReportsAFailedWrite) {
    const std::string path = file("drawing.dxf");
    write_file(path, "old");
    {
        const FileSizeLimit limit(1024);
        OutputFile out(path);
        for (int i = 0; i < 1000; ++i) out.write_line("0123456789");
        EXPECT_THROW(out.commit(), EInOutError);
    }
    EXPECT_EQ(read_file(path), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"drawing.dxf"});
    EXPECT_THROW(OutputFile(path + "/x"), EInOutError);
}

TEST_F(FilesTest, ListFolder) {
    for (const char* name : {"a.HLO", "b.txt", "sub/c.hlo", "sub/deeper/D.Hlo", "sub/x.txt", "sub2/e.hlo", "noext"}) {
        ForceDirectories(ExtractFilePath(file(name)));
        write_file(file(name), "");
    }
    fs::create_directory(dir_ / "empty.hlo");
    const std::string d = dir_.string();
    EXPECT_EQ(list_folder(d, "*.hlo", false), std::vector<std::string>{"a.HLO"});
    EXPECT_EQ(list_folder(d, "*.hlo", true),
              (std::vector<std::string>{"a.HLO", "sub/c.hlo", "sub/deeper/D.Hlo", "sub2/e.hlo"}));
    EXPECT_EQ(list_folder(d, "?.TXT", true), (std::vector<std::string>{"b.txt", "sub/x.txt"}));
    EXPECT_EQ(list_folder(d, "*", false, ListKind::Folders), (std::vector<std::string>{"empty.hlo", "sub", "sub2"}));
    EXPECT_EQ(list_folder(d, "*.hlo", true, ListKind::Both),
              (std::vector<std::string>{"a.HLO", "empty.hlo", "sub/c.hlo", "sub/deeper/D.Hlo", "sub2/e.hlo"}));
    EXPECT_EQ(list_folder(d, "*.*", false),
              (std::vector<std::string>{"a.HLO", "b.txt", "noext"}));  // "*.*" means every name
    EXPECT_EQ(list_folder(d, "s*b", true, ListKind::Folders), std::vector<std::string>{"sub"});
    EXPECT_TRUE(list_folder(file("absent"), "*", true).empty());
}

TEST_F(FilesTest, ExistenceAndChanges) {
    const std::string a = file("a.txt");
    const std::string sub = file("x/y/z");
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(file_byte_size(a), -1);
    write_file(a, "12345");
    EXPECT_TRUE(FileExists(a));
    EXPECT_FALSE(DirectoryExists(a));
    EXPECT_EQ(file_byte_size(a), 5);

    EXPECT_TRUE(ForceDirectories(sub + "/"));
    EXPECT_TRUE(DirectoryExists(sub));
    EXPECT_FALSE(FileExists(sub));
    EXPECT_FALSE(ForceDirectories(a + "/under"));

    const std::string b = file("x/b.txt");
    EXPECT_TRUE(CopyFile(a, b, true));
    EXPECT_EQ(read_file(b), "12345");
    write_file(a, "new");
    EXPECT_FALSE(CopyFile(a, b, true));
    EXPECT_EQ(read_file(b), "12345");
    EXPECT_TRUE(CopyFile(a, b, false));
    EXPECT_EQ(read_file(b), "new");
    EXPECT_FALSE(CopyFile(file("none"), b, false));

    write_file(a, "moved");
    EXPECT_TRUE(RenameFile(a, b));  // replaces the target
    EXPECT_FALSE(FileExists(a));
    EXPECT_EQ(read_file(b), "moved");
    EXPECT_FALSE(RenameFile(a, b));

    EXPECT_FALSE(RemoveDir(file("x")));  // not empty
    EXPECT_TRUE(RemoveDir(sub));
    EXPECT_FALSE(DirectoryExists(sub));
    EXPECT_FALSE(DeleteFile(file("x/y")));  // a folder
    EXPECT_TRUE(DeleteFile(b));
    EXPECT_FALSE(DeleteFile(b));
}

TEST_F(FilesTest, CopyingMissingFilesKeepsWhatTheTargetHolds) {
    for (const char* name : {"from/a.wzr", "from/sub/b.wzr", "from/sub/deeper/c.hlo", "from/.gitkeep",
                             "from/.hidden/d.wzr", "from/sub/.gitkeep"}) {
        ForceDirectories(ExtractFilePath(file(name)));
        write_file(file(name), std::string("shipped ") + name);
    }
    fs::create_directories(dir_ / "from" / "empty");
    // The target already holds the user's own copy of one shipped file and
    // a file of their own.
    ForceDirectories(file("to/sub"));
    write_file(file("to/sub/b.wzr"), "the user's");
    write_file(file("to/own.wzr"), "own");
    EXPECT_TRUE(copy_missing_files(file("from"), file("to")));
    EXPECT_EQ(read_file(file("to/a.wzr")), "shipped from/a.wzr");
    EXPECT_EQ(read_file(file("to/sub/b.wzr")), "the user's");
    EXPECT_EQ(read_file(file("to/sub/deeper/c.hlo")), "shipped from/sub/deeper/c.hlo");
    EXPECT_EQ(read_file(file("to/own.wzr")), "own");
    EXPECT_TRUE(DirectoryExists(file("to/empty")));
    // Names beginning with a dot stay behind, folders and files alike.
    EXPECT_EQ(list_folder(file("to"), "*", true, ListKind::Both),
              (std::vector<std::string>{"a.wzr", "empty", "own.wzr", "sub", "sub/b.wzr", "sub/deeper",
                                        "sub/deeper/c.hlo"}));

    // An empty shipped folder still gives its folder.
    fs::create_directories(dir_ / "bare");
    EXPECT_TRUE(copy_missing_files(file("bare"), file("made/objects")));
    EXPECT_TRUE(DirectoryExists(file("made/objects")));
    // No source: nothing is made.
    EXPECT_FALSE(copy_missing_files(file("absent"), file("never")));
    EXPECT_FALSE(DirectoryExists(file("never")));
    // A target that cannot be made (a file stands in its way).
    write_file(file("blocked"), "");
    EXPECT_FALSE(copy_missing_files(file("from"), file("blocked")));
}

TEST_F(FilesTest, FileDates) {
    const std::string path = file("dated.txt");
    EXPECT_EQ(FileDateTime(path), 0);
    write_file(path, "x");
    EXPECT_NEAR(FileDateTime(path), Now(), 60.0 / 86400);

    const TDateTime when = EncodeDate(2009, 7, 14) + EncodeTime(13, 45, 30, 500);
    ASSERT_TRUE(SetFileDateTime(path, when));
    EXPECT_NEAR(FileDateTime(path), when, 1.0 / 86400);
    const TDateTime winter = EncodeDate(2001, 1, 2) + EncodeTime(3, 4, 5, 0);
    ASSERT_TRUE(SetFileDateTime(path, winter));
    EXPECT_NEAR(FileDateTime(path), winter, 1.0 / 86400);
    EXPECT_FALSE(SetFileDateTime(file("absent"), when));

    const std::string copy = file("copy.txt");
    ASSERT_TRUE(CopyFile(path, copy, false));
    EXPECT_NEAR(FileDateTime(copy), winter, 1.0 / 86400);  // a copy keeps the date
}

TEST_F(FilesTest, LockedByOther) {
    const std::string path = file("shared.hlv");
    EXPECT_FALSE(file_locked_by_other(path));
    write_file(path, "data");
    EXPECT_FALSE(file_locked_by_other(path));

    const int fd = ::open(path.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    EXPECT_TRUE(file_locked_by_other(path));
    EXPECT_TRUE(file_locked_by_other(path));  // asking does not drop the lock

    lock.l_type = F_UNLCK;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    EXPECT_FALSE(file_locked_by_other(path));
    ::close(fd);
}

TEST_F(FilesTest, TemporaryFiles) {
    const std::string first = make_temp_file(dir_.string(), "hlv");
    const std::string second = make_temp_file(dir_.string(), "hlv");
    EXPECT_NE(first, second);
    EXPECT_EQ(ExtractFileName(first).rfind("hlv", 0), 0u);
    EXPECT_EQ(ExtractFileDir(first), dir_.string());
    EXPECT_EQ(file_byte_size(first), 0);
    EXPECT_THROW(make_temp_file(file("absent"), "x"), EInOutError);

    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", dir_.string().c_str(), 1);
    EXPECT_EQ(temp_folder(), dir_.string());
    EXPECT_EQ(ExtractFileDir(make_temp_file("", "t")), dir_.string());
    ::unsetenv("TMPDIR");
    EXPECT_EQ(temp_folder(), "/tmp");
    if (old) ::setenv("TMPDIR", saved.c_str(), 1);
}

// --- writes that survive a kill or a power cut ---------------------------------------------

TEST_F(FilesTest, AWriteFlushesTheFileBeforeTheRenameAndTheFolderAfter) {
    struct Writer {
        const char* what;
        std::function<void(const std::string&)> write;
    };
    const std::string source = file("source.txt");
    write_file(source, "copied");
    const std::vector<Writer> writers = {
        {"write_file", [](const std::string& p) { write_file(p, "whole"); }},
        {"OutputFile", [](const std::string& p) {
             OutputFile out(p);
             out.write_line("piece");
             out.commit();
         }},
        {"CopyFile", [&source](const std::string& p) { ASSERT_TRUE(CopyFile(source, p, false)); }},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.what);
        const std::string target = file("target.txt");
        write_file(target, "old");
        std::vector<std::pair<std::string, std::string>> steps;
        set_write_step_hook([&steps](std::string_view step, const std::string& path) { steps.emplace_back(step, path); });
        w.write(target);
        set_write_step_hook(nullptr);
        ASSERT_EQ(steps.size(), 3u);
        EXPECT_EQ(steps[0].first, "sync file");
        EXPECT_EQ(ExtractFileDir(steps[0].second), dir_.string());
        EXPECT_TRUE(is_temp_file_name(ExtractFileName(steps[0].second))) << steps[0].second;
        EXPECT_EQ(steps[1], (std::pair<std::string, std::string>{"rename", target}));
        EXPECT_EQ(steps[2], (std::pair<std::string, std::string>{"sync folder", dir_.string()}));
    }
    // A write that fails renames nothing.
    std::vector<std::string> steps;
    set_write_step_hook([&steps](std::string_view step, const std::string&) { steps.emplace_back(step); });
    {
        const FileSizeLimit limit(64);
        EXPECT_THROW(write_file(file("target.txt"), std::string(4096, 'n')), EInOutError);
    }
    set_write_step_hook(nullptr);
    EXPECT_TRUE(steps.empty());
}

TEST_F(FilesTest, AStaleTemporaryFileGoesWhenTheNextWriteOfItsTargetStarts) {
    const TDateTime long_ago = EncodeDate(2009, 7, 14);
    auto make = [&](const std::string& name, bool old) {
        std::ofstream(file(name)) << "left by a killed write";
        if (old) {
            EXPECT_TRUE(SetFileDateTime(file(name), long_ago));
        }
    };
    make(".plan.hlv.Ab3dE9.halvoren-tmp", true);    // stale, of plan.hlv
    make(".plan.hlv.Zz0011.halvoren-tmp", false);   // written since this program started
    make(".other.hlv.Ab3dE9.halvoren-tmp", true);   // stale, of another file
    make(".plan.hlv.Ab3.halvoren-tmp", true);       // not the pattern
    make(".plan.hlv.Ab3dE9.tmp", true);             // not the pattern
    make("plan.hlv.Ab3dE9.halvoren-tmp", true);     // not hidden: not ours
    // One held by a write that runs (its lock), however old.
    make(".plan.hlv.Held00.halvoren-tmp", true);
    const int fd = ::open(file(".plan.hlv.Held00.halvoren-tmp").c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);

    write_file(file("plan.hlv"), "saved");
    EXPECT_EQ(entries(), (std::vector<std::string>{".other.hlv.Ab3dE9.halvoren-tmp", ".plan.hlv.Ab3.halvoren-tmp",
                                                   ".plan.hlv.Ab3dE9.tmp", ".plan.hlv.Held00.halvoren-tmp",
                                                   ".plan.hlv.Zz0011.halvoren-tmp", "plan.hlv",
                                                   "plan.hlv.Ab3dE9.halvoren-tmp"}));
    // At start, for every target of the folder.
    EXPECT_EQ(remove_stale_temp_files(dir_.string()), 1);
    EXPECT_EQ(entries(), (std::vector<std::string>{".plan.hlv.Ab3.halvoren-tmp", ".plan.hlv.Ab3dE9.tmp",
                                                   ".plan.hlv.Held00.halvoren-tmp", ".plan.hlv.Zz0011.halvoren-tmp",
                                                   "plan.hlv", "plan.hlv.Ab3dE9.halvoren-tmp"}));
    ::close(fd);
    EXPECT_EQ(remove_stale_temp_files(dir_.string()), 1);  // let go, it is stale
    EXPECT_EQ(remove_stale_temp_files(file("absent")), 0);

    // A running write's own temporary file is of the pattern and locked: a
    // second program cleaning the folder leaves it.
    OutputFile out(file("rysunek.dxf"));
    out.write_line("0");
    std::string temp;
    for (const std::string& e : entries())
        if (e.rfind(".rysunek.dxf.", 0) == 0) temp = e;
    ASSERT_TRUE(is_temp_file_name(temp)) << temp;
    EXPECT_TRUE(file_locked_by_other(file(temp)));
    ASSERT_TRUE(SetFileDateTime(file(temp), long_ago));
    EXPECT_EQ(remove_stale_temp_files(dir_.string()), 0);
    out.commit();
    EXPECT_FALSE(FileExists(file(temp)));
}

TEST_F(FilesTest, ANewFileGetsTheUsualModeUnderTheUmask) {
    for (const mode_t mask : {022, 027, 077}) {
        const mode_t old = ::umask(mask);
        const std::string written = file("new" + std::to_string(mask) + ".hlm");
        write_file(written, "x");
        const std::string drawn = file("new" + std::to_string(mask) + ".dxf");
        OutputFile out(drawn);
        out.commit();
        ::umask(old);
        for (const std::string& path : {written, drawn}) {
            struct stat st {};
            ASSERT_EQ(::stat(path.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << path;
        }
    }
}
