#include "kinetics/TCadenceLectures.h"

void TCadenceLectures::commence(qint64 maintenantMs)
{
    debutMs_ = maintenantMs;
    lectureDemandee_ = false;
}

int TCadenceLectures::secondes(qint64 maintenantMs) const
{
    return static_cast<int>(std::max<qint64>(0, maintenantMs - debutMs_) / 1000);
}

TCadenceLectures::TAction TCadenceLectures::decide(qint64 maintenantMs, bool lienOccupe, bool transfert, int dureeS,
                                                   int pasS, int periodeMs) const
{
    if (secondes(maintenantMs) > dureeS + pasS) return TAction::eTermine;
    if (transfert) return TAction::eRien;
    if (!lienOccupe) return TAction::eDemande;
    // Only a reading of ours is ever abandoned: a command of the main window
    // is the user's to stop.
    const bool horsDelai = lectureDemandee_ && maintenantMs - debutLectureMs_ >= delaiLectureMs(periodeMs);
    return horsDelai ? TAction::eAbandonne : TAction::eRien;
}

void TCadenceLectures::demandee(qint64 maintenantMs)
{
    lectureDemandee_ = true;
    debutLectureMs_ = maintenantMs;
}
