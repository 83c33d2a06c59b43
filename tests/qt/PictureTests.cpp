// Decoding picture files: complete ones become Picture objects, whatever
// follows their end, with the very pixels Qt's own reader gives; cut-short,
// too large and foreign ones are refused.
#include "JpegDecoder.h"
#include "QtFixture.h"
#include "support/DecodeCost.h"
#include "support/JpegSamples.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include <cstdio>
#include <fstream>
#include <optional>

// A file system that honours O_NONBLOCK on regular files, as one in user
// space may: while armed, a read of a regular file whose descriptor is
// non-blocking answers EAGAIN. Every other read goes on as usual.
namespace {
std::atomic<bool> g_nonBlockingReadsAgain{false};
std::atomic<int> g_regularFileReads{0};
}  // namespace

extern "C" ssize_t read(int fd, void* into, size_t count) {
    using Read = ssize_t (*)(int, void*, size_t);
    static const Read next = reinterpret_cast<Read>(dlsym(RTLD_NEXT, "read"));
    struct stat st {};
    if (g_nonBlockingReadsAgain && fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        ++g_regularFileReads;
        if (fcntl(fd, F_GETFL) & O_NONBLOCK) {
            errno = EAGAIN;
            return -1;
        }
    }
    return next(fd, into, count);
}

namespace samples {
void PrintTo(const JpegSample& sample, std::ostream* out) { *out << sample.name; }
}  // namespace samples

namespace qttest {
namespace {

using namespace loom;

std::string writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// Qt's own reading of the bytes, as a program on Qt alone would read the file.
QImage qtDecode(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    return reader.read();
}

const QImage& imageOf(const PictureObject* picture) { return *static_cast<const QImage*>(picture->image.get()); }

class Decode : public QtTest, public ::testing::WithParamInterface<samples::JpegSample> {
protected:
    std::string write(const std::string& bytes) { return writeFile(tempDir() / "p.jpg", bytes); }
};

TEST_P(Decode, CompletePicturesWithinTheLimitsOnly) {
    const std::optional<samples::Picture> expected = GetParam().picture;
    Ref<PictureObject> picture = presenter().decodePicture(write(GetParam().bytes()));
    ASSERT_EQ(bool(picture), expected.has_value());
    if (!picture) return;
    EXPECT_EQ(picture->name, "p.jpg");
    EXPECT_EQ(property(picture.get(), PictureProp::Width).asInteger(), expected->width);
    EXPECT_EQ(property(picture.get(), PictureProp::Height).asInteger(), expected->height);
    ASSERT_NE(picture->image, nullptr);
    const QImage& image = imageOf(picture.get());
    EXPECT_EQ(image.size(), QSize(expected->width, expected->height));
    const QColor seen = image.pixelColor(expected->width * 3 / 4, expected->height * 3 / 4);
    const QColor wanted = QColor::fromRgb(expected->rgb);
    EXPECT_NEAR(seen.red(), wanted.red(), 8);
    EXPECT_NEAR(seen.green(), wanted.green(), 8);
    EXPECT_NEAR(seen.blue(), wanted.blue(), 8);
}

using SameAsQt = Decode;

// Every pixel as Qt's reader gives it, in the format it gives, noise rows included.
TEST_P(SameAsQt, GivesThePixelsOfQtsOwnReader) {
    const std::string bytes = GetParam().bytes();
    Ref<PictureObject> picture = presenter().decodePicture(write(bytes));
    ASSERT_TRUE(picture);
    const QImage qt = qtDecode(QByteArray::fromStdString(bytes));
    ASSERT_FALSE(qt.isNull());
    EXPECT_EQ(imageOf(picture.get()).format(), qt.format());
    EXPECT_TRUE(imageOf(picture.get()) == qt);
}

std::string sampleName(const ::testing::TestParamInfo<samples::JpegSample>& p) { return p.param.name; }

std::vector<samples::JpegSample> samplesWithPictures() {
    std::vector<samples::JpegSample> with;
    for (const samples::JpegSample& sample : samples::jpegSamples())
        if (sample.picture) with.push_back(sample);
    return with;
}

INSTANTIATE_TEST_SUITE_P(Files, Decode, ::testing::ValuesIn(samples::jpegSamples()), sampleName);
INSTANTIATE_TEST_SUITE_P(Pictures, SameAsQt, ::testing::ValuesIn(samplesWithPictures()), sampleName);

TEST_F(QtTest, TheProgramsPicturesHaveThePixelsOfQtsOwnReader) {
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(PW_BUNDLE_DIR) / "Resources")) {
        if (entry.path().extension() != ".jpg") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++seen;
        Ref<PictureObject> picture = presenter().decodePicture(entry.path().string());
        ASSERT_TRUE(picture);
        QFile file(QString::fromStdString(entry.path().string()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QImage qt = qtDecode(file.readAll());
        EXPECT_EQ(imageOf(picture.get()).format(), qt.format());
        EXPECT_TRUE(imageOf(picture.get()) == qt);
    }
    EXPECT_GT(seen, 0) << "the bundle has no pictures";
}

TEST_F(QtTest, DecodeTakesFilesUpToTheSizeLimitAndRefusesLargerAndMissingOnes) {
    const std::filesystem::path path = tempDir() / "big.jpg";
    writeFile(path, samples::jpegSample("Baseline").bytes());
    // A complete picture padded with zeros (sparse) to the limit, then one byte more.
    std::filesystem::resize_file(path, static_cast<uintmax_t>(kMaxPictureFileBytes));
    Ref<PictureObject> atLimit = presenter().decodePicture(path.string());
    ASSERT_TRUE(atLimit);
    EXPECT_EQ(property(atLimit.get(), PictureProp::Width).asInteger(), 48);
    std::filesystem::resize_file(path, static_cast<uintmax_t>(kMaxPictureFileBytes) + 1);
    EXPECT_EQ(presenter().decodePicture(path.string()), nullptr);
    EXPECT_EQ(presenter().decodePicture((tempDir() / "absent.jpg").string()), nullptr);
}

TEST_F(QtTest, DecodeReadsTheWholeFileWhereNonBlockingReadsWouldAnswerAgain) {
    const std::string path = writeFile(tempDir() / "slow.jpg", samples::jpegSample("Baseline").bytes());
    g_nonBlockingReadsAgain = true;
    Ref<PictureObject> picture(presenter().decodePicture(path));
    g_nonBlockingReadsAgain = false;
    EXPECT_GT(g_regularFileReads.load(), 0) << "the file was not read by read()";
    ASSERT_TRUE(picture);
    EXPECT_EQ(property(picture.get(), PictureProp::Width).asInteger(), 48);
}

// ---- What a picture may cost -------------------------------------------------------------------

struct CostlyFile {
    const char* name;
    std::string (*bytes)();
};

void PrintTo(const CostlyFile& file, std::ostream* out) { *out << file.name; }

class CostlyFiles : public ::testing::TestWithParam<CostlyFile> {};

// Files that the size and pixel limits admit but that would cost far more
// than their worth: refused at once, without taking the memory.
TEST_P(CostlyFiles, AreRefusedAtOnceWithinTheMemoryBudget) {
    const std::string bytes = GetParam().bytes();
    ASSERT_LT(bytes.size(), size_t{1} << 20);
    const std::optional<samples::DecodeCost> cost = samples::decodeInChild(bytes);
    ASSERT_TRUE(cost) << "the child gave no figures";
    EXPECT_FALSE(cost->decoded);
    EXPECT_LT(cost->ms, 1000.0);
    EXPECT_LT(cost->peakMiB, 456.0) << "more than the budget of 456 MiB";
    EXPECT_LT(cost->peakMiB, 32.0) << "the memory was taken before the refusal";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, CostlyFiles,
    ::testing::Values(
        // 65,536 blocks of grey, the AC band sent 5,000 times more: 5,002 visits of each block.
        CostlyFile{"GreyBandRepeated", [] { return samples::flatProgressive(2048, 2048, 1, 5000); }},
        // 64 Mpx of grey, 128 MiB of coefficients, the band sent 1,000 times more.
        CostlyFile{"Grey64MpxBandRepeated", [] { return samples::flatProgressive(8192, 8192, 1, 1000); }},
        // 64 Mpx of four components: 512 MiB of coefficients and 256 MiB of output.
        CostlyFile{"Cmyk64Mpx", [] { return samples::flatProgressive(8192, 8192, 4); }}),
    [](const auto& p) { return std::string(p.param.name); });

// The scans may visit each block twelve times: a grey picture of 64 blocks
// may have twelve scans, each visiting all of them; four components may have
// their DC scan (visiting all four) and 44 AC scans of one.
TEST(ScanBudget, AdmitsTwelveVisitsOfEachBlockAndNoMore) {
    struct Case {
        int components, extraScans;
        bool decodes;
    };
    for (const Case c : {Case{1, 10, true}, Case{1, 11, false}, Case{4, 40, true}, Case{4, 41, false}}) {
        SCOPED_TRACE(::testing::Message() << c.components << " components, " << c.extraScans << " scans more");
        const std::string bytes = samples::flatProgressive(64, 64, c.components, c.extraScans);
        const QImage image =
            loom::qt::decodeJpeg(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), loom::kMaxPicturePixels);
        EXPECT_EQ(!image.isNull(), c.decodes);
        if (c.decodes) {
            EXPECT_EQ(image.size(), QSize(64, 64));
        }
    }
}

}  // namespace
}  // namespace qttest
