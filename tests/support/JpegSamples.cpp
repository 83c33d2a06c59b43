#include "JpegSamples.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace samples {

namespace {

constexpr uint32_t kRed = 0xC81E3C;
constexpr uint32_t kGreen = 0x20B040;
constexpr uint32_t kBlue = 0x2040C0;
constexpr uint32_t kGrey = 0x808080;

// ---- Pictures ---------------------------------------------------------------------------------

enum class Scans { Baseline, Progressive };

// The seeded noise of a picture's top rows.
struct Noise {
    uint32_t state = 12345;
    uint32_t next() { return state = state * 1664525u + 1013904223u; }
};

// A picture of one colour whose top eight rows are noise, so that every scan
// carries data, written by Qt's JPEG writer (grey in one component when the
// format is Grayscale8).
std::string written(Scans scans, uint32_t rgb, int width, int height, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(QColor::fromRgb(rgb));
    Noise noise;
    for (int y = 0; y < std::min(8, height); ++y)
        for (int x = 0; x < width; ++x) image.setPixelColor(x, y, QColor::fromRgb(noise.next() >> 8));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(scans == Scans::Progressive);
    if (!writer.write(image)) throw std::runtime_error("Qt's JPEG writer failed");
    return bytes.toStdString();
}

std::string baseline() { return written(Scans::Baseline, kRed, 48, 32); }
std::string progressive() { return written(Scans::Progressive, kRed, 48, 32); }
std::string grayscale() { return written(Scans::Baseline, kGrey, 48, 32, QImage::Format_Grayscale8); }

// A picture written by libjpeg, row by row as `fill` gives each row: quality
// 90, the file's colour space and scan script as asked.
template <typename Fill>
std::string libjpegWritten(int width, int height, int components, J_COLOR_SPACE fileSpace, Fill fill,
                           const std::vector<jpeg_scan_info>& scans = {}, bool progressive = false) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, fileSpace);
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = static_cast<int>(scans.size());
    }
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(width) * size_t(components));
    while (cinfo.next_scanline < cinfo.image_height) {
        fill(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW rows = row.data();
        jpeg_write_scanlines(&cinfo, &rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string bytes(reinterpret_cast<const char*>(out), outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

// The same kind of picture as Qt's writer gives, for what Qt's writer cannot
// write: four-component and RGB files, and a scan script of its own. Four
// components are given as Adobe writes them, inverted (255 is no ink); an
// opaque red is then C, M, Y = its red, green, blue, with K = 255.
std::string compressed(J_COLOR_SPACE fileSpace, int components, uint32_t rgb,
                       const std::vector<jpeg_scan_info>& scans = {}) {
    constexpr int kWidth = 48;
    const uint8_t colour[4] = {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 0xFF};
    Noise noise;
    const auto fill = [&](int y, JSAMPLE* row) {
        for (int i = 0; i < kWidth * components; ++i)
            row[i] = y < 8 ? JSAMPLE(noise.next() >> 24) : colour[i % components];
    };
    return libjpegWritten(kWidth, 32, components, fileSpace, fill, scans);
}

std::string cmyk() { return compressed(JCS_CMYK, 4, kRed); }
std::string ycck() { return compressed(JCS_YCCK, 4, kRed); }
std::string rgb() { return compressed(JCS_RGB, 3, kRed); }  // no colour transform, as the Adobe segment says
// Sequential, but each component in a scan of its own.
std::string scanPerComponent() {
    return compressed(JCS_YCbCr, 3, kRed, {{1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}});
}

// 16 x 8 pixels of grey 128, written by hand: one component, a quantisation
// table of ones, Huffman tables of one one-bit code each (DC difference 0; end
// of block), a restart interval of one block. Each block is the bits 00 padded
// with ones (3F); a restart marker stands between the two.
std::string greyWithRestarts() {
    // clang-format off
    static const uint8_t kBytes[] = {
        0xFF, 0xD8,                                                  // start of image
        0xFF, 0xDB, 0x00, 0x43, 0x00,                                // quantisation table 0, 8-bit
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x10,        // baseline frame: 8 bits, 8 high, 16 wide
        0x01, 0x01, 0x11, 0x00,                                      //   one component: id 1, 1x1, table 0
        0xFF, 0xC4, 0x00, 0x14, 0x00,                                // Huffman table DC 0
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00,                                                        //   one code: difference category 0
        0xFF, 0xC4, 0x00, 0x14, 0x10,                                // Huffman table AC 0
        0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00,                                                        //   one code: end of block
        0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01,                          // restart interval: 1
        0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00,  // scan: component 1, tables 0/0
        0x3F,                                                        //   block 1
        0xFF, 0xD0,                                                  //   restart 0
        0x3F,                                                        //   block 2
        0xFF, 0xD9,                                                  // end of image
    };
    // clang-format on
    return std::string(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}

// ---- Progressive pictures of one level, written by hand --------------------------------------

// Entropy-coded bits, most significant first, a 0x00 after each 0xFF byte,
// padded with ones at the end of the scan.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : m_out(out) {}
    void put(uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = static_cast<uint8_t>(m_byte << 1 | ((bits >> i) & 1));
            if (++m_used == 8) flushByte();
        }
    }
    void finish() {
        while (m_used != 0) put(1, 1);
    }

private:
    void flushByte() {
        m_out += static_cast<char>(m_byte);
        if (m_byte == 0xFF) m_out += '\0';
        m_byte = 0;
        m_used = 0;
    }
    std::string& m_out;
    uint8_t m_byte = 0;
    int m_used = 0;
};

void putSegment(std::string& out, uint8_t marker, const std::vector<uint8_t>& body) {
    const size_t length = body.size() + 2;
    out += {'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
    out.append(reinterpret_cast<const char*>(body.data()), body.size());
}

// A scan header: the components (ids from 1), both tables 0, the band and the bit positions.
void putScanHeader(std::string& out, std::vector<uint8_t> ids, uint8_t ss, uint8_t se) {
    std::vector<uint8_t> body{static_cast<uint8_t>(ids.size())};
    for (uint8_t id : ids) body.insert(body.end(), {id, 0x00});
    body.insert(body.end(), {ss, se, 0x00});
    putSegment(out, 0xDA, body);
}

// End-of-band runs covering `blocks` blocks. The AC table codes the run
// symbol r << 4 (a run of 2^r plus r more bits) as the four bits r.
void putEndOfBandRuns(BitWriter& bits, long blocks) {
    while (blocks > 0) {
        const long run = std::min(blocks, 32767L);
        int r = 0;
        while ((2L << r) <= run) ++r;
        bits.put(static_cast<uint32_t>(r), 4);
        bits.put(static_cast<uint32_t>(run - (1L << r)), r);
        blocks -= run;
    }
}

}  // namespace

std::string largeColour(bool progressive) {
    constexpr int kSide = 8192;
    uint32_t noise = 12345;
    const auto fill = [&](int y, JSAMPLE* row) {
        for (int x = 0; x < kSide; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int n = static_cast<int>(noise >> 29);  // 0..7
            row[size_t(x) * 3] = static_cast<JSAMPLE>(x * 240 / kSide + n);
            row[size_t(x) * 3 + 1] = static_cast<JSAMPLE>(y * 240 / kSide + n);
            row[size_t(x) * 3 + 2] = static_cast<JSAMPLE>((x + y) * 120 / kSide + n);
        }
    };
    return libjpegWritten(kSide, kSide, 3, JCS_YCbCr, fill, {}, progressive);
}

std::string flatProgressive(int width, int height, int components, int extraScans) {
    const long blocks = long{(width + 7) / 8} * ((height + 7) / 8);  // per component, every one 1x1
    std::string out = "\xFF\xD8";
    std::vector<uint8_t> table{0x00};  // quantisation table 0, 8-bit, all ones
    table.resize(65, 0x01);
    putSegment(out, 0xDB, table);
    std::vector<uint8_t> frame{
        8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width), uint8_t(components)};
    for (int c = 1; c <= components; ++c) frame.insert(frame.end(), {uint8_t(c), 0x11, 0x00});
    putSegment(out, 0xC2, frame);
    // DC table 0: one code, 0, for difference category 0. AC table 0: the
    // fifteen run symbols, four bits each.
    std::vector<uint8_t> dc{0x00, 1};
    dc.resize(17, 0);
    dc.push_back(0x00);
    putSegment(out, 0xC4, dc);
    std::vector<uint8_t> ac{0x10, 0, 0, 0, 15};
    ac.resize(17, 0);
    for (uint8_t r = 0; r < 15; ++r) ac.push_back(static_cast<uint8_t>(r << 4));
    putSegment(out, 0xC4, ac);

    // Every block's DC difference is 0: one zero bit a block, all components interleaved.
    std::vector<uint8_t> ids;
    for (int c = 1; c <= components; ++c) ids.push_back(uint8_t(c));
    putScanHeader(out, ids, 0, 0);
    {
        BitWriter bits(out);
        for (long i = 0; i < blocks * components; ++i) bits.put(0, 1);
        bits.finish();
    }
    // Each component's AC band, all zero: end-of-band runs.
    std::string acScan;
    for (int c = 1; c <= components; ++c) {
        std::string scan;
        putScanHeader(scan, {uint8_t(c)}, 1, 63);
        BitWriter bits(scan);
        putEndOfBandRuns(bits, blocks);
        bits.finish();
        out += scan;
        if (c == 1) acScan = scan;
    }
    for (int i = 0; i < extraScans; ++i) out += acScan;
    return out + "\xFF\xD9";
}

namespace {

// ---- Places in a file -------------------------------------------------------------------------

// Where the nth (from 0) marker of that code is. The writer puts no 0xFF in
// its headers' values, and entropy-coded data follows 0xFF with 0x00, so the
// two bytes are found only where that marker is.
size_t markerAt(const std::string& bytes, uint8_t code, int nth) {
    const std::string marker{'\xFF', static_cast<char>(code)};
    size_t pos = bytes.find(marker);
    for (int i = 0; i < nth && pos != std::string::npos; ++i) pos = bytes.find(marker, pos + 2);
    if (pos == std::string::npos) throw std::logic_error("sample has no such marker");
    return pos;
}

size_t segmentEnd(const std::string& bytes, size_t marker) {
    return marker + 2 +
           (size_t{static_cast<uint8_t>(bytes.at(marker + 2))} << 8 | static_cast<uint8_t>(bytes.at(marker + 3)));
}

// The nth scan's entropy-coded data: from the end of its header to the
// Huffman table, scan or end of image that follows it.
std::pair<size_t, size_t> scanData(const std::string& bytes, int nth) {
    const size_t start = segmentEnd(bytes, markerAt(bytes, 0xDA, nth));
    size_t end = bytes.size();
    for (const char* next : {"\xFF\xC4", "\xFF\xDA", "\xFF\xD9"}) end = std::min(end, bytes.find(next, start));
    if (end - start < 4) throw std::logic_error("scan too short to cut into");
    return {start, end};
}

size_t scanCount(const std::string& bytes) {
    size_t count = 0;
    for (size_t pos = bytes.find("\xFF\xDA"); pos != std::string::npos; pos = bytes.find("\xFF\xDA", pos + 2)) ++count;
    return count;
}

std::string cutInScan(const std::string& bytes, int nth) {
    const auto [start, end] = scanData(bytes, nth);
    return bytes.substr(0, (start + end) / 2);
}

std::string withoutLast(std::string bytes, size_t n) { return bytes.substr(0, bytes.size() - n); }

std::string endMarker() { return "\xFF\xD9"; }

// A byte that is no marker between the start of image and the first segment:
// decoders skip it.
std::string withStrayByte(const std::string& bytes) { return bytes.substr(0, 2) + '\x00' + bytes.substr(2); }

// A camera's thumbnail: a whole JPEG inside an APP1 segment right after the
// start of image, its own end-of-image marker included.
std::string withThumbnail(const std::string& bytes) {
    const std::string thumbnail = written(Scans::Baseline, kBlue, 16, 8);
    const size_t length = 2 + 6 + thumbnail.size();
    const std::string header{'\xFF', '\xE1', static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
    return bytes.substr(0, 2) + header + std::string("Exif\0\0", 6) + thumbnail + bytes.substr(2);
}

// The frame header's height and width set to 65535.
std::string hugeFrame(std::string bytes, uint8_t frameMarker) {
    const size_t sof = markerAt(bytes, frameMarker, 0);
    for (size_t i = 5; i <= 8; ++i) bytes.at(sof + i) = '\xFF';
    return bytes;
}

// ---- Trailers ---------------------------------------------------------------------------------

std::string zeros() { return std::string(4096, '\0'); }
std::string text() { return "\nSaved by an editor that keeps its notes after the picture.\n"; }
std::string randomBytes() {
    std::mt19937 generator(2024);
    std::string bytes(4096, '\0');
    for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
    return bytes;
}
std::string secondJpeg() { return written(Scans::Baseline, kGreen, 32, 16); }

constexpr Picture kRedPicture{48, 32, kRed};
constexpr Picture kGreyPicture{48, 32, kGrey};

}  // namespace

const std::vector<JpegSample>& jpegSamples() {
    static const std::vector<JpegSample> samples{
        {"Baseline", &baseline, kRedPicture},
        {"Progressive",
         [] {
             const std::string bytes = progressive();
             if (scanCount(bytes) < 5) throw std::logic_error("the writer wrote no progressive file");
             return bytes;
         },
         kRedPicture},
        {"HandWrittenWithRestartMarkers", &greyWithRestarts, Picture{16, 8, kGrey}},
        {"ThumbnailInAppSegment", [] { return withThumbnail(baseline()); }, kRedPicture},

        // Complete pictures with data after their end-of-image marker.
        {"BaselineThenZeros", [] { return baseline() + zeros(); }, kRedPicture},
        {"BaselineThenText", [] { return baseline() + text(); }, kRedPicture},
        {"BaselineThenRandomBytes", [] { return baseline() + randomBytes(); }, kRedPicture},
        {"BaselineThenSecondJpeg", [] { return baseline() + secondJpeg(); }, kRedPicture},
        {"ProgressiveThenZeros", [] { return progressive() + zeros(); }, kRedPicture},
        {"ProgressiveThenText", [] { return progressive() + text(); }, kRedPicture},
        {"ProgressiveThenRandomBytes", [] { return progressive() + randomBytes(); }, kRedPicture},
        {"ProgressiveThenSecondJpeg", [] { return progressive() + secondJpeg(); }, kRedPicture},
        {"HandWrittenThenText", [] { return greyWithRestarts() + text(); }, Picture{16, 8, kGrey}},

        // Other kinds of picture.
        {"Grayscale", &grayscale, kGreyPicture},
        {"CmykWithAdobeSegment", &cmyk, kRedPicture},
        {"YcckWithAdobeSegment", &ycck, kRedPicture},
        {"RgbWithAdobeSegment", &rgb, kRedPicture},
        {"ScanPerComponent",
         [] {
             const std::string bytes = scanPerComponent();
             if (scanCount(bytes) != 3) throw std::logic_error("the writer wrote no scan per component");
             return bytes;
         },
         kRedPicture},

        // A stray byte after the start of image, in complete pictures.
        {"StrayByteAfterStart", [] { return withStrayByte(baseline()); }, kRedPicture},
        {"ProgressiveStrayByteAfterStart", [] { return withStrayByte(progressive()); }, kRedPicture},

        // Cut short.
        {"BaselineCutInQuantisationTable", [] { return baseline().substr(0, markerAt(baseline(), 0xDB, 0) + 20); },
         std::nullopt},
        {"BaselineCutInFrameHeader", [] { return baseline().substr(0, markerAt(baseline(), 0xC0, 0) + 6); },
         std::nullopt},
        {"BaselineCutAfterScanHeader", [] { return baseline().substr(0, scanData(baseline(), 0).first); },
         std::nullopt},
        {"BaselineCutInScan", [] { return cutInScan(baseline(), 0); }, std::nullopt},
        {"BaselineCutInScanThenZeros", [] { return cutInScan(baseline(), 0) + zeros(); }, std::nullopt},
        {"BaselineCutInScanThenText", [] { return cutInScan(baseline(), 0) + text(); }, std::nullopt},
        {"BaselineCutInScanThenSecondJpeg", [] { return cutInScan(baseline(), 0) + secondJpeg(); }, std::nullopt},
        {"BaselineCutBeforeEndMarker", [] { return withoutLast(baseline(), 2); }, std::nullopt},
        {"BaselineLastByteMissing", [] { return withoutLast(baseline(), 1); }, std::nullopt},
        {"BaselineCutBeforeEndMarkerThenZeros", [] { return withoutLast(baseline(), 2) + zeros(); }, std::nullopt},
        {"ProgressiveCutInFirstScan", [] { return cutInScan(progressive(), 0); }, std::nullopt},
        {"ProgressiveCutBetweenScans", [] { return progressive().substr(0, markerAt(progressive(), 0xDA, 3)); },
         std::nullopt},
        {"ProgressiveCutInLaterScan", [] { return cutInScan(progressive(), 4); }, std::nullopt},
        {"ProgressiveCutInLastScan",
         [] {
             const std::string bytes = progressive();
             return cutInScan(bytes, static_cast<int>(scanCount(bytes)) - 1);
         },
         std::nullopt},
        {"ProgressiveCutBeforeEndMarker", [] { return withoutLast(progressive(), 2); }, std::nullopt},
        {"ProgressiveLastByteMissing", [] { return withoutLast(progressive(), 1); }, std::nullopt},
        {"HandWrittenCutAfterRestartMarker",
         [] { return greyWithRestarts().substr(0, markerAt(greyWithRestarts(), 0xD0, 0) + 2); }, std::nullopt},
        {"ThumbnailInAppSegmentPictureCutInScan", [] { return withThumbnail(cutInScan(baseline(), 0)); }, std::nullopt},
        {"CutInThumbnail", [] { return withThumbnail(baseline()).substr(0, 200); }, std::nullopt},
        {"GrayscaleCutInScan", [] { return cutInScan(grayscale(), 0); }, std::nullopt},
        {"CmykCutInScan", [] { return cutInScan(cmyk(), 0); }, std::nullopt},

        // Cut short with a stray byte after the start of image.
        {"StrayByteAfterStartCutInScan", [] { return withStrayByte(cutInScan(baseline(), 0)); }, std::nullopt},
        {"StrayByteAfterStartCutBeforeEndMarker", [] { return withStrayByte(withoutLast(baseline(), 2)); },
         std::nullopt},
        {"StrayByteAfterStartProgressiveCutBetweenScans",
         [] { return withStrayByte(progressive().substr(0, markerAt(progressive(), 0xDA, 3))); }, std::nullopt},

        // Cut short, then an end-of-image marker appended.
        {"BaselineCutInScanThenEndMarker", [] { return cutInScan(baseline(), 0) + endMarker(); }, std::nullopt},
        {"BaselineCutAfterScanHeaderThenEndMarker",
         [] { return baseline().substr(0, scanData(baseline(), 0).first) + endMarker(); }, std::nullopt},
        {"ProgressiveCutInLaterScanThenEndMarker", [] { return cutInScan(progressive(), 4) + endMarker(); },
         std::nullopt},
        {"ProgressiveCutInLastScanThenEndMarker",
         [] {
             const std::string bytes = progressive();
             return cutInScan(bytes, static_cast<int>(scanCount(bytes)) - 1) + endMarker();
         },
         std::nullopt},
        {"ProgressiveCutBetweenScansThenEndMarker",
         [] { return progressive().substr(0, markerAt(progressive(), 0xDA, 3)) + endMarker(); }, std::nullopt},
        {"ProgressiveCutBeforeLastScanThenEndMarker",
         [] {
             const std::string bytes = progressive();
             return bytes.substr(0, markerAt(bytes, 0xDA, static_cast<int>(scanCount(bytes)) - 1)) + endMarker();
         },
         std::nullopt},
        {"ScanPerComponentCutBetweenScansThenEndMarker",
         [] { return scanPerComponent().substr(0, markerAt(scanPerComponent(), 0xDA, 2)) + endMarker(); },
         std::nullopt},
        {"StrayByteAfterStartCutInScanThenEndMarker",
         [] { return withStrayByte(cutInScan(baseline(), 0)) + endMarker(); }, std::nullopt},
        {"StrayByteAfterStartProgressiveCutBetweenScansThenEndMarker",
         [] { return withStrayByte(progressive().substr(0, markerAt(progressive(), 0xDA, 3))) + endMarker(); },
         std::nullopt},

        // Progressive pictures of one level, written by hand: a band sent
        // again as new scans within the limit, and files that would cost far
        // more than their worth.
        {"HandWrittenProgressiveBandSentAgain", [] { return flatProgressive(64, 64, 1, 10); }, Picture{64, 64, kGrey}},
        {"HandWrittenProgressiveBandSent5000TimesMore", [] { return flatProgressive(2048, 2048, 1, 5000); },
         std::nullopt},
        {"HandWrittenProgressiveCmyk64Mpx", [] { return flatProgressive(8192, 8192, 4); }, std::nullopt},

        // Other refusals.
        {"BaselineHugeDimensions", [] { return hugeFrame(baseline(), 0xC0); }, std::nullopt},
        {"ProgressiveHugeDimensions", [] { return hugeFrame(progressive(), 0xC2); }, std::nullopt},
        {"NotAPicture", [] { return std::string("JFIF but not a picture"); }, std::nullopt},
        {"Empty", [] { return std::string(); }, std::nullopt},
    };
    return samples;
}

const JpegSample& jpegSample(std::string_view name) {
    const auto& all = jpegSamples();
    const auto found = std::find_if(all.begin(), all.end(), [name](const JpegSample& s) { return s.name == name; });
    if (found == all.end()) throw std::logic_error("no such sample");
    return *found;
}

}  // namespace samples
