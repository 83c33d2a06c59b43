#include "Guard.h"

#include "QtPresenter.h"

#include <utility>

namespace loom::qt {

namespace {
std::exception_ptr g_kept;
int g_depth = 0;
}  // namespace

void keepException(std::exception_ptr e) {
    if (!g_kept) g_kept = std::move(e);
    if (QtPresenter* p = activePresenter()) p->quit();
}

std::exception_ptr takeException() { return std::exchange(g_kept, nullptr); }

bool exceptionKept() { return g_kept != nullptr; }

int dispatchDepth() { return g_depth; }
DispatchScope::DispatchScope() { ++g_depth; }
DispatchScope::~DispatchScope() { --g_depth; }

}  // namespace loom::qt
