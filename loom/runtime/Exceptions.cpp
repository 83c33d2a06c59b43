// Raising and describing runtime exceptions.
#include "loom/CallRecord.h"
#include "loom/Classes.h"
#include "loom/Runtime.h"

#include <exception>

namespace loom {

void RuntimeRaise(Object* exception) { throw Raised(adopt(exception)); }

namespace {
Ref<Object> newException(const ClassRecord* cls, std::string message) {
    CallRecord::Pause pause;  // the exception object is the raise's own, recorded as the raise
    auto e = newObject<ExceptionObject>(cls);
    e->message = std::move(message);
    return e;
}
}  // namespace

void RaiseNilObjectException() {
    LOOM_RECORD("RaiseNilObjectException");
    throw Raised(newException(NilObjectException::__Lookup(), "an object reference was none"));
}

void RaiseRuntimeException(std::string_view message) {
    throw Raised(newException(RuntimeException::__Lookup(), std::string(message)));
}

// Hands the caller a reference, as the program's catch blocks expect.
Object* RuntimeCurrentException() {
    try {
        throw;
    } catch (const Raised& r) {
        return retain(r.exception()).release();
    } catch (const std::exception& e) {
        return newException(RuntimeException::__Lookup(), e.what()).release();
    } catch (...) {
        return newException(RuntimeException::__Lookup(), "an unknown exception").release();
    }
}

std::string describeException(const Object* exception) {
    if (!exception) return "none";
    std::string text(exception->cls ? exception->cls->registeredName() : "?");
    if (RuntimeObjectIsa(exception, RuntimeException::__Lookup())) {
        const auto* e = static_cast<const ExceptionObject*>(exception);
        if (!e->message.empty()) text += ": " + e->message;
    }
    return text;
}

}  // namespace loom
