// The online storage's texts: the upload page (read back by the web-browser control's own reader,
// so a value reaches the server exactly as it is), the download address, the split of an answer,
// and the choice between the online and the local list.
#include "core/online_storage.h"

#include <gtest/gtest.h>

#include "platform/services/web_page.h"

using namespace core;

namespace {

TEST(OnlineStorage, TheUploadPageIsTheFormTheServerExpects) {
    const std::string page = UploadPage({"http://s.example/", "ann", "0cc175b9c0f1b6a831c399e269772661",
                                         "2026-03-01 12:00:00", "[H]\r\nk=v\r\n"});
    EXPECT_EQ(page,
              "<HTML><HEAD><script> function submit() { document.forms[0].submit(); } </script></HEAD>\r\n"
              "<BODY onload=\"submit();\"><form action=\"http://s.example/Submit.php\" method=\"post\">\r\n"
              "<input type=\"text\" name=\"user\" value=\"ann\"/><input type=\"text\" name=\"pass\" "
              "value=\"0cc175b9c0f1b6a831c399e269772661\"/><input type=\"text\" name=\"date\" "
              "value=\"2026-03-01 12:00:00\"/><textarea name=\"data\">[H]\r\nk=v\r\n</textarea>");
}

TEST(OnlineStorage, ValuesReachTheFormExactlyWhateverTheyHold) {
    const UploadFields fields{"http://s.example/a?b=1&c=\"2\"/", "Tom & \"Jerry\" <b>", "&amp;", "<date>",
                              "[H]\r\nx=</textarea><script>alert(1)</script>\r\ny=&lt; & caf\xC3\xA9\r\n"};
    platform::WebPage read = platform::ReadWebPage(UploadPage(fields));
    ASSERT_EQ(read.forms.size(), 1u);
    EXPECT_EQ(read.submittedOnLoad, 0);
    EXPECT_EQ(read.forms[0].action, fields.serverUrl + "Submit.php");
    using Fields = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(read.forms[0].fields,
              (Fields{{"user", fields.user}, {"pass", fields.pass}, {"date", fields.date}, {"data", fields.data}}));
}

TEST(OnlineStorage, TheFilesLinesEachEndWithCrLf) {
    EXPECT_EQ(LinesWithCrLf("[H]\nk=v\n"), "[H]\r\nk=v\r\n");
    EXPECT_EQ(LinesWithCrLf("[H]\r\nk=v"), "[H]\r\nk=v\r\n") << "a last line without an end gets one";
    EXPECT_EQ(LinesWithCrLf("a\rb\n\nc"), "a\r\nb\r\n\r\nc\r\n");
    EXPECT_EQ(LinesWithCrLf(""), "");
}

TEST(OnlineStorage, TheDownloadAddressCarriesTheAccountPercentEncoded) {
    EXPECT_EQ(DownloadRequestUrl("http://s.example/", "ann", "0cc1"), "http://s.example/Retrieve.php?user=ann&pass=0cc1");
    EXPECT_EQ(DownloadRequestUrl("http://s.example/", "Tom & Jerry+1=2?#", "caf\xC3\xA9"),
              "http://s.example/Retrieve.php?user=Tom%20%26%20Jerry%2B1%3D2%3F%23&pass=caf%C3%A9");
    EXPECT_EQ(PercentEncode("A-z0.9_~"), "A-z0.9_~");
}

TEST(OnlineStorage, AnAnswerSplitsAtItsFirstCrLf) {
    DownloadedList list = SplitDownloadAnswer("2026-03-01 12:00:00\r\n[H]\r\n[C]\r\n");
    EXPECT_EQ(list.dateLine, "2026-03-01 12:00:00");
    EXPECT_EQ(list.body, "[H]\r\n[C]\r\n");
    list = SplitDownloadAnswer("no line end\n[H]");
    EXPECT_EQ(list.dateLine, "");
    EXPECT_EQ(list.body, "no line end\n[H]");
    list = SplitDownloadAnswer("");
    EXPECT_EQ(list.dateLine, "");
    EXPECT_EQ(list.body, "");
}

TEST(OnlineStorage, TheChoiceBetweenTheOnlineAndTheLocalList) {
    using enum OnlineListChoice;
    const struct {
        std::int64_t newer;
        bool force;
        std::int32_t confirmation;
        OnlineListChoice choice;
        bool localLoads = true;
    } table[] = {
        {1, false, 2, Restore},  {0, false, 3, Keep},    {0, true, 2, Restore},  {-1, true, 2, Restore},
        {-1, false, 1, Ask},     {-1, false, 2, Keep},   {-1, false, 3, Restore}, {-1, false, 0, Keep},
        {-1, false, 4, Keep},    {-86400, false, 3, Restore},
        // A local list that is gone or does not load gives way, whatever the dates.
        {0, false, 2, Restore, false}, {-1, false, 0, Restore, false}, {0, false, 1, AskToReplaceLost, false},
        {-1, false, 1, AskToReplaceLost, false}, {1, false, 1, Restore, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(ChooseOnlineList(row.newer, row.force, row.confirmation, row.localLoads), row.choice)
            << row.newer << " s newer, force " << row.force << ", Confirmation " << row.confirmation << ", local loads "
            << row.localLoads;
}

}  // namespace
