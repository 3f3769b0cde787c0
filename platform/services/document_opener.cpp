#include "platform/services/document_opener.h"

#include <cstring>

#include "platform/services/spawn.h"

namespace platform {
namespace {

// xdg-open reads an argument that starts with "-" as an option ("--help"). Such a target is no
// address (an address starts with its scheme), so it can only name a file in the current folder:
// it goes as the path "./-x", which names the same file and cannot be read as an option.
std::string AsFileOperand(const std::string& target) { return target.starts_with('-') ? "./" + target : target; }

class XdgOpener : public DocumentOpener {
public:
    bool Open(const std::string& target, int) override {
        if (target.empty()) return false;
        return SpawnDetached({"xdg-open", AsFileOperand(target)});
    }
};

}  // namespace

std::unique_ptr<DocumentOpener> DocumentOpener::MakeReal() { return std::make_unique<XdgOpener>(); }

std::intptr_t ShellExecute(HWND, const char* verb, const char* file, const char* parameters, const char*,
                           int showMode) {
    bool plainOpen = (!verb || std::strcmp(verb, "open") == 0) && (!parameters || !*parameters);
    if (!plainOpen) return SE_ERR_NOASSOC;
    if (!file || !*file) return SE_ERR_FNF;
    return UseService<DocumentOpener>().Open(file, showMode) ? 42 : SE_ERR_FNF;
}

}  // namespace platform
