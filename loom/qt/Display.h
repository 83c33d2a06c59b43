// The display the application is to show on, and Qt's start on it. Qt ends
// the process with an abort when it cannot start; what the environment tells
// is found here before Qt starts, and what only Qt's own start tells is caught
// while the application is made (StartupMessages).
#pragma once

#include <string>

namespace loom::qt {

class DisplayProbe {
public:
    // Reads QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY, WAYLAND_SOCKET and
    // XDG_RUNTIME_DIR, and looks for Qt's Wayland plugin where Qt looks for
    // plugins. It connects to no X server: Qt's own connection is the test of one.
    DisplayProbe();

    bool found() const { return m_problem.empty(); }
    // When none was found: why, and how to run the program, in one line.
    const std::string& problem() const { return m_problem; }
    // The line to give when Qt cannot connect to the display it was to use.
    const std::string& unreachable() const { return m_unreachable; }
    // The platform Qt must be told to use; empty for its own choice.
    const std::string& platform() const { return m_platform; }

private:
    std::string m_problem;
    std::string m_unreachable;
    std::string m_platform;
};

// While it lives, Qt is starting: its messages wait, and its end passes them
// on as Qt would have printed them. A fatal message ends the process with
// status 1 instead of Qt's abort: `unreachable` alone when Qt could connect to
// no display; otherwise the waiting messages, Qt's fatal one, and one line
// naming the platform that could not start and why.
// Where QT_FATAL_WARNINGS or QT_FATAL_CRITICALS make Qt end at a message, the
// messages pass at once, and the one Qt counts as fatal ends the start the same
// way. Messages may come from any thread. Should the start end otherwise, by
// exit() inside Qt or a plugin or by a fatal signal, the waiting messages
// still reach standard error (HeldOutput.h).
class StartupMessages {
public:
    explicit StartupMessages(std::string unreachable);
    ~StartupMessages();
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;
};

// Ends the process: the program's name, ": " and `line` on standard error, status 1.
[[noreturn]] void failToStart(const std::string& line);

}  // namespace loom::qt
