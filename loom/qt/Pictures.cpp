// Decoding picture files into Picture objects, within the framework's limits.
#include "Pictures.h"

#include "JpegDecoder.h"
#include "PictureFile.h"
#include "loom/Files.h"
#include "loom/Runtime.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <memory>

namespace loom::qt {

namespace {

// Any other format, through Qt's image plugins.
QImage decodeOther(const FileBytes& bytes) {
    // Four bytes a pixel at most, in megabytes.
    static const bool limited = [] {
        QImageReader::setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
        return true;
    }();
    static_cast<void>(limited);

    QByteArray data =
        QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data.get()), static_cast<qsizetype>(bytes.size));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    const QSize declared = reader.size();
    if (declared.isValid() && int64_t(declared.width()) * declared.height() > kMaxPicturePixels) return {};
    QImage image = reader.read();
    if (image.isNull() || int64_t(image.width()) * image.height() > kMaxPicturePixels) return {};
    return image;
}

}  // namespace

Ref<PictureObject> decodePictureFile(const std::string& path) {
    const std::optional<FileBytes> bytes = readRegularFile(path, static_cast<size_t>(kMaxPictureFileBytes));
    if (!bytes) return nullptr;
    QImage image = isJpeg(bytes->data.get(), bytes->size)
                       ? decodeJpeg(bytes->data.get(), bytes->size, kMaxPicturePixels)
                       : decodeOther(*bytes);
    if (image.isNull()) return nullptr;

    auto picture = newObject<PictureObject>(Picture::__Lookup());
    const size_t slash = path.find_last_of('/');
    picture->name = slash == std::string::npos ? path : path.substr(slash + 1);
    picture->props.at(PictureProp::Width) = Value::integer(image.width());
    picture->props.at(PictureProp::Height) = Value::integer(image.height());
    picture->image = std::make_shared<const QImage>(std::move(image));
    return picture;
}

}  // namespace loom::qt
