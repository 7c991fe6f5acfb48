// For measuring start-up from outside: with KALIDO_PAINT_TRACE set, the time at which each window's
// first paint has been handed to the window system is written to stderr, as
// "painted <CLOCK_MONOTONIC nanoseconds> <window title>". Without it nothing is installed.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <set>

namespace kalido {

class PaintTrace : public QObject {
public:
    static void InstallIfAsked(QApplication& app)
    {
        if (qEnvironmentVariableIsSet("KALIDO_PAINT_TRACE"))
            app.installEventFilter(new PaintTrace(&app));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = event->type() == QEvent::Paint ? qobject_cast<QWidget*>(watched) : nullptr;
        if (widget && windows_.insert(widget->window()).second) {
            // The window's paint is flushed before the event loop runs this.
            QTimer::singleShot(0, this, [title = widget->window()->windowTitle()] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::fprintf(stderr, "painted %lld %s\n", static_cast<long long>(std::chrono::nanoseconds(now).count()),
                             qPrintable(title));
            });
        }
        return false;
    }

private:
    using QObject::QObject;
    std::set<QWidget*> windows_;
};

} // namespace kalido
