// Decoding JPEG streams with libjpeg-turbo, refusing any that lacks image data.
#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace loom::qt {

// True when the data starts with a start-of-image marker: every stream the
// decoder would take, whatever follows the marker.
bool isJpeg(const uint8_t* data, size_t size);

// The picture the stream holds, as Qt's own JPEG reader gives it (grayscale
// as Grayscale8, colour and CMYK as RGB32); a null image when it has more
// than `maxPixels`, does not decode, or lacks or corrupts any of its image
// data: a stream cut short, with or without an end-of-image marker after the
// cut, gives none. Bytes after the end-of-image marker are not read.
QImage decodeJpeg(const uint8_t* data, size_t size, int64_t maxPixels);

}  // namespace loom::qt
