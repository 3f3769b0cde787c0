#include "platform/services/failure_reports.h"

#include <cstdio>
#include <set>

#include "platform/window/window.h"

namespace platform {
namespace {

class PrintedFailureReports final : public FailureReports {
public:
    void Escaped(const std::string& source, const std::string& description) override {
        std::fprintf(stderr, "Error in %s: %s\n", source.c_str(), description.c_str());
        std::fflush(stderr);
        if (!shown_.insert(source + '\n' + description).second) return;
        std::string text = "An unexpected error occurred in " + source + ":\r\n" + description;
        MessageBox(HWND{}, text.c_str(), "Error", MB_ICONERROR | MB_SYSTEMMODAL);
    }
    void Dropped(const std::string& what) override {
        std::fprintf(stderr, "Dropped: %s\n", what.c_str());
        std::fflush(stderr);
    }

private:
    std::set<std::string> shown_;
};

}  // namespace

std::unique_ptr<FailureReports> FailureReports::MakeReal() { return std::make_unique<PrintedFailureReports>(); }

}  // namespace platform
