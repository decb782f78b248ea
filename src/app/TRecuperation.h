#pragma once

#include "common/TJournalMesures.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TCinetiqueForm;
class TFormMain;

// At start-up: the journals left by curves that were neither exported nor
// cleared (a crash, a power cut, or a session ended without saving) are
// offered back. "Oui" puts each curve back into its window, ready to be
// exported or printed; "Non" sets the files aside, renamed, never deleted;
// no answer (the program stopped while asking, the box closed) leaves them
// to be offered at the next start. A journal another process holds (a copy
// still measuring into it) is never touched nor offered.
class TRecuperation {
public:
    enum class Reponse { oui, non, sansReponse };

    static inline const QString question =
        QStringLiteral("Des mesures de la session précédente n'ont pas été sauvegardées. Les récupérer ?");
    static inline const QString& suffixeEcarte = TJournalMesures::suffixeEcarte;

    explicit TRecuperation(QString dossier);

    // The journals that hold at least one complete point. Those that hold
    // none (a scan that never sent a point) are removed: nothing was measured.
    QStringList journaux() const;

    // Asks when there is anything to bring back. ouvreCinetique gives the
    // kinetics window, created if needed.
    void propose(TFormMain& principale, const std::function<TCinetiqueForm&()>& ouvreCinetique,
                 const std::function<Reponse()>& question) const;

    // The default question box (TQuestionRecuperation).
    static Reponse demande();

private:
    using TJournauxTenus = std::vector<std::unique_ptr<TJournalMesures>>;
    TJournauxTenus retiens() const;

    QString dossier_;
};
