#include "ProgramHarness.h"

#include "forms/PictureNames.h"
#include "loom/Testing.h"
#include "startup/Main.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace progtest {

using namespace loom;

// ---- Bundle ---------------------------------------------------------------------

Bundle::Bundle() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pw-bundle-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary bundle folder");
    m_root = pattern;
    std::filesystem::create_directories(m_root / "bin");
    std::filesystem::create_directories(resources());
    std::ofstream(executable()) << "not run";
    for (std::string_view file : backdrops::kFiles) addPicture(file);
    loom::testing::setExecutablePath(executable());
}

Bundle::~Bundle() {
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
}

void Bundle::addPicture(std::string_view file) {
    std::filesystem::create_directories(resources());
    std::ofstream(resources() / std::string(file), std::ios::binary) << "PICTURE " << file;
}

void Bundle::addJunk(std::string_view file) {
    std::filesystem::create_directories(resources());
    std::ofstream(resources() / std::string(file), std::ios::binary) << "JFIF but not a picture";
}

void Bundle::remove(std::string_view file) { std::filesystem::remove(resources() / std::string(file)); }

void Bundle::removeResources() { std::filesystem::remove_all(resources()); }

// ---- Presenter and program run -----------------------------------------------------

void ScriptedPresenter::run() {
    if (auto step = std::exchange(atRunStart, nullptr)) step();
    HeadlessPresenter::run();
}

ScriptedPresenter& installScriptedPresenter() {
    auto p = std::make_unique<ScriptedPresenter>();
    ScriptedPresenter& installed = *p;
    RuntimeSetPresenter(std::move(p));
    return installed;
}

ProgramRun::ProgramRun() : presenter(&installScriptedPresenter()) {}

int ProgramRun::run(std::function<void()> atStart, std::function<void()> whenIdle) {
    presenter->atRunStart = std::move(atStart);
    // After the step the loop goes on until it is idle again, so that what the
    // step posted (a new window's Open) runs.
    presenter->onIdle = [step = std::move(whenIdle)]() mutable {
        auto s = std::exchange(step, nullptr);
        if (!s) return false;
        s();
        return true;
    };
    return Pmain();
}

// ---- Call record ------------------------------------------------------------------------

std::string_view opOf(std::string_view line) { return line.substr(0, line.find(' ')); }

std::vector<std::string> linesOf(std::initializer_list<std::string_view> ops) {
    std::vector<std::string> out;
    for (const std::string& line : CallRecord::lines())
        for (std::string_view op : ops)
            if (opOf(line) == op) {
                out.push_back(line);
                break;
            }
    return out;
}

int countLine(std::string_view line) {
    int n = 0;
    for (const std::string& l : CallRecord::lines()) n += l == line ? 1 : 0;
    return n;
}

int indexOf(std::string_view line) {
    const auto& lines = CallRecord::lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line) return static_cast<int>(i);
    return -1;
}

// ---- Windows and controls ---------------------------------------------------------------------

Object* controlNamed(WindowObject* window, std::string_view name) {
    if (!window) return nullptr;
    for (const NamedControl& c : window->controls)
        if (view(c.name) == name) return c.control.get();
    return nullptr;
}

bool isVisible(const Object* o) {
    if (RuntimeObjectIsa(o, Window::__Lookup())) return property(o, WindowProp::Visible).asBoolean();
    return property(o, RectControlProp::Visible).asBoolean();
}

WindowObject* registered(std::string_view registeredName) {
    for (WindowObject* w : RuntimeWindows())
        if (w->cls->registeredName() == registeredName) return w;
    return nullptr;
}

int windowsNamed(std::string_view registeredName) {
    int n = 0;
    for (WindowObject* w : RuntimeWindows()) n += w->cls->registeredName() == registeredName ? 1 : 0;
    return n;
}

std::string backdropOf(const WindowObject* window) {
    const Object* p = property(window, WindowProp::Backdrop).asObject();
    return p ? static_cast<const PictureObject*>(p)->name : "none";
}

}  // namespace progtest

namespace progtest {

std::vector<std::string> recordDuring(const std::function<void()>& action,
                                      std::initializer_list<std::string_view> ops) {
    loom::CallRecord::start();
    action();
    loom::CallRecord::stop();
    if (ops.size() == 0) return loom::CallRecord::lines();
    return linesOf(ops);
}

std::string raisedClassOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const loom::Raised& r) {
        return std::string(r.exception()->cls->registeredName());
    }
    return "";
}

}  // namespace progtest

namespace progtest {
loom::String* kept(std::string_view text) {
    static auto* const strings = new std::vector<loom::String*>;  // never freed: reachable to the end
    strings->push_back(loom::RuntimeNewString(text));
    return strings->back();
}
}  // namespace progtest
