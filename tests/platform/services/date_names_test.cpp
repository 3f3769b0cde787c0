#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/services/date_names.h"
#include "tests/support/locale_scope.h"

using namespace platform;
using testsupport::LocaleScope;

namespace {

TEST(LocaleDateNames, TheCAndPosixLocalesAndAnUnknownOneGiveTheEnglishNames) {
    for (const char* name : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) {
        SCOPED_TRACE(name);
        LocaleScope locale(name);
        EXPECT_EQ(LocaleMonthName(1, DateNameForm::Full), "January");
        EXPECT_EQ(LocaleMonthName(9, DateNameForm::Short), "Sep");
        EXPECT_EQ(LocaleMonthName(12, DateNameForm::Full), "December");
        EXPECT_EQ(LocaleDayName(0, DateNameForm::Full), "Sunday");
        EXPECT_EQ(LocaleDayName(6, DateNameForm::Short), "Sat");
    }
    LocaleScope none(nullptr);
    EXPECT_EQ(LocaleDayName(3, DateNameForm::Full), "Wednesday") << "no locale set at all";
    EXPECT_EQ(std::string(std::setlocale(LC_TIME, nullptr)), "C") << "the process's own locale is left alone";
}

TEST(LocaleDateNames, OutOfRangeNumbersHaveNoName) {
    LocaleScope locale("C");
    EXPECT_EQ(LocaleMonthName(0, DateNameForm::Full), "");
    EXPECT_EQ(LocaleMonthName(13, DateNameForm::Short), "");
    EXPECT_EQ(LocaleDayName(-1, DateNameForm::Full), "");
    EXPECT_EQ(LocaleDayName(7, DateNameForm::Short), "");
}

TEST(LocaleDateNames, TheNamesFollowTheTimeLocaleByTheLibrarysPrecedence) {
    if (!LocaleScope::Available("nl_NL.UTF-8"))
        GTEST_SKIP() << "the locale nl_NL.UTF-8 is not generated here (tools/install-deps.sh makes it)";
    {
        LocaleScope locale("nl_NL.UTF-8");
        EXPECT_EQ(LocaleMonthName(3, DateNameForm::Full), "maart");
        EXPECT_EQ(LocaleMonthName(3, DateNameForm::Short), "mrt");
        EXPECT_EQ(LocaleDayName(0, DateNameForm::Full), "zondag");
        EXPECT_EQ(LocaleDayName(0, DateNameForm::Short), "zo");
    }
    {
        LocaleScope locale(nullptr, "nl_NL.UTF-8", "C");
        EXPECT_EQ(LocaleMonthName(10, DateNameForm::Full), "oktober") << "LC_TIME before LANG";
    }
    {
        LocaleScope locale(nullptr, nullptr, "nl_NL.UTF-8");
        EXPECT_EQ(LocaleDayName(1, DateNameForm::Full), "maandag") << "LANG when nothing else is set";
    }
    LocaleScope locale("C", "nl_NL.UTF-8");
    EXPECT_EQ(LocaleMonthName(3, DateNameForm::Full), "March") << "LC_ALL before everything";
}

TEST(LocaleDateNames, NamesOfALocaleInAnotherCharacterSetComeInUtf8) {
    if (!LocaleScope::Available("fr_FR.ISO-8859-1"))
        GTEST_SKIP() << "the locale fr_FR.ISO-8859-1 is not generated here (tools/install-deps.sh makes it)";
    LocaleScope locale("fr_FR.ISO-8859-1");
    EXPECT_EQ(LocaleMonthName(2, DateNameForm::Full), "f\xC3\xA9vrier");
    EXPECT_EQ(LocaleMonthName(8, DateNameForm::Full), "ao\xC3\xBBt");
}

}  // namespace
