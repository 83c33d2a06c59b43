// Reading a picture file whole, from regular files only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace loom::qt {

struct FileBytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// The whole content of the regular file at `path`, opened by the path's own
// bytes and without blocking (a FIFO put in its place cannot hang the open),
// then read with reads that block; none when it is no regular file (a FIFO, a
// device, a socket, a directory), does not open, is empty, is larger than
// `maxBytes`, or changes while it is read.
std::optional<FileBytes> readRegularFile(const std::string& path, size_t maxBytes);

}  // namespace loom::qt
