// The alarm wizard's step forms by their Name.
#pragma once

#include <string>

#include "platform/forms/form.h"

namespace alarmwizard {

// The step form of a Name, or nullptr for a Name that is no step.
platform::forms::Form* WizardStepNamed(const std::string& name);

}  // namespace alarmwizard
