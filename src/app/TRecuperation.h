#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TCinetiqueForm;
class TFormMain;

// At start-up: the journals left by curves that were neither exported nor
// cleared (a crash, a power cut, or a session ended without saving) are
// offered back. "Oui" puts each curve back into its window, ready to be
// exported or printed; "Non" sets the files aside, renamed, never deleted.
class TRecuperation {
public:
    static inline const QString question =
        QStringLiteral("Des mesures de la session précédente n'ont pas été sauvegardées. Les récupérer ?");
    static inline const QString suffixeEcarte = QStringLiteral(".ecarte");

    explicit TRecuperation(QString dossier);

    // The journals that hold at least one complete point. Those that hold
    // none (a scan that never sent a point) are removed: nothing was measured.
    QStringList journaux() const;

    // Asks (question: true for "Oui") when there is anything to bring back.
    // ouvreCinetique gives the kinetics window, created if needed.
    void propose(TFormMain& principale, const std::function<TCinetiqueForm&()>& ouvreCinetique,
                 const std::function<bool()>& question) const;

    // The default question box.
    static bool demande();

private:
    void metDeCote(const QString& chemin) const;

    QString dossier_;
};
