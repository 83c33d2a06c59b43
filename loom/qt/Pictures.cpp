// Decoding picture files into Picture objects, within the framework's limits.
#include "Pictures.h"

#include "JpegStream.h"
#include "loom/Files.h"
#include "loom/Runtime.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include <span>

namespace loom::qt {

namespace {

void freeImage(void* image) { delete static_cast<QImage*>(image); }

// The whole file, read with one call straight into a buffer of its own size;
// empty when it does not open, is empty or is over the size limit.
QByteArray readFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return {};
    const qint64 size = file.size();
    if (size <= 0 || size > kMaxPictureFileBytes) return {};
    QByteArray data(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (file.read(data.data(), size) != size) return {};
    return data;
}

QImage decode(QByteArray data, bool jpeg) {
    // Four bytes a pixel at most, in megabytes.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
        return true;
    }();
    static_cast<void>(limited);

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (jpeg) {
        // Straight to the JPEG plugin: finding the format from the content
        // loads and asks every image plugin before it.
        reader.setFormat("jpeg");
        reader.setAutoDetectImageFormat(false);
    }
    reader.setAutoTransform(false);
    const QSize declared = reader.size();
    if (declared.isValid() && int64_t(declared.width()) * declared.height() > kMaxPicturePixels) return {};
    QImage image = reader.read();
    if (image.isNull() || int64_t(image.width()) * image.height() > kMaxPicturePixels) return {};
    return image;
}

}  // namespace

PictureObject* decodePictureFile(const std::string& path) {
    QByteArray data = readFile(path);
    if (data.isEmpty()) return nullptr;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(data.constData()),
                                         static_cast<size_t>(data.size()));
    const bool jpeg = looksLikeJpeg(bytes);
    if (jpeg) {
        // libjpeg "recovers" a stream cut short by filling the rest with grey:
        // only a stream that reaches its end-of-image marker is decoded, and
        // whatever follows that marker is left out.
        const std::optional<size_t> length = jpegStreamLength(bytes);
        if (!length) return nullptr;
        data.truncate(static_cast<qsizetype>(*length));
    }
    QImage image = decode(std::move(data), jpeg);
    if (image.isNull()) return nullptr;

    auto* picture = static_cast<PictureObject*>(RuntimeNewObject(Picture::__Lookup()));
    const size_t slash = path.find_last_of('/');
    picture->name = slash == std::string::npos ? path : path.substr(slash + 1);
    picture->width = image.width();
    picture->height = image.height();
    picture->props.at(0) = Value::integer(image.width());
    picture->props.at(1) = Value::integer(image.height());
    picture->image = new QImage(std::move(image));
    picture->freeImage = &freeImage;
    return picture;
}

}  // namespace loom::qt
