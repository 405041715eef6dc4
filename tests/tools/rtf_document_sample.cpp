// Makes an RTF document from a template, as the template chooser does, into
// a folder (first argument): a program with its own configuration folder
// there, a project whose investor and profile carry Polish letters, and a
// template with Polish letters in its text, a variable's value and an amount
// in words. The document is copied to "document.rtf" in the folder, for the
// check by LibreOffice (check_rtf_document.py).
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "forms/skojarzone.h"
#include "model/state.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "tools/sample_program.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    sample_program program(folder);
    model_state& m = model();
    m.project.dane.inwestor = "Gmina Żółkiewka"_cp;
    m.profiles.resize(1);
    m.profiles[0].nazwa = "Kanał główny"_cp;
    m.profiles[0].length = 1518.44;
    const std::string templates = folders().config_folder + "templates/";
    ForceDirectories(templates);
    write_lines(templates + "umowa.wzr", {
        "<HEADER>",
        "<TITLE>Umowa</TITLE>",
        "<FILE_NAME>umowa</FILE_NAME>",
        "<FONT_NAME>DejaVu Sans</FONT_NAME>",
        "<FONT_SIZE>9</FONT_SIZE>",
        "</HEADER>",
        "Zażółć gęślą jaźń {klamry} i \\ukośnik"_cp,
        "Inwestor: @_inwestor",
        "Profil: @_nazwa_profilu",
        "Długość: @_stat_dlugosc m"_cp,
        "Słownie: @_stat_dlugosc#"_cp,
    });
    tskojarzone->wypelnij_wzorzec(templates + "umowa.wzr", false);
    write_file(folder + "/document.rtf", read_file(folders().config_folder + "umowa.rtf"));
    return 0;
}
