// MultimediaControl: plays a sound file through the platform's sound output, driven by its
// Command and FileName properties: `mmc.FileName = path; mmc.Command = "Open"; mmc.Command =
// "Play";`. The commands are "Open", "Play", "Stop" and "Close". Done is raised when a play ends
// by itself, never after "Stop" or "Close". A file that cannot be opened or played plays nothing
// and raises no Done; Error and ErrorMessage tell why (0 and "" after a command that worked).
// An unknown command raises platform::Error.
#pragma once

#include <string>

#include "platform/forms/control.h"

namespace platform::forms {

class MultimediaControl : public Control {
    std::string command() const { return command_; }
    void setCommand(std::string value);
    std::string fileName() const { return fileName_; }
    void setFileName(std::string value) { fileName_ = std::move(value); }
    int error() const { return error_; }
    std::string errorMessage() const { return errorMessage_; }

public:
    MultimediaControl(ContainerRef container, std::string name, int index = -1);
    ~MultimediaControl() override;

    Prop<&MultimediaControl::command, &MultimediaControl::setCommand> Command{this};
    // One of the clock's paths (see platform/services/paths.h) or a real path.
    Prop<&MultimediaControl::fileName, &MultimediaControl::setFileName> FileName{this};
    Prop<&MultimediaControl::error> Error{this};
    Prop<&MultimediaControl::errorMessage> ErrorMessage{this};

    // The notify code: 1, the play finished.
    Event<int> Done;

protected:
    void ResetToDesign() override;
    void WindowsDestroyed() override;

private:
    void Ended();

    std::string command_;
    std::string fileName_;
    int error_ = 0;
    std::string errorMessage_;
    bool open_ = false;
    bool playing_ = false;
};

}  // namespace platform::forms
