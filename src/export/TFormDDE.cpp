#include "export/TFormDDE.h"

#include "common/DossierExecution.h"
#include "export/EchangeCinetique.h"
#include "export/EchangeSpectre.h"
#include "export/TConstanteDlg.h"
#include "export/TServeurDDE.h"
#include "graph/Tgraphe.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>

namespace {

// A wait that keeps the windows painting and the serial line served, but
// lets nothing be started by the user in the middle of a transfer.
void attendSansSaisie(int ms)
{
    QEventLoop boucle;
    QTimer::singleShot(ms, Qt::PreciseTimer, &boucle, &QEventLoop::quit);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
}

void messageSimple(const QString& texte)
{
    QMessageBox::information(nullptr, QStringLiteral("Lumko"), texte);
}

bool lanceDetache(const QString& programme, const QStringList& arguments)
{
    return QProcess::startDetached(programme, arguments);
}

void clipboardTexte(const QString& texte)
{
    QGuiApplication::clipboard()->setText(texte);
}

} // namespace

QByteArray macroEnvoi(Tenvoi ordre)
{
    switch (ordre) {
    case Tenvoi::eAdd: return QByteArrayLiteral("CLIP|ADD");
    case Tenvoi::eLoad: return QByteArrayLiteral("CLIP|LOAD");
    case Tenvoi::ePlus: return QByteArrayLiteral("CLIP|PLUS");
    case Tenvoi::eAddCol: return QByteArrayLiteral("CLIP|ADDCOL");
    }
    return {};
}

TFormDDE::TFormDDE(QObject* parent)
    : QObject(parent)
    , attente(attendSansSaisie)
    , boiteMessage(messageSimple)
    , lanceProgramme(lanceDetache)
    , pressePapiers(clipboardTexte)
    , horloge([] { return QDateTime::currentDateTime(); })
    , sonde(std::make_unique<TVerrouNomme>(QStringLiteral("Tabrelix"), dossierLumko()))
    , chemin_(litCheminApplication())
{
}

TFormDDE::~TFormDDE() = default;

QString TFormDDE::litCheminApplication()
{
    const QSettings reglages(QStringLiteral("Tabrelix"), QStringLiteral("Tabrelix"));
    const QVariant valeur = reglages.value(QStringLiteral("Path"));
    if (valeur.typeId() != QMetaType::QString) return QStringLiteral("tabrelix");
    return valeur.toString();
}

TContexteExport TFormDDE::contexte() const
{
    return {QCoreApplication::applicationFilePath(), constantes_ ? constantes_->commentaire() : QString(),
            texteDateHeure(horloge())};
}

bool TFormDDE::nouveauFichier() const
{
    return constantes_ == nullptr || constantes_->nouveauFichier();
}

void TFormDDE::setNouvellePage()
{
    if (constantes_) constantes_->setNouvellePage();
}

void TFormDDE::metDansPressePapiers(const QStringList& lignes)
{
    pressePapiers(texteLignes(lignes));
}

bool TFormDDE::EnvoieDonneesSpectre(Tgraphe& Agraphe, bool DDE)
{
    const bool nouveau = nouveauFichier();
    metDansPressePapiers(texteTransfertSpectre(Agraphe, contexte(), nouveau));
    if (!DDE) return true;
    if (!Execute(nouveau ? Tenvoi::eLoad : Tenvoi::eAdd)) return false;
    // The current curve is in: the next transfer adds a page, whatever
    // becomes of the kept spectra.
    setNouvellePage();
    return envoieCourbesConservees(Agraphe);
}

// Each kept spectrum gets the clipboard to itself for a second before the
// next one replaces it. A spectrum that cannot go means the analysis
// program is gone: the ones after it would fail the same way.
bool TFormDDE::envoieCourbesConservees(const Tgraphe& Agraphe)
{
    // The last kept curve is the current one when it was kept since its scan.
    const int n = static_cast<int>(Agraphe.listeDonnees.size()) - (Agraphe.dataSaved ? 1 : 0);
    for (int i = 0; i < n; ++i) {
        attente(1000);
        envoieCourbeConservee(Agraphe, i);
        if (!envoieMacro(Tenvoi::eAdd)) return false;
    }
    return true;
}

void TFormDDE::envoieCourbeConservee(const Tgraphe& Agraphe, int i)
{
    metDansPressePapiers(texteCourbeConservee(Agraphe, i, contexte()));
}

// A failed transfer leaves the page choice alone: the analysis program
// opened no file, so the next attempt must still ask for one.
bool TFormDDE::EnvoieDonneesCinetique(Tgraphe& Agraphe, bool DDE)
{
    metDansPressePapiers(texteTransfertCinetique(Agraphe, contexte()));
    if (DDE && !Execute(nouveauFichier() ? Tenvoi::eLoad : Tenvoi::eAdd)) return false;
    setNouvellePage();
    return true;
}

bool TFormDDE::Execute(Tenvoi Ordre)
{
    lancementTente_ = false;
    return envoieMacro(Ordre);
}

bool TFormDDE::envoieMacro(Tenvoi Ordre)
{
    lanceTabrelix();
    if (!tenteConnexion(QStringLiteral("TABRELIX"))) {
        attente(1000);
        if (!tenteConnexion(QStringLiteral("Tabrelix"))) {
            boiteMessage(texteImpossible);
            return false;
        }
    }
    const bool envoye = ClientDDE.execute(macroEnvoi(Ordre));
    if (!envoye) boiteMessage(texteNonExecute);
    ClientDDE.ferme();
    return envoye;
}

QString TFormDDE::texteSondeImpossible(const QString& raison)
{
    return QStringLiteral("Lumko ne peut pas savoir si Tabrelix est lancé (%1). Il le lance cette fois-ci, "
                          "puis le considère comme lancé jusqu'à sa fermeture.")
        .arg(raison);
}

// Once the name is ours, later probes take the analysis program to be
// running, as they would with the program that holds it. So do they when
// the name cannot be had at all: the first probe says so, once, and starts
// the program; the later ones do not start it again.
void TFormDDE::lanceTabrelix()
{
    if (sonde && sonde->existeDeja()) return;
    if (sonde && !sonde->echec().isEmpty()) boiteMessage(texteSondeImpossible(sonde->echec()));
    if (lanceUneFois(chemin_, {})) attente(2000);
}

bool TFormDDE::tenteConnexion(const QString& service)
{
    if (!ClientDDE.connecte(service, sujet)) {
        const QString ligne = chemin_.isEmpty() ? service + u' ' + sujet : chemin_;
        if (lanceLigne(ligne)) ClientDDE.connecte(service, sujet);
    }
    if (!ClientDDE.ouverte()) return false;
    ClientDDE.demandeAvis(item, delaiAvisMs);
    return true;
}

// A command line: the path of a program as it stands when it names a file,
// otherwise split into the program and its arguments.
bool TFormDDE::lanceLigne(const QString& ligne)
{
    if (QFileInfo(ligne).isFile()) return lanceUneFois(ligne, {});
    QStringList parties = QProcess::splitCommand(ligne);
    if (parties.isEmpty()) return false;
    const QString programme = parties.takeFirst();
    return lanceUneFois(programme, parties);
}

// A program that does not answer after one start is not helped by another:
// each one, coming up late, would leave one more copy of it open.
bool TFormDDE::lanceUneFois(const QString& programme, const QStringList& arguments)
{
    if (lancementTente_) return false;
    lancementTente_ = true;
    return lanceProgramme(programme, arguments);
}

bool TFormDDE::ecouteServeur(const QString& service)
{
    ServeurDDE = std::make_unique<TServeurDDE>(service, sujet);
    ServeurDDE->surExecute = [this](const QByteArray& donnees) { return ExecuteMacro(donnees); };
    return ServeurDDE->ecoute();
}

bool TFormDDE::ExecuteMacro(const QByteArray& Msg)
{
    QString texte = QString::fromLatin1(Msg);
    // Lines end at CR, LF or CR LF; a break at the very end opens no new line.
    if (texte.endsWith(QStringLiteral("\r\n")))
        texte.chop(2);
    else if (texte.endsWith(u'\n') || texte.endsWith(u'\r'))
        texte.chop(1);
    const bool uneLigne = !Msg.isEmpty() && !texte.contains(u'\n') && !texte.contains(u'\r');
    if (uneLigne) Q_EMIT activationDemandee();
    return true;
}
