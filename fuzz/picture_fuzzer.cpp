// Opens arbitrary bytes as a ".jpg" picture: the decoder gives a picture or
// none, within its size limits, and never crashes.
#include "loom/Loom.h"
#include "loom/Presenter.h"
#include "loom/QtPresentation.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        loom::installQtPresentation();
        loom::RuntimeInit();
        return "/tmp/picture_fuzzer_" + std::to_string(getpid()) + ".jpg";
    }();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    loom::Ref<loom::FolderItemObject> item = loom::makeFolderItem(path);
    loom::Ref<loom::PictureObject> picture = loom::adopt(loom::FolderItem::OpenAsPicture(item.get()));
    // libFuzzer ends its run without running exit handlers: the file goes now.
    std::remove(path.c_str());
    if (picture) {
        const int64_t width = loom::property(picture.get(), loom::PictureProp::Width).asInteger();
        const int64_t height = loom::property(picture.get(), loom::PictureProp::Height).asInteger();
        if (width <= 0 || height <= 0 || width * height > loom::kMaxPicturePixels) std::abort();
    }
    return 0;
}
