#include "platform/registry.h"

#include "platform/ini.h"

// Each key is a section of the store; the key's own existence is marked by
// its default value "@".

bool Registry::KeyExists(std::string_view key) const { return IniFile(path_).SectionExists(key); }

void Registry::CreateKey(std::string_view key) {
    if (KeyExists(key)) return;
    IniFile ini(path_);
    ini.WriteString(key, "@", "");
    ini.UpdateFile();
}

bool Registry::ValueExists(std::string_view key, std::string_view name) const {
    return IniFile(path_).ValueExists(key, name);
}

std::string Registry::ReadString(std::string_view key, std::string_view name, std::string_view def) const {
    return IniFile(path_).ReadStringLong(key, name, def);
}

void Registry::WriteString(std::string_view key, std::string_view name, std::string_view value) {
    IniFile ini(path_);
    ini.WriteString(key, name, value);
    ini.UpdateFile();
}

void Registry::DeleteValue(std::string_view key, std::string_view name) {
    IniFile ini(path_);
    ini.DeleteKey(key, name);
    ini.UpdateFile();
}
