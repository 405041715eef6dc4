// The ini engine on any file: every way of reading it, then writes, and the
// written values read back.
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "platform/exceptions.h"
#include "platform/files.h"
#include "platform/ini.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = scratch().file("fuzz.ini");
    write_file(path, input_text(data, size));
    // Each input is a new file, whatever its time and size.
    ini_cache_clear();
    {
        IniFile ini(path);
        for (const std::string& section : ini.ReadSections()) {
            expect(ini.SectionExists(section));
            ini.ReadSectionValues(section);
            for (const std::string& key : ini.ReadSection(section)) {
                expect(ini.ValueExists(section, key));
                ini.ReadString(section, key, "");
                ini.ReadStringLong(section, key, "");
                ini.ReadInteger(section, key, 0);
                ini.ReadBool(section, key, false);
            }
            ini.ReadNumbered(section, "plik");
        }
        // Deletions, then writes in place and of new keys and sections; the
        // values written read back as they were written, before and after
        // the file is written and parsed again.
        const auto sections = ini.ReadSections();
        if (sections.size() > 1) ini.EraseSection(sections[1]);
        const std::string first = sections.empty() ? "opcje" : sections.front();
        const auto keys = ini.ReadSection(first);
        if (!keys.empty()) ini.DeleteKey(first, keys.front());
        ini.WriteString(first, "fuzz_key", "a value");
        ini.WriteInteger("fuzz section", "number", -12);
        ini.WriteBool(first, "flag", true);
        const auto written = [&first](const IniFile& file) {
            return file.ReadString(first, "fuzz_key", "") == "a value" &&
                   file.ReadInteger("fuzz section", "number", 0) == -12 && file.ReadBool(first, "flag", false);
        };
        expect(written(ini));
        ini.UpdateFile();
        ini_cache_clear();
        IniFile again(path);
        expect(written(again));
        for (const std::string& section : again.ReadSections()) again.ReadSectionValues(section);
    }
    return 0;
}
