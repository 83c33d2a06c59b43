// JPEG files complete and cut short, for the decoder's tests and the picture
// fuzzer's seeds: baseline, progressive and grayscale pictures written by Qt's
// writer, CMYK, YCCK, RGB and one-scan-per-component ones written by libjpeg, one
// written by hand with restart markers, progressive ones of one level written
// by hand (some costing far more than their worth), with trailers of every kind after their
// end-of-image marker, with a stray byte after their start, and cut at points
// in their headers and their scans, some with an end-of-image marker appended.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace samples {

// What a decoder must give for a sample: its size, and the colour (0xRRGGBB) at
// three quarters of its width and height, away from the noise in its top rows.
struct Picture {
    int width;
    int height;
    uint32_t rgb;
};

struct JpegSample {
    const char* name;
    std::string (*bytes)();
    std::optional<Picture> picture;  // none: the file must give no picture
};

const std::vector<JpegSample>& jpegSamples();

// A progressive picture of one level (grey 128 in one component, or four
// components, read as CMYK), written by hand: a DC scan of all components,
// then each component's AC band; the first component's band is sent
// `extraScans` more times, as a new first scan each time.
std::string flatProgressive(int width, int height, int components, int extraScans = 0);
// The largest picture the pixel limit admits, as a camera or an editor writes
// it: 8192 x 8192, colour with its chroma halved both ways, quality 90, a
// smooth gradient under fine noise; baseline, or libjpeg's own progressive script.
std::string largeColour(bool progressive);
const JpegSample& jpegSample(std::string_view name);

}  // namespace samples
