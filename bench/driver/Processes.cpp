#include "Processes.h"

#include <X11/Xutil.h>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace bench {

namespace {

int ignoreXError(Display*, XErrorEvent*) { return 0; }  // a window may vanish between two requests

std::string joined(const std::vector<std::string>& argv) {
    std::string s;
    for (const std::string& a : argv) s += (s.empty() ? "" : " ") + a;
    return s;
}

// Each role's CPUs, once placeProcesses has chosen them.
struct Placement {
    bool chosen = false;
    cpu_set_t server, measured;
};
Placement g_placement;

}  // namespace

bool placeProcesses() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0) return false;
    std::vector<int> cpus;
    for (int c = 0; c < CPU_SETSIZE; ++c)
        if (CPU_ISSET(c, &allowed)) cpus.push_back(c);
    if (cpus.size() < 3) return false;
    // The last two: one for the X server, one for the measured process, whose
    // threads (its own and Qt's X reader) then share it the same way in every
    // run. The driver, which polls the server and reaps children, keeps the others.
    const size_t n = cpus.size();
    CPU_ZERO(&g_placement.server);
    CPU_SET(cpus[n - 2], &g_placement.server);
    CPU_ZERO(&g_placement.measured);
    CPU_SET(cpus[n - 1], &g_placement.measured);
    cpu_set_t driver;
    CPU_ZERO(&driver);
    for (size_t i = 0; i + 2 < n; ++i) CPU_SET(cpus[i], &driver);
    if (sched_setaffinity(0, sizeof driver, &driver) != 0) return false;
    g_placement.chosen = true;
    return true;
}

pid_t spawn(const std::vector<std::string>& argv, const Env& env, int outFd, Role role) {
    const bool verbose = std::getenv("PW_BENCH_VERBOSE") != nullptr;
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        for (const auto& [name, value] : env) {
            if (value)
                setenv(name.c_str(), value, 1);
            else
                unsetenv(name.c_str());
        }
        const int null = open("/dev/null", O_RDWR);
        dup2(outFd >= 0 ? outFd : null, STDOUT_FILENO);
        if (!verbose) dup2(null, STDERR_FILENO);
        dup2(null, STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (g_placement.chosen) {
            const cpu_set_t& cpus = role == Role::Server ? g_placement.server : g_placement.measured;
            sched_setaffinity(0, sizeof cpus, &cpus);
        }
        execv(args[0], args.data());
        _exit(127);
    }
    return pid;
}

std::string runCapture(const std::vector<std::string>& argv, const Env& env, double timeoutSeconds) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    const pid_t pid = spawn(argv, env, fds[1]);
    close(fds[1]);
    std::string out;
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            close(fds[0]);
            stop(pid);
            throw std::runtime_error("timed out: " + joined(argv));
        }
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("failed: " + joined(argv));
    return out;
}

void stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

std::map<std::string, std::vector<double>> parseValues(const std::string& text) {
    std::map<std::string, std::vector<double>> values;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string key, word;
        if (!(words >> key)) continue;
        std::vector<double>* list = nullptr;
        while (words >> word) {
            char* end = nullptr;
            const double v = std::strtod(word.c_str(), &end);
            if (end == word.c_str() || *end != '\0') {
                if (!list) key += ' ' + word;
                continue;
            }
            if (!list) list = &values[key];
            list->push_back(v);
        }
    }
    return values;
}

// ---- X server ----------------------------------------------------------------------------

XServer::XServer() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    // Xvfb picks a free display and writes its number to the descriptor.
    m_pid = spawn(
        {"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, {},
        -1, Role::Server);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    m_display = ":" + number;
    for (int i = 0; i < 200 && !m_connection; ++i) {
        m_connection = XOpenDisplay(m_display.c_str());
        if (!m_connection) std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    if (!m_connection) throw std::runtime_error("cannot connect to Xvfb on " + m_display);
    XSetErrorHandler(&ignoreXError);
    // The pointer rests in the screen's corner, over no window of either side:
    // Qt asks the server where the pointer is whenever a control under it
    // shows or hides, a round trip that would weigh on both sides alike.
    const int screen = DefaultScreen(m_connection);
    XWarpPointer(m_connection, None, DefaultRootWindow(m_connection), 0, 0, 0, 0,
                 DisplayWidth(m_connection, screen) - 1, DisplayHeight(m_connection, screen) - 1);
    XSync(m_connection, False);
}

XServer::~XServer() {
    if (m_connection) XCloseDisplay(m_connection);
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
    }
}

std::vector<XServer::Window> XServer::viewableTopLevels() const {
    std::vector<Window> out;
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_connection, DefaultRootWindow(m_connection), &root, &parent, &children, &count)) return out;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(m_connection, children[i], &a) && a.map_state == IsViewable)
            out.push_back({children[i], a.width, a.height});
    }
    if (children) XFree(children);
    return out;
}

std::vector<uint32_t> XServer::pixels(::Window id, int width, int height) const {
    std::vector<uint32_t> out;
    XImage* image = XGetImage(m_connection, id, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (!image) return out;
    if (image->bits_per_pixel == 32) {
        out.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (int y = 0; y < height; ++y) {
            const char* row = image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line;
            for (int x = 0; x < width; ++x) {
                uint32_t p;
                std::memcpy(&p, row + static_cast<ptrdiff_t>(x) * 4, 4);
                out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = p & 0xFFFFFFu;
            }
        }
    }
    XDestroyImage(image);
    return out;
}

// ---- Scheduler counters ---------------------------------------------------------------

SchedSample schedSample(pid_t pid) {
    SchedSample s;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir) return s;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        const std::string task = tasks + "/" + e->d_name;
        std::ifstream sched(task + "/schedstat");
        double ns = 0;
        if (sched >> ns) s.cpuMs += ns / 1e6;
        std::ifstream status(task + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.find("ctxt_switches:") != std::string::npos)
                s.switches += std::atoll(line.c_str() + line.find(':') + 1);
        }
    }
    closedir(dir);
    return s;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace bench
