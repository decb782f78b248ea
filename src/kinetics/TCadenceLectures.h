#pragma once

#include <QtGlobal>

#include <algorithm>

// The pace of a run's readings: when the run started on the monotonic clock,
// which reading of ours the link still has, and what each tick of the reading
// clock must do. Plain logic on times given by the caller, so that a table of
// cases tries it without a window, a clock or an instrument.
class TCadenceLectures {
public:
    enum class TAction {
        eRien,      // a reading, a command or a transfer is under way: ask nothing
        eDemande,   // ask for the next reading
        eAbandonne, // our reading outlived its bound: end it as Stop would
        eTermine,   // a whole step past the duration without the last reading: end the run
    };

    // How long a reading may stay unanswered: a reading takes well under a
    // second and the handshake alone gives up after 5 s; two time steps leave
    // a slow reading at a long step its chance.
    static qint64 delaiLectureMs(int periodeMs) { return std::max<qint64>(10000, 2 * qint64 {periodeMs}); }

    void commence(qint64 maintenantMs);
    // Whole seconds since the start, never negative.
    int secondes(qint64 maintenantMs) const;

    // What a tick does. lienOccupe: the link has a command or results under
    // way; transfert: a transfer runs, whose waits ours must not break into.
    TAction decide(qint64 maintenantMs, bool lienOccupe, bool transfert, int dureeS, int pasS, int periodeMs) const;
    // The reading just asked for is ours.
    void demandee(qint64 maintenantMs);
    // The run ended or stopped: no reading of ours is pending.
    void oublie() { lectureDemandee_ = false; }

private:
    qint64 debutMs_ = 0;
    bool lectureDemandee_ = false;
    qint64 debutLectureMs_ = 0;
};
