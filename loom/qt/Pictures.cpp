// Decoding pictures with Qt's image reader, within size limits.
#include "Pictures.h"

#include "loom/Files.h"
#include "loom/Runtime.h"
#include "loom/Windows.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace loom::qt {

namespace {

// A JPEG ends with the end-of-image marker; a file cut short is rejected
// rather than shown with its missing part filled in.
bool completeJpeg(const QByteArray& bytes) {
    if (bytes.size() < 4 || uint8_t(bytes[0]) != 0xFF || uint8_t(bytes[1]) != 0xD8) return true;  // not a JPEG
    qsizetype end = bytes.size();
    while (end > 2 && bytes[end - 1] == '\0') --end;  // padding after the marker
    return uint8_t(bytes[end - 2]) == 0xFF && uint8_t(bytes[end - 1]) == 0xD9;
}

void freeImage(void* image) { delete static_cast<QImage*>(image); }

}  // namespace

PictureObject* decodePicture(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileBytes) return nullptr;
    const QByteArray bytes = file.readAll();
    if (!completeJpeg(bytes)) return nullptr;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
    const QSize size = reader.size();
    if (!size.isValid() || int64_t(size.width()) * size.height() > kMaxPicturePixels) return nullptr;
    QImage image;
    if (!reader.read(&image) || image.isNull()) return nullptr;

    auto* picture = static_cast<PictureObject*>(RuntimeNewObject(Picture::__Lookup()));
    const size_t slash = path.find_last_of('/');
    picture->name = slash == std::string::npos ? path : path.substr(slash + 1);
    picture->width = image.width();
    picture->height = image.height();
    picture->props[0] = Value::integer(image.width());
    picture->props[1] = Value::integer(image.height());
    picture->image = new QImage(image.convertToFormat(QImage::Format_RGB32));
    picture->freeImage = &freeImage;
    return picture;
}

}  // namespace loom::qt
