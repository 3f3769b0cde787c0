// Loading shared libraries at run time, with the names the clock's design uses. A library is
// "mapped" into a process context: the first LoadLibrary in a context, or the first run there of
// a hook that names the module, calls the library's exported DllMain with DLL_PROCESS_ATTACH in
// that context; the last FreeLibrary of the context, or the removal of the module's last hook
// there, calls it with DLL_PROCESS_DETACH. The file is closed once no context holds it and no
// hook names it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base.h"
#include "platform/window/context.h"

namespace platform {

// A loaded library: a 32-bit id, never 0, that names the same library in every context.
using HMODULE = Handle<struct ModuleTag>;
using FARPROC = void (*)();

// DllMain(module, reason, reserved): exported with C linkage by a library that wants to know when
// it is mapped into or leaves a context. The result on attach decides whether the load succeeds.
using DLLMAINPROC = BOOL (*)(HMODULE module, DWORD reason, void* reserved);
constexpr DWORD DLL_PROCESS_DETACH = 0;
constexpr DWORD DLL_PROCESS_ATTACH = 1;

constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_DLL_INIT_FAILED = 1114;

// Loads the library at a real path (the caller builds it from the program folder). Loading the
// same file again gives the same handle and counts one more reference in the calling context.
// 0 with GetLastError ERROR_MOD_NOT_FOUND when the file cannot be loaded (LibraryLoadError tells
// why), ERROR_DLL_INIT_FAILED when its DllMain refuses the attach.
HMODULE LoadLibrary(const char* path);
// The exported symbol of that name, or nullptr (ERROR_PROC_NOT_FOUND; ERROR_INVALID_HANDLE for a
// stale module).
FARPROC GetProcAddress(HMODULE module, const char* name);
// Drops one reference of the calling context. FALSE for a module this context does not hold.
BOOL FreeLibrary(HMODULE module);
// The loader's description of the last failed LoadLibrary.
std::string LibraryLoadError();
// True while the module is mapped into the context (DllMain ran its attach there).
bool IsModuleMappedIn(HMODULE module, ProcessContext context);

constexpr DWORD ERROR_INVALID_HANDLE = 6;

}  // namespace platform
