// Where a JPEG stream ends, found from its own structure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace loom::qt {

// True when the data starts like a JPEG stream: a start-of-image marker, then a marker.
bool looksLikeJpeg(std::span<const uint8_t> data);

// The length of the JPEG stream at the start of `data`, through its end-of-image
// marker. Segments are skipped by their declared lengths (so a thumbnail inside
// one is passed over) and each scan's entropy-coded data is read up to the
// marker that ends it, so several scans and restart markers are followed.
// Nothing when the data ends first: the stream is cut short, however complete
// its last bytes may look. Bytes after the marker are not looked at.
std::optional<size_t> jpegStreamLength(std::span<const uint8_t> data);

}  // namespace loom::qt
