// Hooks for tests and tools: not used by the program.
#pragma once

#include <string>

namespace loom::testing {
// Makes AppFolderItemGetter(0) report this path as the executable's file.
void setExecutablePath(std::string path);
}  // namespace loom::testing
