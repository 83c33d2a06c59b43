// Child processes, a private X server, and what the measuring programs print.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

// Environment changes for a child: a value sets the variable, none unsets it.
using Env = std::vector<std::pair<std::string, const char*>>;

// Which CPUs a child runs on, once placeProcesses has chosen them.
enum class Role { Measured, Server };

// Gives the X server one CPU of its own and every measured process the same
// other one, and keeps the driver off both. Where a process and its threads
// land otherwise weighs more than what is measured: on a virtual machine two
// runs of the same program differ by up to a quarter. False, and nothing
// placed, with fewer than three CPUs to choose from.
bool placeProcesses();

// Starts `argv`; its standard output goes to `outFd` (-1: /dev/null), its
// standard error to /dev/null unless PW_BENCH_VERBOSE is set.
pid_t spawn(const std::vector<std::string>& argv, const Env& env, int outFd = -1, Role role = Role::Measured);
// Runs `argv` to its end and returns what it printed; throws when it fails.
std::string runCapture(const std::vector<std::string>& argv, const Env& env, double timeoutSeconds = 120);
void stop(pid_t pid);  // SIGKILL and reap

// "key value..." lines; a key followed by a word that is no number takes it
// as part of the key ("transition_us P1-P2 812.0 790.4").
std::map<std::string, std::vector<double>> parseValues(const std::string& text);

// A private Xvfb on a display it picks itself, with a connection to it.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    const std::string& display() const { return m_display; }
    Display* connection() const { return m_connection; }

    struct Window {
        ::Window id;
        int width, height;
    };
    std::vector<Window> viewableTopLevels() const;
    // The window's pixels as 0x00RRGGBB, or empty when it cannot be read now.
    std::vector<uint32_t> pixels(::Window id, int width, int height) const;

private:
    pid_t m_pid = -1;
    std::string m_display;
    Display* m_connection = nullptr;
};

// Per-process scheduler counters, summed over its threads.
struct SchedSample {
    double cpuMs = 0;        // time on a CPU
    long long switches = 0;  // voluntary and involuntary context switches: each is a wake-up or a preemption
};
SchedSample schedSample(pid_t pid);

double median(std::vector<double> values);
double seconds(Clock::duration d);

}  // namespace bench
