#pragma once

// Prints "first-paint NS" on standard output, NS being CLOCK_MONOTONIC in
// nanoseconds, once `window` has been painted and flushed for the first time.
// The timer fires after the paint that triggered it has reached the screen.

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, this, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("first-paint %lld\n", static_cast<long long>(
                    std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
            });
        }
        return false;
    }

private:
    bool reported_ = false;
};
