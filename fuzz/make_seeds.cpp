// Writes the fuzzers' seed corpora: every kind of the program's own layout
// records, each prefixed by the byte that selects its kind of target; and JPEG
// files complete, with trailers, cut short, and costing far more than their
// worth (a band sent again thousands of times, 64 Mpx of progressive CMYK).
#include "forms/LayoutRecords.h"
#include "support/JpegSamples.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
void write(const std::filesystem::path& dir, const std::string& name, char kind, loom::String* record) {
    std::ofstream out(dir / name, std::ios::binary);
    out.put(kind);
    out << loom::view(record);
    loom::RuntimeUnlockString(record);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <records folder> <pictures folder>\n");
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    using records::Bounds;
    // Kinds, in the fuzzer's order: window, timer, bevel button, check box, label, text field, combo box.
    write(dir, "window", 0, records::window({.width = 619, .height = 461}));
    write(dir, "window-resizable", 0,
          records::window({.width = 449, .height = 279, .resizeable = true, .liveResize = true}));
    write(dir, "timer", 1, records::timer(3700));
    write(dir, "bevel-button", 2, records::bevelButton("BevelButton1", Bounds{531, 420, 69, 21}, 0, true, true, "OK"));
    write(dir, "check-box", 3, records::checkBox("CheckBox1", Bounds{194, 191, 100, 20}, 4, true, true, true));
    write(dir, "label", 4, records::label("Label1", Bounds{260, 0, 43, 21}, 20));
    write(dir, "text-field", 5, records::textField("TextField1", 163, 188, 14));
    write(dir, "combo-box", 6,
          records::comboBox("ComboBox1", Bounds{163, 168, 118, 22}, 2, false, "Noble 6\rSpartan MP\rJorge\rKat\r", 0));

    const std::filesystem::path pictures(argv[2]);
    std::filesystem::create_directories(pictures);
    for (const samples::JpegSample& sample : samples::jpegSamples()) {
        const std::string bytes = sample.bytes();
        std::ofstream(pictures / (std::string(sample.name) + ".jpg"), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
