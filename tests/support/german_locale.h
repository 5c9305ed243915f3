#pragma once

// The process as a German desktop leaves it: the C library's locale and the C++ global
// locale set to de_DE.UTF-8 (decimal comma), for the time the object lives. Qt's
// application object does the same from the environment. When the locale is not
// installed, active() is false and nothing changed; the tests then skip.

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

namespace zv::test {

class GermanLocale {
public:
    GermanLocale() : previousC_(std::setlocale(LC_ALL, nullptr)) {
        if (std::setlocale(LC_ALL, name) == nullptr) {
            return;
        }
        try {
            previous_ = std::locale::global(std::locale(name));
            active_ = true;
        } catch (const std::runtime_error&) {
            std::setlocale(LC_ALL, previousC_.c_str());
        }
    }
    ~GermanLocale() {
        if (active_) {
            std::locale::global(previous_);
            std::setlocale(LC_ALL, previousC_.c_str());
        }
    }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;

    bool active() const { return active_; }

    static constexpr const char* name = "de_DE.UTF-8";
    static constexpr const char* missing =
        "de_DE.UTF-8 is not installed (scripts/bootstrap generates it)";

private:
    std::string previousC_;
    std::locale previous_;
    bool active_ = false;
};

} // namespace zv::test
