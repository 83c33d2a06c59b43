// The program with probes: the real program (Pmain) and a measuring step run
// at a set moment of its event loop. Each mode prints "key value..." lines on
// standard output and ends the process.
//
//   pw_probe <mode> <bundle executable> [argument]
//   first-paint   ends the process when the splash's first frame is painted
//   timers        lateness of Timer1 and Timer2 against Open + Period
//   window2       constructing the main window, first in the process
//   pages N       each page transition to its repainted frame, N cycles
//   first-load    the catalogue's first load of each picture but the splash's
//   memory        peak memory with every window built and every picture loaded
//   describe F    writes the windows, controls and page transitions to file F
#include "dialogs/Window3.h"
#include "dialogs/Window4.h"
#include "dialogs/Window5.h"
#include "dialogs/Window6.h"
#include "forms/Handlers.h"
#include "forms/PictureCatalogue.h"
#include "loom/CallRecord.h"
#include "loom/Presenter.h"
#include "loom/QtPresentation.h"
#include "loom/QtProbes.h"
#include "loom/QtTesting.h"
#include "loom/Testing.h"
#include "loom/Windows.h"
#include "mainwindow/Window2.h"
#include "startup/Main.h"
#include "startup/Window1.h"

#include "common/Measure.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace loom;
using measure::Clock;
using measure::finish;
using measure::usSince;
using measure::vmHwmKb;

namespace {

// ---- The splash's first frame starts each measuring step --------------------------------

std::function<void()> g_afterSplash;  // posted once the splash's first frame is painted

bool isWindow(WindowObject* w, const ClassRecord* cls) { return RuntimeObjectIsa(w, cls); }

void onPaintStart(WindowObject* w) {
    if (!g_afterSplash || !isWindow(w, Window1::__Lookup())) return;
    presenter().post(std::exchange(g_afterSplash, nullptr));
}

// ---- Pictures -----------------------------------------------------------------------------

struct PictureAccessor {
    const char* name;
    PictureObject* (*get)();
};
#define PW_PROBE_PICTURE_(N) {#N, &_x_##N::N},
const PictureAccessor kPictures[] = {PW_PICTURES(PW_PROBE_PICTURE_)};
#undef PW_PROBE_PICTURE_

void buildEveryWindow() {
    for (WindowObject* (*accessor)() :
         {&Window2::Window2, &Window3::Window3, &Window4::Window4, &Window5::Window5, &Window6::Window6})
        RuntimeUnlockObject(accessor());
}

// ---- Page transitions ------------------------------------------------------------------

using ButtonAccessor = BevelButtonObject* (*)(WindowObject*);
struct Transition {
    const char* name;  // "-": not measured
    ButtonAccessor button;
    bool backFromLast = false;  // then also hides the fourth page's button
};
// One cycle returns to the first page.
const Transition kCycle[] = {{"P1-P2", &Window2::BevelButton1},
                             {"P2-P3", &Window2::BevelButton3},
                             {"P3-P2", &Window2::BevelButton13},
                             {"P2-P1", &Window2::BevelButton12}};
const Transition kToThird[] = {{"-", &Window2::BevelButton1}, {"-", &Window2::BevelButton3}};
// No page leads back from the fourth: the second page's "OK" handler shows the
// third page's controls again, and the fourth page's own button is hidden.
const Transition kFourth[] = {{"P3-P4", &Window2::BevelButton4}, {"-", &Window2::BevelButton3, true}};

void press(const Transition& t) {
    Ref<WindowObject> w = adopt(Window2::Window2());
    Ref<BevelButtonObject> b = adopt(t.button(w.get()));
    pressButton(b.get());
    if (t.backFromLast) {
        Ref<BevelButtonObject> last = adopt(Window2::BevelButton14(w.get()));
        RectControl::Visible_Set(last.get(), 0, false);
    }
}

struct PageRun {
    std::vector<Transition> steps;  // in order; "-" unmeasured
    size_t next = 0;
    bool awaitingFrame = false;
    Clock::time_point started;
    std::map<std::string, std::vector<double>> samples;
};
PageRun g_pages;

void nextPage();

void onPagePainted(WindowObject* w) {
    onPaintStart(w);
    if (!g_pages.awaitingFrame || !isWindow(w, Window2::__Lookup())) return;
    g_pages.awaitingFrame = false;
    // The controls paint and the frame is flushed after this returns: a posted
    // event runs once the whole frame is done.
    presenter().post([] {
        if (g_pages.next > 0) {
            const Transition& t = g_pages.steps[g_pages.next - 1];
            if (std::strcmp(t.name, "-") != 0) g_pages.samples[t.name].push_back(usSince(g_pages.started));
        }
        nextPage();
    });
}

void nextPage() {
    if (g_pages.next == g_pages.steps.size()) {
        for (const auto& [name, values] : g_pages.samples) {
            std::printf("transition_us %s", name.c_str());
            for (double v : values) std::printf(" %.1f", v);
            std::printf("\n");
        }
        finish();
    }
    const Transition& t = g_pages.steps[g_pages.next++];
    g_pages.awaitingFrame = true;
    g_pages.started = Clock::now();
    press(t);
}

void startPages(int cycles) {
    for (const Transition& t : kCycle) g_pages.steps.push_back({"-", t.button});  // warm-up
    for (int i = 0; i < cycles; ++i)
        for (const Transition& t : kCycle) g_pages.steps.push_back(t);
    for (const Transition& t : kToThird) g_pages.steps.push_back(t);
    for (const Transition& t : kFourth) g_pages.steps.push_back({"-", t.button, t.backFromLast});  // warm-up
    for (int i = 0; i < cycles; ++i)
        for (const Transition& t : kFourth) g_pages.steps.push_back(t);
    g_afterSplash = [] {
        testing::answerOpenFileDialog(std::nullopt);  // the dialog answers "cancel" without showing
        // Every backdrop the pages use is in the catalogue: the transitions swap loaded pictures.
        for (PictureObject* (*get)() : {&_x_p::p, &_x_cd::cd, &_x_wd::wd, &_x_ad::ad}) RuntimeUnlockObject(get());
        // The hand-over, as Timer2 does it.
        handlers::setWindowVisible(&Window1::Window1, false);
        g_pages.awaitingFrame = true;  // the first frame of the main window starts the run
        handlers::setWindowVisible(&Window2::Window2, true);
    };
    probes::setWindowPainted(&onPagePainted);
}

// ---- Timers ------------------------------------------------------------------------------

// Open sets both timers' mode, and so asks for the first wake-up: its moment is
// Open's. Each timer then fires Period ms after it; the first wake-up that comes
// runs Timer1, the second Timer2.
std::optional<Clock::time_point> g_open;
std::vector<Clock::time_point> g_due;

void onWakeRequested(Instant) {
    if (!g_open) g_open = Clock::now();
}

int periodOf(TimerObject* (*accessor)(WindowObject*)) {
    Ref<WindowObject> w = adopt(Window1::Window1());
    Ref<TimerObject> t = adopt(accessor(w.get()));
    return property(t.get(), TimerProp::Period).asInteger();
}

void onTimersDue(Instant) {
    g_due.push_back(Clock::now());
    if (g_due.size() < 2 || !g_open) return;
    const int periods[] = {periodOf(&Window1::Timer1), periodOf(&Window1::Timer2)};
    for (int i = 0; i < 2; ++i) {
        const auto due = *g_open + std::chrono::milliseconds(periods[i]);
        std::printf("timer%d_lateness_us %.1f\n", i + 1,
                    std::chrono::duration<double, std::micro>(g_due[i] - due).count());
    }
    finish();
}

// ---- Describing the forms for the bare Qt equivalents ------------------------------------------

const char* kindOf(const ControlObject* c) {
    if (dynamic_cast<const BevelButtonObject*>(c)) return "button";
    if (dynamic_cast<const LabelObject*>(c)) return "label";
    if (dynamic_cast<const CheckBoxObject*>(c)) return "checkbox";
    if (dynamic_cast<const TextFieldObject*>(c)) return "textfield";
    if (dynamic_cast<const ComboBoxObject*>(c)) return "combobox";
    return nullptr;  // a timer: no widget
}

std::string textOf(const ControlObject* c) {
    std::string_view t;
    if (dynamic_cast<const BevelButtonObject*>(c)) t = property(c, BevelButtonProp::Caption).text();
    if (dynamic_cast<const CheckBoxObject*>(c)) t = property(c, CheckBoxProp::Caption).text();
    if (dynamic_cast<const ComboBoxObject*>(c)) t = property(c, PopupMenuProp::InitialValue).text();
    std::string out(t);
    for (char& ch : out)
        if (ch == '\r') ch = '|';
    return out;
}

void describe(const std::string& path) {
    std::ofstream out(path);
    buildEveryWindow();
    for (WindowObject* w : RuntimeWindows()) {
        const auto* backdrop = static_cast<const PictureObject*>(property(w, WindowProp::Backdrop).asObject());
        out << "window " << objectName(w) << ' ' << property(w, WindowProp::Width).asInteger() << ' '
            << property(w, WindowProp::Height).asInteger() << ' ' << (backdrop ? backdrop->name : "none") << ' '
            << property(w, WindowProp::Visible).asBoolean() << '\n';
        for (const NamedControl& n : w->controls) {
            const char* kind = kindOf(n.control.get());
            if (!kind) continue;
            const ControlObject* c = n.control.get();
            out << "control " << kind << ' ' << objectName(c);
            for (int slot :
                 {RectControlProp::Left, RectControlProp::Top, RectControlProp::Width, RectControlProp::Height})
                out << ' ' << property(c, slot).asInteger();
            out << ' ' << property(c, RectControlProp::Visible).asBoolean() << ' '
                << property(c, RectControlProp::Enabled).asBoolean() << ' ' << textOf(c) << '\n';
        }
    }
    testing::answerOpenFileDialog(std::nullopt);
    std::vector<Transition> steps(std::begin(kCycle), std::end(kCycle));
    steps.insert(steps.end(), std::begin(kToThird), std::end(kToThird));
    steps.insert(steps.end(), std::begin(kFourth), std::end(kFourth));
    steps.back().name = "P4-P3";  // the way back the benchmark takes, not a page of the program
    for (const Transition& t : steps) {
        CallRecord::start();
        press(t);
        CallRecord::stop();
        if (std::strcmp(t.name, "-") == 0) continue;
        out << "transition " << t.name << '\n';
        for (const std::string& line : CallRecord::lines()) {
            if (line.rfind("Window.Backdrop.Set ", 0) == 0)
                out << "backdrop " << line.substr(line.rfind(' ') + 1) << '\n';
            if (line.rfind("RectControl.Visible.Set ", 0) == 0)
                out << "visible " << line.substr(24, line.rfind(' ') - 24) << ' ' << (line.ends_with("true") ? 1 : 0)
                    << '\n';
        }
    }
    out << "end\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s mode bundle-executable [argument]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const std::string argument = argc > 3 ? argv[3] : "";
    testing::setExecutablePath(argv[2]);
    probes::setWindowPainted(&onPaintStart);

    if (mode == "first-paint") {
        probes::setWindowPainted([](WindowObject*) { finish(); });
    } else if (mode == "timers") {
        probes::setWakeRequested(&onWakeRequested);
        probes::setTimersDue(&onTimersDue);
    } else if (mode == "window2") {
        g_afterSplash = [] {
            const Clock::time_point t0 = Clock::now();
            WindowObject* w = Window2::Window2();
            const double us = usSince(t0);
            RuntimeUnlockObject(w);
            std::printf("window2_us %.1f\n", us);
            finish();
        };
    } else if (mode == "pages") {
        startPages(argument.empty() ? 20 : std::atoi(argument.c_str()));
    } else if (mode == "first-load") {
        g_afterSplash = [] {
            for (const PictureAccessor& p : kPictures) {
                if (std::strcmp(p.name, "li") == 0) continue;  // the splash's own, loaded already
                const Clock::time_point t0 = Clock::now();
                PictureObject* picture = p.get();
                const double us = usSince(t0);
                if (!picture) {
                    std::fprintf(stderr, "picture %s did not load\n", p.name);
                    std::exit(1);
                }
                RuntimeUnlockObject(picture);
                std::printf("first_load_us %s %.1f\n", p.name, us);
            }
            finish();
        };
    } else if (mode == "memory") {
        g_afterSplash = [] {
            buildEveryWindow();
            for (const PictureAccessor& p : kPictures) RuntimeUnlockObject(p.get());
            // Once what the construction posted (each window's Open) has run.
            presenter().post([] {
                std::printf("vmhwm_kb %ld\n", vmHwmKb());
                finish();
            });
        };
    } else if (mode == "describe") {
        g_afterSplash = [argument] {
            describe(argument);
            finish();
        };
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    installQtPresentation();  // as the program's entry does
    std::exit(Pmain());
}
