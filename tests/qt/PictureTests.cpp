// Decoding picture files: complete ones become Picture objects, whatever
// follows their end; cut-short, too large and foreign ones are refused.
#include "QtFixture.h"
#include "support/JpegSamples.h"

#include <QBuffer>
#include <QImage>

#include <fstream>
#include <optional>

namespace samples {
void PrintTo(const JpegSample& sample, std::ostream* out) { *out << sample.name; }
}  // namespace samples

namespace qttest {
namespace {

using namespace loom;

class Decode : public QtTest, public ::testing::WithParamInterface<samples::JpegSample> {
protected:
    std::string write(const std::string& bytes) {
        const std::string path = (tempDir() / "p.jpg").string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
};

TEST_P(Decode, CompletePicturesWithinTheLimitsOnly) {
    const std::optional<samples::Picture> expected = GetParam().picture;
    Ref<PictureObject> picture(presenter().decodePicture(write(GetParam().bytes())));
    ASSERT_EQ(bool(picture), expected.has_value());
    if (!picture) return;
    EXPECT_EQ(picture->name, "p.jpg");
    EXPECT_EQ(picture->width, expected->width);
    EXPECT_EQ(picture->height, expected->height);
    EXPECT_EQ(property(picture.get(), 0).asInteger(), expected->width);
    EXPECT_EQ(property(picture.get(), 1).asInteger(), expected->height);
    ASSERT_NE(picture->image, nullptr);
    const auto* image = static_cast<const QImage*>(picture->image);
    EXPECT_EQ(image->size(), QSize(expected->width, expected->height));
    const QColor seen = image->pixelColor(expected->width * 3 / 4, expected->height * 3 / 4);
    const QColor wanted = QColor::fromRgb(expected->rgb);
    EXPECT_NEAR(seen.red(), wanted.red(), 8);
    EXPECT_NEAR(seen.green(), wanted.green(), 8);
    EXPECT_NEAR(seen.blue(), wanted.blue(), 8);
}

INSTANTIATE_TEST_SUITE_P(Files, Decode, ::testing::ValuesIn(samples::jpegSamples()),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(QtTest, DecodeTakesFilesUpToTheSizeLimitAndRefusesLargerAndMissingOnes) {
    const std::filesystem::path path = tempDir() / "big.jpg";
    {
        const std::string head = samples::jpegSample("Baseline").bytes();
        std::ofstream(path, std::ios::binary).write(head.data(), static_cast<std::streamsize>(head.size()));
    }
    // A complete picture padded with zeros (sparse) to the limit, then one byte more.
    std::filesystem::resize_file(path, static_cast<uintmax_t>(kMaxPictureFileBytes));
    Ref<PictureObject> atLimit(presenter().decodePicture(path.string()));
    ASSERT_TRUE(atLimit);
    EXPECT_EQ(atLimit->width, 48);
    std::filesystem::resize_file(path, static_cast<uintmax_t>(kMaxPictureFileBytes) + 1);
    EXPECT_EQ(presenter().decodePicture(path.string()), nullptr);
    EXPECT_EQ(presenter().decodePicture((tempDir() / "absent.jpg").string()), nullptr);
}

}  // namespace
}  // namespace qttest
