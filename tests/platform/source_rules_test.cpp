// Rules the source tree keeps: non-ASCII string literals carry the _cp
// suffix, every folder includes only the folders of its own layer and those
// below it, Qt stays in src/gui, and only the platform layer (and the front
// end) opens files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> sources(const char* sub) {
    std::vector<fs::path> out;
    const fs::path root = fs::path(HALVOREN_SOURCE_DIR) / sub;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const auto ext = e.path().extension();
        if (e.is_regular_file() && (ext == ".h" || ext == ".cpp")) out.push_back(e.path());
    }
    return out;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every string literal holding a byte above 0x7F that is not followed by the
// _cp suffix, as "file:line".
std::vector<std::string> bare_non_ascii_literals(const fs::path& file, const std::string& src) {
    std::vector<std::string> found;
    int line = 1;
    std::size_t i = 0;
    const std::size_t n = src.size();
    auto report = [&](int at) { found.push_back(file.string() + ":" + std::to_string(at)); };
    while (i < n) {
        const char c = src[i];
        if (c == '\n') { ++line; ++i; continue; }
        if (c == '/' && i + 1 < n && src[i + 1] == '/') {
            while (i < n && src[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && src[i + 1] == '*') {
            i += 2;
            while (i + 1 < n && !(src[i] == '*' && src[i + 1] == '/')) {
                if (src[i] == '\n') ++line;
                ++i;
            }
            i += 2;
            continue;
        }
        if (c == '\'') {
            // A character literal (or a digit separator inside a number).
            if (i > 0 && std::isalnum(static_cast<unsigned char>(src[i - 1]))) { ++i; continue; }
            ++i;
            while (i < n && src[i] != '\'' && src[i] != '\n') i += src[i] == '\\' ? 2 : 1;
            ++i;
            continue;
        }
        if (c == '"') {
            const int start_line = line;
            bool non_ascii = false;
            const bool raw = i > 0 && src[i - 1] == 'R';
            std::size_t j = i + 1;
            if (raw) {
                const std::size_t paren = src.find('(', j);
                const std::string end = ")" + src.substr(j, paren - j) + "\"";
                const std::size_t close = src.find(end, paren);
                for (std::size_t k = paren; k < close; ++k) {
                    if (src[k] == '\n') ++line;
                    if (static_cast<unsigned char>(src[k]) >= 0x80) non_ascii = true;
                }
                j = close + end.size();
            } else {
                while (j < n && src[j] != '"' && src[j] != '\n') {
                    if (static_cast<unsigned char>(src[j]) >= 0x80) non_ascii = true;
                    j += src[j] == '\\' ? 2 : 1;
                }
                ++j;
            }
            if (non_ascii && src.compare(j, 3, "_cp") != 0) report(start_line);
            i = j;
            continue;
        }
        ++i;
    }
    return found;
}

TEST(SourceRules, NonAsciiStringLiteralsCarryTheCpSuffix) {
    std::vector<std::string> bad;
    for (const char* sub : {"src", "tests"})
        for (const auto& f : sources(sub)) {
            const auto found = bare_non_ascii_literals(f, slurp(f));
            bad.insert(bad.end(), found.begin(), found.end());
        }
    EXPECT_TRUE(bad.empty()) << "non-ASCII literals without _cp:\n" << ::testing::PrintToString(bad);
}

TEST(SourceRules, TheScannerFindsWhatItShould) {
    const std::string sample =
        "auto a = \"za\xc5\xbc\xc3\xb3\xc5\x82\xc4\x87\"_cp;\n"        // fine
        "// a comment with \"\xc5\xbc\" is fine\n"
        "auto b = \"\xc5\xbc\xc3\xb3\xc5\x82w\";\n"             // bad, line 3
        "auto c = '\\'' ; auto d = \"plain\";\n"
        "auto e = R\"x(\n\xc4\x85)x\";\n";                       // bad, line 5
    const auto found = bare_non_ascii_literals("sample.cpp", sample);
    EXPECT_EQ(found, (std::vector<std::string>{"sample.cpp:3", "sample.cpp:5"}));
}

// The layers, lowest first: a folder includes only the folders of its own
// layer and of the layers before it.
const std::vector<std::vector<std::string>> layers = {
    {"platform"}, {"widgets"}, {"forms"}, {"model"}, {"files"}, {"drawing"},
    {"app", "editors", "costing", "interchange"}, {"gui"},
};

int layer_of(const std::string& folder) {
    for (std::size_t i = 0; i < layers.size(); ++i)
        for (const auto& f : layers[i])
            if (f == folder) return static_cast<int>(i);
    return -1;
}

// Every include of a src folder that stands above the including file's
// folder, as "file:line -> include"; `folder` is the including file's folder.
std::vector<std::string> upward_includes(const std::string& file, const std::string& folder, const std::string& src) {
    static const std::regex include_line(R"re(^\s*#\s*include\s*"([a-z_]+)/)re");
    std::vector<std::string> found;
    const int own = layer_of(folder);
    std::istringstream in(src);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        std::smatch m;
        if (!std::regex_search(line, m, include_line)) continue;
        const int target = layer_of(m[1]);
        if (target < 0 || own < 0 || target > own) found.push_back(file + ":" + std::to_string(n) + " -> " + m[1].str());
    }
    return found;
}

TEST(SourceRules, FoldersIncludeOnlyTheirOwnLayerAndTheLayersBelow) {
    std::vector<std::string> bad;
    for (const auto& f : sources("src")) {
        const std::string rel = fs::relative(f, fs::path(HALVOREN_SOURCE_DIR) / "src").generic_string();
        const auto slash = rel.find('/');
        if (slash == std::string::npos) continue;  // main.cpp stands above every layer
        const auto found = upward_includes(rel, rel.substr(0, slash), slurp(f));
        bad.insert(bad.end(), found.begin(), found.end());
    }
    EXPECT_TRUE(bad.empty()) << "upward includes:\n" << ::testing::PrintToString(bad);

    const std::string sample =
        "#include \"platform/forms.h\"\n"
        "#include \"model/state.h\"\n"
        "  #  include \"app/program.h\"\n"
        "#include \"costing/x.h\"\n"
        "#include <vector>\n";
    EXPECT_EQ(upward_includes("forms/a.h", "forms", sample),
              (std::vector<std::string>{"forms/a.h:2 -> model", "forms/a.h:3 -> app", "forms/a.h:4 -> costing"}));
    EXPECT_TRUE(upward_includes("editors/a.cpp", "editors", sample).empty());
    EXPECT_EQ(upward_includes("model/a.cpp", "model", "#include \"gui/renderer.h\"\n#include \"nowhere/x.h\"\n"),
              (std::vector<std::string>{"model/a.cpp:1 -> gui", "model/a.cpp:2 -> nowhere"}));
}

// Whether a line of code reaches files or processes by itself: streams,
// the C library's files, std::filesystem, or the system calls that open,
// list, run, rename or delete.
bool opens_files(const std::string& line) {
    static const std::regex calls(
        R"re((^|[^A-Za-z0-9_.>:]|(^|[^A-Za-z0-9_])::)(open|opendir|fopen|popen|rename|unlink)\s*\()re");
    static const std::regex file_pointer(R"re(\bFILE\s*\*)re");
    return line.find("fstream") != std::string::npos || line.find("std::filesystem") != std::string::npos ||
           line.find("<filesystem>") != std::string::npos || std::regex_search(line, calls) ||
           std::regex_search(line, file_pointer);
}

TEST(SourceRules, TheFileAccessCheckSeesTheSystemCalls) {
    for (const char* line : {"std::ifstream in(p);", "FILE* f = fopen(p, \"r\");", "int fd = open(p, O_RDONLY);",
                             "DIR* d = opendir(p);", "auto* pipe = popen(cmd, \"r\");", "rename(a, b);",
                             "::unlink(p);", "FILE *f;"})
        EXPECT_TRUE(opens_files(line)) << line;
    for (const char* line : {"dialog.open(x);", "ini->open(x);", "file_open(x);", "IniFile::open(x);",
                             "reopen(x);", "std::remove(a, b, c);"})
        EXPECT_FALSE(opens_files(line)) << line;
}

TEST(SourceRules, QtStaysInTheFrontEndAndFilesAreOpenedByThePlatformOnly) {
    std::vector<std::string> qt, files;
    std::vector<fs::path> all = sources("src");
    const std::vector<fs::path> bench = sources("bench");
    all.insert(all.end(), bench.begin(), bench.end());
    for (const auto& f : all) {
        const std::string rel = fs::relative(f, HALVOREN_SOURCE_DIR).generic_string();
        const bool gui = rel.rfind("src/gui/", 0) == 0 || rel == "src/main.cpp";
        const bool platform = rel.rfind("src/platform/", 0) == 0;
        std::istringstream in(slurp(f));
        std::string line;
        while (std::getline(in, line)) {
            const auto first = line.find_first_not_of(" \t");
            if (first == std::string::npos) continue;
            const std::string t = line.substr(first);
            if (!gui && t.rfind("#include", 0) == 0 && (t.find("<Q") != std::string::npos || t.find("\"Q") != std::string::npos))
                qt.push_back(rel);
            if (!gui && !platform && opens_files(t)) files.push_back(rel);
        }
    }
    EXPECT_TRUE(qt.empty()) << ::testing::PrintToString(qt);
    EXPECT_TRUE(files.empty()) << ::testing::PrintToString(files);
}

}  // namespace
