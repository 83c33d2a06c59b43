// Whether a control's outline stands out from the backdrop beneath it: for each
// side of its rectangle, the share of the positions along that side where the
// outermost pixels include one that differs from the backdrop.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdlib>

namespace testsupport {

struct EdgeShares {
    double top = 0, bottom = 0, left = 0, right = 0;
    double least() const { return std::min({top, bottom, left, right}); }
};

inline bool standsOut(const QImage& shown, const QImage& backdrop, int x, int y, int threshold) {
    if (!backdrop.rect().contains(x, y)) return true;
    const QColor a = shown.pixelColor(x, y), b = backdrop.pixelColor(x, y);
    return std::abs(a.red() - b.red()) > threshold || std::abs(a.green() - b.green()) > threshold ||
           std::abs(a.blue() - b.blue()) > threshold;
}

// `depth` pixels in from each side are looked at; `corner` pixels at each end
// of a side are left out, where a style rounds its corners.
inline EdgeShares edgeContrast(const QImage& shown, const QImage& backdrop, const QRect& r, int depth = 2,
                               int corner = 3, int threshold = 24) {
    auto share = [&](bool horizontal, bool nearSide) {
        const int length = horizontal ? r.width() : r.height();
        int hits = 0, count = 0;
        for (int along = corner; along < length - corner; ++along) {
            ++count;
            for (int in = 0; in < depth; ++in) {
                const int x = horizontal ? r.left() + along : (nearSide ? r.left() + in : r.right() - in);
                const int y = horizontal ? (nearSide ? r.top() + in : r.bottom() - in) : r.top() + along;
                if (standsOut(shown, backdrop, x, y, threshold)) {
                    ++hits;
                    break;
                }
            }
        }
        return count ? static_cast<double>(hits) / count : 0.0;
    };
    return {share(true, true), share(true, false), share(false, true), share(false, false)};
}

}  // namespace testsupport
