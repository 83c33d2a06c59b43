// Files and pictures.
#pragma once

#include "loom/Classes.h"

#include <cstdint>
#include <string>

namespace loom {

// The executable's own file (argument 0), with a reference, or none.
FolderItemObject* AppFolderItemGetter(int32_t which);
Ref<FolderItemObject> makeFolderItem(std::string path);  // a new item for the path

namespace FolderItem {
FolderItemObject* Parent_Get(FolderItemObject* item);  // none at the root
// The item of that name in the folder, whether or not such a file exists (a
// test may ask for none instead, loom/Testing.h); none for a name that is not a
// plain file name (empty, ".", "..", or holding '/').
FolderItemObject* Child(FolderItemObject* folder, String* name);
// The decoded picture, or none when the file does not open or decode.
PictureObject* OpenAsPicture(FolderItemObject* item);
}  // namespace FolderItem

// Largest picture the framework decodes, in pixels and in file bytes.
inline constexpr int64_t kMaxPicturePixels = 64ll * 1024 * 1024;
inline constexpr int64_t kMaxPictureFileBytes = 64ll * 1024 * 1024;

}  // namespace loom

namespace loom {
// The application bundle's folder "Resources": the executable's file, its
// folder, that folder's parent, then its child "Resources", as the framework
// gives it. A missing file or parent raises NilObjectException.
FolderItemObject* _GetApplicationBundleResources();
}  // namespace loom
