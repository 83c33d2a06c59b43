// The measuring sticks: bare Qt programs doing what the program's figures do,
// with nothing in between. The forms come from the file the probe writes
// ("describe"), so both sides build the same widgets.
//
//   pw_floor <mode> <resources folder> [forms file] [argument]
//   splash [exit]      shows the 440 x 147 splash with li.jpg (exit: ends at its first frame)
//   reference OUT      writes li.jpg decoded, 0x00RRGGBB per pixel, to OUT
//   window2 FORMS      builds the main window's widgets directly, first in the process
//   pages FORMS N      each page transition: a cached backdrop swapped, the same visibility changes
//   first-load         decodes each picture but li.jpg once
//   memory FORMS       every window's widgets built and every picture decoded and kept
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "common/Measure.h"
#include "forms/PictureNames.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using measure::Clock;
using measure::finish;
using measure::usSince;
using measure::vmHwmKb;

namespace {

QString g_resources;
QString resource(const std::string& file) { return g_resources + '/' + QString::fromStdString(file); }

// ---- Forms ------------------------------------------------------------------------------

struct ControlForm {
    std::string kind, name;
    int left, top, width, height;
    bool visible, enabled;
    std::string text;
};
struct WindowForm {
    std::string name;
    int width, height;
    std::string backdrop;
    bool visible;
    std::vector<ControlForm> controls;
};
struct TransitionForm {
    std::string name, backdrop;
    std::vector<std::pair<std::string, bool>> visibility;
};
struct Forms {
    std::vector<WindowForm> windows;
    std::vector<TransitionForm> transitions;
};

Forms readForms(const std::string& path) {
    Forms forms;
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string what;
        words >> what;
        if (what == "window") {
            WindowForm w;
            words >> w.name >> w.width >> w.height >> w.backdrop >> w.visible;
            forms.windows.push_back(w);
        } else if (what == "control") {
            ControlForm c;
            words >> c.kind >> c.name >> c.left >> c.top >> c.width >> c.height >> c.visible >> c.enabled;
            std::getline(words >> std::ws, c.text);
            forms.windows.back().controls.push_back(c);
        } else if (what == "transition") {
            forms.transitions.push_back({});
            words >> forms.transitions.back().name;
        } else if (what == "backdrop") {
            words >> forms.transitions.back().backdrop;
        } else if (what == "visible") {
            std::string name;
            bool visible = false;
            words >> name >> visible;
            forms.transitions.back().visibility.emplace_back(name, visible);
        }
    }
    return forms;
}

const WindowForm& windowNamed(const Forms& forms, const std::string& suffix) {
    for (const WindowForm& w : forms.windows)
        if (w.name.ends_with(suffix)) return w;
    std::fprintf(stderr, "no window %s in the forms\n", suffix.c_str());
    std::exit(1);
}

// ---- Widgets -------------------------------------------------------------------------------

std::function<void(QWidget*)> g_painted;  // after a top-level's own paint

class Backdrop : public QWidget {
public:
    Backdrop(int width, int height) {
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                       Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
        setFixedSize(width, height);
    }
    const QPixmap* picture = nullptr;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture) return;
        QPainter painter(this);
        painter.drawPixmap(0, 0, *picture);
        if (g_painted) g_painted(this);
    }
};

struct BuiltWindow {
    std::unique_ptr<Backdrop> widget;
    std::map<std::string, QWidget*> controls;
};

QStringList items(const std::string& text) {
    QStringList list = QString::fromStdString(text).split('|');
    if (!list.isEmpty() && list.back().isEmpty()) list.pop_back();
    return list;
}

BuiltWindow build(const WindowForm& form) {
    BuiltWindow built{std::make_unique<Backdrop>(form.width, form.height), {}};
    QWidget* parent = built.widget.get();
    for (const ControlForm& c : form.controls) {
        QWidget* w = nullptr;
        if (c.kind == "button") {
            auto* b = new QPushButton(QString::fromStdString(c.text), parent);
            b->setFocusPolicy(Qt::NoFocus);  // drawn and focused as the program's bevel buttons
            w = b;
        } else if (c.kind == "checkbox") {
            w = new QCheckBox(QString::fromStdString(c.text), parent);
        } else if (c.kind == "textfield") {
            w = new QLineEdit(parent);
        } else if (c.kind == "combobox") {
            auto* box = new QComboBox(parent);
            box->setEditable(true);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->addItems(items(c.text));
            w = box;
        } else {
            w = new QWidget(parent);  // a hot spot: paints nothing
        }
        w->setGeometry(c.left, c.top, c.width, c.height);
        w->setVisible(c.visible);
        w->setEnabled(c.enabled);
        built.controls[c.name] = w;
    }
    return built;
}

void post(std::function<void()> f) { QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection); }

// Shows a window centred on the screen, where the program opens its windows.
// (On the benchmarks' Xvfb the pointer rests at the screen's centre, over both
// sides' windows, as over a window the user clicks in.)
void showCentred(QWidget* window) {
    QRect place(QPoint(0, 0), window->size());
    place.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    window->setGeometry(place);
    window->show();
}

// ---- Page transitions -----------------------------------------------------------------

struct PageRun {
    BuiltWindow window;
    std::map<std::string, QPixmap> cache;      // each backdrop, converted once
    std::vector<const TransitionForm*> steps;  // nullptr: unmeasured
    std::vector<const TransitionForm*> names;  // what each step does
    size_t next = 0;
    bool awaitingFrame = false;
    Clock::time_point started;
    std::map<std::string, std::vector<double>> samples;
};
PageRun g_pages;

void nextPage() {
    if (g_pages.next == g_pages.steps.size()) {
        for (const auto& [name, values] : g_pages.samples) {
            std::printf("transition_us %s", name.c_str());
            for (double v : values) std::printf(" %.1f", v);
            std::printf("\n");
        }
        finish();
    }
    const TransitionForm& t = *g_pages.names[g_pages.next++];
    g_pages.awaitingFrame = true;
    g_pages.started = Clock::now();
    g_pages.window.widget->picture = &g_pages.cache.at(t.backdrop);
    g_pages.window.widget->update();
    for (const auto& [name, visible] : t.visibility) g_pages.window.controls.at(name)->setVisible(visible);
}

void onPagePainted(QWidget*) {
    if (!g_pages.awaitingFrame) return;
    g_pages.awaitingFrame = false;
    post([] {
        if (g_pages.next > 0 && g_pages.steps[g_pages.next - 1]) {
            const TransitionForm& t = *g_pages.steps[g_pages.next - 1];
            g_pages.samples[t.name].push_back(usSince(g_pages.started));
        }
        nextPage();
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s mode resources [forms] [argument]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    g_resources = QString::fromLocal8Bit(argv[2]);
    const std::string third = argc > 3 ? argv[3] : "";
    const std::string fourth = argc > 4 ? argv[4] : "";

    if (mode == "reference") {
        const QImage image = QImage(resource("li.jpg")).convertToFormat(QImage::Format_RGB32);
        std::ofstream out(third, std::ios::binary);
        for (int y = 0; y < image.height(); ++y)
            out.write(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
        return image.isNull() || !out ? 1 : 0;
    }

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QPixmap liPicture(resource("li.jpg"));
    Backdrop splash(440, 147);
    splash.picture = &liPicture;

    // What runs once the splash's first frame is painted.
    std::function<void()> afterSplash;
    Forms forms;
    if (mode == "splash") {
        if (third == "exit") g_painted = [](QWidget*) { finish(); };
    } else if (mode == "window2") {
        forms = readForms(third);
        afterSplash = [&forms] {
            const Clock::time_point t0 = Clock::now();
            const WindowForm& form = windowNamed(forms, "Window2");
            auto* picture = new QImage(resource(form.backdrop));
            BuiltWindow* window = new BuiltWindow(build(form));
            const double us = usSince(t0);
            std::printf("window2_us %.1f\n", us);
            static_cast<void>(picture);
            static_cast<void>(window);
            finish();
        };
    } else if (mode == "pages") {
        forms = readForms(third);
        const int cycles = fourth.empty() ? 20 : std::atoi(fourth.c_str());
        afterSplash = [&forms, cycles] {
            std::map<std::string, const TransitionForm*> byName;
            for (const TransitionForm& t : forms.transitions) byName[t.name] = &t;
            const char* const cycle[] = {"P1-P2", "P2-P3", "P3-P2", "P2-P1"};
            auto add = [](const TransitionForm* t, bool measured) {
                g_pages.names.push_back(t);
                g_pages.steps.push_back(measured ? t : nullptr);
            };
            for (const char* n : cycle) add(byName.at(n), false);  // warm-up
            for (int i = 0; i < cycles; ++i)
                for (const char* n : cycle) add(byName.at(n), true);
            add(byName.at("P1-P2"), false);
            add(byName.at("P2-P3"), false);
            // The fourth page and the benchmark's way back from it, as the probe does.
            for (int i = 0; i <= cycles; ++i) {
                add(byName.at("P3-P4"), i > 0);
                add(byName.at("P4-P3"), false);
            }

            const WindowForm& form = windowNamed(forms, "Window2");
            for (const std::string& file :
                 {form.backdrop, std::string("cd.jpg"), std::string("wd.jpg"), std::string("ad.jpg")})
                g_pages.cache[file] = QPixmap::fromImage(QImage(resource(file)));
            g_pages.window = build(form);
            g_pages.window.widget->picture = &g_pages.cache.at(form.backdrop);
            g_painted = [](QWidget* w) {
                if (w == g_pages.window.widget.get()) onPagePainted(w);
            };
            QWidget* splashWidget = qApp->topLevelWidgets().first();
            for (QWidget* top : qApp->topLevelWidgets())
                if (top->size() == QSize(440, 147)) splashWidget = top;
            splashWidget->hide();
            g_pages.awaitingFrame = true;
            showCentred(g_pages.window.widget.get());
        };
    } else if (mode == "first-load") {
        afterSplash = [] {
            static std::vector<QImage> kept;
            for (std::string_view n : backdrops::kNames) {
                if (n == "li") continue;
                const std::string name(n);
                const Clock::time_point t0 = Clock::now();
                QImageReader reader(resource(name + ".jpg"));
                kept.push_back(reader.read());
                const double us = usSince(t0);
                if (kept.back().isNull()) std::exit(1);
                std::printf("first_load_us %s %.1f\n", name.c_str(), us);
            }
            finish();
        };
    } else if (mode == "memory") {
        forms = readForms(third);
        afterSplash = [&forms] {
            static std::vector<BuiltWindow> windows;
            static std::vector<QImage> pictures;
            for (const WindowForm& form : forms.windows)
                if (!form.name.ends_with("Window1")) windows.push_back(build(form));
            for (std::string_view file : backdrops::kFiles) pictures.push_back(QImage(resource(std::string(file))));
            post([] {
                std::printf("vmhwm_kb %ld\n", vmHwmKb());
                finish();
            });
        };
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    if (afterSplash) {
        g_painted = [&afterSplash, next = g_painted](QWidget* w) {
            if (afterSplash) post(std::exchange(afterSplash, nullptr));
            if (next) next(w);
        };
    }
    showCentred(&splash);
    return app.exec();
}
