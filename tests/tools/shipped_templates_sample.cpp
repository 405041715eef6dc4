// Makes the document of every template the program ships, as the template
// chooser does, into a folder (first argument): a program with its own
// configuration folder there, the decimal comma, and the small project of
// the template tests. Each document is copied into the folder under its
// own name; "documents.txt" lists them one a line (document, then the
// template, apart by a tab), and every RTF document's text is written
// beside it as "<document>.txt" in UTF-8, for the checks by LibreOffice and
// an HTML parser (check_shipped_templates.py).
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "files/wydruki.h"
#include "forms/skojarzone.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/paths.h"
#include "platform/sysutils.h"
#include "support/sample_project.h"
#include "tools/sample_program.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    sample_program program(folder);
    make_sample_project();
    // The fresh configuration folder got the shipped templates at the start.
    const std::string templates = folders().config_folder + "templates/";
    std::vector<std::string> listing;
    for (const std::string& name : list_folder(templates, "*.wzr", true)) {
        head_info info;
        tskojarzone->info_plik(templates + name, info);
        const std::string document = info.file_name + "." + info.doc_type;
        tskojarzone->wypelnij_wzorzec(templates + name, false);
        write_file(folder + "/" + document, read_file(folders().config_folder + document));
        if (info.doc_type == "rtf")
            write_file(folder + "/" + document + ".txt", cp1250_to_utf8(engine_of(*tskojarzone).re.plain_text()));
        listing.push_back(document + "\t" + name);
    }
    write_lines(folder + "/documents.txt", listing);
    return listing.empty() ? 1 : 0;
}
