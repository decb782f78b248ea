#include "link/TDiagnosticLiaison.h"

#include <QDir>
#include <QSaveFile>
#include <QTime>

namespace {

constexpr qsizetype octetsParLigne = 16;

QString enTete()
{
    return QStringLiteral("Trace de la liaison série, %1 derniers octets "
                          "(E : émis vers l'instrument, R : reçu de l'instrument)\n")
        .arg(TDiagnosticLiaison::octetsTraces);
}

QChar lisible(std::uint8_t c)
{
    return c >= 32 && c < 127 ? QChar(static_cast<char16_t>(c)) : QChar(u'.');
}

QString ligneTrace(bool emis, const QByteArray& groupe)
{
    QString hexa;
    QString texte;
    for (char c : groupe) {
        const auto octet = static_cast<std::uint8_t>(c);
        hexa += QStringLiteral("%1 ").arg(int{octet}, 2, 16, QChar(u'0')).toUpper();
        texte += lisible(octet);
    }
    // One pass of arg(), so a "%" among the received bytes stays as it is.
    return QStringLiteral("%1  %2 |%3|\n")
        .arg(QString(emis ? QChar(u'E') : QChar(u'R')), hexa.leftJustified(3 * octetsParLigne),
             texte);
}

bool ecritFichier(const QString& chemin, const QString& contenu)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    fichier.write(contenu.toUtf8());
    return fichier.commit();
}

} // namespace

void TDiagnosticLiaison::trace(bool emis, const QByteArray& octets)
{
    for (char c : octets) octets_.push_back({emis, static_cast<std::uint8_t>(c)});
    while (octets_.size() > octetsTraces) octets_.pop_front();
}

void TDiagnosticLiaison::journal(const QString& evenement)
{
    QString ligne = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz  "));
    ligne += evenement;
    ligne += u'\n';
    tailleJournal_ += ligne.size();
    lignes_.push_back(std::move(ligne));
    while (tailleJournal_ > caracteresJournal && lignes_.size() > 1) {
        tailleJournal_ -= lignes_.front().size();
        lignes_.pop_front();
    }
}

QString TDiagnosticLiaison::texteTrace() const
{
    QString texte = enTete();
    QByteArray groupe;
    bool sens = false;
    for (const TOctet& octet : octets_) {
        if (!groupe.isEmpty() && (octet.emis != sens || groupe.size() == octetsParLigne)) {
            texte += ligneTrace(sens, groupe);
            groupe.clear();
        }
        sens = octet.emis;
        groupe += static_cast<char>(octet.valeur);
    }
    if (!groupe.isEmpty()) texte += ligneTrace(sens, groupe);
    return texte;
}

QString TDiagnosticLiaison::texteJournal() const
{
    QString texte;
    for (const QString& ligne : lignes_) texte += ligne;
    return texte;
}

bool TDiagnosticLiaison::ecrit(const QString& dossier) const
{
    const QDir d(dossier);
    const bool trace = ecritFichier(d.filePath(nomTrace), texteTrace());
    const bool journal = ecritFichier(d.filePath(nomJournal), texteJournal());
    return trace && journal;
}
