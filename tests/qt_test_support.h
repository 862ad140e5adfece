#pragma once

// The Qt backend for tests, made once for the whole test program (Qt allows one
// QApplication), and a way to answer the modal boxes a click opens.

#include "platform/ui/components.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Qt's strings as text in test failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace testing_support {

components::Backend& QtBackend();

// Acts on the next modal box of type Box as soon as it shows, from inside the
// box's own event loop; the test fails if none shows within ten seconds.
template <class Box>
void WhenShown(std::function<void(Box*)> act) {
    auto* timer = new QTimer();
    const QDeadlineTimer deadline(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        if (!box && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (!box) {
            ADD_FAILURE() << "no " << Box::staticMetaObject.className() << " showed";
            return;
        }
        act(box);
    });
    timer->start(10);
}

} // namespace testing_support
