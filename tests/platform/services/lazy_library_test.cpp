// Libraries opened at their first use: a missing library or entry is refused with its name, and
// the answer, good or bad, is kept.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/services/detail/lazy_library.h"

namespace {
using platform::detail::LazyLibrary;

TEST(LazyLibrary, BindsTheEntriesOfALibraryOnceAndNamesWhatIsMissing) {
    LazyLibrary c("libc.so.6");
    decltype(&std::strlen) length = nullptr;
    int binds = 0;
    auto bindAll = [&](LazyLibrary& l) {
        ++binds;
        return l.Bind(length, "strlen");
    };
    std::string error;
    ASSERT_TRUE(c.Open(bindAll, &error)) << error;
    EXPECT_EQ(length("four"), 4u);
    EXPECT_TRUE(c.Open(bindAll, &error));
    EXPECT_EQ(binds, 1) << "the entries are bound once";

    LazyLibrary lacking("libc.so.6");
    void (*missing)() = nullptr;
    EXPECT_FALSE(lacking.Open([&](LazyLibrary& l) { return l.Bind(missing, "ozr_no_such_entry"); }, &error));
    EXPECT_NE(error.find("ozr_no_such_entry"), std::string::npos) << error;

    LazyLibrary absent("libozr-no-such-library.so.9");
    error.clear();
    EXPECT_FALSE(absent.Open([](LazyLibrary&) { return true; }, &error));
    EXPECT_NE(error.find("libozr-no-such-library.so.9"), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(absent.Open([](LazyLibrary&) { return true; }, &error)) << "the answer is kept";
    EXPECT_FALSE(error.empty());
}

}  // namespace
