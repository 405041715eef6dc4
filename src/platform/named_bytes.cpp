#include "platform/named_bytes.h"

std::string first_item(std::string_view items, char separator) {
    return std::string(items.substr(0, items.find(separator)));
}

std::vector<std::string> split_items(std::string_view text, char separator) {
    std::vector<std::string> items;
    if (text.empty()) return items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t p = text.find(separator, start);
        if (p == std::string_view::npos) {
            items.emplace_back(text.substr(start));
            return items;
        }
        items.emplace_back(text.substr(start, p - start));
        start = p + 1;
    }
}

std::string join_items(const std::vector<std::string>& items, char separator) {
    std::size_t size = 0;
    for (const std::string& s : items) size += s.size() + 1;
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += separator;
        out += items[i];
    }
    return out;
}
