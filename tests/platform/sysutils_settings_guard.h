// Saves the process-wide number and date settings of sysutils and restores
// them when the test ends, so that a test can set the modes it depends on.
#pragma once

#include <string>

#include "platform/sysutils.h"

class SysutilsSettingsGuard {
public:
    explicit SysutilsSettingsGuard(char separator = '.', bool euro = true)
        : decimal_(decimal_separator),
          thousand_(thousand_separator),
          currency_(currency_string),
          currency_format_(currency_format),
          currency_decimals_(currency_decimals),
          short_date_(short_date_format),
          long_time_(long_time_format),
          date_separator_(date_separator),
          time_separator_(time_separator),
          euro_(euro_rounding) {
        decimal_separator = separator;
        euro_rounding = euro;
    }
    SysutilsSettingsGuard(const SysutilsSettingsGuard&) = delete;
    SysutilsSettingsGuard& operator=(const SysutilsSettingsGuard&) = delete;
    ~SysutilsSettingsGuard() {
        decimal_separator = decimal_;
        thousand_separator = thousand_;
        currency_string = currency_;
        currency_format = currency_format_;
        currency_decimals = currency_decimals_;
        short_date_format = short_date_;
        long_time_format = long_time_;
        date_separator = date_separator_;
        time_separator = time_separator_;
        euro_rounding = euro_;
    }

private:
    char decimal_;
    char thousand_;
    std::string currency_;
    int currency_format_;
    int currency_decimals_;
    std::string short_date_;
    std::string long_time_;
    char date_separator_;
    char time_separator_;
    bool euro_;
};
