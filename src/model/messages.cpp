#include "model/messages.h"

#include "model/utils.h"
#include "platform/sysutils.h"

std::string language_file;
std::string help_file;
std::string program_title = "Halvoren";

std::string lang_text(std::string_view section, std::string_view key, std::string_view builtin) {
    if (language_file.empty()) return std::string(builtin);
    return ini_string(language_file, section, key, builtin);
}

std::string no_arg_format(std::string_view text) {
    try {
        return Format(text, {});
    } catch (const EConvertError&) {
        return std::string(text);
    }
}

std::string wrong_format_message(std::string_view text) {
    return format_language_text(msg("msg_WrongDataFormat", "Niepoprawny format danych: %s\" %s \""),
                                {"\r", std::string(text)});
}

std::string format_language_text(std::string_view pattern, std::initializer_list<FormatArg> args) {
    try {
        return Format(pattern, args);
    } catch (const EConvertError&) {
        return std::string(pattern);
    }
}
