#pragma once

#include <QObject>

#include <csignal>
#include <functional>
#include <iterator>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a session that logs out, a script that
// stops the program, Ctrl+C) into a call on the user-interface thread, so that
// the program can end as if its window were closed and write its settings.
// One at a time per process; the previous handlers come back at destruction.
class TSignauxArret : public QObject {
    Q_OBJECT

public:
    explicit TSignauxArret(std::function<void()> arret, QObject* parent = nullptr);
    ~TSignauxArret() override;

    TSignauxArret(const TSignauxArret&) = delete;
    TSignauxArret& operator=(const TSignauxArret&) = delete;

    static constexpr int signaux[] = {SIGTERM, SIGINT, SIGHUP};

private:
    static void recoit(int signal);
    void vide();

    std::function<void()> arret_;
    QSocketNotifier* notificateur_ = nullptr;
    struct sigaction anciens_[std::size(signaux)] {};
};
