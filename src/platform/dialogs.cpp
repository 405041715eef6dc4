#include "platform/dialogs.h"

#include "platform/services.h"

bool TOpenDialog::Execute() { return services().open_dialog(*this, is_save()); }

std::vector<std::pair<std::string, std::string>> TOpenDialog::filter_pairs() const {
    std::vector<std::pair<std::string, std::string>> out;
    std::vector<std::string> parts;
    std::string cur;
    for (const char c : Filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) out.emplace_back(parts[i], parts[i + 1]);
    return out;
}

bool TColorDialog::Execute() { return services().color_dialog(*this); }
bool TFontDialog::Execute() { return services().font_dialog(*this); }
bool TPrinterSetupDialog::Execute() { return services().printer_setup_dialog(); }

bool SelectDirectory(std::string_view caption, std::string& folder) { return services().select_folder(caption, folder); }
