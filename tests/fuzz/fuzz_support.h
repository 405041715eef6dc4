// Shared by the fuzz targets: the input as text and a scratch folder for the
// files a target writes, removed when the run ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files.h"

inline std::string_view input_text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at its first byte `separator` into two texts (the second
// empty when the byte does not occur).
inline std::pair<std::string_view, std::string_view> split_input(std::string_view text, char separator) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + 1)};
}

class ScratchFolder {
public:
    ScratchFolder() : path_(make_temp_folder("halvoren-fuzz-")) {}
    ~ScratchFolder() { delete_folder_tree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_join(path_, name); }

private:
    std::string path_;
};

inline const ScratchFolder& scratch() {
    static const ScratchFolder folder;
    return folder;
}
