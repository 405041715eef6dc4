// The settings read on any file, in every mode that reads, each followed by
// a write and a read of what was written; a second write of what was read
// back gives the same file. The file is the language file as well, so its
// texts reach every language look-up of the read. The program runs headless
// in a scratch HALVOREN_HOME, made once for the run.
#include <cstdlib>
#include <memory>
#include <string>

#include "app/program.h"
#include "files/settings.h"
#include "model/messages.h"
#include "fuzz_support.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/sysutils.h"

namespace {

void expect(bool condition) {
    if (!condition) std::abort();
}

struct HeadlessProgram {
    HeadlessProgram() {
        setenv("HALVOREN_HOME", scratch().path().c_str(), 1);
        services = std::make_unique<HeadlessServices>(registry_folder());
        program = std::make_unique<Program>(*services, std::vector<std::string>{scratch().file("bin/halvoren")});
    }
    std::unique_ptr<HeadlessServices> services;
    std::unique_ptr<Program> program;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static HeadlessProgram headless;
    const std::string input = scratch().file("input.ini");
    const std::string first = scratch().file("first.ini");
    const std::string second = scratch().file("second.ini");
    for (const char* mode : {"opcje", "plik", "koszt", "lang"}) {
        // "lang" only reads; what it read is written as the options file.
        const std::string written_as = std::string(mode) == "lang" ? "opcje" : mode;
        write_file(input, input_text(data, size));
        DeleteFile(first);
        DeleteFile(second);
        ini_cache_clear();
        decimal_separator = '.';
        language_file = input;
        czytaj_opcje(input, mode);
        zapisz_opcje(first, written_as);
        czytaj_opcje(first, written_as);
        zapisz_opcje(second, written_as);
        expect(read_file(first) == read_file(second));
    }
    return 0;
}
