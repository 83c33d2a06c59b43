// The display the application is to show on. Qt ends the process with an
// abort when it can reach none; what the environment tells is found here
// before Qt starts, and what only Qt's own connection tells is caught while
// the application is made (StartupMessages).
#pragma once

#include <QtGlobal>

#include <string>
#include <vector>

namespace loom::qt {

class DisplayProbe {
public:
    // Reads QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR. It
    // connects to no X server: Qt's own connection is the test of one.
    DisplayProbe();

    bool found() const { return m_problem.empty(); }
    // When none was found: why, and how to run the program, in one line.
    const std::string& problem() const { return m_problem; }
    // The line to give when Qt cannot start on the display found; empty when
    // the platform was chosen with QT_QPA_PLATFORM, which Qt uses as it is.
    const std::string& problemIfRefused() const { return m_problemIfRefused; }
    // The platform Qt must be told to use; empty for its own choice.
    const std::string& platform() const { return m_platform; }

private:
    std::string m_problem;
    std::string m_problemIfRefused;
    std::string m_platform;
};

// While it lives, Qt's messages wait, and a fatal one, such as Qt's when it
// cannot connect to the display, ends the process with `problem` on standard
// error and status 1. Its end passes the waiting messages on as Qt would have.
class StartupMessages {
public:
    explicit StartupMessages(std::string problem);
    ~StartupMessages();
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;

private:
    struct Held {
        QtMsgType type;
        std::string category, file, function, text;
        int line;
    };
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);

    std::string m_problem;
    QtMessageHandler m_previous;
    std::vector<Held> m_held;
};

// Ends the process: "picture-wizard: " and `problem` on standard error, status 1.
[[noreturn]] void failForNoDisplay(const std::string& problem);

}  // namespace loom::qt
