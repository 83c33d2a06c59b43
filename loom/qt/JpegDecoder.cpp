// JPEG decoding on libjpeg's own API, with an error manager that turns every
// warning of lost or corrupt image data into a refusal.
#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE
#include <cstring>
#include <memory>

// jpeglib.h first: what jerror.h lists depends on the library's configuration.
#include <jpeglib.h>

#include <jerror.h>

namespace loom::qt {

namespace {

// The warnings after which the picture would be shown with data missing or
// made up: the data ended early, a marker came inside a scan, a code did not
// decode, a restart marker was missing, or the progressive scans do not fit
// together. Bytes skipped between segments (JWRN_EXTRANEOUS_DATA), such as a
// stray byte after the start of image or padding after a scan, which camera
// files often have, lose nothing when the data is otherwise complete: they do
// not refuse a picture.
bool losesImageData(int code) {
    switch (code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION: return true;
    default: return false;
    }
}

// One decode. libjpeg hands its callbacks `errors`, the first member, as the
// decompressor's error manager; a refusal jumps back to `refused`.
struct Session {
    jpeg_error_mgr errors;
    std::jmp_buf refused;
    jpeg_decompress_struct cinfo;
    bool scanned[MAX_COMPONENTS];  // components that a scan carried, for sequential multi-scan files
    int64_t blockVisits;           // blocks that the scans so far visit, each once per scan that carries it
    int64_t blockVisitLimit;
};

[[noreturn]] void refuse(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<Session*>(cinfo->err)->refused, 1); }

void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && losesImageData(cinfo->err->msg_code)) refuse(cinfo);
}

void printNothing(j_common_ptr) {}

// Qt's reading of four components: inverted, as Adobe writes them.
void invertedCmykToRgb32(const JSAMPLE* in, uchar* out, JDIMENSION width) {
    auto* pixels = reinterpret_cast<QRgb*>(out);
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        pixels[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
    }
}

// Every block of every component, as the whole-image buffer holds them: each
// component padded to whole MCUs, as an interleaved scan visits it.
int64_t imageBlocks(const jpeg_decompress_struct& c) {
    int64_t blocks = 0;
    for (int ci = 0; ci < c.num_components; ++ci) {
        const jpeg_component_info& comp = c.comp_info[ci];
        const auto padded = [](int64_t n, int64_t unit) { return (n + unit - 1) / unit * unit; };
        blocks += padded(comp.width_in_blocks, comp.h_samp_factor) * padded(comp.height_in_blocks, comp.v_samp_factor);
    }
    return blocks;
}

// The blocks that one scan visits, given the ids of its components:
// libjpeg's reckoning, a non-interleaved scan covering its component's own
// blocks and an interleaved one whole MCUs.
int64_t blocksOfScan(const jpeg_decompress_struct& c, const uint8_t* ids, int count) {
    if (count == 1) {
        for (int ci = 0; ci < c.num_components; ++ci)
            if (c.comp_info[ci].component_id == ids[0])
                return int64_t{c.comp_info[ci].width_in_blocks} * c.comp_info[ci].height_in_blocks;
        return 0;
    }
    const int64_t mcus =
        (int64_t{c.image_width} + c.max_h_samp_factor * DCTSIZE - 1) / (c.max_h_samp_factor * DCTSIZE) *
        ((int64_t{c.image_height} + c.max_v_samp_factor * DCTSIZE - 1) / (c.max_v_samp_factor * DCTSIZE));
    int64_t perMcu = 0;
    for (int i = 0; i < count; ++i)
        for (int ci = 0; ci < c.num_components; ++ci)
            if (c.comp_info[ci].component_id == ids[i])
                perMcu += c.comp_info[ci].h_samp_factor * c.comp_info[ci].v_samp_factor;
    return mcus * perMcu;
}

// The blocks that all the stream's scans would visit, read from their headers
// alone, markers found as libjpeg finds them: segments skipped by their
// length, entropy-coded data up to the next 0xFF that is no stuffing and no
// restart marker, up to the first end-of-image marker.
int64_t blocksOfAllScans(const jpeg_decompress_struct& c, const uint8_t* data, size_t size) {
    int64_t blocks = 0;
    size_t i = 2;  // after the start of image
    while (i < size) {
        const void* found = std::memchr(data + i, 0xFF, size - i);
        if (!found) break;
        i = static_cast<size_t>(static_cast<const uint8_t*>(found) - data);
        while (i + 1 < size && data[i + 1] == 0xFF) ++i;  // fill bytes
        if (i + 1 >= size) break;
        const uint8_t marker = data[i + 1];
        i += 2;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (marker == 0xD8 || marker == 0xD9) break;
        if (i + 2 > size) break;
        const size_t length = size_t{data[i]} << 8 | data[i + 1];
        if (length < 2 || i + length > size) break;
        if (marker == 0xDA && length >= 3) {
            const int count = data[i + 2];
            if (3 + size_t(count) * 2 <= length && count <= MAX_COMPS_IN_SCAN) {
                uint8_t ids[MAX_COMPS_IN_SCAN];
                for (int k = 0; k < count; ++k) ids[k] = data[i + 3 + 2 * size_t(k)];
                blocks += blocksOfScan(c, ids, count);
            }
        }
        i += length;
    }
    return blocks;
}

// A scan's header has come: its components are noted, and the scan is
// refused before any of its data is read when it would take the blocks
// visited past the limit.
void noteScan(Session& s) {
    const jpeg_decompress_struct& c = s.cinfo;
    for (int i = 0; i < c.comps_in_scan; ++i) s.scanned[c.cur_comp_info[i]->component_index] = true;
    s.blockVisits += int64_t{c.MCUs_per_row} * c.MCU_rows_in_scan * c.blocks_in_MCU;
    if (s.blockVisits > s.blockVisitLimit) refuse(reinterpret_cast<j_common_ptr>(&s.cinfo));
}

// Every coefficient of every component got its last refinement, or, in a
// sequential file, every component got its scan. A stream cut between two
// scans, with an end-of-image marker after the cut, decodes without a
// warning: this is what tells.
bool everyScanArrived(const Session& s) {
    const jpeg_decompress_struct& c = s.cinfo;
    for (int ci = 0; ci < c.num_components; ++ci) {
        if (!c.progressive_mode) {
            if (!s.scanned[ci]) return false;
            continue;
        }
        for (int k = 0; k < DCTSIZE2; ++k)
            if (c.coef_bits[ci][k] != 0) return false;
    }
    return true;
}

// The functions that set a jump target below hold no object with a
// destructor in their frames, nor do the frames a refusal jumps over.

bool readHeader(Session& s, const uint8_t* data, size_t size) {
    if (setjmp(s.refused)) return false;
    jpeg_create_decompress(&s.cinfo);
    jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&s.cinfo, TRUE) == JPEG_HEADER_OK;
}

// Starts the decode. A file of several scans is read whole here, scan by
// scan, so that each scan's components are seen and counted.
bool startDecode(Session& s) {
    if (setjmp(s.refused)) return false;
    j_decompress_ptr cinfo = &s.cinfo;
    const bool severalScans = jpeg_has_multiple_scans(cinfo);
    cinfo->buffered_image = severalScans;
    if (!jpeg_start_decompress(cinfo)) return false;
    if (!severalScans) return true;
    noteScan(s);  // the first scan's header came with the frame's
    for (int status = JPEG_SUSPENDED + 1; status != JPEG_REACHED_EOI;) {
        status = jpeg_consume_input(cinfo);
        if (status == JPEG_SUSPENDED) return false;
        if (status == JPEG_REACHED_SOS) noteScan(s);
    }
    return everyScanArrived(s);
}

// The rows: as a single scan is read, or out of the whole image.
bool readRows(Session& s, uchar* bits, qsizetype stride, JSAMPLE* cmykRow) {
    if (setjmp(s.refused)) return false;
    j_decompress_ptr cinfo = &s.cinfo;
    if (cinfo->buffered_image) jpeg_start_output(cinfo, cinfo->input_scan_number);
    while (cinfo->output_scanline < cinfo->output_height) {
        uchar* line = bits + stride * cinfo->output_scanline;
        JSAMPROW row = cmykRow ? cmykRow : line;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) return false;
        if (cmykRow) invertedCmykToRgb32(cmykRow, line, cinfo->output_width);
    }
    if (cinfo->buffered_image && !jpeg_finish_output(cinfo)) return false;
    return jpeg_finish_decompress(cinfo);  // reads on to the end-of-image marker
}

// Chooses the output as Qt's reader does with its default quality: the
// accurate integer transform and smooth upsampling (libjpeg's defaults), and
// the format by the number of components.
QImage::Format chooseOutput(jpeg_decompress_struct& cinfo) {
    cinfo.dct_method = JDCT_ISLOW;
    cinfo.do_fancy_upsampling = TRUE;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE: cinfo.out_color_space = JCS_GRAYSCALE; return QImage::Format_Grayscale8;
    case JCS_YCbCr:
    case JCS_RGB:
        // Straight into RGB32's bytes: 0xffRRGGBB in the machine's order.
        cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        return QImage::Format_RGB32;
    case JCS_CMYK:
    case JCS_YCCK: cinfo.out_color_space = JCS_CMYK; return QImage::Format_RGB32;
    default: return QImage::Format_Invalid;
    }
}

}  // namespace

bool isJpeg(const uint8_t* data, size_t size) { return size >= 2 && data[0] == 0xFF && data[1] == 0xD8; }

QImage decodeJpeg(const uint8_t* data, size_t size, int64_t maxPixels) {
    Session s{};
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = &refuse;
    s.errors.emit_message = &onMessage;
    s.errors.output_message = &printNothing;

    QImage image;
    const bool headerRead = readHeader(s, data, size);
    const QImage::Format format = headerRead ? chooseOutput(s.cinfo) : QImage::Format_Invalid;
    const int64_t width = s.cinfo.image_width, height = s.cinfo.image_height;
    // The output's bytes as QImage lays them out (rows of whole 32-bit words),
    // and the row that four components are read into.
    const int64_t depth = format == QImage::Format_Grayscale8 ? 8 : 32;
    const int64_t outputBytes = (width * depth + 31) / 32 * 4 * height;
    const int64_t cmykRowBytes = s.cinfo.out_color_space == JCS_CMYK ? width * 4 : 0;
    if (format != QImage::Format_Invalid && width * height <= maxPixels && outputBytes <= int64_t{kJpegOutputBudget}) {
        // libjpeg's whole-image buffer (several scans) must fit in its share,
        // with what it took before; without a backing store it refuses the
        // file before taking it.
        s.cinfo.mem->max_memory_to_use = static_cast<long>(int64_t{kJpegWorkingBudget} - cmykRowBytes);
        s.blockVisitLimit = kJpegScanVisitsPerBlock * imageBlocks(s.cinfo);
        // Scans past the limit refuse the file at once, from their headers,
        // before any memory is taken; libjpeg's own reading counts them again.
        const bool withinLimit =
            !jpeg_has_multiple_scans(&s.cinfo) || blocksOfAllScans(s.cinfo, data, size) <= s.blockVisitLimit;
        // The output is taken only once every scan has been read and counted.
        if (withinLimit && startDecode(s)) {
            image = QImage(int(width), int(height), format);
            std::unique_ptr<JSAMPLE[]> cmykRow;
            if (cmykRowBytes > 0) cmykRow = std::make_unique_for_overwrite<JSAMPLE[]>(size_t(cmykRowBytes));
            if (!image.isNull() && !readRows(s, image.bits(), image.bytesPerLine(), cmykRow.get())) image = QImage();
        }
    }
    jpeg_destroy_decompress(&s.cinfo);
    return image;
}

}  // namespace loom::qt
