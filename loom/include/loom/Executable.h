// The running executable's own file, and the name the framework gives the
// program in what it reports: that file's name, as the user finds it in the bundle.
#pragma once

#include <errno.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace loom {

// The executable's path, read once; empty when the system does not tell it.
inline const std::string& executableFile() {
    static const std::string file = [] {
        char path[4096];
        const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        std::string read = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
        // A file replaced while it runs is reported with this mark.
        static constexpr std::string_view kDeleted = " (deleted)";
        if (read.ends_with(kDeleted)) read.resize(read.size() - kDeleted.size());
        return read;
    }();
    return file;
}

inline const std::string& programName() {
    static const std::string name = [] {
        const std::string& file = executableFile();
        const size_t slash = file.rfind('/');
        std::string base = slash == std::string::npos ? file : file.substr(slash + 1);
        return base.empty() ? std::string(program_invocation_short_name) : base;
    }();
    return name;
}

}  // namespace loom
