// Shared pieces of the program's tests: a temporary application bundle, a
// headless presenter that can act at the start of the event loop, one run of
// the program, and views of the framework's call record.
#pragma once

#include "loom/Loom.h"
#include "support/HeadlessPresenter.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace progtest {

// A bundle in a fresh temporary folder: the executable is <root>/bin/picture-wizard
// (reported to the framework as its own path), the pictures are in <root>/Resources.
class Bundle {
public:
    Bundle();  // with every picture the catalogue knows present
    ~Bundle();
    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;

    void addPicture(std::string_view file);  // decodes on the headless presenter
    void addJunk(std::string_view file);     // a file that decodes to none
    void remove(std::string_view file);
    void removeResources();  // the whole folder
    std::string executable() const { return (m_root / "bin" / "picture-wizard").string(); }
    std::filesystem::path resources() const { return m_root / "Resources"; }

private:
    std::filesystem::path m_root;
};

// The headless presenter, able to run a step when the event loop starts, before
// the first posted event: the program is then fully started, its splash built.
class ScriptedPresenter : public testsupport::HeadlessPresenter {
public:
    void run() override;
    std::function<void()> atRunStart;
};
ScriptedPresenter& installScriptedPresenter();  // the runtime owns it

// One run of the program through Pmain: `atStart` when the event loop starts,
// `whenIdle` once the loop has nothing left to do (the splash has handed over
// to the main window by then). Returns Pmain's status.
class ProgramRun {
public:
    ProgramRun();
    int run(std::function<void()> atStart, std::function<void()> whenIdle);
    Bundle bundle;
    ScriptedPresenter* presenter = nullptr;
};

// ---- The call record ------------------------------------------------------------
std::string_view opOf(std::string_view line);  // the operation: the line's first word
// The recorded lines whose operation is one of `ops`, in order.
std::vector<std::string> linesOf(std::initializer_list<std::string_view> ops);
// How many recorded lines are exactly `line`.
int countLine(std::string_view line);
// Index of the first recorded line that is exactly `line`, or -1.
int indexOf(std::string_view line);

// ---- Windows and controls ------------------------------------------------------------
// The window's control of that name, or none (no reference taken).
loom::Object* controlNamed(loom::WindowObject* window, std::string_view name);
bool isVisible(const loom::Object* o);  // a window's or a rect control's Visible
// The registered window of that class name, or none (no reference taken).
loom::WindowObject* registered(std::string_view registeredName);
// How many registered windows carry that class name.
int windowsNamed(std::string_view registeredName);
// The picture the window shows as its backdrop, by file name, or "none".
std::string backdropOf(const loom::WindowObject* window);

template <typename T>
T* controlAs(loom::WindowObject* window, std::string_view name) {
    return dynamic_cast<T*>(controlNamed(window, name));
}

}  // namespace progtest

namespace progtest {

// The lines recorded while `action` runs whose operation is one of `ops`
// (every line when `ops` is empty). Starts, and then stops, the call record.
std::vector<std::string> recordDuring(const std::function<void()>& action,
                                      std::initializer_list<std::string_view> ops = {});

// The registered class name of what `action` raised, "" when it raised nothing.
std::string raisedClassOf(const std::function<void()>& action);

}  // namespace progtest

namespace progtest {
// A counted string kept for the life of the process (a name to pass to the framework).
loom::String* kept(std::string_view text);
}  // namespace progtest
