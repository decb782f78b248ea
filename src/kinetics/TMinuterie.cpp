#include "kinetics/TMinuterie.h"

TMinuterie::TMinuterie(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TMinuterie::tic);
}

void TMinuterie::setPeriode(int ms)
{
    if (ms == periode_) return;
    periode_ = ms;
    if (active_) lance(periode_);
}

void TMinuterie::setActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    if (active_)
        lance(periode_);
    else
        arrete();
}

void TMinuterie::lance(int ms)
{
    timer_.start(ms);
}

void TMinuterie::arrete()
{
    timer_.stop();
}
