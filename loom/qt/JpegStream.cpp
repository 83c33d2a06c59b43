// Walks a JPEG stream's markers to its end-of-image marker.
#include "JpegStream.h"

#include <cstring>

namespace loom::qt {

namespace {

constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kFirstRestart = 0xD0, kLastRestart = 0xD7;
constexpr uint8_t kTemporary = 0x01;

// The code of the next marker at or after `pos`, with `pos` moved past it;
// nothing when the data ends first. Bytes before it are a scan's entropy-coded
// data (where 0xFF is followed by a stuffed 0x00) or stray bytes the decoder
// skips; a marker may be preceded by any number of 0xFF fill bytes.
std::optional<uint8_t> nextMarker(std::span<const uint8_t> data, size_t& pos) {
    while (pos < data.size()) {
        const void* found = std::memchr(data.data() + pos, kMarkerPrefix, data.size() - pos);
        if (!found) return std::nullopt;
        size_t code = static_cast<size_t>(static_cast<const uint8_t*>(found) - data.data()) + 1;
        while (code < data.size() && data[code] == kMarkerPrefix) ++code;
        if (code >= data.size()) return std::nullopt;
        pos = code + 1;
        if (data[code] != 0x00) return data[code];
    }
    return std::nullopt;
}

bool standalone(uint8_t marker) { return marker == kTemporary || (marker >= kFirstRestart && marker <= kLastRestart); }

}  // namespace

bool looksLikeJpeg(std::span<const uint8_t> data) {
    return data.size() >= 3 && data[0] == kMarkerPrefix && data[1] == kStartOfImage && data[2] == kMarkerPrefix;
}

std::optional<size_t> jpegStreamLength(std::span<const uint8_t> data) {
    if (!looksLikeJpeg(data)) return std::nullopt;
    size_t pos = 2;
    for (;;) {
        const std::optional<uint8_t> marker = nextMarker(data, pos);
        if (!marker) return std::nullopt;
        if (*marker == kEndOfImage) return pos;
        if (*marker == kStartOfImage) return std::nullopt;  // a second image begins before the first ends
        if (standalone(*marker)) continue;
        // A segment: its length counts the two length bytes and what follows them.
        if (data.size() - pos < 2) return std::nullopt;
        const size_t length = size_t{data[pos]} << 8 | data[pos + 1];
        if (length < 2 || data.size() - pos < length) return std::nullopt;
        pos += length;
    }
}

}  // namespace loom::qt
