#include "loom/CallRecord.h"

namespace loom {

namespace {
std::vector<std::string>& store() {
    static std::vector<std::string> lines;
    return lines;
}
}  // namespace

void CallRecord::start() {
    store().clear();
    s_active = true;
}

void CallRecord::stop() { s_active = false; }

const std::vector<std::string>& CallRecord::lines() { return store(); }

void CallRecord::add(std::string line) { store().push_back(std::move(line)); }

}  // namespace loom
