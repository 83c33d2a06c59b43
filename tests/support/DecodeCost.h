// What one picture's decode costs, measured in a child process of its own so
// that its peak memory is its own, as a first decode in the program is.
#pragma once

#include <optional>
#include <string>

namespace samples {

struct DecodeCost {
    bool decoded = false;
    double ms = 0;       // the decode's own time
    double peakMiB = 0;  // the peak resident size during the decode, above the size before it
};

// Decodes the bytes with the framework's JPEG decoder in a forked child; none
// when the child gave no figures.
std::optional<DecodeCost> decodeInChild(const std::string& bytes);

// What the decoder says one decode may take, in MiB.
double decodeBudgetMiB();

}  // namespace samples
