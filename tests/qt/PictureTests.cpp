// Decoding picture files: good ones become Picture objects; cut-short, too
// large and foreign ones are refused.
#include "QtFixture.h"

#include <QBuffer>
#include <QImage>

#include <fstream>

namespace qttest {
namespace {

using namespace loom;

QByteArray goodJpeg(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 60));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG"));
    return bytes;
}

// The same picture with its frame header claiming 65535 x 65535 pixels.
QByteArray hugeJpeg() {
    QByteArray bytes = goodJpeg(16, 16);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    EXPECT_GT(sof, 0);
    for (int i = 5; i <= 8; ++i) bytes[sof + i] = '\xFF';
    return bytes;
}

struct DecodeCase {
    const char* name;
    QByteArray (*bytes)();
    bool decodes;
};

class Decode : public QtTest, public ::testing::WithParamInterface<DecodeCase> {
protected:
    std::string write(const QByteArray& bytes) {
        const std::string path = (tempDir() / "p.jpg").string();
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
        return path;
    }
};

TEST_P(Decode, OnlyCompletePicturesWithinTheLimits) {
    const QByteArray bytes = GetParam().bytes();
    Ref<PictureObject> picture(presenter().decodePicture(write(bytes)));
    ASSERT_EQ(bool(picture), GetParam().decodes);
    if (!picture) return;
    EXPECT_EQ(picture->name, "p.jpg");
    EXPECT_EQ(picture->width, 48);
    EXPECT_EQ(picture->height, 32);
    EXPECT_EQ(property(picture.get(), 0).asInteger(), 48);
    EXPECT_EQ(property(picture.get(), 1).asInteger(), 32);
    ASSERT_NE(picture->image, nullptr);
    const auto* image = static_cast<const QImage*>(picture->image);
    EXPECT_EQ(image->size(), QSize(48, 32));
    const QColor centre = image->pixelColor(24, 16);
    EXPECT_NEAR(centre.red(), 200, 8);
    EXPECT_NEAR(centre.green(), 30, 8);
}

INSTANTIATE_TEST_SUITE_P(Files, Decode,
                         ::testing::Values(DecodeCase{"Good", [] { return goodJpeg(48, 32); }, true},
                                           DecodeCase{"Truncated",
                                                      [] {
                                                          QByteArray b = goodJpeg(48, 32);
                                                          return b.left(b.size() * 2 / 3);
                                                      },
                                                      false},
                                           DecodeCase{"LastByteMissing",
                                                      [] {
                                                          QByteArray b = goodJpeg(48, 32);
                                                          b.chop(1);
                                                          return b;
                                                      },
                                                      false},
                                           DecodeCase{"HugeDimensions", &hugeJpeg, false},
                                           DecodeCase{"NotAPicture",
                                                      [] { return QByteArray("JFIF but not a picture"); }, false},
                                           DecodeCase{"Empty", [] { return QByteArray(); }, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(QtTest, DecodeRefusesFilesOverTheSizeLimitAndMissingFiles) {
    const std::filesystem::path path = tempDir() / "big.jpg";
    {
        const QByteArray head = goodJpeg(48, 32);
        std::ofstream(path, std::ios::binary).write(head.constData(), head.size());
    }
    std::filesystem::resize_file(path, static_cast<uintmax_t>(kMaxPictureFileBytes) + 1);  // sparse
    EXPECT_EQ(presenter().decodePicture(path.string()), nullptr);
    EXPECT_EQ(presenter().decodePicture((tempDir() / "absent.jpg").string()), nullptr);
}

}  // namespace
}  // namespace qttest
