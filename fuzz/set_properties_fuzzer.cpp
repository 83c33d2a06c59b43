// Applies arbitrary bytes as a layout record to each kind of target. A record
// is either applied whole or rejected with a RuntimeException that leaves the
// target unchanged; nothing else may happen.
#include "FuzzTargets.h"
#include "support/HeadlessPresenter.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        testsupport::installHeadlessPresenter();
        loom::RuntimeInit();
        return true;
    }();
    (void)ready;
    if (size == 0) return 0;
    const auto* cls = fuzz::kTargets[data[0] % fuzz::kTargets.size()]();
    const int64_t liveBefore = loom::RuntimeLiveObjectCount();
    {
        loom::Ref<loom::Object> target = loom::adopt(loom::RuntimeNewObject(cls));
        const std::vector<loom::Value> before = target->props;
        loom::String* record =
            loom::RuntimeNewString(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
        try {
            loom::_SetProperties(target.get(), record);
        } catch (const loom::Raised& raised) {
            if (!loom::RuntimeObjectIsa(raised.exception(), loom::RuntimeException::__Lookup())) std::abort();
            if (target->props != before) std::abort();  // a rejected record changed the target
        }
        loom::RuntimeUnlockString(record);
    }
    if (loom::RuntimeLiveObjectCount() != liveBefore) std::abort();  // a reference was lost
    return 0;
}
