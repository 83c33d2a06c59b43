// Folder items and pictures.
#include "loom/Files.h"
#include "loom/CallRecord.h"
#include "loom/Executable.h"
#include "loom/Presenter.h"
#include "loom/Ref.h"
#include "loom/Runtime.h"
#include "loom/Testing.h"

#include <filesystem>
#include <system_error>

namespace loom {

namespace {
bool g_childOnlyForExistingItems = false;

bool plainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}
}  // namespace

namespace testing {
void setChildOnlyForExistingItems(bool onlyExisting) { g_childOnlyForExistingItems = onlyExisting; }
}  // namespace testing

Ref<FolderItemObject> makeFolderItem(std::string path) {
    auto item = newObject<FolderItemObject>(FolderItem::__Lookup());
    item->path = std::move(path);
    return item;
}

FolderItemObject* AppFolderItemGetter(int32_t which) {
    LOOM_RECORD("AppFolderItemGetter", std::to_string(which));
    if (which != 0) return nullptr;
    const std::string& path = executableFile();
    return path.empty() ? nullptr : makeFolderItem(path).release();
}

namespace FolderItem {

FolderItemObject* Parent_Get(FolderItemObject* item) {
    LOOM_RECORD("FolderItem.Parent.Get", item ? item->path : "none");
    if (!item) RaiseNilObjectException();
    std::filesystem::path p(item->path);
    if (!p.has_relative_path()) return nullptr;  // the root has no parent
    std::filesystem::path parent = p.parent_path();
    if (parent.empty()) return nullptr;
    return makeFolderItem(parent.string()).release();
}

FolderItemObject* Child(FolderItemObject* folder, String* name) {
    LOOM_RECORD("FolderItem.Child", folder ? folder->path : "none", std::string(view(name)));
    if (!folder) RaiseNilObjectException();
    if (!plainFileName(view(name))) return nullptr;
    std::filesystem::path child = std::filesystem::path(folder->path) / std::string(view(name));
    std::error_code ec;
    if (g_childOnlyForExistingItems && !std::filesystem::exists(child, ec)) return nullptr;
    return makeFolderItem(child.string()).release();
}

PictureObject* OpenAsPicture(FolderItemObject* item) {
    LOOM_RECORD("FolderItem.OpenAsPicture", item ? item->path : "none");
    if (!item) RaiseNilObjectException();
    return presenter().decodePicture(item->path).release();
}

}  // namespace FolderItem

}  // namespace loom

namespace loom {

FolderItemObject* _GetApplicationBundleResources() {
    LOOM_RECORD("_GetApplicationBundleResources");
    const Ref<FolderItemObject> executable = adopt(AppFolderItemGetter(0));
    if (!executable) RaiseNilObjectException();
    const Ref<FolderItemObject> folder = adopt(FolderItem::Parent_Get(executable.get()));
    if (!folder) RaiseNilObjectException();
    const Ref<FolderItemObject> contents = adopt(FolderItem::Parent_Get(folder.get()));
    if (!contents) RaiseNilObjectException();
    static String* const resources = RuntimeNewString("Resources");
    return FolderItem::Child(contents.get(), resources);
}

}  // namespace loom
