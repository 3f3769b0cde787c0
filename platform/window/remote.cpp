// Running copies of the program register a Unix socket in a per-user folder. Another copy finds
// windows there by class and title and sends the one message the running copy takes (a second
// start's hand-over); only processes of the same user are answered (peer credentials), and a
// client gives up after 5 s. A copy reads a request without ever waiting for it.
#include "platform/window/remote.h"
#include "platform/window/detail/remote.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/timerfd.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/services/running_copy.h"
#include "platform/window/error_boundary.h"
#include "platform/window/loop.h"
#include "platform/window/window_manager.h"
#include "platform/window/detail/window_store.h"

namespace platform {
namespace {

enum RequestKind : std::uint32_t { kAskFolder = 1, kFindWindow = 2, kSendMessage = 3 };

struct Request {
    std::uint32_t kind = 0;
    std::uint32_t hwnd = 0;
    std::uint32_t msg = 0;
    std::uint32_t userTime = 0;  // the desktop's time of the user's doing that sent the message (0: none)
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
    char className[128] = {};
    char windowName[128] = {};
    std::uint8_t hasClass = 0;
    std::uint8_t hasName = 0;
};

struct Reply {
    std::int64_t result = 0;
    char text[4096] = {};
};

struct RemoteWindow {
    std::string socketPath;
    std::uint32_t remoteId = 0;
};

struct Registry {
    int listenFd = -1;
    int sourceId = 0;
    std::string socketPath;
    std::string programFolder;
    std::map<std::uint32_t, RemoteWindow> remotes;
    // The one message another copy may send, and the window it may send it to (none: no message).
    std::uint32_t handOverWindow = 0;
    std::uint32_t handOverMessage = 0;
};

Registry& R() {
    static Registry registry;
    return registry;
}

constexpr int kSendTimeoutMs = 5000;
// Asking a copy which folder it runs in or for a window is quick; a copy that is busy elsewhere
// must not hold up a start for long, so those questions wait less than a send does.
constexpr int kQuestionTimeoutMs = 1000;

std::string RegistryFolder() { return UserRuntimeFolder(); }

bool FillAddress(const std::string& path, sockaddr_un* addr) {
    if (path.size() >= sizeof(addr->sun_path)) return false;
    std::memset(addr, 0, sizeof(*addr));
    addr->sun_family = AF_UNIX;
    std::memcpy(addr->sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A copy that ends while it is being answered closes its end: that is a failed write, never a
// signal that would end this copy too.
bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = send(fd, p, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, void* data, std::size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

void SetTimeouts(int fd, int timeoutMs = kSendTimeoutMs) {
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof(tv));
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof(tv));
}

// Asks the copy behind a socket; false when it does not answer (a stale socket is removed).
bool Ask(const std::string& socketPath, const Request& request, Reply* reply) {
    int timeoutMs = request.kind == kSendMessage ? kSendTimeoutMs : kQuestionTimeoutMs;
    sockaddr_un addr;
    if (!FillAddress(socketPath, &addr)) return false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    SetTimeouts(fd, timeoutMs);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0) {
        if (errno == ECONNREFUSED) unlink(socketPath.c_str());
        close(fd);
        return false;
    }
    bool ok = WriteAll(fd, &request, sizeof(request)) && ReadAll(fd, reply, sizeof(*reply));
    close(fd);
    if (!ok) SetLastError(ERROR_TIMEOUT);
    return ok;
}

std::vector<std::string> OtherSockets() {
    std::vector<std::string> sockets;
    std::string folder = RegistryFolder();
    if (folder.empty()) return sockets;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return sockets;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name.size() < 6 || name.substr(name.size() - 5) != ".sock") continue;
        std::string path = folder + "/" + name;
        if (path == R().socketPath) continue;
        sockets.push_back(path);
    }
    closedir(dir);
    return sockets;
}

std::vector<std::string> CopiesOfFolder(const std::string& programFolder) {
    std::vector<std::string> copies;
    for (const std::string& path : OtherSockets()) {
        Request request;
        request.kind = kAskFolder;
        Reply reply;
        if (Ask(path, request, &reply) && programFolder == reply.text) copies.push_back(path);
    }
    return copies;
}

// Refused messages can come in floods (a program that sends to every window it finds): the first
// of a run is told with what it was, the rest by their count, once a second, until a second
// passes without one; what is left uncounted is told when the copy stops answering.
struct Refusals {
    int timerFd = -1;
    int sourceId = 0;  // while a run lasts
    std::uint64_t untold = 0;
};

Refusals& Refused() {
    static Refusals refusals;
    return refusals;
}

bool ArmRefusalSecond() {
    Refusals& r = Refused();
    if (r.timerFd < 0) r.timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    const itimerspec second{{0, 0}, {1, 0}};
    return r.timerFd >= 0 && timerfd_settime(r.timerFd, 0, &second, nullptr) == 0;
}

void TellUntoldRefusals() {
    Refusals& r = Refused();
    if (r.untold == 0) return;
    ReportDropped(std::to_string(r.untold) + " more message" + (r.untold == 1 ? "" : "s") +
                  " from other programs (only a second start's hand-over is taken)");
    r.untold = 0;
}

void EndRefusalRun() {
    Refusals& r = Refused();
    TellUntoldRefusals();
    if (r.sourceId) RemoveEventSource(r.sourceId);
    r.sourceId = 0;
}

void RefusalSecondPassed() {
    Refusals& r = Refused();
    std::uint64_t expirations;
    while (read(r.timerFd, &expirations, sizeof expirations) > 0) {
    }
    if (r.untold == 0 || !ArmRefusalSecond()) {
        EndRefusalRun();
        return;
    }
    TellUntoldRefusals();
}

void Refuse(const Request& request) {
    Refusals& r = Refused();
    if (r.sourceId) {
        ++r.untold;
        return;
    }
    char what[128];
    std::snprintf(what, sizeof what, "message 0x%04X for window %u from another program (only a second "
                  "start's hand-over is taken)", request.msg, request.hwnd);
    ReportDropped(what);
    if (ArmRefusalSecond()) r.sourceId = AddEventSource(r.timerFd, RefusalSecondPassed);
}

void Serve(const Request& request, Reply* reply) {
    switch (request.kind) {
        case kAskFolder:
            std::strncpy(reply->text, R().programFolder.c_str(), sizeof(reply->text) - 1);
            break;
        case kFindWindow: {
            std::string cls(request.className, strnlen(request.className, sizeof(request.className)));
            std::string name(request.windowName, strnlen(request.windowName, sizeof(request.windowName)));
            HWND found = FindWindowEx(HWND{}, HWND{}, request.hasClass ? cls.c_str() : nullptr,
                                      request.hasName ? name.c_str() : nullptr);
            reply->result = found.id();
            break;
        }
        case kSendMessage:
            // Only the hand-over crosses. Any other message could carry a pointer or a handle of
            // another process that the window would read as its own, or ask it to close.
            if (request.hwnd != R().handOverWindow || request.msg != R().handOverMessage || request.msg == 0) {
                Refuse(request);
                break;
            }
            UserActedThroughAnotherCopy(request.userTime);
            reply->result = SendMessage(HWND{request.hwnd}, request.msg, static_cast<WPARAM>(request.wParam),
                                        static_cast<LPARAM>(request.lParam));
            break;
        default: break;
    }
}

// A request on its way in, read as its bytes come so that the loop never waits for a client: one
// that stays silent for as long as a client waits for its answer is dropped, and no more than one
// request is read of any client.
struct Incoming {
    int timerFd = -1;
    int sourceId = 0;
    int timerSourceId = 0;
    Request request;
    std::size_t got = 0;
    std::uint64_t since = 0;  // the order of acceptance
};

constexpr std::size_t kMaxIncoming = 16;

std::map<int, Incoming>& IncomingRequests() {
    static std::map<int, Incoming> incoming;
    return incoming;
}

// The client leaves the loop's watch; its connection stays open.
void Forget(int fd) {
    auto it = IncomingRequests().find(fd);
    if (it == IncomingRequests().end()) return;
    RemoveEventSource(it->second.sourceId);
    RemoveEventSource(it->second.timerSourceId);
    close(it->second.timerFd);
    IncomingRequests().erase(it);
}

void Drop(int fd) {
    Forget(fd);
    close(fd);
}

int OldestIncoming() {
    auto oldest = IncomingRequests().begin();
    for (auto it = oldest; it != IncomingRequests().end(); ++it)
        if (it->second.since < oldest->second.since) oldest = it;
    return oldest->first;
}

void ReadIncoming(int fd) {
    auto it = IncomingRequests().find(fd);
    if (it == IncomingRequests().end()) return;
    Incoming& in = it->second;
    ssize_t n = read(fd, reinterpret_cast<char*>(&in.request) + in.got, sizeof(Request) - in.got);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        Drop(fd);
        return;
    }
    in.got += static_cast<std::size_t>(n);
    if (in.got < sizeof(Request)) return;
    // The client leaves the loop's watch before it is served: serving may run a loop of its own.
    const Request request = in.request;
    Forget(fd);
    Reply reply;
    Serve(request, &reply);
    WriteAll(fd, &reply, sizeof(reply));  // a client that does not take it loses it
    close(fd);
}

void AcceptOne() {
    int fd = accept4(R().listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    ucred cred{};
    socklen_t len = sizeof(cred);
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || cred.uid != getuid()) {
        close(fd);
        return;
    }
    // A second start sends its request as soon as it connects: the client that has waited longest
    // without a whole request makes room, so that clients that say nothing never keep one out.
    if (IncomingRequests().size() >= kMaxIncoming) Drop(OldestIncoming());
    const int timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    const itimerspec silence{{0, 0}, {kSendTimeoutMs / 1000, (kSendTimeoutMs % 1000) * 1'000'000L}};
    if (timerFd < 0 || timerfd_settime(timerFd, 0, &silence, nullptr) != 0) {
        if (timerFd >= 0) close(timerFd);
        close(fd);
        return;
    }
    static std::uint64_t accepted = 0;
    Incoming& in = IncomingRequests()[fd];
    in.since = ++accepted;
    in.timerFd = timerFd;
    in.sourceId = AddEventSource(fd, [fd] { ReadIncoming(fd); });
    in.timerSourceId = AddEventSource(timerFd, [fd] { Drop(fd); });
}

}  // namespace

bool RegisterRunningCopy(const std::string& programFolder) {
    if (R().listenFd >= 0) return true;
    std::string folder = RegistryFolder();
    if (folder.empty()) return false;
    std::string path = folder + "/" + std::to_string(getpid()) + ".sock";
    sockaddr_un addr;
    if (!FillAddress(path, &addr)) return false;
    unlink(path.c_str());
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return false;
    }
    R().listenFd = fd;
    R().socketPath = path;
    R().programFolder = programFolder;
    R().sourceId = AddEventSource(fd, AcceptOne);
    return true;
}

void UnregisterRunningCopy() {
    if (R().listenFd < 0) return;
    EndRefusalRun();
    RemoveEventSource(R().sourceId);
    while (!IncomingRequests().empty()) Drop(IncomingRequests().begin()->first);
    close(R().listenFd);
    unlink(R().socketPath.c_str());
    R().listenFd = -1;
    R().socketPath.clear();
}

bool AnotherCopyIsRunning(const std::string& programFolder) { return !CopiesOfFolder(programFolder).empty(); }

HWND FindWindowOfOtherCopy(const char* className, const char* windowName) {
    // Only copies of this program (the same program folder) are searched.
    if (R().programFolder.empty()) return HWND{};
    for (const std::string& path : CopiesOfFolder(R().programFolder)) {
        Request request;
        request.kind = kFindWindow;
        if (className) {
            std::strncpy(request.className, className, sizeof(request.className) - 1);
            request.hasClass = 1;
        }
        if (windowName) {
            std::strncpy(request.windowName, windowName, sizeof(request.windowName) - 1);
            request.hasName = 1;
        }
        Reply reply;
        if (!Ask(path, request, &reply) || reply.result == 0) continue;
        HWND local{detail::NewHandleId()};
        R().remotes[local.id()] = RemoteWindow{path, static_cast<std::uint32_t>(reply.result)};
        return local;
    }
    return HWND{};
}

bool detail::IsRemoteWindow(HWND hwnd) { return R().remotes.count(hwnd.id()) != 0; }

bool detail::SendRemoteMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto it = R().remotes.find(hwnd.id());
    if (it == R().remotes.end()) return false;
    Request request;
    request.kind = kSendMessage;
    request.hwnd = it->second.remoteId;
    request.msg = msg;
    request.wParam = wParam;
    request.lParam = lParam;
    request.userTime = UserActionTime();
    Reply reply;
    if (!Ask(it->second.socketPath, request, &reply)) return false;
    *result = static_cast<LRESULT>(reply.result);
    return true;
}

void SetRunningProgramFolder(const std::string& programFolder) { R().programFolder = programFolder; }

void AcceptFromOtherCopies(HWND window, UINT message) {
    R().handOverWindow = window.id();
    R().handOverMessage = message;
}

}  // namespace platform
