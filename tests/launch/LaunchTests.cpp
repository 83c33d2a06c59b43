// The shipped binary started as a user starts it: where no display can be
// reached it says so in one line and ends with status 1; on the offscreen
// platform and on an X server of its own it runs until it is told to end.
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

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
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
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" && name != "XDG_RUNTIME_DIR" &&
            name != "XDG_SESSION_TYPE")
            env.emplace_back(entry);
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

// Runs `argv` with `env`. Sends SIGTERM once it has run `stopAfter`, if given;
// kills it at `limit`. Collects its standard output and error.
Outcome run(std::vector<std::string> argv, std::vector<std::string> env, std::chrono::milliseconds limit,
            std::optional<std::chrono::milliseconds> stopAfter = std::nullopt) {
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
    bool termSent = false;
    int open = 2;
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* sinks[2] = {&o.out, &o.err};
    while (open > 0) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        if (elapsed >= limit) break;
        if (stopAfter && !termSent && elapsed >= *stopAfter) {
            kill(pid, SIGTERM);
            termSent = true;
        }
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
                      NoDisplayCase{"EmptyDisplay", {"DISPLAY=", "WAYLAND_DISPLAY="}, nullptr, {"DISPLAY is not set"}},
                      NoDisplayCase{"WaylandNotListening",
                                    {"WAYLAND_DISPLAY=wayland-absent"},
                                    nullptr,
                                    {"DISPLAY is not set", "cannot connect to Wayland display \"wayland-absent\""}},
                      NoDisplayCase{"WaylandWithoutQtSupport",
                                    {"WAYLAND_DISPLAY=wayland-test", "DISPLAY"},
                                    "wayland-test",
                                    {"cannot connect to X display", "qt6-wayland"}}),
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
// An X server whose first and only client is the program: the display found
// is the one the program shows on, until it is told to end.
TEST_F(Launch, RunsOnAnXServerOfItsOwn) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    fcntl(ready[0], F_SETFD, FD_CLOEXEC);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);  // Xvfb writes its display number there when ready
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    posix_spawn_file_actions_adddup2(&actions, devNull, 2);
    std::vector<std::string> argv{PW_XVFB, "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1024x768x24"};
    std::vector<char*> args = pointers(argv);
    pid_t server = -1;
    const int spawned = posix_spawn(&server, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    close(devNull);
    ASSERT_EQ(spawned, 0);
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
    const bool started = number.find('\n') != std::string::npos;
    Outcome o;
    if (started) {
        number.pop_back();
        o = run({kBinary}, environmentWith({runtimeDir(), "DISPLAY=:" + number}), 20s, 2500ms);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    ASSERT_TRUE(started) << "Xvfb did not start";
    ASSERT_TRUE(o.exited);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_GE(o.took, 2500ms);
}
#endif

}  // namespace
