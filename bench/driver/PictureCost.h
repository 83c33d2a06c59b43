// What one picture's decode costs, in a child process of its own, and the
// files that the size and pixel limits admit at the greatest cost.
#pragma once

#include <string>

namespace bench {

struct DecodeCost {
    bool decoded = false;
    double ms = 0;       // the decode's own time
    double peakMiB = 0;  // the peak resident size during the decode, above the size before it
};

// Decodes the bytes with the framework's JPEG decoder in a forked child, fresh
// memory and all, as a first decode in the program is.
DecodeCost decodeInChild(const std::string& bytes);

// What the decoder says one decode may take, in MiB.
double decodeBudgetMiB();

// Pictures written by libjpeg, as a camera or an editor writes them: the
// largest the pixel limit admits, 8192 x 8192, colour with its chroma halved
// both ways, quality 90, a smooth gradient under fine noise.
std::string genuineBaseline();
std::string genuineProgressive();  // libjpeg's own progressive script

}  // namespace bench
