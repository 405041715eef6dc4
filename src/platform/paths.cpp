#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? from_os_path(v) : std::string();
}

std::string home() {
    const std::string h = env("HOME");
    return h.empty() ? temp_folder() : h;
}

}  // namespace

std::string halvoren_home() { return env("HALVOREN_HOME"); }

std::string default_config_folder() {
    if (const std::string h = halvoren_home(); !h.empty()) return h;
    const std::string xdg = env("XDG_CONFIG_HOME");
    return path_join(xdg.empty() ? path_join(home(), ".config") : xdg, "halvoren");
}

std::string default_documents_folder() {
    if (const std::string h = halvoren_home(); !h.empty()) return h;
    const std::string xdg = env("XDG_DOCUMENTS_DIR");
    return path_join(xdg.empty() ? path_join(home(), "Documents") : xdg, "Halvoren");
}

std::string registry_folder() { return default_config_folder(); }

std::string running_program_folder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return {};
    return IncludeTrailingPathDelimiter(ExtractFilePath(from_os_path(exe)));
}

program_folders& folders() {
    static program_folders f;
    return f;
}
