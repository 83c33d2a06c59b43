#include "Display.h"

#include <QLibraryInfo>
#include <QString>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

namespace loom::qt {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

// libxcb, found at run time: Qt has loaded it already, and named by the
// program itself it would come before the C++ and C libraries in every symbol
// lookup of the program's start.
struct Xcb {
    decltype(&xcb_connect) connect = nullptr;
    decltype(&xcb_connection_has_error) hasError = nullptr;
    decltype(&xcb_get_setup) setup = nullptr;
    decltype(&xcb_setup_roots_length) rootsLength = nullptr;
    decltype(&xcb_disconnect) disconnect = nullptr;
    bool loaded() const { return connect && hasError && setup && rootsLength && disconnect; }
};

template <typename F>
void find(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(library, name));
}

const Xcb& xcb() {
    static const Xcb found = [] {
        Xcb x;
        // Kept open for the life of the process, as Qt keeps it.
        void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
        if (!library) return x;
        find(library, "xcb_connect", x.connect);
        find(library, "xcb_connection_has_error", x.hasError);
        find(library, "xcb_get_setup", x.setup);
        find(library, "xcb_setup_roots_length", x.rootsLength);
        find(library, "xcb_disconnect", x.disconnect);
        return x;
    }();
    return found;
}

// An X server at `display` that accepts this client and has the screen it names.
xcb_connection_t* connectX(const std::string& display) {
    const Xcb& x = xcb();
    if (!x.loaded()) return nullptr;  // no X library, so no X platform either
    int screen = 0;
    xcb_connection_t* c = x.connect(display.c_str(), &screen);
    if (!x.hasError(c) && screen >= 0 && screen < x.rootsLength(x.setup(c))) return c;
    x.disconnect(c);
    return nullptr;
}

// A Wayland compositor listening at `display`: a socket path, or a name in XDG_RUNTIME_DIR.
bool waylandListens(const std::string& display) {
    std::string path = display;
    if (path.front() != '/') {
        const std::string runtimeDir = environment("XDG_RUNTIME_DIR");
        if (runtimeDir.empty()) return false;
        path = runtimeDir + "/" + display;
    }
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool listening = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return listening;
}

// Whether Qt has its Wayland platform plugin, where Qt looks for plugins.
bool qtHasWaylandPlugin() {
    std::vector<std::string> folders;
    const std::string extra = environment("QT_PLUGIN_PATH");
    for (size_t at = 0; at <= extra.size();) {
        size_t end = extra.find(':', at);
        if (end == std::string::npos) end = extra.size();
        if (end > at) folders.push_back(extra.substr(at, end - at));
        at = end + 1;
    }
    folders.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString());
    for (const std::string& folder : folders) {
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(folder + "/platforms", ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
            if (it->path().filename().string().starts_with("libqwayland")) return true;
    }
    return false;
}

}  // namespace

DisplayProbe::DisplayProbe() {
    if (!environment("QT_QPA_PLATFORM").empty()) return;  // chosen by the user: Qt's to use as it is

    const std::string x = environment("DISPLAY");
    if (!x.empty() && (m_x = connectX(x))) return;  // Qt's own choice: X, or Wayland on a Wayland desktop

    std::string why = x.empty() ? "DISPLAY is not set" : "cannot connect to X display " + quoted(x);
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if (!wayland.empty()) {
        if (!waylandListens(wayland)) {
            why += ", and cannot connect to Wayland display " + quoted(wayland);
        } else if (!qtHasWaylandPlugin()) {
            why += ", and Qt's Wayland support (Debian package qt6-wayland) is not installed";
        } else {
            m_platform = "wayland";  // the only display there is: Qt might otherwise try X alone
            return;
        }
    }
    m_problem = "no display available (" + why +
                "); run it from a graphical desktop session, or set DISPLAY to a running X server, e.g. "
                "DISPLAY=:0 picture-wizard";
}

DisplayProbe::~DisplayProbe() {
    if (m_x) xcb().disconnect(m_x);
}

}  // namespace loom::qt
