#pragma once
// The C library under a locale whose decimal mark is a comma, as the
// window's toolkit sets it for such a user (LANG=de_DE.UTF-8). While the
// object lives the locale is in force; the previous one returns after it.
// scripts/install-deps generates the locale: a test that needs it fails,
// with the message below, when it is missing.

#include <clocale>
#include <cstring>
#include <string>

namespace vardane {

namespace test_support {

inline constexpr const char* kCommaLocale = "de_DE.UTF-8";

class comma_locale {
public:
    comma_locale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
        active_ =
            std::setlocale(LC_ALL, kCommaLocale) != nullptr && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
    }
    ~comma_locale() { std::setlocale(LC_ALL, previous_.c_str()); }
    comma_locale(const comma_locale&) = delete;
    comma_locale& operator=(const comma_locale&) = delete;

    bool active() const { return active_; }
    static std::string missing()
    {
        return std::string("the locale ") + kCommaLocale
               + " with its decimal comma cannot be set; scripts/install-deps generates it";
    }

private:
    std::string previous_;
    bool active_ = false;
};

} // namespace test_support

} // namespace vardane
