// The running executable's own file, and the name the framework gives the
// program in what it reports: that file's name, as the user finds it in the bundle.
// Both are read from the system once; everything that needs them asks here, so
// the tests' stand-in path (loom/Testing.h) reaches every reader alike.
#pragma once

#include <string>

namespace loom {

// The executable's path; empty when the system does not tell it.
const std::string& executableFile();

// The last part of executableFile(), or the name the process was started by
// when the path has none.
const std::string& programName();

}  // namespace loom
