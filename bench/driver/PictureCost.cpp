#include "PictureCost.h"

#include "JpegDecoder.h"
#include "loom/Files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace bench {

namespace {

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string key(field);
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return std::strtol(line.c_str() + key.size(), nullptr, 10);
    return -1;
}

std::string encoded(bool progressive) {
    constexpr int kSide = 8192;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = kSide;
    cinfo.image_height = kSide;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t{kSide} * 3);
    uint32_t noise = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < kSide; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 29);  // 0..7
            row[size_t(x) * 3] = static_cast<JSAMPLE>(x * 240 / kSide + n);
            row[size_t(x) * 3 + 1] = static_cast<JSAMPLE>(y * 240 / kSide + n);
            row[size_t(x) * 3 + 2] = static_cast<JSAMPLE>((x + y) * 120 / kSide + n);
        }
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&cinfo, &rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(out), outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

}  // namespace

DecodeCost decodeInChild(const std::string& bytes) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("no pipe");
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("no fork");
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
    if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("decoding child failed");
    return cost;
}

double decodeBudgetMiB() { return double(loom::qt::kJpegMemoryBudget) / (1 << 20); }

std::string genuineBaseline() { return encoded(false); }
std::string genuineProgressive() { return encoded(true); }

}  // namespace bench
