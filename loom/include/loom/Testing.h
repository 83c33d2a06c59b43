// Hooks for tests and tools: not used by the program.
#pragma once

#include "loom/Object.h"

#include <functional>
#include <string>
#include <string_view>

namespace loom::testing {
// Makes the framework take this path for the executable's file, everywhere it
// reads it: AppFolderItemGetter(0), the bundle beside it, the program's name.
// An empty path gives the executable's own file back.
void setExecutablePath(std::string path);

// With true, FolderItem.Child gives none for a name that no file or folder in
// the folder bears, as a file layer may; with false (the framework's own way)
// it gives an item for every plain name.
void setChildOnlyForExistingItems(bool onlyExisting);

// Called with each target and record that _SetProperties is given, before it
// reads the record. An empty function stops the observing.
void observeSetProperties(std::function<void(const Object* target, std::string_view record)> observer);

// Called with each delegate that RuntimeCreateDelegate has made, before it
// returns it. An empty function stops the observing.
void observeDelegates(std::function<void(Object* delegate)> observer);
}  // namespace loom::testing
