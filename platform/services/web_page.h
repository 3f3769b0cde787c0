// What the web-browser control reads of a page: its forms with their fields, and which form the
// page submits as soon as it loads. Nothing is rendered and no script runs; the one script
// understood is a load-time submit, written either in the body's onload handler as
// "document.forms[N].submit()" or as a call of a function of the page's scripts whose body is
// exactly that statement.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct WebForm {
    std::string action;  // as written in the page, character references decoded
    std::string method;  // lower case; "get" when the page names none
    // The fields a submission sends, in page order: (name, value) with the values as a browser
    // submits them (references decoded, line ends as CR LF, text boxes without line breaks).
    std::vector<std::pair<std::string, std::string>> fields;
};

struct WebPage {
    std::vector<WebForm> forms;
    int submittedOnLoad = -1;  // index into forms, -1 when the page submits nothing by itself
};

// Reads the page's text (UTF-8). Never fails: what is not understood is passed over.
WebPage ReadWebPage(std::string_view html);

// Character references (&amp; &lt; &gt; &quot; &apos; &nbsp; &#NN; &#xHH;) turned into their
// characters; any other "&" stays as it is. A numeric reference to no character gives U+FFFD.
std::string DecodeCharacterReferences(std::string_view text);

// Every byte but the letters, the digits and the characters of `kept` written as %XX (upper-case
// hexadecimal); with blankAsPlus a blank is written as "+".
std::string PercentEncode(std::string_view text, std::string_view kept, bool blankAsPlus = false);

// The fields as application/x-www-form-urlencoded: name=value joined by "&", each byte but the
// letters, digits and "*-._" written as %XX, a blank as "+".
std::string FormEncode(const std::vector<std::pair<std::string, std::string>>& fields);

}  // namespace platform
