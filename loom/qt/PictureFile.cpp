// Reads a regular file whole: exactly the size it had when opened, and only
// when it still has that size and has not changed once read.
#include "PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace loom::qt {

namespace {

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Reads up to `size` bytes; how many it got (fewer only at the end of the file), or -1 on an error.
ssize_t readFully(int fd, uint8_t* into, size_t size) {
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, into + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

}  // namespace

std::optional<FileBytes> readRegularFile(const std::string& path, size_t maxBytes) {
    if (path.find('\0') != std::string::npos) return std::nullopt;
    // Looked at before opening, so that a FIFO or a device is never opened;
    // and again through the descriptor, for whatever took the name meanwhile.
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode)) return std::nullopt;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return std::nullopt;
    struct stat before {};
    if (::fstat(fd.get(), &before) != 0 || !S_ISREG(before.st_mode) || !sameFile(named, before)) return std::nullopt;
    if (before.st_size <= 0 || static_cast<uintmax_t>(before.st_size) > maxBytes) return std::nullopt;
    // A regular file now: its reads block as usual, so that a file system
    // that honours O_NONBLOCK (one in user space, answering EAGAIN while it
    // fetches) still gives the whole file.
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;

    FileBytes bytes{std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(before.st_size)),
                    static_cast<size_t>(before.st_size)};
    if (readFully(fd.get(), bytes.data.get(), bytes.size) != static_cast<ssize_t>(bytes.size)) return std::nullopt;
    // Nothing after the size it had: a file that grew while read gives none.
    uint8_t probe = 0;
    if (readFully(fd.get(), &probe, 1) != 0) return std::nullopt;
    struct stat after {};
    if (::fstat(fd.get(), &after) != 0 || !sameFile(before, after)) return std::nullopt;
    return bytes;
}

}  // namespace loom::qt
