#include "app/TRecuperation.h"

#include "common/TJournalMesures.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

TRecuperation::TRecuperation(QString dossier) : dossier_(std::move(dossier)) {}

QStringList TRecuperation::journaux() const
{
    QStringList trouves;
    const QDir dossier(dossier_);
    for (const QString& nom : {QStringLiteral("spectre"), QStringLiteral("cinetique")}) {
        const QString chemin = dossier.filePath(nom + TJournalMesures::suffixe);
        if (!QFile::exists(chemin)) continue;
        const TCourbeJournal journal = lisJournalFichier(chemin);
        if (journal.valide && rejoue(journal).nombre > 0)
            trouves << chemin;
        else if (journal.valide)
            QFile::remove(chemin);
        else
            metDeCote(chemin);
    }
    return trouves;
}

void TRecuperation::propose(TFormMain& principale, const std::function<TCinetiqueForm&()>& ouvreCinetique,
                            const std::function<bool()>& question) const
{
    const QStringList chemins = journaux();
    if (chemins.isEmpty()) return;
    if (!question()) {
        for (const QString& c : chemins) metDeCote(c);
        return;
    }
    for (const QString& chemin : chemins) {
        const TCourbeJournal journal = lisJournalFichier(chemin);
        const TCourbeRejouee courbe = rejoue(journal);
        if (journal.entete.value(QStringLiteral("fenetre")) == u"cinetique")
            ouvreCinetique().restaureRun(courbe, journal.entete);
        else
            principale.restaureSpectre(courbe, journal.entete);
    }
}

// Kept under another name: another look at it is always possible.
void TRecuperation::metDeCote(const QString& chemin) const
{
    const QString horodatage = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString cible = chemin + u'.' + horodatage + suffixeEcarte;
    for (int k = 2; QFile::exists(cible); ++k)
        cible = chemin + u'.' + horodatage + u'-' + QString::number(k) + suffixeEcarte;
    QFile::rename(chemin, cible);
}

bool TRecuperation::demande()
{
    QMessageBox boite(QMessageBox::Question, QStringLiteral("Lumko"), question, QMessageBox::NoButton);
    QPushButton* oui = boite.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    boite.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    boite.setDefaultButton(oui);
    boite.exec();
    return boite.clickedButton() == oui;
}
