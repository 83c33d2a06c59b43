#pragma once

#include "loom/Classes.h"

#include <string>

namespace loom::qt {
// The picture in that file, or none when it is no regular file, does not open,
// changes while read, is cut short, is too large or does not decode. Needs no
// display and no QApplication.
Ref<PictureObject> decodePictureFile(const std::string& path);
}  // namespace loom::qt
