#include "core/failure_reports.h"

#include <iostream>
#include <set>

#include "core/debug_log.h"
#include "core/language_files.h"
#include "platform/services/failure_reports.h"
#include "platform/window/window.h"

namespace core {
namespace {

std::string TextOr(const char* key, const char* fallback) {
    std::string text = LanguageFile.IsLoaded() ? LanguageFile.ReadText("General", key) : "";
    return text.empty() ? fallback : text;
}

void Fill(std::string& text, const std::string& mark, const std::string& with) {
    if (std::size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), with);
}

class ProgramFailureReports final : public platform::FailureReports {
public:
    void Escaped(const std::string& source, const std::string& description) override {
        const std::string line = "[Error boundary]: error in " + source + ": " + description;
        std::cerr << "OZR Ruriv: " << line << '\n';
        DebugLog(line);
        if (!shown_.insert(source + '\n' + description).second) return;
        std::string text = TextOr("MSGBOX Error Unexpected", "An unexpected error occurred in %1 (%2).");
        Fill(text, "%1", source);
        Fill(text, "%2", description);
        const std::string title = "OZR Ruriv - " + TextOr("MSGBOX Error", "Error!");
        platform::MessageBox(platform::HWND{}, text.c_str(), title.c_str(), platform::MB_ICONERROR | platform::MB_SYSTEMMODAL);
    }
    void Dropped(const std::string& what) override {
        std::cerr << "OZR Ruriv: dropped " << what << '\n';
        DebugLog("[Platform]: dropped " + what);
    }

private:
    std::set<std::string> shown_;
};

}  // namespace

void InstallProgramFailureReports() { platform::InstallService<platform::FailureReports>(std::make_unique<ProgramFailureReports>()); }

}  // namespace core
