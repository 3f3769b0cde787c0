#include "platform/services/library_loader.h"
#include "platform/services/detail/module_hooks.h"

#include <dlfcn.h>

#include <map>
#include <vector>

namespace platform {
namespace {

struct Module {
    void* library = nullptr;  // one reference of the dynamic loader, held while the module lives
    DLLMAINPROC dllMain = nullptr;
    int loadRefs[kContextCount] = {};
    bool mapped[kContextCount] = {};
    bool detachPending[kContextCount] = {};
    int running = 0;  // DllMain calls in progress: the file stays open under them
};

struct Loader {
    std::map<std::uint32_t, Module> modules;
    std::uint32_t nextId = 0x00A00010;  // ids are never reused
    std::string lastError;
};

Loader& L() {
    static Loader loader;
    return loader;
}

int Index(ProcessContext context) { return static_cast<int>(context); }

Module* FindModule(std::uint32_t id) {
    auto it = L().modules.find(id);
    return it == L().modules.end() ? nullptr : &it->second;
}

// DllMain runs inside the context it is told about. Marked first, so that a load or a hook that
// DllMain itself causes does not attach a second time.
bool Attach(std::uint32_t id, ProcessContext context) {
    Module* m = FindModule(id);
    if (!m) return false;
    m->mapped[Index(context)] = true;
    m->detachPending[Index(context)] = false;
    DLLMAINPROC dllMain = m->dllMain;
    if (!dllMain) return true;
    ++m->running;
    BOOL attached;
    {
        ContextScope scope(context);
        attached = dllMain(HMODULE{id}, DLL_PROCESS_ATTACH, nullptr);
    }
    m = FindModule(id);
    --m->running;
    if (!attached) m->mapped[Index(context)] = false;
    return attached != 0;
}

void Detach(std::uint32_t id, ProcessContext context) {
    Module* m = FindModule(id);
    if (!m || !m->mapped[Index(context)]) return;
    m->mapped[Index(context)] = false;
    m->detachPending[Index(context)] = false;
    DLLMAINPROC dllMain = m->dllMain;
    if (!dllMain) return;
    ++m->running;
    {
        ContextScope scope(context);
        dllMain(HMODULE{id}, DLL_PROCESS_DETACH, nullptr);
    }
    --FindModule(id)->running;
}

// Closes the file once nothing can run its code any more.
void CloseIfUnused(std::uint32_t id) {
    Module* m = FindModule(id);
    if (!m || m->running) return;
    for (int c = 0; c < kContextCount; ++c)
        if (m->loadRefs[c] || m->mapped[c] || m->detachPending[c]) return;
    if (detail::ModuleHasLiveHooksAnywhere(id)) return;
    void* library = m->library;
    L().modules.erase(id);
    dlclose(library);
}

bool ContextStillUses(const Module& m, std::uint32_t id, ProcessContext context) {
    return m.loadRefs[Index(context)] > 0 || detail::ModuleHasLiveHooks(id, context);
}

}  // namespace

HMODULE LoadLibrary(const char* path) {
    if (!path || !*path) {
        L().lastError = "no library path given";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return HMODULE{};
    }
    void* library = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        L().lastError = why ? why : "the library could not be loaded";
        SetLastError(ERROR_MOD_NOT_FOUND);
        return HMODULE{};
    }
    std::uint32_t id = 0;
    for (auto& [existingId, m] : L().modules) {
        if (m.library == library) {
            id = existingId;
            dlclose(library);  // the module keeps its own single reference
            break;
        }
    }
    if (!id) {
        id = L().nextId;
        L().nextId += 2;
        Module m;
        m.library = library;
        m.dllMain = reinterpret_cast<DLLMAINPROC>(dlsym(library, "DllMain"));
        L().modules.emplace(id, m);
    }
    ProcessContext context = CurrentContext();
    Module* m = FindModule(id);
    ++m->loadRefs[Index(context)];
    if (!m->mapped[Index(context)] && !Attach(id, context)) {
        if ((m = FindModule(id))) --m->loadRefs[Index(context)];
        CloseIfUnused(id);
        L().lastError = std::string(path) + ": DllMain refused the attach";
        SetLastError(ERROR_DLL_INIT_FAILED);
        return HMODULE{};
    }
    return HMODULE{id};
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    Module* m = FindModule(module.id());
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    void* symbol = name ? dlsym(m->library, name) : nullptr;
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    ProcessContext context = CurrentContext();
    Module* m = FindModule(module.id());
    if (!m || m->loadRefs[Index(context)] == 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    --m->loadRefs[Index(context)];
    if (m->mapped[Index(context)] && !ContextStillUses(*m, module.id(), context)) Detach(module.id(), context);
    CloseIfUnused(module.id());
    return 1;
}

std::string LibraryLoadError() { return L().lastError; }

bool IsModuleMappedIn(HMODULE module, ProcessContext context) {
    Module* m = FindModule(module.id());
    return m && m->mapped[Index(context)];
}

bool detail::IsLoadedModule(std::uint32_t moduleId) { return FindModule(moduleId) != nullptr; }

bool detail::MapModuleForHook(std::uint32_t moduleId, ProcessContext context) {
    Module* m = FindModule(moduleId);
    if (!m) return false;
    return m->mapped[Index(context)] || Attach(moduleId, context);
}

void detail::HookOfModuleRemoved(std::uint32_t moduleId, ProcessContext context) {
    Module* m = FindModule(moduleId);
    if (!m) return;
    if (m->mapped[Index(context)] && !ContextStillUses(*m, moduleId, context))
        m->detachPending[Index(context)] = true;
    else
        CloseIfUnused(moduleId);
}

void detail::RunPendingModuleDetaches() {
    std::vector<std::pair<std::uint32_t, ProcessContext>> due;
    for (auto& [id, m] : L().modules)
        for (int c = 0; c < kContextCount; ++c)
            if (m.detachPending[c]) due.emplace_back(id, static_cast<ProcessContext>(c));
    for (auto [id, context] : due) {
        Module* m = FindModule(id);
        if (!m || !m->detachPending[Index(context)]) continue;
        m->detachPending[Index(context)] = false;
        // A new hook or load since the removal keeps the library mapped.
        if (!ContextStillUses(*m, id, context)) Detach(id, context);
        CloseIfUnused(id);
    }
}

}  // namespace platform
