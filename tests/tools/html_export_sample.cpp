// Writes a table of the table component as an HTML file (first argument)
// and the texts of its cells as JSON in UTF-8 (second argument), for the
// check of the HTML by real parsers (check_html_export.py).
#include <string>
#include <vector>

#include "platform/cp1250.h"
#include "platform/files.h"
#include "widgets/aligrid.h"

namespace {

std::string json_text(const std::string& cp1250) {
    std::string out = "\"";
    for (const char c : cp1250_to_utf8(cp1250)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char digits[] = "0123456789abcdef";
            out += "\\u00";
            out += digits[(c >> 4) & 0xF];
            out += digits[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::vector<std::vector<std::string>> rows = {
        {"Nr", "Nazwa", "Opis", "Uwagi"},
        {"1", "Zażółć gęślą jaźń"_cp, "PE & PVC <110", "\"cytat\""},
        {"2", "ĄŚŹąśź ŁÓĆ żółw"_cp, "± 0,5 ‰"_cp, "„tak” – nie"_cp},
        {"3", "", "© «x» 20°C"_cp, "a > b"},
    };
    auto* grid = new TStringAlignGrid(nullptr);
    grid->SetColCount(4);
    grid->SetRowCount(static_cast<int>(rows.size()));
    grid->set_cell_colour(1, 1, clYellow);
    grid->cell_font(2, 2).Style = fsBold | fsItalic;
    std::string json = "[";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        json += r ? ",\n [" : "\n [";
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            grid->SetCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
            json += (c ? ", " : "") + json_text(rows[r][c]);
        }
        json += "]";
    }
    json += "\n]\n";
    write_file(argv[1], grid->save_to_html().bytes());
    write_file(argv[2], json);
    delete grid;
    return 0;
}
