#include "platform/services/date_names.h"

#include <iconv.h>
#include <strings.h>
#include <langinfo.h>
#include <locale.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <map>

namespace platform {
namespace {

struct LocaleNames {
    std::array<std::string, 12> monthFull, monthShort;
    std::array<std::string, 7> dayFull, dayShort;
};

// The locale whose time names the user asked for, by the C library's order of precedence.
std::string TimeLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "C";
}

std::string ToUtf8(const char* text, const char* codeset) {
    if (!text) return {};
    if (!codeset || strcasecmp(codeset, "UTF-8") == 0 || strcmp(codeset, "ANSI_X3.4-1968") == 0) return text;
    iconv_t converter = iconv_open("UTF-8", codeset);
    if (converter == reinterpret_cast<iconv_t>(-1)) return text;
    std::string in = text;
    std::string out(in.size() * 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size(), outLeft = out.size();
    const bool whole = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!whole) return {};
    out.resize(out.size() - outLeft);
    return out;
}

LocaleNames Read(const std::string& name) {
    // Names and their character set from the same locale.
    locale_t locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str(), static_cast<locale_t>(0));
    if (!locale) locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
    LocaleNames names;
    if (!locale) return names;
    const char* codeset = nl_langinfo_l(CODESET, locale);
    const std::string charset = codeset ? codeset : "";
    auto item = [&](nl_item what) { return ToUtf8(nl_langinfo_l(what, locale), charset.c_str()); };
    for (int i = 0; i < 12; ++i) {
        names.monthFull[i] = item(MON_1 + i);
        names.monthShort[i] = item(ABMON_1 + i);
    }
    for (int i = 0; i < 7; ++i) {
        names.dayFull[i] = item(DAY_1 + i);
        names.dayShort[i] = item(ABDAY_1 + i);
    }
    freelocale(locale);
    return names;
}

// Read once per locale name: a clock asks for the names every time it draws.
const LocaleNames& CurrentNames() {
    static std::map<std::string, LocaleNames> known;
    const std::string name = TimeLocaleName();
    auto it = known.find(name);
    if (it == known.end()) it = known.emplace(name, Read(name)).first;
    return it->second;
}

}  // namespace

std::string LocaleMonthName(int month, DateNameForm form) {
    if (month < 1 || month > 12) return {};
    const LocaleNames& names = CurrentNames();
    return form == DateNameForm::Full ? names.monthFull[month - 1] : names.monthShort[month - 1];
}

std::string LocaleDayName(int dayOfWeek, DateNameForm form) {
    if (dayOfWeek < 0 || dayOfWeek > 6) return {};
    const LocaleNames& names = CurrentNames();
    return form == DateNameForm::Full ? names.dayFull[dayOfWeek] : names.dayShort[dayOfWeek];
}

}  // namespace platform
