// The display the application is to show on, found before Qt looks for it:
// Qt ends the process with an abort when it can reach none.
#pragma once

#include <string>

struct xcb_connection_t;

namespace loom::qt {

class DisplayProbe {
public:
    // Reads QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY and XDG_RUNTIME_DIR, and
    // tries the displays they name.
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    bool found() const { return m_problem.empty(); }
    // When none was found: why, and how to run the program, in one line.
    const std::string& problem() const { return m_problem; }
    // The platform Qt must be told to use; empty for its own choice.
    const std::string& platform() const { return m_platform; }

private:
    // The X server answered: the connection stays open until this probe goes,
    // after Qt has made its own. An X server that loses its last client
    // resets, and the client that connects next waits for that.
    xcb_connection_t* m_x = nullptr;
    std::string m_problem;
    std::string m_platform;
};

}  // namespace loom::qt
