// The network-type chooser as the settings tables use it.
#pragma once

#include <optional>
#include <string>

// Opens "Media" with a network-letters text ("a" every type, else letters
// each followed by ","; the empty text no type) and returns the text chosen
// with OK, nullopt with Cancel.
std::optional<std::string> choose_networks(const std::string& letters);
