#pragma once

#include <QObject>
#include <QTimer>

// The reading clock of a kinetics run: a precise timer whose period is the
// time step. Setting the period it already has, or starting it while it
// runs, changes nothing; a new period restarts the count from that moment.
// Tests replace lance and arrete to tick by hand.
class TMinuterie : public QObject {
    Q_OBJECT

public:
    explicit TMinuterie(QObject* parent = nullptr);

    int periode() const { return periode_; }
    bool active() const { return active_; }

    void setPeriode(int ms);
    void setActive(bool active);

Q_SIGNALS:
    void tic();

protected:
    // Starts counting a period from now; stops counting.
    virtual void lance(int ms);
    virtual void arrete();

private:
    QTimer timer_;
    int periode_ = 1000;
    bool active_ = false;
};
