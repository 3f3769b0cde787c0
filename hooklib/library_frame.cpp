// The library's load and unload events.
namespace hooklib {
int LibraryVersion() { return 1; }
}  // namespace hooklib
