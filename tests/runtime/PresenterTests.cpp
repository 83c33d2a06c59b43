// Who presents: the runtime uses the presenter its starter installed, and has
// no presentation of its own to fall back on.
#include "loom/Loom.h"
#include "loom/Presenter.h"

#include "support/HeadlessPresenter.h"

#include <gtest/gtest.h>

#include <memory>

namespace rt {
namespace {

using namespace loom;

TEST(PresenterChoice, StartingWithNoneInstalledEndsWithOneLineNamingTheCause) {
    RuntimeSetPresenter(nullptr);
    EXPECT_EXIT(RuntimeInit(), ::testing::ExitedWithCode(1),
                "^loom: no presenter installed: install one .* before RuntimeInit\n$");
}

// The one installed presenter, seen without ending the process; one that is
// replaced already sees its successor while it goes.
TEST(PresenterChoice, TheInstalledPresenterIsTheOneOwnedByTheRuntime) {
    struct Going : testsupport::HeadlessPresenter {
        Presenter** seen = nullptr;
        ~Going() override { *seen = installedPresenter(); }
    };
    Presenter* seenWhileGoing = nullptr;
    auto first = std::make_unique<Going>();
    first->seen = &seenWhileGoing;
    Presenter* installed = first.get();
    RuntimeSetPresenter(std::move(first));
    EXPECT_EQ(installedPresenter(), installed);
    EXPECT_EQ(&presenter(), installed);

    auto second = std::make_unique<testsupport::HeadlessPresenter>();
    Presenter* next = second.get();
    RuntimeSetPresenter(std::move(second));
    EXPECT_EQ(seenWhileGoing, next);
    EXPECT_EQ(installedPresenter(), next);
    RuntimeSetPresenter(nullptr);
    EXPECT_EQ(installedPresenter(), nullptr);
}

}  // namespace
}  // namespace rt
