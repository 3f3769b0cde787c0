// Inside the platform: how the window system's hooks and the library loader keep a module mapped
// while a hook of it may run.
#pragma once

#include <cstdint>

#include "platform/window/context.h"

namespace platform::detail {

// For the window system's hooks: a hook whose module is set runs its procedure only once the
// module is mapped into the hook's context (false: the module is gone or refused the attach).
bool IsLoadedModule(std::uint32_t moduleId);
bool MapModuleForHook(std::uint32_t moduleId, ProcessContext context);
// The module's last live hook in the context is gone; the detach runs once no send is in
// progress (a hook may remove itself while its own code is running).
void HookOfModuleRemoved(std::uint32_t moduleId, ProcessContext context);
// Runs the detaches that waited for the outermost send to return.
void RunPendingModuleDetaches();
// Implemented by the window system: does a live hook of the module run in the context?
bool ModuleHasLiveHooks(std::uint32_t moduleId, ProcessContext context);
bool ModuleHasLiveHooksAnywhere(std::uint32_t moduleId);

}  // namespace platform::detail
