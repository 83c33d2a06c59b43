// A library loaded into the program's Qt that ends the process itself, as Qt's
// own plugins may: Qt loads it as a generic plugin (QT_QPA_GENERIC_PLUGINS=
// pw-standin:<how>), while the application is made. <how> is one of:
//   exit-at-start   two warnings, then exit(1) there, inside Qt's start
//   crash-at-start  two warnings, then SIGSEGV there
//   exit-in-loop    exit(1) from the event loop, once a window with a list box is shown
#include <QApplication>
#include <QComboBox>
#include <QGenericPlugin>
#include <QTimer>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

bool listBoxShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->findChild<QComboBox*>()) return true;
    return false;
}

}  // namespace

class StandInPlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "StandInPlugin.json")

public:
    QObject* create(const QString&, const QString& how) override {
        if (how == "exit-at-start" || how == "crash-at-start") {
            qWarning("stand-in: first held message");
            qWarning("stand-in: second held message");
            if (how == "exit-at-start") std::exit(1);
            std::raise(SIGSEGV);
        }
        auto* owner = new QObject;  // kept by Qt for the life of the application
        if (how == "exit-in-loop") {
            auto* poll = new QTimer(owner);
            QObject::connect(poll, &QTimer::timeout, [] {
                if (!listBoxShown()) return;
                std::fputs("stand-in: ends the process from the event loop\n", stderr);
                std::exit(1);
            });
            poll->start(50);
        }
        return owner;
    }
};

#include "StandInPlugin.moc"
