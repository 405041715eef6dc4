// The registry store: values under key paths such as
// "HKEY_CURRENT_USER\Software\Lumaro\Halvoren", kept in an ini file of the
// user's configuration area (one section per key).
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* halvoren_registry_key = "HKEY_CURRENT_USER\\Software\\Lumaro\\Halvoren";

class Registry {
public:
    explicit Registry(std::string store_path) : path_(std::move(store_path)) {}
    const std::string& store_path() const { return path_; }

    bool KeyExists(std::string_view key) const;
    void CreateKey(std::string_view key);
    bool ValueExists(std::string_view key, std::string_view name) const;
    std::string ReadString(std::string_view key, std::string_view name, std::string_view def = {}) const;
    // Raises EIniFileException when the store cannot be written.
    void WriteString(std::string_view key, std::string_view name, std::string_view value);
    void DeleteValue(std::string_view key, std::string_view name);

private:
    std::string path_;
};
