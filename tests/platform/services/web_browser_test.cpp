// The web-browser control and what it reads of a page: the fields a form submits, character
// references, line ends, the load-time submit, the form encoding, and the post it hands to the
// HTTP service (the recording one: no server is reached).
#include "platform/services/web_browser.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/services/web_page.h"
#include "platform/window/loop.h"
#include "temp_folder.h"
#include "tests/support/test_services.h"

using namespace platform;
using Fields = std::vector<std::pair<std::string, std::string>>;

namespace {

const char* const kUploadPage =
    "<HTML><HEAD><script> function submit() { document.forms[0].submit(); } </script></HEAD>\r\n"
    "<BODY onload=\"submit();\"><form action=\"http://example.test/a&amp;b/Submit.php\" method=\"post\">\r\n"
    "<input type=\"text\" name=\"user\" value=\"Tom &amp; &quot;Jerry&quot; &lt;x&gt;\"/>"
    "<input type=\"text\" name=\"pass\" value=\"0cc175b9c0f1b6a831c399e269772661\"/>"
    "<input type=\"text\" name=\"date\" value=\"2026-03-01 12:00:00\"/><textarea name=\"data\">"
    "[Head]\r\nk=&lt;/textarea&gt; &amp;amp; caf\xC3\xA9\r\n</textarea>";

TEST(WebPage, TheUploadFormsFieldsComeDecodedWithTheirLineEndsAsPosted) {
    WebPage page = ReadWebPage(kUploadPage);
    ASSERT_EQ(page.forms.size(), 1u);
    EXPECT_EQ(page.submittedOnLoad, 0);
    EXPECT_EQ(page.forms[0].action, "http://example.test/a&b/Submit.php");
    EXPECT_EQ(page.forms[0].method, "post");
    EXPECT_EQ(page.forms[0].fields, (Fields{{"user", "Tom & \"Jerry\" <x>"},
                                            {"pass", "0cc175b9c0f1b6a831c399e269772661"},
                                            {"date", "2026-03-01 12:00:00"},
                                            {"data", "[Head]\r\nk=</textarea> &amp; caf\xC3\xA9\r\n"}}));
}

TEST(WebPage, LineEndsAndControlsAreSubmittedAsABrowserSubmitsThem) {
    WebPage page = ReadWebPage(
        "<form method=POST action='x'><textarea name=t>\nline1\nline2\rline3</TEXTAREA>"
        "<input name=one value=\"a&#10;b\"><input type=hidden name=h value=\"a&#10;b\">"
        "<input type=checkbox name=off><input type=checkbox name=on checked><input type=submit name=s value=go>"
        "<input name=\"\" value=nameless><input name=d value=1 disabled></form><input name=outside value=1>");
    ASSERT_EQ(page.forms.size(), 1u);
    EXPECT_EQ(page.submittedOnLoad, -1) << "no load handler";
    EXPECT_EQ(page.forms[0].fields, (Fields{{"t", "line1\r\nline2\r\nline3"}, {"one", "ab"}, {"h", "a\r\nb"}, {"on", "on"}}))
        << "the newline right after <textarea> is dropped, text boxes lose their line breaks";
}

TEST(WebPage, OnlyASubmitOfAnExistingFormAtLoadCounts) {
    const std::string form = "<form method=post action=x><input name=a value=1></form>";
    EXPECT_EQ(ReadWebPage("<body onload=\"document.forms[0].submit()\">" + form).submittedOnLoad, 0);
    EXPECT_EQ(ReadWebPage("<body onload=\"document.forms[1].submit()\">" + form).submittedOnLoad, -1);
    EXPECT_EQ(ReadWebPage("<script>function go(){ alert(1); }</script><body onload=\"go();\">" + form).submittedOnLoad, -1);
    EXPECT_EQ(ReadWebPage("<body onload=\"go();\">" + form).submittedOnLoad, -1) << "no such function";
    EXPECT_EQ(ReadWebPage("<!-- <body onload=\"document.forms[0].submit()\"> --><body>" + form).submittedOnLoad, -1);
}

TEST(WebPage, CharacterReferences) {
    EXPECT_EQ(DecodeCharacterReferences("&lt;&gt;&amp;&quot;&apos;&#65;&#x42;&#X43;&nbsp;"),
              "<>&\"'ABC\xC2\xA0");
    EXPECT_EQ(DecodeCharacterReferences("&#0;&#xD800;&#1114112;"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(DecodeCharacterReferences("a & b &unknown; &#; &#x; &amp"), "a & b &unknown; &#; &#x; &amp");
    EXPECT_EQ(DecodeCharacterReferences("&#128512;"), "\xF0\x9F\x98\x80");
}

TEST(WebPage, FormEncoding) {
    EXPECT_EQ(FormEncode({{"user", "a b&c=d/+%"}, {"data", "\xC3\xA9\r\n*-._~"}}),
              "user=a+b%26c%3Dd%2F%2B%25&data=%C3%A9%0D%0A*-._%7E");
    EXPECT_EQ(FormEncode({}), "");
}

// Runs the loop until done() or 5 s of real time.
bool RunUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) {
        PumpPendingWork();
        RunFor(10);
    }
    return done();
}

struct Browser : ::testing::Test {
    testsupport::ServiceScope services;
    TempProgramFolder folder;
    testsupport::RecordingHttp& http = testsupport::UseRecordingHttp();
    std::vector<std::string> completed, errors;
    std::unique_ptr<WebBrowserControl> wb = std::make_unique<WebBrowserControl>();
    Browser() {
        wb->DocumentComplete = [this](const std::string& url) { completed.push_back(url); };
        wb->NavigateError = [this](const std::string& url, const std::string& why) { errors.push_back(url + ": " + why); };
    }
    std::string WritePage(const std::string& html) {
        std::ofstream(folder / "transfer.html", std::ios::binary) << html;
        return "file://" + folder.Path() + "\\transfer.html";  // the program's own form of the address
    }
};

TEST_F(Browser, APageThatSubmitsAtLoadPostsItsFormOnce) {
    http.answer = [](const HttpRequest&) { return testsupport::RecordingHttp::Body("stored"); };
    wb->RequestTimeout = 7;
    wb->Navigate(WritePage(kUploadPage), 0, "", "test", "Content-Disposition: form-data; name=\"sugi\"\r\n");
    ASSERT_TRUE(RunUntil([&] { return !completed.empty(); }));
    ASSERT_EQ(http.requests.size(), 1u) << "the file address takes no request of its own";
    const HttpRequest& post = http.requests[0];
    EXPECT_EQ(post.method, "POST");
    EXPECT_EQ(post.url, "http://example.test/a&b/Submit.php");
    EXPECT_EQ(post.headers, std::vector<std::string>{"Content-Type: application/x-www-form-urlencoded"});
    EXPECT_EQ(post.body,
              "user=Tom+%26+%22Jerry%22+%3Cx%3E&pass=0cc175b9c0f1b6a831c399e269772661&date=2026-03-01+12%3A00%3A00"
              "&data=%5BHead%5D%0D%0Ak%3D%3C%2Ftextarea%3E+%26amp%3B+caf%C3%A9%0D%0A");
    EXPECT_EQ(post.timeoutMs, 7000);
    EXPECT_EQ(completed, std::vector<std::string>{"http://example.test/a&b/Submit.php"});
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(wb->PendingPosts(), 0);
}

TEST_F(Browser, FailuresAreToldAndNothingIsPostedFromAPageThatCannotBeRead) {
    wb->Navigate("file://" + folder.Path() + "/missing.html");
    wb->Navigate("http://example.test/page.html");
    wb->Navigate(WritePage("<form method=get action=x></form><body onload='document.forms[0].submit()'>"));
    ASSERT_TRUE(RunUntil([&] { return errors.size() == 3; }));
    EXPECT_TRUE(http.requests.empty());
    EXPECT_NE(errors[0].find("could not be read"), std::string::npos) << errors[0];
    EXPECT_NE(errors[1].find("only local pages"), std::string::npos) << errors[1];
    EXPECT_NE(errors[2].find("not posted"), std::string::npos) << errors[2];

    errors.clear();
    http.answer = [](const HttpRequest&) { return testsupport::RecordingHttp::NoServer(); };
    wb->Navigate(WritePage(kUploadPage));
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], "http://example.test/a&b/Submit.php: Could not connect to server");

    errors.clear();
    http.answer = [](const HttpRequest&) {
        HttpAnswer a = testsupport::RecordingHttp::Body("not here");
        a.status = 404;
        return a;
    };
    wb->Navigate(WritePage(kUploadPage));
    ASSERT_TRUE(RunUntil([&] { return !errors.empty(); }));
    EXPECT_NE(errors[0].find("status 404"), std::string::npos) << errors[0];
    EXPECT_TRUE(completed.empty());
}

TEST_F(Browser, APageWithoutALoadTimeSubmitIsSimplyDone) {
    const std::string url = WritePage("<form method=post action=x><input name=a></form>");
    wb->Navigate(url);
    ASSERT_TRUE(RunUntil([&] { return !completed.empty(); }));
    EXPECT_EQ(completed[0], url);
    EXPECT_TRUE(http.requests.empty());
}

TEST_F(Browser, AControlThatIsGoneHearsNothingMore) {
    wb->Navigate(WritePage(kUploadPage));
    wb.reset();
    for (int i = 0; i < 10; ++i) PumpPendingWork();
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_TRUE(completed.empty() && errors.empty());
}

}  // namespace
