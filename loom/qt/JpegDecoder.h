// Decoding JPEG streams with libjpeg-turbo, refusing any that lacks image data
// or would cost more than the largest picture the limits admit.
#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>

namespace loom::qt {

// What one decode may take, libjpeg's working memory and the output together
// (the stream's own bytes aside), each share sized by the largest genuine
// picture of its kind that the 64 Mpx limit admits:
//  - the output, 256 MiB: 64 Mpx at four bytes a pixel, Qt's own allocation
//    limit for one image;
//  - libjpeg's working memory, 200 MiB: a single scan needs only a few rows;
//    several scans need a buffer of the whole image's coefficients, 128 bytes
//    a block, which for 64 Mpx of colour with its chroma halved both ways (as
//    cameras and libjpeg write it) is 192 MiB; the rest is for rows and
//    tables. 64 Mpx of grey needs 128 MiB; 64 Mpx of CMYK, 512 MiB, is
//    refused before the buffer is taken (libjpeg has no backing store).
// What a refused file may have touched before its refusal is this working
// memory at most, less than a genuine picture's output: that bounds its time.
inline constexpr size_t kJpegOutputBudget = size_t{256} << 20;
inline constexpr size_t kJpegWorkingBudget = size_t{200} << 20;
inline constexpr size_t kJpegMemoryBudget = kJpegOutputBudget + kJpegWorkingBudget;

// How much work the scans may ask for: every block of the image visited by at
// most this many scans on average, counted from each scan's header before its
// data is read. A progressive file may send bands again as new scans, and each
// one visits every block of its components: this bounds the time of any file
// to that of a few genuine progressive decodes of the same size (libjpeg's
// own scripts visit each block six times at most).
inline constexpr int64_t kJpegScanVisitsPerBlock = 12;

// True when the data starts with a start-of-image marker: every stream the
// decoder would take, whatever follows the marker.
bool isJpeg(const uint8_t* data, size_t size);

// The picture the stream holds, as Qt's own JPEG reader gives it (grayscale
// as Grayscale8, colour and CMYK as RGB32). A null image when the stream
//  - has more than `maxPixels`, or components that are neither grey, colour nor CMYK;
//  - would need more than kJpegMemoryBudget, or its scans more than
//    kJpegScanVisitsPerBlock visits a block: refused before the memory is
//    taken or the scan is read;
//  - does not decode, or lacks or corrupts any of its image data: a stream
//    cut short gives none, and so does a Huffman-coded one cut short with an
//    end-of-image marker after the cut, or any file cut between two scans.
// In arithmetic-coded scans a marker may legally end the data early, the
// decoder supplying zeros for the rest, and encoders drop the trailing zero
// bytes: such a scan cut short with a marker after the cut cannot be told
// from a whole one, and is taken as libjpeg decodes it.
// Bytes after the end-of-image marker are not read.
QImage decodeJpeg(const uint8_t* data, size_t size, int64_t maxPixels);

}  // namespace loom::qt
