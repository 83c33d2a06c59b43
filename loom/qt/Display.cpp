#include "Display.h"

#include "HeldOutput.h"
#include "loom/Executable.h"
#include "loom/NeverDestroyed.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QString>
#include <QtGlobal>

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

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

// libxcb, as Qt's X plugin uses it (and loads it next: it stays loaded);
// none where it cannot be loaded, which the plugin's own refusal then tells.
struct Xcb {
    void* (*connect)(const char* display, int* screen);
    int (*hasError)(void* connection);
    void (*disconnect)(void* connection);
};

const Xcb* xcb() {
    static const Xcb* const loaded = []() -> const Xcb* {
        void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
        if (!library) return nullptr;
        static Xcb x{reinterpret_cast<decltype(Xcb::connect)>(dlsym(library, "xcb_connect")),
                     reinterpret_cast<decltype(Xcb::hasError)>(dlsym(library, "xcb_connection_has_error")),
                     reinterpret_cast<decltype(Xcb::disconnect)>(dlsym(library, "xcb_disconnect"))};
        return x.connect && x.hasError && x.disconnect ? &x : nullptr;
    }();
    return loaded;
}

// The parts of a list written with `separator` between them, empty ones included.
std::vector<std::string_view> parts(std::string_view list, char separator) {
    std::vector<std::string_view> found;
    for (size_t at = 0; at <= list.size();) {
        const size_t end = std::min(list.find(separator, at), list.size());
        found.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return found;
}

// Whether Qt is to try X: its own choice, or a list of platforms naming it
// (each perhaps with its options after a colon).
bool triesX(const std::string& chosen) {
    if (chosen.empty()) return true;
    for (std::string_view platform : parts(chosen, ';'))
        if (platform.substr(0, platform.find(':')) == "xcb") return true;
    return false;
}

// The folders Qt looks in for platform plugins, in its order: the one
// QT_QPA_PLATFORM_PLUGIN_PATH names, then "platforms" in each folder of
// QT_PLUGIN_PATH, in Qt's own plugin folder and beside the executable.
std::vector<std::string> platformPluginFolders() {
    std::vector<std::string> folders;
    if (std::string direct = environment("QT_QPA_PLATFORM_PLUGIN_PATH"); !direct.empty()) folders.push_back(direct);
    const std::string extra = environment("QT_PLUGIN_PATH");
    for (std::string_view folder : parts(extra, ':'))
        if (!folder.empty()) folders.push_back(std::string(folder) + "/platforms");
    folders.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms");
    if (const std::string& executable = executableFile(); !executable.empty())
        folders.push_back((std::filesystem::path(executable).parent_path() / "platforms").string());
    return folders;
}

bool qtHasWaylandPlugin() {
    for (const std::string& folder : platformPluginFolders()) {
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(folder, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
            if (it->path().filename().string().starts_with("libqwayland")) return true;
    }
    return false;
}

std::string noDisplay(const std::string& why) {
    return "no display available (" + why +
           "); run it from a graphical desktop session, or set DISPLAY to a running X server, e.g. DISPLAY=:0 " +
           programName();
}

// ---- Qt's start ---------------------------------------------------------------------------

// Qt's rule for QT_FATAL_WARNINGS and QT_FATAL_CRITICALS, each counted apart:
// unset or empty is 0, a number is itself (in C's notations), anything else 1.
// The message that finds the count at 1 is fatal; each one before counts down.
struct FatalCount {
    const char* variable;
    std::string value;
    int left = 0;

    explicit FatalCount(const char* name) : variable(name), value(environment(name)) {
        if (value.empty()) return;
        bool ok = false;
        left = QByteArray(value.c_str()).toInt(&ok, 0);
        if (!ok) left = 1;
    }
    bool honoured() const { return left >= 1; }
    bool fatalNow() {
        if (left == 1) return true;
        if (left > 1) --left;
        return false;
    }
};

// Why Qt gave up a platform it tried.
enum class Refusal { NoConnection, NotLoaded, NotFound };

struct Held {
    QtMsgType type;
    std::string category, file, function;
    QString text;
    int line;
};

struct Start {
    std::recursive_mutex mutex;
    bool active = false;
    bool passing = false;  // messages pass at once rather than wait
    QtMessageHandler previous = nullptr;
    std::thread::id starter;
    std::string unreachable;
    std::vector<Held> held;
    FatalCount warnings{"QT_FATAL_WARNINGS"}, criticals{"QT_FATAL_CRITICALS"};
    bool xUnreachable = false, waylandUnreachable = false;  // as the program's own attempts found
    bool connectionFailed = false;  // as Qt said, since the last platform it gave up
    std::vector<std::pair<std::string, Refusal>> refused;
};

// Never freed: a thread of Qt's may still be in the handler as the start ends.
Start& start() {
    static NeverDestroyed<Start> s;
    return *s;
}

bool startsWith(const QString& text, const char* prefix) { return text.startsWith(QLatin1StringView(prefix)); }

// Takes note of what Qt says of the platforms it tries. Which display could
// not be reached is what the program's own attempt found; Qt's wording of its
// own attempt counts only where the program's had reached it or not tried.
void note(Start& s, const QMessageLogContext& context, const QString& text) {
    const std::string_view category = context.category ? context.category : "";
    if ((category == "qt.qpa.xcb" && startsWith(text, "could not connect to display")) ||
        startsWith(text, "Failed to create wl_display")) {
        s.connectionFailed = true;
        return;
    }
    if (category != "qt.qpa.plugin") return;
    const bool found = startsWith(text, "Could not load the Qt platform plugin \"");
    if (!found && !startsWith(text, "Could not find the Qt platform plugin \"")) return;
    const qsizetype from = text.indexOf(u'"') + 1, to = text.indexOf(u'"', from);
    if (to < from) return;
    const std::string name = text.mid(from, to - from).toStdString();
    const bool unreachable = found && ((name.starts_with("xcb") && s.xUnreachable) ||
                                       (name.starts_with("wayland") && s.waylandUnreachable));
    s.refused.emplace_back(name, unreachable || s.connectionFailed ? Refusal::NoConnection
                                 : found                           ? Refusal::NotLoaded
                                                                   : Refusal::NotFound);
    s.connectionFailed = false;
}

// The plugin file Qt would take for `platform`, where Qt looks for it; empty if none.
std::string pluginFileFor(const std::string& platform) {
    const QString key = QString::fromStdString(platform);
    for (const std::string& folder : platformPluginFolders()) {
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(folder, ec);
             !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            if (!it->is_regular_file(ec)) continue;
            const QJsonObject meta = QPluginLoader(QString::fromStdString(it->path().string())).metaData();
            if (!meta.value("IID").toString().contains("QPlatformIntegrationFactoryInterface")) continue;
            for (const auto& k : meta.value("MetaData").toObject().value("Keys").toArray())
                if (k.toString().compare(key, Qt::CaseInsensitive) == 0) return it->path().string();
        }
    }
    return {};
}

// Why a plugin Qt found does not load: the dynamic loader's own words, such as
// a library it needs that is missing or broken.
std::string whyNotLoaded(const std::string& platform, bool onStarter) {
    // Elsewhere than on the thread making the application, Qt's plugin loading may be under way.
    if (!onStarter) return "its plugin cannot be loaded";
    const std::string file = pluginFileFor(platform);
    if (file.empty()) return "its plugin cannot be loaded";
    void* handle = dlopen(file.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        return "its plugin " + file + " cannot be loaded: " + (error ? error : "unknown error");
    }
    dlclose(handle);
    return "its plugin " + file + " loads, but the platform did not start";
}

// The program's line for the fatal message `text`. A platform whose plugin Qt
// found but could not load is named first; then a display Qt could not reach,
// which is the cause too where Qt had no plugin at all for a platform it tried
// before (Wayland, where WAYLAND_DISPLAY is set); then a platform Qt has no plugin for.
std::string fatalLine(const Start& s, const QString& text) {
    const bool onStarter = std::this_thread::get_id() == s.starter;
    bool connectionFailed = s.connectionFailed || s.xUnreachable || s.waylandUnreachable;
    std::string notLoaded, notFound;
    for (const auto& [name, refusal] : s.refused) {
        if (refusal == Refusal::NoConnection) connectionFailed = true;
        if (refusal == Refusal::NotLoaded)
            notLoaded +=
                (notLoaded.empty() ? "" : ", nor ") + quoted(name) + " (" + whyNotLoaded(name, onStarter) + ")";
        if (refusal == Refusal::NotFound)
            notFound += (notFound.empty() ? "" : ", nor ") + quoted(name) +
                        " (Qt has no plugin for it where it looks for plugins" +
                        (name.starts_with("wayland") ? "; Debian package qt6-wayland has it" : "") + ")";
    }
    if (!notLoaded.empty()) return "cannot start Qt's platform " + notLoaded;
    if (connectionFailed) return s.unreachable;
    if (!notFound.empty()) return "cannot start Qt's platform " + notFound;
    return "Qt did not start: " + text.section(u'\n', 0, 0).toStdString();
}

void print(const Start& s, QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (s.previous) s.previous(type, context, text);
}

void printHeld(const Start& s) {
    for (const Held& m : s.held) {
        const QMessageLogContext context(m.file.empty() ? nullptr : m.file.c_str(), m.line,
                                         m.function.empty() ? nullptr : m.function.c_str(),
                                         m.category.empty() ? nullptr : m.category.c_str());
        print(s, m.type, context, m.text);
    }
}

void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    Start& s = start();
    const std::lock_guard lock(s.mutex);
    if (!s.active) {
        print(s, type, context, text);  // the start has ended since Qt called here
        return;
    }
    note(s, context, text);
    if (type == QtFatalMsg) {
        held::release();  // printed here, if at all
        const std::string line = fatalLine(s, text);
        if (line != s.unreachable) {
            if (!s.passing) printHeld(s);
            print(s, type, context, text);
        }
        failToStart(line);
    }
    if (s.passing) {
        print(s, type, context, text);
        FatalCount* count = type == QtWarningMsg ? &s.warnings : type == QtCriticalMsg ? &s.criticals : nullptr;
        if (count && count->fatalNow())
            failToStart(std::string("Qt did not start: ") + count->variable + "=" + count->value + " makes the " +
                        (type == QtWarningMsg ? "warning" : "critical message") + " above fatal");
        return;
    }
    // Also as Qt's own handler prints it, for an end of the start that never returns here.
    const QByteArray formatted = (qFormatLogMessage(type, context, text) + u'\n').toLocal8Bit();
    held::append({formatted.constData(), static_cast<size_t>(formatted.size())});
    auto copy = [](const char* c) { return c ? std::string(c) : std::string(); };
    s.held.push_back({type, copy(context.category), copy(context.file), copy(context.function), text, context.line});
}

}  // namespace

DisplayProbe::DisplayProbe() {
    const std::string x = environment("DISPLAY");
    const std::string named = environment("WAYLAND_DISPLAY");
    const std::string chosen = environment("QT_QPA_PLATFORM");
    if (!x.empty() && triesX(chosen))
        if (const Xcb* lib = xcb()) {
            m_xConnection = lib->connect(x.c_str(), nullptr);
            if (lib->hasError(m_xConnection)) {
                m_xUnreachable = true;
                lib->disconnect(std::exchange(m_xConnection, nullptr));
            }
        }
    if (!chosen.empty()) {
        if (chosen.starts_with("wayland") && environment("WAYLAND_SOCKET").empty())
            m_waylandUnreachable = !waylandListens(named.empty() ? "wayland-0" : named);
        // Chosen by the user: Qt's to use as it is.
        m_unreachable = noDisplay(chosen.starts_with("wayland") ? "cannot connect to Wayland display " +
                                                                      quoted(named.empty() ? "wayland-0" : named)
                                  : x.empty() ? "DISPLAY is not set"
                                              : "cannot connect to X display " + quoted(x));
        return;
    }
    std::string why = x.empty() ? "DISPLAY is not set" : "cannot connect to X display " + quoted(x);
    // Wayland clients connect at "wayland-0" unless told otherwise; that default
    // is asked only where no X display is named.
    const std::string wayland = !named.empty() ? named : x.empty() ? "wayland-0" : "";
    if (!wayland.empty()) {
        const bool handedOver = !environment("WAYLAND_SOCKET").empty();  // a connection made for the program
        if (!handedOver && !waylandListens(wayland)) {
            if (!named.empty()) why += ", and cannot connect to Wayland display " + quoted(wayland);
        } else if (!qtHasWaylandPlugin()) {
            why += ", and Qt's Wayland support (Debian package qt6-wayland) is not installed";
        } else if (x.empty()) {
            m_platform = "wayland";  // the only display there is: Qt would otherwise try X alone
            m_unreachable = noDisplay("cannot connect to Wayland display " + quoted(wayland));
            return;
        }
    }
    // With an X display named, Qt starts on it even where the program's own
    // connection failed: Qt's start, and its messages, tell the rest.
    m_unreachable = noDisplay(why);
    if (x.empty()) m_problem = m_unreachable;
}

DisplayProbe::~DisplayProbe() {
    if (m_xConnection) xcb()->disconnect(m_xConnection);
}

void failToStart(const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", programName().c_str(), line.c_str());
    std::fflush(stderr);
    // Nothing made so far is to be finished: Qt is part-way through its start.
    std::_Exit(1);
}

StartupMessages::StartupMessages(const DisplayProbe& display) {
    Start& s = start();
    const std::lock_guard lock(s.mutex);
    s.unreachable = display.unreachable();
    s.xUnreachable = display.xUnreachable();
    s.waylandUnreachable = display.waylandUnreachable();
    s.starter = std::this_thread::get_id();
    s.passing = s.warnings.honoured() || s.criticals.honoured();
    s.active = true;
    held::begin();
    s.previous = qInstallMessageHandler(&handle);
}

StartupMessages::~StartupMessages() {
    Start& s = start();
    {
        const std::lock_guard lock(s.mutex);
        held::end();
        printHeld(s);
        s.held.clear();
        s.active = false;
    }
    qInstallMessageHandler(s.previous);
}

}  // namespace loom::qt
