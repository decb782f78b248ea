#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

// Lets the event loop run until the condition holds or the time is out, so
// that sockets, child processes and posted events are served meanwhile.
template <typename Condition>
bool attendsQue(Condition condition, int delaiMs = 10000)
{
    const QDeadlineTimer limite(delaiMs);
    while (!condition()) {
        if (limite.hasExpired()) return false;
        QEventLoop boucle;
        QTimer::singleShot(5, &boucle, &QEventLoop::quit);
        boucle.exec();
    }
    return true;
}
