#include "Guard.h"

#include <QCoreApplication>

namespace loom::qt {

namespace {
std::exception_ptr g_escaped;
}

void keepEscapedException(std::exception_ptr e) {
    if (!g_escaped) g_escaped = e;
    if (QCoreApplication::instance()) QCoreApplication::exit(1);
}

std::exception_ptr takeEscapedException() {
    std::exception_ptr e = g_escaped;
    g_escaped = nullptr;
    return e;
}

}  // namespace loom::qt
