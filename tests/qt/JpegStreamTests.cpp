// Where a JPEG stream ends: right after its end-of-image marker, found through
// its segments and scans; nowhere when it is cut short.
#include "JpegStream.h"
#include "support/JpegSamples.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

namespace qttest {
namespace {

using loom::qt::jpegStreamLength;

std::optional<size_t> streamLength(const char* sample) {
    const std::string bytes = samples::jpegSample(sample).bytes();
    return jpegStreamLength(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

size_t fileSize(const char* sample) { return samples::jpegSample(sample).bytes().size(); }

TEST(JpegStream, EndsRightAfterItsEndOfImageMarker) {
    // clang-format off
    const struct { const char* file; const char* stream; } cases[] = {
        {"Baseline",                      "Baseline"},
        {"BaselineThenRandomBytes",       "Baseline"},
        {"BaselineThenSecondJpeg",        "Baseline"},
        {"ProgressiveThenZeros",          "Progressive"},
        {"ProgressiveThenText",           "Progressive"},
        {"HandWrittenThenText",           "HandWrittenWithRestartMarkers"},
        {"ThumbnailInAppSegment",         "ThumbnailInAppSegment"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(streamLength(c.file), fileSize(c.stream)) << c.file;
}

TEST(JpegStream, HasNoEndWhenCutShort) {
    for (const char* sample : {"BaselineCutInScan", "ProgressiveCutBetweenScans", "BaselineLastByteMissing",
                               "CutInThumbnail", "BaselineCutInScanThenSecondJpeg", "NotAPicture", "Empty"})
        EXPECT_EQ(streamLength(sample), std::nullopt) << sample;
}

}  // namespace
}  // namespace qttest
