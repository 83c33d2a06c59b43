// Decoding picture files: complete ones become Picture objects, whatever
// follows their end, with the very pixels Qt's own reader gives; cut-short,
// too large and foreign ones are refused.
#include "QtFixture.h"
#include "support/JpegSamples.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <fstream>
#include <optional>

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

}  // namespace
}  // namespace qttest
