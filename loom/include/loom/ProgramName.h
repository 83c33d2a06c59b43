// The name the framework gives the program in what it reports: the file name
// of the running executable, as the user finds it in the bundle.
#pragma once

#include <errno.h>
#include <unistd.h>

#include <string>

namespace loom {

inline const std::string& programName() {
    static const std::string name = [] {
        char path[4096];
        const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        std::string file = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
        // A file replaced while it runs is reported with this mark.
        static constexpr std::string_view kDeleted = " (deleted)";
        if (file.ends_with(kDeleted)) file.resize(file.size() - kDeleted.size());
        const size_t slash = file.rfind('/');
        if (slash != std::string::npos) file.erase(0, slash + 1);
        return file.empty() ? std::string(program_invocation_short_name) : file;
    }();
    return name;
}

}  // namespace loom
