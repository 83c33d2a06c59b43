// The picture catalogue: each accessor loads its file from the bundle's
// resources on first success, keeps it, and tries again while it has none.
#include "Pictures.h"
#include "ProgramHarness.h"
#include "forms/PictureCatalogue.h"
#include "forms/PictureNames.h"
#include "loom/Testing.h"
#include "support/JpegSamples.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace loom;

namespace {

class PictureCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        presenter = &testsupport::installHeadlessPresenter();
        RuntimeInit();
    }
    progtest::Bundle bundle;  // the executable's path now points into it
    testsupport::HeadlessPresenter* presenter = nullptr;
};

struct Accessor {
    const char* file;
    PictureObject* (*get)();
};
const Accessor kAccessors[] = {
    {"li.jpg", &_x_li::li},    {"s1.jpg", &_x_s1::s1},    {"s2.jpg", &_x_s2::s2},    {"s3.jpg", &_x_s3::s3},
    {"abo.jpg", &_x_abo::abo}, {"cfu.jpg", &_x_cfu::cfu}, {"ad.jpg", &_x_ad::ad},    {"cd.jpg", &_x_cd::cd},
    {"wd.jpg", &_x_wd::wd},    {"p.jpg", &_x_p::p},       {"ncm.jpg", &_x_ncm::ncm},
};

std::string nameOf(const PictureObject* p) { return p ? p->name : "none"; }

}  // namespace

TEST_F(PictureCatalogue, DecodesAPictureOnceAndGivesTheSameObjectAfter) {
    Ref<PictureObject> first = adopt(_x_p::p());
    Ref<PictureObject> second = adopt(_x_p::p());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->name, "p.jpg");
    EXPECT_EQ(second.get(), first.get());
    EXPECT_EQ(presenter->decodeCalls, 1);
}

TEST_F(PictureCatalogue, WithoutTheResourcesFolderGivesNoneAndTriesAgainNextTime) {
    bundle.removeResources();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        PictureObject* none = nullptr;
        EXPECT_NO_THROW(none = _x_cd::cd());
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(presenter->decodeCalls, attempt);
    }
    bundle.addPicture("cd.jpg");
    Ref<PictureObject> found = adopt(_x_cd::cd());
    EXPECT_EQ(nameOf(found.get()), "cd.jpg");
    EXPECT_EQ(presenter->decodeCalls, 3);
}

TEST_F(PictureCatalogue, AnUndecodableFileGivesNoneUntilAGoodOneAppears) {
    bundle.addJunk("wd.jpg");
    for (int attempt = 1; attempt <= 2; ++attempt) {
        Ref<PictureObject> none = adopt(_x_wd::wd());
        EXPECT_EQ(none.get(), nullptr);
        EXPECT_EQ(presenter->decodeCalls, attempt);
    }
    bundle.addPicture("wd.jpg");
    Ref<PictureObject> found = adopt(_x_wd::wd());
    EXPECT_EQ(nameOf(found.get()), "wd.jpg");
    Ref<PictureObject> again = adopt(_x_wd::wd());
    EXPECT_EQ(again.get(), found.get());
    EXPECT_EQ(presenter->decodeCalls, 3);
}

TEST_F(PictureCatalogue, KeepsAPictureAfterItsFileIsRemoved) {
    Ref<PictureObject> loaded = adopt(_x_s2::s2());
    ASSERT_TRUE(loaded);
    bundle.remove("s2.jpg");
    Ref<PictureObject> kept = adopt(_x_s2::s2());
    EXPECT_EQ(kept.get(), loaded.get());
    EXPECT_EQ(presenter->decodeCalls, 1);
}

TEST_F(PictureCatalogue, EachAccessorKeepsItsOwnPicture) {
    bundle.remove("s3.jpg");
    std::vector<Ref<PictureObject>> got;
    for (const Accessor& a : kAccessors) got.push_back(adopt(a.get()));
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(kAccessors[i].file);
        const bool missing = std::string_view(kAccessors[i].file) == "s3.jpg";
        EXPECT_EQ(nameOf(got[i].get()), missing ? "none" : kAccessors[i].file);
        for (size_t j = 0; j < i; ++j) {
            if (got[i]) {
                EXPECT_NE(got[i].get(), got[j].get());
            }
        }
    }
    EXPECT_EQ(presenter->decodeCalls, 11);

    // A second round decodes only the one that had none.
    bundle.addPicture("s3.jpg");
    for (size_t i = 0; i < std::size(kAccessors); ++i) {
        Ref<PictureObject> again = adopt(kAccessors[i].get());
        if (got[i]) {
            EXPECT_EQ(again.get(), got[i].get()) << kAccessors[i].file;
        } else {
            EXPECT_EQ(nameOf(again.get()), "s3.jpg");
        }
    }
    EXPECT_EQ(presenter->decodeCalls, 12);
}

TEST_F(PictureCatalogue, AnExecutableWithoutAGrandparentFolderRaisesThroughTheAccessor) {
    loom::testing::setExecutablePath("/picture-wizard");  // its parent is the root, which has none
    EXPECT_EQ(progtest::raisedClassOf([] { _x_s2::s2(); }), "NilObjectException");
    EXPECT_EQ(presenter->decodeCalls, 0);

    // Nothing was kept: with the bundle's executable the same accessor loads its picture.
    loom::testing::setExecutablePath(bundle.executable());
    Ref<PictureObject> found = adopt(_x_s2::s2());
    EXPECT_EQ(nameOf(found.get()), "s2.jpg");
}

// ---- A file layer that gives no item for what does not exist ------------------------------------

namespace {

class PictureCatalogueOnExistingItems : public PictureCatalogue {
protected:
    void SetUp() override {
        PictureCatalogue::SetUp();
        loom::testing::setChildOnlyForExistingItems(true);
    }
    void TearDown() override { loom::testing::setChildOnlyForExistingItems(false); }
};

// The file-layer calls that one accessor call makes.
std::vector<std::string> fileCallsOf(const std::function<void()>& call) {
    return progtest::recordDuring(call, {"FolderItem.Child", "FolderItem.OpenAsPicture"});
}

}  // namespace

// No Resources folder: none, with no exception, and no look for the file; the
// next call looks for the folder again.
TEST_F(PictureCatalogueOnExistingItems, NoResourcesFolderGivesNoneWithoutLookingForTheFile) {
    bundle.removeResources();
    const std::string contents = std::filesystem::path(bundle.executable()).parent_path().parent_path().string();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        PictureObject* none = nullptr;
        const auto calls = fileCallsOf([&] { EXPECT_NO_THROW(none = _x_cd::cd()); });
        EXPECT_EQ(none, nullptr);
        EXPECT_EQ(calls, std::vector<std::string>{"FolderItem.Child " + contents + " Resources"});
    }
    EXPECT_EQ(presenter->decodeCalls, 0);

    bundle.addPicture("cd.jpg");
    Ref<PictureObject> found = adopt(_x_cd::cd());
    EXPECT_EQ(nameOf(found.get()), "cd.jpg");
    EXPECT_EQ(presenter->decodeCalls, 1);
}

// No item for the file: NilObjectException on every call, nothing kept, the
// other pictures unaffected; once the file is there it loads.
TEST_F(PictureCatalogueOnExistingItems, NoItemForTheFileRaisesNilObjectExceptionAndKeepsNothing) {
    bundle.remove("cd.jpg");
    const std::string contents = std::filesystem::path(bundle.executable()).parent_path().parent_path().string();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        CallRecord::start();
        EXPECT_EQ(progtest::raisedClassOf([] { _x_cd::cd(); }), "NilObjectException");
        CallRecord::stop();
        EXPECT_EQ(progtest::linesOf({"FolderItem.Child", "FolderItem.OpenAsPicture"}),
                  (std::vector<std::string>{"FolderItem.Child " + contents + " Resources",
                                            "FolderItem.Child " + bundle.resources().string() + " cd.jpg"}));
    }
    EXPECT_EQ(presenter->decodeCalls, 0);
    Ref<PictureObject> other = adopt(_x_p::p());
    EXPECT_EQ(nameOf(other.get()), "p.jpg");

    bundle.addPicture("cd.jpg");
    Ref<PictureObject> found = adopt(_x_cd::cd());
    EXPECT_EQ(nameOf(found.get()), "cd.jpg");
    EXPECT_EQ(presenter->decodeCalls, 2);
}

// ---- The real decoder on files that are no pictures, and on paths that are no text ------------

namespace {

// The headless presenter with the framework's own picture decoder.
class DecodingPresenter : public testsupport::HeadlessPresenter {
public:
    Ref<PictureObject> decodePicture(const std::string& path) override {
        ++decodeCalls;
        return loom::qt::decodePictureFile(path);
    }
};

// Ends the test process, failing, when a call does not come back in time: a
// hang then fails its test instead of the whole run.
class HangGuard {
public:
    explicit HangGuard(unsigned seconds) {
        std::signal(SIGALRM, [](int) {
            static const char message[] = "the picture catalogue hung\n";
            static_cast<void>(!write(STDERR_FILENO, message, sizeof message - 1));
            _exit(1);
        });
        alarm(seconds);
    }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;
};

// A bundle of real JPEG files at <parent>/<name>: bin/picture-wizard, Resources/*.jpg.
class JpegBundle {
public:
    JpegBundle(const std::filesystem::path& parent, const std::string& name) : m_root(parent / name) {
        std::filesystem::create_directories(m_root / "bin");
        std::filesystem::create_directories(resources());
        std::ofstream(m_root / "bin" / "picture-wizard") << "not run";
        for (std::string_view file : backdrops::kFiles) addPicture(file);
        loom::testing::setExecutablePath((m_root / "bin" / "picture-wizard").string());
    }
    std::filesystem::path resources() const { return m_root / "Resources"; }
    void addPicture(std::string_view file) const {
        const std::string bytes = samples::jpegSample("Baseline").bytes();
        std::ofstream(resources() / file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }

private:
    std::filesystem::path m_root;
};

class PictureCatalogueOnRealFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "pw-real-XXXXXX").string();
        ASSERT_TRUE(mkdtemp(pattern.data()));
        dir = pattern;
        auto p = std::make_unique<DecodingPresenter>();
        presenter = p.get();
        RuntimeSetPresenter(std::move(p));
        RuntimeInit();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::filesystem::path dir;
    DecodingPresenter* presenter = nullptr;
};

}  // namespace

// Only a regular file is read: anything else gives none at once, every time,
// and the picture loads once a real file takes its place.
TEST_F(PictureCatalogueOnRealFiles, FilesThatAreNoRegularFilesGiveNoneAtOnce) {
    const JpegBundle bundle(dir, "bundle");
    using Make = void (*)(const std::filesystem::path&);
    // clang-format off
    const struct { const char* what; Accessor accessor; Make make; } cases[] = {
        {"a FIFO nobody writes", {"cd.jpg", &_x_cd::cd}, [](const auto& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
        {"/dev/zero",            {"wd.jpg", &_x_wd::wd}, [](const auto& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"a directory",          {"ad.jpg", &_x_ad::ad}, [](const auto& p) { std::filesystem::create_directory(p); }},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::filesystem::path file = bundle.resources() / c.accessor.file;
        std::filesystem::remove(file);
        c.make(file);
        {
            const HangGuard guard(10);
            for (int attempt = 1; attempt <= 2; ++attempt) {
                Ref<PictureObject> none = adopt(c.accessor.get());
                EXPECT_EQ(nameOf(none.get()), "none");
            }
        }
        std::filesystem::remove(file);
        bundle.addPicture(c.accessor.file);
        Ref<PictureObject> found = adopt(c.accessor.get());
        EXPECT_EQ(nameOf(found.get()), c.accessor.file);
    }
}

// The path is opened by its own bytes: a bundle under a folder named in
// Latin-1 ("caf\xE9", not UTF-8) shows its pictures.
TEST_F(PictureCatalogueOnRealFiles, ABundleUnderAFolderNamedInNoUtf8LoadsItsPictures) {
    const JpegBundle bundle(dir, "caf\xE9");
    Ref<PictureObject> picture = adopt(_x_p::p());
    ASSERT_EQ(nameOf(picture.get()), "p.jpg");
    EXPECT_EQ(property(picture.get(), PictureProp::Width).asInteger(), 48);
    EXPECT_EQ(property(picture.get(), PictureProp::Height).asInteger(), 32);
}
