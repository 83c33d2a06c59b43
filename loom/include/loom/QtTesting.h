// Test hooks of the Qt presentation: a clock the test moves, answers to the
// open-file dialog, so headless tests never sleep nor wait for a person, and a
// step run inside the event loop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace loom::testing {

void useManualClock();          // from now on the framework clock moves only by advanceClock
void advanceClock(int64_t ms);  // fires due timers, in deadline order, as the clock passes them
void processEvents();           // runs posted events and pending Qt events
// The dialog is not shown: each call answers with `path`, or cancels when none.
void answerOpenFileDialog(std::optional<std::string> path);
int openFileDialogCount();
// Runs `step` once inside the event loop that run() starts, after the events
// queued before it (a new window's Open); the loop ends when the step returns.
// Given before the program starts, it lets a test act on the running program
// with Qt's own input events. An exception from the step ends run() with it.
void atLoopStart(std::function<void()> step);

}  // namespace loom::testing
