#include "Display.h"

#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QString>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace loom::qt {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

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

std::string noDisplay(const std::string& why) {
    return "no display available (" + why +
           "); run it from a graphical desktop session, or set DISPLAY to a running X server, e.g. "
           "DISPLAY=:0 picture-wizard";
}

StartupMessages* g_holding = nullptr;

}  // namespace

DisplayProbe::DisplayProbe() {
    if (!environment("QT_QPA_PLATFORM").empty()) return;  // chosen by the user: Qt's to use as it is

    const std::string x = environment("DISPLAY");
    std::string why = x.empty() ? "DISPLAY is not set" : "cannot connect to X display " + quoted(x);
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if (!wayland.empty()) {
        if (!waylandListens(wayland)) {
            why += ", and cannot connect to Wayland display " + quoted(wayland);
        } else if (!qtHasWaylandPlugin()) {
            why += ", and Qt's Wayland support (Debian package qt6-wayland) is not installed";
        } else if (x.empty()) {
            m_platform = "wayland";  // the only display there is: Qt would otherwise try X alone
            m_problemIfRefused = noDisplay("cannot connect to Wayland display " + quoted(wayland));
            return;
        }
    }
    // With an X display named, Qt's connection decides: it is made once, by Qt.
    if (x.empty())
        m_problem = noDisplay(why);
    else
        m_problemIfRefused = noDisplay(why);
}

void failForNoDisplay(const std::string& problem) {
    std::fprintf(stderr, "picture-wizard: %s\n", problem.c_str());
    // Nothing made so far is to be finished: Qt is part-way through its start.
    std::_Exit(1);
}

StartupMessages::StartupMessages(std::string problem)
    : m_problem(std::move(problem)), m_previous(qInstallMessageHandler(&StartupMessages::handle)) {
    g_holding = this;
}

StartupMessages::~StartupMessages() {
    g_holding = nullptr;
    qInstallMessageHandler(m_previous);
    for (const Held& m : m_held) {
        const QMessageLogContext context(m.file.empty() ? nullptr : m.file.c_str(), m.line,
                                         m.function.empty() ? nullptr : m.function.c_str(),
                                         m.category.empty() ? nullptr : m.category.c_str());
        qt_message_output(m.type, context, QString::fromStdString(m.text));
    }
}

void StartupMessages::handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    StartupMessages* self = g_holding;
    if (!self) return;
    if (type == QtFatalMsg) failForNoDisplay(self->m_problem);
    auto copy = [](const char* s) { return s ? std::string(s) : std::string(); };
    self->m_held.push_back(
        {type, copy(context.category), copy(context.file), copy(context.function), text.toStdString(), context.line});
}

}  // namespace loom::qt
