#include "HeldOutput.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace loom::qt::held {

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL};
constexpr size_t kSignals = std::size(kFatalSignals);

// The text lives in one mapping made once and never moved, so a signal
// handler may read it while another thread appends: only the bytes below the
// published size are read. Pages are taken as they are written; what would
// pass its end is not held for these paths (the holder still prints it).
constexpr size_t kCapacity = size_t{1} << 20;
char* g_text = nullptr;
std::atomic<size_t> g_size{0};
std::atomic<bool> g_holding{false};
bool g_full = false;  // text was left out: nothing after it is held either, so what is held stays in order
struct sigaction g_former[kSignals];

void writeHeld() {
    if (!g_holding.exchange(false)) return;
    const size_t size = g_size.load(std::memory_order_acquire);
    for (size_t done = 0; done < size;) {
        const ssize_t n = write(STDERR_FILENO, g_text + done, size - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
}

extern "C" void atExit() { writeHeld(); }

extern "C" void onFatalSignal(int signal) {
    const int saved = errno;
    writeHeld();
    for (size_t i = 0; i < kSignals; ++i)
        if (kFatalSignals[i] == signal) sigaction(signal, &g_former[i], nullptr);
    errno = saved;
    // Delivered once this handler returns, to the action restored: a fault
    // raised by the instruction itself recurs there too.
    raise(signal);
}

}  // namespace

void begin() {
    if (!g_text) {
        void* mapping = mmap(nullptr, kCapacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE,
                             -1, 0);
        if (mapping == MAP_FAILED) return;  // held text then reaches standard error only as its holder prints it
        g_text = static_cast<char*>(mapping);
        std::atexit(atExit);
    }
    g_size.store(0, std::memory_order_relaxed);
    g_full = false;
    struct sigaction action = {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < kSignals; ++i) sigaction(kFatalSignals[i], &action, &g_former[i]);
    g_holding.store(true);
}

void append(std::string_view text) {
    if (!g_text || g_full) return;
    const size_t size = g_size.load(std::memory_order_relaxed);
    if (text.size() > kCapacity - size) {
        g_full = true;
        return;
    }
    std::memcpy(g_text + size, text.data(), text.size());
    g_size.store(size + text.size(), std::memory_order_release);
}

void release() { g_holding.store(false); }

void end() {
    release();
    if (!g_text) return;
    for (size_t i = 0; i < kSignals; ++i) sigaction(kFatalSignals[i], &g_former[i], nullptr);
}

}  // namespace loom::qt::held
