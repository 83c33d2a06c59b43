// Stand-in for the Qt layer's presenter until loom/qt provides it: the tests
// install their own presenter before the runtime starts, so this one is never
// used. Remove this file once loom/qt defines createDefaultPresenter.
#include "support/HeadlessPresenter.h"

namespace loom {
Presenter* createDefaultPresenter() { return new testsupport::HeadlessPresenter; }
}  // namespace loom
