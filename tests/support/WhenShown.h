#pragma once
#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `act` on the modal dialog once the program's exec() shows it.
inline void whenShown(const std::function<void(QWidget *)> &act)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            timer->deleteLater();
            timer->stop();
            act(w);
        }
    });
    timer->start();
}
