#include "DecodeCost.h"

#include "JpegDecoder.h"
#include "loom/Files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace samples {

namespace {

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string key(field);
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

}  // namespace

std::optional<DecodeCost> decodeInChild(const std::string& bytes) {
    int fds[2];
    if (pipe(fds) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return std::nullopt;
    }
    if (pid == 0) {
        close(fds[0]);
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
        const long before = statusKiB("VmRSS:");
        const auto t0 = std::chrono::steady_clock::now();
        const QImage image =
            loom::qt::decodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), loom::kMaxPicturePixels);
        const DecodeCost cost{!image.isNull(),
                              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(),
                              double(statusKiB("VmHWM:") - before) / 1024};
        _exit(write(fds[1], &cost, sizeof cost) == ssize_t{sizeof cost} ? 0 : 1);
    }
    close(fds[1]);
    DecodeCost cost;
    const bool got = read(fds[0], &cost, sizeof cost) == ssize_t{sizeof cost};
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return cost;
}

double decodeBudgetMiB() { return double(loom::qt::kJpegMemoryBudget) / (1 << 20); }

}  // namespace samples
