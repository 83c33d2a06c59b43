// The executable's file and the program's name, each worked out once.
#include "loom/Executable.h"
#include "loom/Testing.h"

#include <errno.h>
#include <unistd.h>

#include <optional>
#include <string_view>
#include <utility>

namespace loom {

namespace {

std::string readOwnFile() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string read = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
    // A file replaced while it runs is reported with this mark.
    static constexpr std::string_view kDeleted = " (deleted)";
    if (read.ends_with(kDeleted)) read.resize(read.size() - kDeleted.size());
    return read;
}

struct Identity {
    std::string file;
    std::string name;

    explicit Identity(std::string path) : file(std::move(path)) {
        const size_t slash = file.rfind('/');
        name = slash == std::string::npos ? file : file.substr(slash + 1);
        if (name.empty()) name = program_invocation_short_name;
    }
};

// The process's own, read on first use.
const Identity& own() {
    static const Identity identity(readOwnFile());
    return identity;
}

// What stands in for it while a test has set a path; none otherwise.
std::optional<Identity>& standIn() {
    static std::optional<Identity> identity;
    return identity;
}

const Identity& current() { return standIn() ? *standIn() : own(); }

}  // namespace

const std::string& executableFile() { return current().file; }
const std::string& programName() { return current().name; }

namespace testing {
void setExecutablePath(std::string path) {
    if (path.empty()) {
        standIn().reset();
    } else {
        standIn().emplace(std::move(path));
    }
}
}  // namespace testing

}  // namespace loom
