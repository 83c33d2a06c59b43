// Whether one rectangle is centred on another to the pixel: an odd difference
// of sizes leaves half a pixel either way.
#pragma once

#include <gtest/gtest.h>
#include <QRect>

#include <cstdlib>

namespace testsupport {

inline ::testing::AssertionResult centredOn(const QRect& inner, const QRect& outer) {
    const int dx = (inner.left() + inner.right()) - (outer.left() + outer.right());
    const int dy = (inner.top() + inner.bottom()) - (outer.top() + outer.bottom());
    if (std::abs(dx) <= 1 && std::abs(dy) <= 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "centre off by (" << dx / 2.0 << ", " << dy / 2.0 << ")";
}

}  // namespace testsupport
