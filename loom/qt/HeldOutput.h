// Text held back from standard error that must reach it even where the
// process ends before its holder prints it: by exit() called from a library,
// or by a fatal signal (SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL). Then the
// text is written as it stands, once; after a signal, the signal's former
// action is restored and the signal raised again, so the process ends as it
// would have (a crash stays a crash, with its core dump where those are kept).
#pragma once

#include <string_view>

namespace loom::qt::held {

// Begins holding: nothing held yet, the handlers in place. Not nested.
void begin();
// Adds to what is held; from any thread, one at a time.
void append(std::string_view text);
// What is held is its holder's again, to print or drop: neither an exit nor
// a signal writes it from here on. Async-signal-safe.
void release();
// Releases, and puts back the signal actions begin() replaced.
void end();

}  // namespace loom::qt::held
