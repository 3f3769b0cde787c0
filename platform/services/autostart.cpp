#include "platform/services/autostart.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/services/settings_file.h"
#include "platform/services/whole_file.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReservedInExec = " \t\n\"'\\><~|&;$*?#()`";

class DesktopEntryAutostart : public Autostart {
public:
    explicit DesktopEntryAutostart(std::string configFolder) : configFolder_(std::move(configFolder)) {}

    bool Enable(const std::string& program) override {
        const std::string folder = Folder();
        if (folder.empty()) return Fail("no configuration folder is known (neither XDG_CONFIG_HOME nor HOME is set)");
        std::error_code error;
        fs::create_directories(folder, error);
        if (error) return Fail(folder + ": " + error.message());
        try {
            WriteFileAtomically(folder + "/" + kAutostartEntryName, AutostartEntryText(program));
        } catch (const SaveError& e) {
            return Fail(e.Path() + ": " + e.Reason());
        }
        lastError_.clear();
        return true;
    }

    bool Disable() override {
        const std::string folder = Folder();
        if (folder.empty()) return true;  // no folder, so no entry either
        std::error_code error;
        fs::remove(folder + "/" + kAutostartEntryName, error);
        if (error) return Fail(folder + "/" + kAutostartEntryName + ": " + error.message());
        lastError_.clear();
        return true;
    }

    std::string LastError() const override { return lastError_; }

private:
    std::string Folder() const {
        if (!configFolder_.empty()) return configFolder_ + "/autostart";
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        if (xdg && xdg[0] == '/') return std::string(xdg) + "/autostart";
        const char* home = std::getenv("HOME");
        if (home && home[0] == '/') return std::string(home) + "/.config/autostart";
        return "";
    }
    bool Fail(std::string why) {
        lastError_ = std::move(why);
        return false;
    }

    std::string configFolder_;  // empty: the user's
    std::string lastError_;
};

}  // namespace

std::unique_ptr<Autostart> Autostart::MakeReal() { return std::make_unique<DesktopEntryAutostart>(""); }

std::unique_ptr<Autostart> MakeAutostartIn(const std::string& configFolder) {
    return std::make_unique<DesktopEntryAutostart>(configFolder.empty() ? "." : configFolder);
}

std::string QuoteExecArgument(const std::string& argument) {
    std::string quoted;
    if (argument.empty() || argument.find_first_of(kReservedInExec) != std::string::npos) {
        quoted = "\"";
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
            quoted += c;
        }
        quoted += "\"";
    } else {
        quoted = argument;
    }
    std::string value;
    for (char c : quoted) {
        switch (c) {
            case '%': value += "%%"; break;
            case '\\': value += "\\\\"; break;
            case '\n': value += "\\n"; break;
            case '\t': value += "\\t"; break;
            case '\r': value += "\\r"; break;
            default: value += c;
        }
    }
    return value;
}

std::string AutostartEntryText(const std::string& program) {
    return "[Desktop Entry]\nType=Application\nName=Dralo Software Development Ruriv\nExec=" + QuoteExecArgument(program) +
           "\n";
}

}  // namespace platform
