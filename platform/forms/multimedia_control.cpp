#include "platform/forms/multimedia_control.h"

#include "platform/services/paths.h"
#include "platform/services/sound_output.h"

namespace platform::forms {

namespace {
// Error codes: what kind of command failed.
constexpr int kOpenFailed = 1;
constexpr int kPlayFailed = 2;
constexpr int kNotifySuccessful = 1;
}  // namespace

MultimediaControl::MultimediaControl(ContainerRef container, std::string name, int index)
    : Control(container, std::move(name), index) {}

MultimediaControl::~MultimediaControl() {
    if (open_) CurrentSoundOutput().Close();
}

void MultimediaControl::ResetToDesign() {
    command_.clear();
    fileName_.clear();
    error_ = 0;
    errorMessage_.clear();
}

void MultimediaControl::WindowsDestroyed() {
    // The form is gone: its sound ends with it.
    if (open_) CurrentSoundOutput().Close();
    open_ = false;
    playing_ = false;
}

void MultimediaControl::setCommand(std::string value) {
    SoundOutput& output = CurrentSoundOutput();
    error_ = 0;
    errorMessage_.clear();
    if (value == "Open") {
        open_ = false;
        if (fileName_.empty()) {
            error_ = kOpenFailed;
            errorMessage_ = "no file name is set";
        } else if (std::string why; output.Open(MapPath(fileName_), &why)) {
            open_ = true;
        } else {
            error_ = kOpenFailed;
            errorMessage_ = why;
        }
    } else if (value == "Play") {
        std::string why;
        playing_ = open_ && output.Play([this] { Ended(); }, &why);
        if (!playing_) {
            error_ = kPlayFailed;
            errorMessage_ = open_ ? why : "no sound is open";
        }
    } else if (value == "Stop") {
        if (open_) output.Stop();
        playing_ = false;
    } else if (value == "Close") {
        if (open_) output.Close();
        open_ = false;
        playing_ = false;
    } else {
        throw platform::Error("the multimedia control has no command \"" + value + "\"");
    }
    command_ = std::move(value);
}

void MultimediaControl::Ended() {
    playing_ = false;
    if (Live()) Done(kNotifySuccessful);
}

}  // namespace platform::forms
