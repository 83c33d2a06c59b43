// The control class of one of the splash window's timers: a Timer that keeps its
// owner window and its Index, with an empty Constructor. Each timer has a class
// of its own under its own registered name; every such class has these members.
#pragma once

#include "loom/Loom.h"

#include <string_view>

namespace timerclass {

// Builds and registers the record in `record` unless it already exists.
void setUp(const loom::ClassRecord*& record, std::string_view registeredName);

// Where its own Constructor stands in its virtual table.
int constructorSlot();

}  // namespace timerclass
