#include "platform/forms/control_array.h"

#include "platform/forms/container.h"
#include "platform/forms/form.h"

namespace platform::forms {

ControlArrayBase::ControlArrayBase(ContainerRef container, std::string name)
    : container_(&container.get()), name_(std::move(name)) {
    Parent().RegisterArray(this);
}

ControlArrayBase::~ControlArrayBase() { Parent().UnregisterArray(this); }

Form& ControlArrayBase::Parent() const { return container_->OwningForm(); }

void ControlArrayBase::Touch() const { Parent().Touch(); }

bool ControlArrayBase::Loading() const { return Parent().IsLoading(); }

bool ControlArrayBase::Live() const { return Parent().IsLoaded(); }

void ControlArrayBase::CreateWindowsOf(Control& control) { control.CreateWindows(); }

void ControlArrayBase::CopyDesign(Control& to, const Control& from) { to.CopyDesignFrom(from); }

void ControlArrayBase::Fail(const std::string& what, int index) const {
    throw Error("Control array element " + name_ + "(" + std::to_string(index) + ") on form " + Parent().Name() + " " + what);
}

}  // namespace platform::forms
