// Folder items: the executable's file, parents, children and the bundle's Resources.
#include "RuntimeFixture.h"

#include "loom/Executable.h"
#include "loom/Testing.h"

#include <filesystem>
#include <optional>

namespace rt {
namespace {

using namespace loom;

using FileTest = RuntimeTest;

std::optional<std::string> pathOf(FolderItemObject* item) {
    Ref<FolderItemObject> held = adopt(item);
    if (!held) return std::nullopt;
    EXPECT_TRUE(RuntimeObjectIsa(held.get(), FolderItem::__Lookup()));
    return held->path;
}

TEST_F(FileTest, TheExecutablesFile) {
    EXPECT_EQ(pathOf(AppFolderItemGetter(0)), std::filesystem::read_symlink("/proc/self/exe").string());
    loom::testing::setExecutablePath("/opt/picture-wizard/bin/picture-wizard");
    EXPECT_EQ(pathOf(AppFolderItemGetter(0)), "/opt/picture-wizard/bin/picture-wizard");
    EXPECT_EQ(pathOf(AppFolderItemGetter(1)), std::nullopt);
    EXPECT_EQ(pathOf(AppFolderItemGetter(-1)), std::nullopt);
}

// The override stands for the executable wherever its file is read: the
// program's name in what the framework reports, the executable's item and the
// bundle beside it. An empty override gives the executable's own file back.
TEST_F(FileTest, TheOverrideIsTheExecutableForTheNameAndTheBundleAlike) {
    const std::string ownFile = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string ownName = std::filesystem::path(ownFile).filename().string();
    const struct {
        std::string executable;
        std::string file;
        std::string name;
        std::optional<std::string> resources;  // none: NilObjectException
    } cases[] = {
        {"/opt/pw/bin/wizard-under-test", "/opt/pw/bin/wizard-under-test", "wizard-under-test", "/opt/pw/Resources"},
        {"/tmp/x/bin/other", "/tmp/x/bin/other", "other", "/tmp/x/Resources"},
        {"bare-name", "bare-name", "bare-name", std::nullopt},
        {"", ownFile, ownName, (std::filesystem::path(ownFile).parent_path().parent_path() / "Resources").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable);
        loom::testing::setExecutablePath(c.executable);
        EXPECT_EQ(executableFile(), c.file);
        EXPECT_EQ(programName(), c.name);
        EXPECT_EQ(pathOf(AppFolderItemGetter(0)), c.file);
        if (c.resources) {
            EXPECT_EQ(pathOf(_GetApplicationBundleResources()), c.resources);
        } else {
            EXPECT_EQ(catchRaised([] { _GetApplicationBundleResources(); }).cls, NilObjectException::__Lookup());
        }

        Ref<Object> exception = adopt(RuntimeNewObject(NilObjectException::__Lookup()));
        ::testing::internal::CaptureStderr();
        _UnhandledException(exception.get());
        const std::string report = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(report.rfind(c.name + ": unhandled NilObjectException", 0), 0u) << report;
    }
}

TEST_F(FileTest, ParentIsNoneAtTheRoot) {
    const struct {
        const char* path;
        std::optional<std::string> parent;
    } cases[] = {
        {"/opt/pw/bin/picture-wizard", "/opt/pw/bin"},
        {"/opt", "/"},
        {"/", std::nullopt},
        {"picture-wizard", std::nullopt},  // a bare name has no folder to give
    };
    for (const auto& c : cases) {
        Ref<FolderItemObject> item = makeFolderItem(c.path);
        EXPECT_EQ(pathOf(FolderItem::Parent_Get(item.get())), c.parent) << c.path;
    }
    EXPECT_EQ(catchRaised([] { FolderItem::Parent_Get(nullptr); }).cls, NilObjectException::__Lookup());
}

TEST_F(FileTest, ChildIsAnItemForAPlainNameOnly) {
    const struct {
        const char* folder;
        std::string name;
        std::optional<std::string> child;
    } cases[] = {
        {"/nonexistent-folder", "Picture 1.jpg", "/nonexistent-folder/Picture 1.jpg"},  // need not exist
        {"/", "Resources", "/Resources"},
        {"/opt", ".hidden", "/opt/.hidden"},
        {"/opt", "", std::nullopt},
        {"/opt", ".", std::nullopt},
        {"/opt", "..", std::nullopt},
        {"/opt", "a/b", std::nullopt},
        {"/opt", "/etc", std::nullopt},
        {"/opt", std::string("a\0b", 3), std::nullopt},
    };
    for (const auto& c : cases) {
        Ref<FolderItemObject> folder = makeFolderItem(c.folder);
        Text name(c.name);
        EXPECT_EQ(pathOf(FolderItem::Child(folder.get(), name.get())), c.child) << c.folder << " + " << c.name;
    }
    Text name("x");
    EXPECT_EQ(catchRaised([&] { FolderItem::Child(nullptr, name.get()); }).cls, NilObjectException::__Lookup());
}

TEST_F(FileTest, BundleResourcesAreBesideTheExecutablesFolder) {
    const struct {
        const char* executable;
        std::optional<std::string> resources;  // none: NilObjectException
    } cases[] = {
        {"/opt/picture-wizard/bin/picture-wizard", "/opt/picture-wizard/Resources"},
        {"/bin/picture-wizard", "/Resources"},
        {"/picture-wizard", std::nullopt},  // its folder is the root, which has no parent
        {"picture-wizard", std::nullopt},   // no folder known
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.executable);
        loom::testing::setExecutablePath(c.executable);
        if (c.resources) {
            EXPECT_EQ(pathOf(_GetApplicationBundleResources()), c.resources);
        } else {
            EXPECT_EQ(catchRaised([] { _GetApplicationBundleResources(); }).cls, NilObjectException::__Lookup());
        }
    }
}

}  // namespace
}  // namespace rt
