// What the time synchronisation and online storage account pages decide on their own: the lines
// of the two server lists and which line a stored index selects, what the first edit of the
// password placeholder keeps, and the account name's lower case.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "settings/account_name.h"
#include "settings/password_edit.h"
#include "settings/server_lists.h"

namespace {

namespace fs = std::filesystem;
using namespace settings;

class ServerLists : public testing::Test {
protected:
    fs::path folder = fs::temp_directory_path() / ("ozr-server-lists-" + std::to_string(getpid()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string Write(const std::string& name, const std::string& content) {
        std::ofstream(folder / name) << content;
        return (folder / name).string();
    }
};

TEST_F(ServerLists, TimeServersGiveOneLinePerItemInFileOrderWithWhatTheirSectionsHold) {
    const std::string path = Write("time.ozrini",
                                   "[Dralo Software Development Ruriv - Time Servers File]\n[Servers]\n"
                                   "1=pool.example\n2=127.0.0.1\n3=bare.example\n4=unknown.example\n"
                                   "[2]\nIP=127.0.0.1\nStratum=1\nLocation=Here\n"
                                   "[4]\nIP=192.0.2.9\nStratum=\nLocation=\n"
                                   "[1]\nIP=192.0.2.7\nStratum=2\nLocation=Worldwide: volunteers\n");
    EXPECT_EQ(TimeServerLines(path), (std::vector<std::string>{
                                         "pool.example (192.0.2.7) Stratum: 2 @ Worldwide: volunteers",
                                         "127.0.0.1 (127.0.0.1) Stratum: 1 @ Here",
                                         // What nothing told of yet is left out, with its brackets and markers.
                                         "bare.example",
                                         "unknown.example (192.0.2.9)",
                                     }));
}

TEST_F(ServerLists, StorageServersAreTheItemsValuesWhateverTheirKeys) {
    const std::string path = Write("anywhere.ozrini",
                                   "[Dralo Software Development Ruriv - OZR Ruriv Anywhere Servers File]\n[Servers]\n"
                                   "b=http://one.example/\na=https://two.example/base/\n");
    EXPECT_EQ(AnywhereServerLines(path), (std::vector<std::string>{"http://one.example/", "https://two.example/base/"}));
}

TEST_F(ServerLists, AMissingFileOrOneWithoutItemsGivesNoLines) {
    const std::string empty = Write("empty.ozrini", "[Dralo Software Development Ruriv - Time Servers File]\n[Servers]\n");
    const std::string missing = (folder / "missing.ozrini").string();
    EXPECT_TRUE(TimeServerLines(empty).empty());
    EXPECT_TRUE(TimeServerLines(missing).empty());
    EXPECT_TRUE(AnywhereServerLines(empty).empty());
    EXPECT_TRUE(AnywhereServerLines(missing).empty());
}

TEST(SelectableIndex, KeepsAnIndexThatNamesALineAndFallsBackToTheFirstOrToNothing) {
    struct Case {
        int stored, lines, selected;
    };
    const Case cases[] = {
        {0, 5, 0},  {4, 5, 4},   {5, 5, 0},  {7, 5, 0},  // past the end: the first line
        {-1, 5, 0}, {-300, 2, 0},                        // negative: the first line
        {0, 0, -1}, {3, 0, -1},  {-1, 0, -1},            // no lines: nothing
    };
    for (const Case& c : cases) EXPECT_EQ(SelectableIndex(c.stored, c.lines), c.selected) << c.stored << " of " << c.lines;
}

TEST(ReplacePlaceholder, KeepsOnlyWhatTheFirstEditPutInPlaceOfThePlaceholder) {
    struct Case {
        const char* edited;
        const char* kept;
    };
    const Case cases[] = {
        {"?????a", "a"},       // typed at the end
        {"a?????", "a"},       // typed at the start
        {"??a???", "a"},       // typed in the middle
        {"????", ""},          // Backspace
        {"", ""},              // everything selected and deleted
        {"x", "x"},            // everything selected and replaced
        {"?????secret", "secret"},  // pasted
        {"??????", "?"},       // a question mark typed
        {"?????é", "é"},       // a character of two bytes
    };
    for (const Case& c : cases) EXPECT_EQ(ReplacePlaceholder(kPasswordPlaceholder, c.edited), c.kept) << c.edited;
}

TEST(AccountNameOf, LowersTheLettersOfTheProgramsLanguagesAndKeepsEverythingElse) {
    struct Case {
        const char* typed;
        const char* account;
    };
    const Case cases[] = {
        {"Alice", "alice"},
        {"ANN & Bob 42", "ann & bob 42"},
        {"ȘTEFAN ȚĂRANU", "ștefan țăranu"},
        {"ÎNSĂ ÂNCĂ", "însă âncă"},
        {"ÉÏJ×Ÿ", "éïj×ÿ"},  // the multiplication sign has no case
        {"ŁUKASZ ŹRÓDŁO", "łukasz źródło"},
        {"日本", "日本"},     // three-byte characters stay as they are
        {"a\xff" "B", "a\xff" "b"},  // a byte that is not UTF-8 stays
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(AccountNameOf(c.typed), c.account) << c.typed;
}

}  // namespace
