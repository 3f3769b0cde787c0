// A test's own time locale: sets LC_ALL, LC_TIME and LANG (nullptr unsets one) for as long as
// the scope lives, and puts back what the environment held before.
#pragma once

#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

class LocaleScope {
public:
    explicit LocaleScope(const char* lcAll, const char* lcTime = nullptr, const char* lang = nullptr) {
        Set(0, lcAll);
        Set(1, lcTime);
        Set(2, lang);
    }
    ~LocaleScope() {
        for (int i = 0; i < 3; ++i) saved_[i] ? setenv(kNames[i], saved_[i]->c_str(), 1) : unsetenv(kNames[i]);
    }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    // True when the system has the locale (tools/install-deps.sh generates the ones tests use).
    static bool Available(const char* name) {
        locale_t probe = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(0));
        if (probe) freelocale(probe);
        return probe != static_cast<locale_t>(0);
    }

private:
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_TIME", "LANG"};
    void Set(int i, const char* value) {
        const char* old = std::getenv(kNames[i]);
        if (old) saved_[i] = old;
        value ? setenv(kNames[i], value, 1) : unsetenv(kNames[i]);
    }
    std::optional<std::string> saved_[3];
};

}  // namespace testsupport
