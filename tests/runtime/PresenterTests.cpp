// Who presents: the runtime uses the presenter its starter installed, and has
// no presentation of its own to fall back on.
#include "loom/Loom.h"
#include "loom/Presenter.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

using namespace loom;

TEST(PresenterChoice, StartingWithNoneInstalledEndsWithOneLineNamingTheCause) {
    RuntimeSetPresenter(nullptr);
    EXPECT_EXIT(RuntimeInit(), ::testing::ExitedWithCode(1),
                "^loom: no presenter installed: install one .* before RuntimeInit\n$");
}

}  // namespace
}  // namespace rt
