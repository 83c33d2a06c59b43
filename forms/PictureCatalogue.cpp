#include "forms/PictureCatalogue.h"

using namespace loom;

namespace {

// One accessor's process-wide values: the kept picture and its initialised flag.
struct Cache {
    PictureObject* pic = nullptr;
    uint8_t initialised = 0;
};

PictureObject* fetch(Cache& cache, String* fileName) {
    if ((cache.initialised & 1) == 0) {
        cache.initialised = 1;
        RuntimeLockUnlockObjects(nullptr, cache.pic);
        cache.pic = nullptr;
    }
    if (!cache.pic) {
        Ref<FolderItemObject> folder = adopt(_GetApplicationBundleResources());
        if (!folder) return nullptr;
        Ref<FolderItemObject> item = adopt(FolderItem::Child(folder.get(), fileName));
        if (!item) RaiseNilObjectException();
        cache.pic = FolderItem::OpenAsPicture(item.get());
    }
    RuntimeLockObject(cache.pic);
    return cache.pic;
}

}  // namespace

#define PICTURE_ACCESSOR(N)                                          \
    namespace _x_##N {                                               \
        PictureObject* N() {                                         \
            static Cache cache;                                      \
            static String* const file = RuntimeNewString(#N ".jpg"); \
            return fetch(cache, file);                               \
        }                                                            \
    }

PW_PICTURES(PICTURE_ACCESSOR)
#undef PICTURE_ACCESSOR
