#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Processes events until the condition holds or the time is up (a guard
// against a hung test, never reached when the code is right). Returns whether
// the condition holds.
template <typename Condition>
bool attendQue(Condition condition, int delaiMaxMs = 10000)
{
    QElapsedTimer chrono;
    chrono.start();
    while (!condition()) {
        if (chrono.elapsed() > delaiMaxMs) return false;
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
    return true;
}

// Lets queued events and arrived bytes be delivered for a short while.
inline void laissePasser(int ms = 20)
{
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::usleep(200);
    }
}
