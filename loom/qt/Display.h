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
    // plugins. Where Qt is to try the X display DISPLAY names, it connects to
    // it, and keeps that connection until it is destroyed (after Qt has made
    // its own), so that a server whose only client Qt is does not reset in
    // between. A Wayland display is tried by connecting to its socket.
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool found() const { return m_problem.empty(); }
    // When none was found: why, and how to run the program, in one line.
    const std::string& problem() const { return m_problem; }
    // The line to give when Qt cannot connect to the display it was to use.
    const std::string& unreachable() const { return m_unreachable; }
    // The platform Qt must be told to use; empty for its own choice.
    const std::string& platform() const { return m_platform; }
    // What the program's own attempts found: a display it tried and could not reach.
    bool xUnreachable() const { return m_xUnreachable; }
    bool waylandUnreachable() const { return m_waylandUnreachable; }

private:
    std::string m_problem;
    std::string m_unreachable;
    std::string m_platform;
    bool m_xUnreachable = false;
    bool m_waylandUnreachable = false;
    void* m_xConnection = nullptr;
};

// While it lives, Qt is starting: its messages wait, and its end passes them
// on as Qt would have printed them. A fatal message ends the process with
// status 1 instead of Qt's abort: the display's unreachable() line alone when
// Qt could connect to no display (as the probe found, or, where the probe had
// not tried or had reached it, as Qt's own messages tell); otherwise the waiting messages, Qt's fatal one, and one line
// naming the platform that could not start and why.
// Where QT_FATAL_WARNINGS or QT_FATAL_CRITICALS make Qt end at a message, the
// messages pass at once, and the one Qt counts as fatal ends the start the same
// way. Messages may come from any thread. Should the start end otherwise, by
// exit() inside Qt or a plugin or by a fatal signal, the waiting messages
// still reach standard error (HeldOutput.h).
class StartupMessages {
public:
    explicit StartupMessages(const DisplayProbe& display);
    ~StartupMessages();
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;
};

// Ends the process: the program's name, ": " and `line` on standard error, status 1.
[[noreturn]] void failToStart(const std::string& line);

}  // namespace loom::qt
