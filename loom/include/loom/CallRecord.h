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

private:
    static inline bool s_active = false;
};

// Records `op` with the given argument texts when recording.
template <typename... A> void record(std::string_view op, const A&... args) {
    if (!CallRecord::active()) return;
    std::string line(op);
    ((line += ' ', line += args), ...);
    CallRecord::add(std::move(line));
}

}  // namespace loom
