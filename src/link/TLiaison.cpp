#include "link/TLiaison.h"

#include "graph/Tgraphe.h"
#include "link/Commandes.h"
#include "link/Reponses.h"
#include "link/THoteCinetique.h"
#include "link/THoteLiaison.h"
#include "link/Tics.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace {

QString texte(const QByteArray& octets)
{
    return QString::fromLatin1(octets);
}

constexpr int renvoisMax = 6;

// Counts a command as under way for as long as its call lasts.
class TCommandeEnCours {
public:
    explicit TCommandeEnCours(int& attentes) : attentes_(attentes) { ++attentes_; }
    ~TCommandeEnCours() { --attentes_; }
    TCommandeEnCours(const TCommandeEnCours&) = delete;
    TCommandeEnCours& operator=(const TCommandeEnCours&) = delete;

private:
    int& attentes_;
};

} // namespace

TLiaison::TLiaison(THoteLiaison& hote, Tgraphe& graphe, const QString& cheminIni,
                   QObject* parent)
    : QObject(parent)
    , hote_(hote)
    , graphe_(graphe)
    , noms_(cheminIni)
    , VoieSerie(noms_)
    , horloge_(horlogeSysteme)
{
    connect(&VoieSerie, &TComPort::OnTriggerAvail, this, &TLiaison::VoieSerieTriggerAvail);
    connect(&VoieSerie, &TComPort::OnTriggerData, this, &TLiaison::VoieSerieTriggerData);
    connect(&VoieSerie, &TComPort::portPerdu, this, &TLiaison::lienPerdu);
    connect(&VoieSerie, &TComPort::ouverture, this, [this] { liaisonPerdue_ = false; });
    VoieSerie.setChoixPort([this] { return choixPortNul(); });
}

TLiaison::~TLiaison() = default;

// ---- Ports -----------------------------------------------------------------

void TLiaison::ConnectBtnClick(bool enfonce)
{
    if (!enfonce) {
        VoieSerie.setOpen(false);
    } else if (!VoieSerie.setOpen(true) || !enregistreDeclencheurs()) {
        VoieSerie.setOpen(false);
        listePorts();
    }
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

// Once for the life of the channel: the registrations survive closing,
// reopening and a change of port.
bool TLiaison::enregistreDeclencheurs()
{
    const std::pair<quint16*, char> declencheurs[] = {
        {&trEOT, octetEOT}, {&trENQ, octetENQ}, {&trNul, octetNUL}};
    for (auto [handle, octet] : declencheurs) {
        if (*handle != 0) continue;
        *handle = VoieSerie.AddDataTrigger(QByteArray(1, octet), true);
        if (*handle == 0) return false;
    }
    return true;
}

void TLiaison::listePorts()
{
    std::vector<int> numeros;
    const QStringList entrees = entreesPorts(&numeros);
    int selection = -1;
    for (std::size_t i = 0; i < numeros.size(); ++i)
        if (numeros[i] == VoieSerie.ComNumber()) selection = static_cast<int>(i);
    if (selection < 0 && !entrees.isEmpty()) selection = 0;
    if (!entrees.isEmpty() && !portExiste(VoieSerie.ComNumber()))
        VoieSerie.setComNumber(static_cast<quint16>(entrees.first().mid(3).toInt()));
    hote_.setListePorts(entrees, selection);
}

void TLiaison::ComPortsChange(const QString& texte)
{
    bool lu = false;
    const int numero = texte.mid(3).toInt(&lu);
    // Only an entry of the list gives a number; edited text is ignored.
    if (!lu || numero <= 0 || numero > 0xFFFF) return;
    if (!VoieSerie.setComNumber(static_cast<quint16>(numero))) hote_.afficheErreur(VoieSerie.erreur());
}

QString TLiaison::nomPort(int n) const
{
    return noms_.nomPort(n);
}

bool TLiaison::portExiste(int n) const
{
    return noms_.portExiste(n);
}

QStringList TLiaison::entreesPorts(std::vector<int>* numeros) const
{
    QStringList entrees;
    for (int n = 1; n <= TNomsPorts::numeroMax; ++n) {
        if (!portExiste(n)) continue;
        entrees << QStringLiteral("COM%1").arg(n);
        numeros->push_back(n);
    }
    return entrees;
}

quint16 TLiaison::choixPortNul()
{
    std::vector<int> numeros;
    const QStringList entrees = entreesPorts(&numeros);
    const int choix = hote_.choisitPort(entrees);
    if (choix < 0 || choix >= static_cast<int>(numeros.size())) return 0;
    return static_cast<quint16>(numeros[static_cast<std::size_t>(choix)]);
}

// ---- Notifications ---------------------------------------------------------

void TLiaison::VoieSerieTriggerAvail(quint16 Count)
{
    for (int i = 0; i < Count; ++i) {
        const std::uint8_t c = VoieSerie.GetChar();
        if (c < 32)
            dernierCarac.ajoute(c);
        else if (reponse.size() < longueurReponse)
            reponse += static_cast<char>(c);
    }
}

void TLiaison::VoieSerieTriggerData(quint16 TriggerHandle)
{
    // The channel goes on whatever a handler meets.
    try {
        traiteDeclencheur(TriggerHandle);
    } catch (const std::exception& e) {
        hote_.afficheErreur(QString::fromLocal8Bit(e.what()));
    }
}

void TLiaison::traiteDeclencheur(quint16 handle)
{
    if (handle == trNul) {
        if (etatSpectre == TEtatSpectre::esLectureAbs)
            litAbs();
        else
            litPoint();
    }
    if (handle == trEOT) {
        envoieACK();
        pointeurNormal();
        etatSpectre = TEtatSpectre::esAttente;
        setBoutons();
    }
    if (handle == trENQ) envoieACK();
}

// A lost line ends every wait as Stop would; what has arrived stays.
void TLiaison::lienPerdu()
{
    liaisonPerdue_ = true;
    ++pertes_;
    arretForce = true;
    reponse.clear();
    pointeurNormal();
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

// ---- Handshake -------------------------------------------------------------

bool TLiaison::envoieChaine(const QByteArray& s)
{
    dernierCarac.vide();
    if (!VoieSerie.PutString(s)) {
        echecOuverture_ = !VoieSerie.Open();
        return false;
    }
    echecOuverture_ = false;
    arretForce = false;
    std::uint32_t debut = horloge_();
    int renvois = 0;
    const unsigned pertes = pertes_;
    for (;;) {
        laisseTravailler();
        if (dernierCarac.contient(octetNAK)) {
            VoieSerie.PutString(s);
            dernierCarac.vide();
            debut = horloge_();
            ++renvois;
        }
        dort();
        if (dernierCarac.contient(octetACK) || renvois >= renvoisMax
            || delaiReponseEcoule(debut, horloge_()) || arretForce || pertes != pertes_)
            break;
    }
    return dernierCarac.contient(octetACK);
}

bool TLiaison::envoieCommande(const QByteArray& cmd)
{
    afficheMessage(QStringLiteral("Envoi de Enquiry ; attente de Acknowledge"));
    if (!envoieChaine(QByteArray(1, octetENQ))) {
        afficheMessage(echecOuverture_ ? VoieSerie.erreur()
                                       : QStringLiteral("Pas de réponse à Enquiry"));
        return false;
    }
    const bool accepte = envoieChaine(cmd + octetNUL);
    afficheMessage(QStringLiteral("Envoi de ") + texte(cmd));
    return accepte;
}

bool TLiaison::executeCommande(const QByteArray& cmd)
{
    const TCommandeEnCours enCours(attentes_);
    resultatsAnnonces_ = false;
    if (hote_.cinetique() == nullptr) setBoutons();
    pointeurOccupe();
    if (!envoieCommande(cmd)) return false;
    afficheMessage(QStringLiteral("Attente de End of text"));
    const unsigned pertes = pertes_;
    while (etatSpectre != TEtatSpectre::esAttente && pertes == pertes_) attendUnePasse();
    termineExecution(cmd, pertes != pertes_);
    return !arretForce;
}

void TLiaison::termineExecution(const QByteArray& cmd, bool perdu)
{
    afficheMessage(arretForce ? QStringLiteral("Pas de réponse à ") + texte(cmd)
                              : QStringLiteral("Commande ") + texte(cmd)
                                    + QStringLiteral(" acceptée"));
    pointeurNormal();
    THoteCinetique* cinetique = hote_.cinetique();
    if (cinetique == nullptr) {
        setBoutons();
        return;
    }
    // Stop still counts as done for the kinetics window; a lost line does not.
    if (cmd.startsWith('w')) {
        if (!perdu) cinetique->setLambdaFait(true);
        cinetique->setBoutons();
    }
    if (cmd.startsWith('x')) {
        if (!perdu) cinetique->setBlancFait(true);
        cinetique->setBoutons();
    }
}

bool TLiaison::lanceMesure(const QByteArray& cmd)
{
    const TCommandeEnCours enCours(attentes_);
    resultatsAnnonces_ = false;
    setBoutons();
    if (!envoieCommande(cmd)) return false;
    afficheMessage(QStringLiteral("Attente de Enquiry"));
    const unsigned pertes = pertes_;
    while (!dernierCarac.contient(octetENQ) && !arretForce && pertes == pertes_)
        attendUnePasse();
    if (dernierCarac.contient(octetENQ)) {
        // The results may all have come, EOT included, while we waited: the
        // window is idle again, and is shown as EOT shows it, not waiting.
        if (etatSpectre == TEtatSpectre::esAttente) {
            setBoutons();
            return true;
        }
        afficheMessage(QStringLiteral("Attente des résultats"));
        resultatsAnnonces_ = true;
        hote_.activeStop();
        return true;
    }
    afficheMessage(texte(cmd) + QStringLiteral(" non effectuée"));
    pointeurNormal();
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
    return false;
}

bool TLiaison::enCommande() const
{
    return attentes_ > 0 || (resultatsAnnonces_ && etatSpectre != TEtatSpectre::esAttente);
}

void TLiaison::StopBtnClick()
{
    arretForce = true;
    pointeurNormal();
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

// ---- Reply lines -----------------------------------------------------------

void TLiaison::litPoint()
{
    if (reponse.isEmpty()) return;
    if (iCourant < 0 || iCourant > indiceMaxVecteur) {
        // The instrument still gets its ACK, so that it can finish the scan.
        reponse.clear();
        signaleCapacite();
        envoieACK();
        return;
    }
    const TPointLu point = lisLignePoint(reponse);
    const auto i = static_cast<std::size_t>(iCourant);
    graphe_.mondeX->valeur[i] = point.lambda;
    graphe_.mondeAbs->valeur[i] = point.absorbance;
    graphe_.MondeTrans->valeur[i] = std::pow(10.0, -point.absorbance);
    reponse.clear();
    capaciteSignalee_ = false;
    graphe_.TraceUnPoint(iCourant);
    if (pointStocke) pointStocke(iCourant);
    ++iCourant;
    graphe_.nbrePoints = static_cast<indiceVecteur>(iCourant);
    envoieACK();
}

void TLiaison::signaleCapacite()
{
    if (capaciteSignalee_) return;
    capaciteSignalee_ = true;
    afficheMessage(texteCapacite);
}

void TLiaison::litAbs()
{
    if (reponse.isEmpty()) return;
    reponse = lisLigneAbs(reponse);
    hote_.afficheAbs(texte(reponse));
    envoieACK();
    THoteCinetique* cinetique = hote_.cinetique();
    if (cinetique != nullptr && cinetique->acqEnCours()) cinetique->setAbs(valeurNombre(reponse));
    reponse.clear();
}

// ---- Vérification ----------------------------------------------------------

void TLiaison::setLambda(int lambda)
{
    etatSpectre = TEtatSpectre::esEcriture;
    executeCommande(commandeLambda(lambda));
}

void TLiaison::setZero()
{
    etatSpectre = TEtatSpectre::esEcriture;
    executeCommande(commandeZero());
}

void TLiaison::demandeAbs()
{
    etatSpectre = TEtatSpectre::esLectureAbs;
    pointeurOccupe();
    hote_.afficheAbs(QString());
    setBoutons();
    lanceMesure(commandeAbs());
}

// ---- Pointer, clock and waits ----------------------------------------------

void TLiaison::pointeurOccupe()
{
    pointeur_.occupe();
}

void TLiaison::pointeurNormal()
{
    pointeur_.normal();
}

void TLiaison::setHorloge(std::function<std::uint32_t()> horloge)
{
    horloge_ = std::move(horloge);
}

void TLiaison::setDureePasse(int ms)
{
    dureePasse_ = ms;
}

void TLiaison::envoieACK()
{
    VoieSerie.PutString(QByteArray(1, octetACK));
}

void TLiaison::laisseTravailler()
{
    VoieSerie.ProcessCommunications();
    QCoreApplication::processEvents();
}

// A nested event loop rather than a sleep: the window stays alive and the
// serial notifications run while we wait.
void TLiaison::dort()
{
    QEventLoop boucle;
    QTimer::singleShot(dureePasse_, Qt::PreciseTimer, &boucle, &QEventLoop::quit);
    boucle.exec();
    Q_EMIT passeTerminee();
}

void TLiaison::attendUnePasse()
{
    laisseTravailler();
    dort();
}

// Once the line is lost, that is what the status line says until it opens
// again: the texts of the waits it ended would only mislead.
void TLiaison::afficheMessage(const QString& texte)
{
    hote_.afficheMessage(liaisonPerdue_ ? textePerte : texte);
}

void TLiaison::setBoutons()
{
    hote_.setBoutons();
    if (liaisonPerdue_) hote_.afficheMessage(textePerte);
}
