// ctest ends a test that outlasts its time limit with a kill, and what the test had printed into
// the pipe's buffer but not yet flushed goes with it: every line is written out as it ends, so a
// test that ran out of time still shows which expectations failed on the way.
#include <cstdio>

namespace {
[[maybe_unused]] const int kLineBuffered = std::setvbuf(stdout, nullptr, _IOLBF, 0);
}  // namespace
