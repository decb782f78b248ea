#include "app/TRecuperation.h"

#include "app/TQuestionRecuperation.h"
#include "common/TJournalMesures.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

#include <QFile>

#include <utility>

TRecuperation::TRecuperation(QString dossier) : dossier_(std::move(dossier)) {}

// Each journal is held (locked) from the moment it is looked at until the
// answer has been carried out, so that no other process takes it over or
// starts writing into it in between.
TRecuperation::TJournauxTenus TRecuperation::retiens() const
{
    TJournauxTenus tenus;
    for (const QString& nom : {QStringLiteral("spectre"), QStringLiteral("cinetique")}) {
        auto journal = std::make_unique<TJournalMesures>(dossier_, nom);
        if (!QFile::exists(journal->chemin())) continue;
        if (!journal->reprend() && journal->tenuAilleurs()) continue;
        const TCourbeJournal lu = lisJournalFichier(journal->chemin());
        if (lu.valide && rejoue(lu).nombre > 0)
            tenus.push_back(std::move(journal));
        else if (lu.valide)
            journal->abandonne();
        else
            TJournalMesures::metDeCote(journal->chemin());
    }
    return tenus;
}

QStringList TRecuperation::journaux() const
{
    QStringList chemins;
    for (const auto& journal : retiens()) chemins << journal->chemin();
    return chemins;
}

void TRecuperation::propose(TFormMain& principale, const std::function<TCinetiqueForm&()>& ouvreCinetique,
                            const std::function<Reponse()>& question) const
{
    TJournauxTenus tenus = retiens();
    if (tenus.empty()) return;
    const Reponse reponse = question();
    QStringList chemins;
    for (const auto& journal : tenus) {
        chemins << journal->chemin();
        if (reponse == Reponse::non) TJournalMesures::metDeCote(journal->chemin());
    }
    // The windows take the journals over from here (TJournalMesures::reprend).
    tenus.clear();
    if (reponse != Reponse::oui) return;
    for (const QString& chemin : chemins) {
        const TCourbeJournal journal = lisJournalFichier(chemin);
        const TCourbeRejouee courbe = rejoue(journal);
        if (journal.entete.value(QStringLiteral("fenetre")) == u"cinetique")
            ouvreCinetique().restaureRun(courbe, journal.entete);
        else
            principale.restaureSpectre(courbe, journal.entete);
    }
}

TRecuperation::Reponse TRecuperation::demande()
{
    TQuestionRecuperation boite;
    boite.exec();
    return boite.reponse();
}
