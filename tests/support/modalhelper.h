#ifndef MODALHELPER_H
#define MODALHELPER_H

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs an action on the next modal widget that comes up (a message box opened from inside a dialog slot),
// while the caller's code is blocked in that box's exec(). Polls until the box is there.
inline void onNextModal(std::function<void(QWidget *)> action, QWidget *notThis = nullptr) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, notThis] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == notThis)
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

#endif // MODALHELPER_H
