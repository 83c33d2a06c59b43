// Test hooks of the Qt presentation: a clock the test moves, and answers to the
// open-file dialog, so headless tests never sleep nor wait for a person.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace loom::testing {

void useManualClock();          // from now on the framework clock moves only by advanceClock
void advanceClock(int64_t ms);  // fires due timers, in deadline order, as the clock passes them
void processEvents();           // runs posted events and pending Qt events
// The dialog is not shown: each call answers with `path`, or cancels when none.
void answerOpenFileDialog(std::optional<std::string> path);
int openFileDialogCount();

}  // namespace loom::testing
