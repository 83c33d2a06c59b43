// The framework can record the operations it performs, one line each: the
// operation's name, then its salient arguments ("Window.Visible.Set Window2.Window2 true").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace loom {

class CallRecord {
public:
    static void start();  // clears and starts recording
    static void stop();
    static bool active() { return s_active; }
    static const std::vector<std::string>& lines();
    static void add(std::string line);

    // Leaves the framework's own bookkeeping out of the record while it lives.
    class Pause {
    public:
        Pause() : m_was(s_active) { s_active = false; }
        ~Pause() { s_active = m_was; }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        bool m_was;
    };

private:
    static inline bool s_active = false;
};

namespace detail {
template <typename... A>
void record(std::string_view op, const A&... args) {
    std::string line(op);
    ((line += ' ', line += args), ...);
    CallRecord::add(std::move(line));
}
}  // namespace detail

}  // namespace loom

// Records the operation `op` with the given argument texts when recording. The
// arguments are evaluated only then: when nobody records, an operation pays one
// test, not the names and numbers it would have written.
#define LOOM_RECORD(op, ...)                                                                     \
    do {                                                                                         \
        if (::loom::CallRecord::active()) ::loom::detail::record(op __VA_OPT__(, ) __VA_ARGS__); \
    } while (0)
