// The shipped binary started as a user starts it: where no display can be
// reached it says so in one line and ends with status 1; on the offscreen
// platform and on an X server of its own it runs until it is told to end, or
// until its display goes or a library ends it, with status 1 and no crash.
#include <QLibraryInfo>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const char* const kBinary = PW_BUNDLE_DIR "/bin/picture-wizard";

struct Outcome {
    bool exited = false;  // by itself or on SIGTERM; false: killed at the time limit
    int status = -1;      // the exit status, or 128 + the signal that ended it
    std::string out, err;
    std::chrono::milliseconds took{0};
};

// The environment of this process without any display or platform setting,
// with `extra` added.
std::vector<std::string> environmentWith(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        static constexpr std::string_view kDropped[] = {"DISPLAY",           "WAYLAND_DISPLAY",
                                                        "WAYLAND_SOCKET",    "QT_QPA_PLATFORM",
                                                        "XDG_RUNTIME_DIR",   "XDG_SESSION_TYPE",
                                                        "QT_FATAL_WARNINGS", "QT_FATAL_CRITICALS",
                                                        "QT_PLUGIN_PATH",    "QT_QPA_PLATFORM_PLUGIN_PATH"};
        if (std::find(std::begin(kDropped), std::end(kDropped), name) == std::end(kDropped)) env.emplace_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// Whether the process has a handler of its own for SIGTERM, as its event loop
// installs when it starts: a slow start under a loaded machine or a sanitizer
// must not see the signal's default action instead.
bool catchesTerm(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("SigCgt:")) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
    return false;
}

// What is done to the running program once: true when done, false to be asked again.
using Action = std::function<bool(pid_t)>;

// Runs `argv` with `env`. Once it has run `stopAfter`, if given, does `act`
// (by default: SIGTERM once the program catches it); kills it at `limit`.
// Collects its standard output and error.
Outcome run(std::vector<std::string> argv, std::vector<std::string> env, std::chrono::milliseconds limit,
            std::optional<std::chrono::milliseconds> stopAfter = std::nullopt, Action act = nullptr) {
    if (!act) act = [](pid_t pid) { return catchesTerm(pid) && kill(pid, SIGTERM) == 0; };
    Outcome o;
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return o;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    std::vector<char*> args = pointers(argv), envp = pointers(env);
    pid_t pid = -1;
    const Clock::time_point start = Clock::now();
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        ADD_FAILURE() << "spawn " << argv[0] << ": " << std::strerror(spawned);
        close(outPipe[0]);
        close(errPipe[0]);
        return o;
    }
    bool acted = false;
    int open = 2;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&o.out, &o.err};
    while (open > 0) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        if (elapsed >= limit) break;
        if (stopAfter && !acted && elapsed >= *stopAfter) acted = act(pid);
        poll(fds, 2, 20);
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (pollfd& f : fds)
        if (f.fd >= 0) close(f.fd);
    int wstatus = 0;
    if (open > 0 && waitpid(pid, &wstatus, WNOHANG) == 0) {
        kill(pid, SIGKILL);  // over its time
        waitpid(pid, &wstatus, 0);
    } else {
        waitpid(pid, &wstatus, 0);
        o.exited = true;
    }
    o.took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    return o;
}

// A private runtime folder, for the Wayland socket name and for Qt.
class Launch : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "pw-launch-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_runtimeDir = pattern;
    }
    void TearDown() override {
        if (m_listener >= 0) close(m_listener);
        std::error_code ec;
        fs::remove_all(m_runtimeDir, ec);
    }
    std::string runtimeDir() const { return "XDG_RUNTIME_DIR=" + m_runtimeDir.string(); }
    const fs::path& scratch() const { return m_runtimeDir; }
    // A socket that accepts connections, as a Wayland compositor's does.
    void listenAt(const std::string& name) {
        const std::string path = (m_runtimeDir / name).string();
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        m_listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(m_listener, 0);
        ASSERT_EQ(bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(listen(m_listener, 4), 0);
    }

private:
    fs::path m_runtimeDir;
    int m_listener = -1;
};

// An X display number that nothing serves.
std::string unusedDisplay() {
    for (int n = 4700; n < 4800; ++n)
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) && !fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
    return ":4799";
}

bool qtHasWaylandPlugin() {
    const fs::path platforms = QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(platforms, ec))
        if (entry.path().filename().string().starts_with("libqwayland")) return true;
    return false;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// The last line of `text`, without its line end.
std::string lastLine(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    const size_t at = text.rfind('\n');
    return at == std::string::npos ? text : text.substr(at + 1);
}

// A copy of the program's binary in `folder` under `name`: the bundle's own stays untouched.
std::string programCopy(const fs::path& folder, const std::string& name) {
    fs::create_directories(folder);
    const fs::path copy = folder / name;
    fs::copy_file(kBinary, copy, fs::copy_options::overwrite_existing);
    return copy.string();
}

struct NoDisplayCase {
    const char* name;
    std::vector<std::string> env;   // "DISPLAY" alone stands for a display nothing serves
    const char* wayland;            // a Wayland socket made to listen under this name, if any
    std::vector<std::string> says;  // what the line names
};
void PrintTo(const NoDisplayCase& c, std::ostream* os) { *os << c.name; }

class NoDisplay : public Launch, public ::testing::WithParamInterface<NoDisplayCase> {};

TEST_P(NoDisplay, OneLineOnStandardErrorAndStatusOne) {
    const NoDisplayCase& c = GetParam();
    if (c.wayland && qtHasWaylandPlugin()) GTEST_SKIP() << "Qt's Wayland plugin is installed here";
    std::vector<std::string> extra{runtimeDir()};
    std::vector<std::string> says = c.says;
    for (const std::string& e : c.env) {
        if (e == "DISPLAY") {
            const std::string display = unusedDisplay();
            extra.push_back("DISPLAY=" + display);
            says.push_back("\"" + display + "\"");
        } else {
            extra.push_back(e);
        }
    }
    if (c.wayland) listenAt(c.wayland);

    const Outcome o = run({kBinary}, environmentWith(extra), 10s);
    ASSERT_TRUE(o.exited) << "still running after 10 s";
    EXPECT_EQ(o.status, 1);
    EXPECT_LT(o.took, 5s);
    EXPECT_EQ(o.out, "");
    ASSERT_FALSE(o.err.empty());
    EXPECT_EQ(o.err.back(), '\n');
    EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;  // one line
    EXPECT_EQ(o.err.rfind("picture-wizard: no display available (", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("DISPLAY=:0 picture-wizard"), std::string::npos) << o.err;  // how to run it
    for (const std::string& s : says) EXPECT_NE(o.err.find(s), std::string::npos) << s << " in " << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NoDisplay,
    ::testing::Values(NoDisplayCase{"NothingSet", {}, nullptr, {"DISPLAY is not set"}},
                      NoDisplayCase{"XDisplayRefuses", {"DISPLAY"}, nullptr, {"cannot connect to X display"}},
                      // Qt's words of its failed connection, or of every platform, switched off:
                      // the program's own attempt tells.
                      NoDisplayCase{"XDisplayRefusesQtsXMessagesOff",
                                    {"DISPLAY", "QT_LOGGING_RULES=qt.qpa.xcb.warning=false"},
                                    nullptr,
                                    {"cannot connect to X display"}},
                      NoDisplayCase{"XDisplayRefusesQtsPlatformMessagesOff",
                                    {"DISPLAY", "QT_LOGGING_RULES=qt.qpa.*=false"},
                                    nullptr,
                                    {"cannot connect to X display"}},
                      // X chosen in a list of platforms, with an option: the program tries it too.
                      NoDisplayCase{"XChosenInAListQtsPlatformMessagesOff",
                                    {"DISPLAY", "QT_QPA_PLATFORM=minimal-absent;xcb:nograb",
                                     "QT_LOGGING_RULES=qt.qpa.*=false"},
                                    nullptr,
                                    {"cannot connect to X display"}},
                      NoDisplayCase{"EmptyDisplay", {"DISPLAY=", "WAYLAND_DISPLAY="}, nullptr, {"DISPLAY is not set"}},
                      NoDisplayCase{"WaylandNotListening",
                                    {"WAYLAND_DISPLAY=wayland-absent"},
                                    nullptr,
                                    {"DISPLAY is not set", "cannot connect to Wayland display \"wayland-absent\""}},
                      NoDisplayCase{"WaylandWithoutQtSupport",
                                    {"WAYLAND_DISPLAY=wayland-test", "DISPLAY"},
                                    "wayland-test",
                                    {"cannot connect to X display", "qt6-wayland"}},
                      // Qt makes no warning fatal for this value: its messages are held as without it.
                      NoDisplayCase{"FatalWarningsOfZero",
                                    {"DISPLAY", "QT_FATAL_WARNINGS=0"},
                                    nullptr,
                                    {"cannot connect to X display"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Launch, OffscreenPlatformIsUsedAsItIs) {
    // No display at all: the platform chosen runs the program until it is told to end.
    const Outcome o = run({kBinary}, environmentWith({runtimeDir(), "QT_QPA_PLATFORM=offscreen"}), 20s, 1500ms);
    ASSERT_TRUE(o.exited);
    EXPECT_EQ(o.status, 0);  // SIGTERM ends it as the user's standard means do
    EXPECT_GE(o.took, 1500ms);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(o.out, "");
}

#ifdef PW_XVFB
// An X server of the test's own, on a display number it chooses itself.
class XServer {
public:
    XServer() {
        int ready[2];
        if (pipe(ready) != 0) return;
        fcntl(ready[0], F_SETFD, FD_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ready[1], 3);  // Xvfb writes its display number there when ready
        const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
        posix_spawn_file_actions_adddup2(&actions, devNull, 2);
        std::vector<std::string> argv{PW_XVFB, "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1024x768x24"};
        std::vector<char*> args = pointers(argv);
        const int spawned = posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(ready[1]);
        close(devNull);
        if (spawned != 0) {
            m_pid = -1;
            close(ready[0]);
            return;
        }
        std::string number;
        pollfd fd{ready[0], POLLIN, 0};
        const Clock::time_point start = Clock::now();
        while (number.find('\n') == std::string::npos && Clock::now() - start < 20s) {
            if (poll(&fd, 1, 100) <= 0) continue;
            char c[16];
            const ssize_t n = read(ready[0], c, sizeof c);
            if (n <= 0) break;
            number.append(c, static_cast<size_t>(n));
        }
        close(ready[0]);
        if (number.find('\n') != std::string::npos) m_display = ":" + number.substr(0, number.find('\n'));
    }
    ~XServer() { stop(); }
    // Ends the server now, as a user's session ends when its X server goes.
    void stop() {
        if (m_pid < 0) return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Empty when it did not start.
    const std::string& display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// An X server whose first and only client is the program: the display found
// is the one the program shows on, until it is told to end.
TEST_F(Launch, RunsOnAnXServerOfItsOwn) {
    Outcome o;
    {
        const XServer server;
        ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
        o = run({kBinary}, environmentWith({runtimeDir(), "DISPLAY=" + server.display()}), 20s, 2500ms);
    }
    ASSERT_TRUE(o.exited);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_GE(o.took, 2500ms);
}

#ifdef PW_XWININFO
const std::string kProgramClass = "(\"picture-wizard\" \"picture-wizard\")";

// The ids of the program's top-level windows on `display`, as the server lists them.
std::vector<std::string> programWindows(const std::string& display) {
    const Outcome o = run({PW_XWININFO, "-display", display, "-root", "-children"}, environmentWith({}), 5s);
    std::vector<std::string> ids;
    std::istringstream lines(o.out);
    for (std::string line; std::getline(lines, line);)
        if (line.find(kProgramClass) != std::string::npos) {
            const size_t at = line.find("0x");
            if (at != std::string::npos) ids.push_back(line.substr(at, line.find(' ', at) - at));
        }
    return ids;
}

// `act` once the main window is shown: a second window of the program's (the
// splash is the first) on the server. Asks the server at most five times a second.
Action onceMainWindowIsUp(const std::string& display, std::function<void(const std::vector<std::string>&)> act) {
    return [display, act, next = Clock::now()](pid_t) mutable {
        if (Clock::now() < next) return false;
        next = Clock::now() + 200ms;
        const std::vector<std::string> windows = programWindows(display);
        if (windows.size() < 2) return false;
        act(windows);
        return true;
    };
}

// The display going away under the running program, or a library ending the
// process from inside the event loop: status 1, no signal, and the cause on
// the last line.
struct LostCase {
    const char* name;
    const char* how;     // "server stopped", "connection killed", or a stand-in plugin's way to end
    const char* cause;   // in the last line of standard error
};
void PrintTo(const LostCase& c, std::ostream* os) { *os << c.name; }

class WhileRunning : public Launch, public ::testing::WithParamInterface<LostCase> {};

TEST_P(WhileRunning, TheEndIsStatusOneWithItsCause) {
    const LostCase& c = GetParam();
    XServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    const std::string how = c.how;
    std::vector<std::string> extra{runtimeDir(), "DISPLAY=" + server.display()};
    std::optional<std::chrono::milliseconds> actFrom;
    Action act;
    if (how == "server stopped") {
        actFrom = 0ms;
        act = onceMainWindowIsUp(server.display(), [&](const auto&) { server.stop(); });
    } else if (how == "connection killed") {
        actFrom = 0ms;
        act = onceMainWindowIsUp(server.display(), [&](const std::vector<std::string>& windows) {
#ifdef PW_XKILL
            const Outcome k = run({PW_XKILL, "-display", server.display(), "-id", windows.front()},
                                  environmentWith({}), 5s);
            EXPECT_EQ(k.status, 0) << k.err;
#else
            static_cast<void>(windows);
#endif
        });
#ifndef PW_XKILL
        GTEST_SKIP() << "no xkill here";
#endif
    } else {
        extra.push_back(std::string("QT_PLUGIN_PATH=") + PW_STANDIN_PLUGINS);
        extra.push_back("QT_QPA_GENERIC_PLUGINS=pw-standin:" + how);
    }

    const Outcome o = run({kBinary}, environmentWith(extra), 30s, actFrom, act);
    ASSERT_TRUE(o.exited) << "still running after 30 s";
    EXPECT_EQ(o.status, 1) << o.err;  // not 139: no crash on the way out
    EXPECT_EQ(o.out, "");
    EXPECT_NE(lastLine(o.err).find(c.cause), std::string::npos) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WhileRunning,
    ::testing::Values(LostCase{"XServerStopped", "server stopped", "The X11 connection broke"},
                      LostCase{"ConnectionKilledByTheServer", "connection killed", "The X11 connection broke"},
                      LostCase{"LibraryExitsFromTheEventLoop", "exit-in-loop",
                               "stand-in: ends the process from the event loop"}),
    [](const auto& p) { return std::string(p.param.name); });
#endif
#endif

// Qt's messages held while the application is made reach standard error, in
// their order and once, however the start ends: here by a library's exit(1)
// or a crash inside Qt's start.
struct HeldCase {
    const char* name;
    const char* how;  // the stand-in plugin's way to end the start
    bool exits;       // with status 1; otherwise by the signal
};
void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

class StartEndedInsideQt : public Launch, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(StartEndedInsideQt, HeldMessagesArePrintedOnceInOrder) {
    const HeldCase& c = GetParam();
    const Outcome o = run({kBinary},
                          environmentWith({runtimeDir(), "QT_QPA_PLATFORM=offscreen",
                                           std::string("QT_PLUGIN_PATH=") + PW_STANDIN_PLUGINS,
                                           std::string("QT_QPA_GENERIC_PLUGINS=pw-standin:") + c.how}),
                          10s);
    ASSERT_TRUE(o.exited) << "still running after 10 s";
    if (c.exits)
        EXPECT_EQ(o.status, 1) << o.err;
    else
        EXPECT_NE(o.status, 0) << o.err;
    const std::string first = "stand-in: first held message\n", second = "stand-in: second held message\n";
    const size_t at = o.err.find(first);
    ASSERT_NE(at, std::string::npos) << o.err;
    EXPECT_EQ(o.err.find(first, at + 1), std::string::npos) << o.err;  // once
    EXPECT_EQ(o.err.find(second), at + first.size()) << o.err;          // next
    EXPECT_EQ(o.err.find(second, at + first.size() + 1), std::string::npos) << o.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, StartEndedInsideQt,
                         ::testing::Values(HeldCase{"ByExit", "exit-at-start", true},
                                           HeldCase{"ByFatalSignal", "crash-at-start", false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(Launch, NamesItselfAfterItsExecutableFile) {
    const std::string renamed = programCopy(scratch() / "bin", "pw-renamed");
    const Outcome o = run({renamed}, environmentWith({runtimeDir()}), 10s);
    ASSERT_TRUE(o.exited);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err.rfind("pw-renamed: no display available (DISPLAY is not set)", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("DISPLAY=:0 pw-renamed\n"), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find("picture-wizard"), std::string::npos) << o.err;
}

// Where Qt would start on Wayland, the program leaves the choice to Qt: a
// compositor at the name Wayland clients connect to by default, Qt's Wayland
// plugin in any folder Qt looks in. The plugin here is a stand-in Qt does not
// accept, so Qt's own refusal follows, told as what it is.
struct WaylandCase {
    const char* name;
    const char* socket;               // the name a stand-in compositor listens at
    std::vector<std::string> env;     // added as they are
    const char* plugin;               // where the stand-in plugin lies: an environment variable, "beside", or none
    std::vector<std::string> qtSays;  // Qt's own words, passed on
    std::string lineSays;             // the start of the program's last line
};
void PrintTo(const WaylandCase& c, std::ostream* os) { *os << c.name; }

class WaylandSession : public Launch, public ::testing::WithParamInterface<WaylandCase> {};

TEST_P(WaylandSession, IsLeftToQt) {
    const WaylandCase& c = GetParam();
    if (qtHasWaylandPlugin()) GTEST_SKIP() << "Qt's Wayland plugin is installed here: it would talk to the stand-in";
    listenAt(c.socket);
    std::vector<std::string> extra{runtimeDir()};
    extra.insert(extra.end(), c.env.begin(), c.env.end());
    std::string binary = kBinary;
    const std::string plugin = c.plugin ? c.plugin : "";
    const std::string fake = "not a plugin\n";
    if (plugin == "beside") {
        binary = programCopy(scratch() / "bundle" / "bin", "picture-wizard");
        writeFile(scratch() / "bundle" / "bin" / "platforms" / "libqwayland-generic.so", fake);
    } else if (plugin == "QT_PLUGIN_PATH") {
        writeFile(scratch() / "plugins" / "platforms" / "libqwayland-generic.so", fake);
        extra.push_back("QT_PLUGIN_PATH=" + (scratch() / "nothing").string() + ":" + (scratch() / "plugins").string());
    } else if (plugin == "QT_QPA_PLATFORM_PLUGIN_PATH") {
        writeFile(scratch() / "direct" / "libqwayland-egl.so", fake);
        extra.push_back("QT_QPA_PLATFORM_PLUGIN_PATH=" + (scratch() / "direct").string());
    }

    const Outcome o = run({binary}, environmentWith(extra), 10s);
    ASSERT_TRUE(o.exited) << "still running after 10 s";
    EXPECT_EQ(o.status, 1);
    EXPECT_LT(o.took, 5s);
    for (const std::string& s : c.qtSays) EXPECT_NE(o.err.find(s), std::string::npos) << s << " in " << o.err;
    EXPECT_EQ(lastLine(o.err).rfind(c.lineSays, 0), 0u) << o.err;
    if (c.qtSays.empty()) {
        EXPECT_EQ(o.err.find('\n'), o.err.size() - 1) << o.err;  // one line
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaylandSession,
    ::testing::Values(WaylandCase{"DefaultSocketPluginOnPluginPath",
                                  "wayland-0",
                                  {},
                                  "QT_PLUGIN_PATH",
                                  {"Could not find the Qt platform plugin \"wayland\""},
                                  "picture-wizard: cannot start Qt's platform \"wayland\" ("},
                      WaylandCase{"NamedSocketPluginBesideTheProgram",
                                  "wayland-7",
                                  {"WAYLAND_DISPLAY=wayland-7"},
                                  "beside",
                                  {"Could not find the Qt platform plugin \"wayland\""},
                                  "picture-wizard: cannot start Qt's platform \"wayland\" ("},
                      WaylandCase{"DefaultSocketPluginOnPlatformPluginPath",
                                  "wayland-0",
                                  {},
                                  "QT_QPA_PLATFORM_PLUGIN_PATH",
                                  {"Could not find the Qt platform plugin \"wayland\""},
                                  "picture-wizard: cannot start Qt's platform \"wayland\" ("},
                      WaylandCase{
                          "DefaultSocketWithoutPlugin",
                          "wayland-0",
                          {},
                          nullptr,
                          {},
                          "picture-wizard: no display available (DISPLAY is not set, and Qt's Wayland support (Debian "
                          "package qt6-wayland) is not installed)"}),
    [](const auto& p) { return std::string(p.param.name); });

// Qt failing to start for another cause than the display: its own messages
// come first, as Qt gives them, then one line of the program's naming what
// could not start. With QT_FATAL_WARNINGS or QT_FATAL_CRITICALS Qt's messages
// pass at once, and the one Qt makes fatal ends the start the same way.
struct StartCase {
    const char* name;
    std::vector<std::string>
        env;    // "BROKEN_XCB_LIBRARY": a library Qt's X plugin needs, broken, first on the library path
    bool live;  // DISPLAY names a running X server; otherwise one nothing serves
    bool runs;  // it starts and runs until told to end
    std::vector<std::string> qtSays;    // Qt's own words, passed on
    std::vector<std::string> lineSays;  // in the program's last line; the first is its start
    std::vector<std::string> notSays;   // nowhere on standard error
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class PlatformStart : public Launch, public ::testing::WithParamInterface<StartCase> {};

TEST_P(PlatformStart, IsToldAsWhatItIs) {
    const StartCase& c = GetParam();
    std::vector<std::string> extra{runtimeDir()};
    for (const std::string& e : c.env) {
        if (e != "BROKEN_XCB_LIBRARY") {
            extra.push_back(e);
            continue;
        }
        writeFile(scratch() / "lib" / "libxkbcommon-x11.so.0", "not a library\n");
        const char* path = std::getenv("LD_LIBRARY_PATH");
        extra.push_back("LD_LIBRARY_PATH=" + (scratch() / "lib").string() + (path ? std::string(":") + path : ""));
    }
#ifdef PW_XVFB
    std::optional<XServer> server;
    if (c.live) {
        server.emplace();
        ASSERT_FALSE(server->display().empty()) << "Xvfb did not start";
        extra.push_back("DISPLAY=" + server->display());
    }
#else
    if (c.live) GTEST_SKIP() << "no Xvfb here";
#endif
    if (!c.live) extra.push_back("DISPLAY=" + unusedDisplay());

    const Outcome o =
        c.runs ? run({kBinary}, environmentWith(extra), 20s, 1500ms) : run({kBinary}, environmentWith(extra), 10s);
    ASSERT_TRUE(o.exited) << "still running at its time limit";
    EXPECT_EQ(o.out, "");
    for (const std::string& s : c.qtSays) EXPECT_NE(o.err.find(s), std::string::npos) << s << " in " << o.err;
    for (const std::string& s : c.notSays) EXPECT_EQ(o.err.find(s), std::string::npos) << s << " in " << o.err;
    if (c.runs) {
        EXPECT_EQ(o.status, 0) << o.err;  // ended by SIGTERM as the user's standard means end it
        EXPECT_GE(o.took, 1500ms);
        return;
    }
    EXPECT_EQ(o.status, 1) << o.err;  // not 134: no abort
    EXPECT_LT(o.took, 5s);
    const std::string line = lastLine(o.err);
    ASSERT_FALSE(c.lineSays.empty());
    EXPECT_EQ(line.rfind(c.lineSays.front(), 0), 0u) << o.err;
    for (const std::string& s : c.lineSays) EXPECT_NE(line.find(s), std::string::npos) << s << " in " << line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlatformStart,
    ::testing::Values(
        StartCase{"BrokenLibraryOfTheXPlugin",
                  {"BROKEN_XCB_LIBRARY"},
                  true,
                  false,
                  {"Could not load the Qt platform plugin \"xcb\"", "no Qt platform plugin could be initialized"},
                  {"picture-wizard: cannot start Qt's platform \"xcb\" (", "libxkbcommon-x11.so.0"},
                  {"no display", "DISPLAY="}},
        StartCase{"BrokenLibraryWithFatalWarnings",
                  {"BROKEN_XCB_LIBRARY", "QT_FATAL_WARNINGS=1"},
                  true,
                  false,
                  {"Could not load the Qt platform plugin \"xcb\"", "no Qt platform plugin could be initialized"},
                  {"picture-wizard: cannot start Qt's platform \"xcb\" (", "libxkbcommon-x11.so.0"},
                  {"no display", "DISPLAY="}},
        StartCase{"UnknownPlatformChosen",
                  {"QT_QPA_PLATFORM=nonesuch"},
                  true,
                  false,
                  {"Could not find the Qt platform plugin \"nonesuch\"", "no Qt platform plugin could be initialized"},
                  {"picture-wizard: cannot start Qt's platform \"nonesuch\" ("},
                  {"no display"}},
        StartCase{"FirstWarningMadeFatal",
                  {"QT_QPA_PLATFORM=nonesuch;xcb", "QT_FATAL_WARNINGS=1"},
                  true,
                  false,
                  {"Could not find the Qt platform plugin \"nonesuch\""},
                  {"picture-wizard: ", "QT_FATAL_WARNINGS=1"},
                  {"no display", "no Qt platform plugin could be initialized"}},
        // Qt tries Wayland first in a Wayland session, and warns once when it
        // has no plugin for it; the second warning would be the fatal one.
        StartCase{"SecondWarningMadeFatal",
                  {"XDG_SESSION_TYPE=wayland", "QT_FATAL_WARNINGS=2"},
                  true,
                  true,
                  {},
                  {},
                  {"picture-wizard"}},
        StartCase{"FatalWarningsOnAWorkingDisplay", {"QT_FATAL_WARNINGS=1"}, true, true, {}, {}, {"picture-wizard"}},
        StartCase{"FatalWarningsWithoutADisplay",
                  {"QT_FATAL_WARNINGS=yes"},
                  false,
                  false,
                  {"could not connect to display"},
                  {"picture-wizard: ", "QT_FATAL_WARNINGS=yes"},
                  {}},
        StartCase{"FatalCriticalsWithoutADisplay",
                  {"QT_FATAL_CRITICALS=1"},
                  false,
                  false,
                  {"could not connect to display"},
                  {"picture-wizard: no display available (cannot connect to X display"},
                  {}}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
