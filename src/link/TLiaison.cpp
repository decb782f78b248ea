#include "link/TLiaison.h"

#include "graph/Tgraphe.h"
#include "link/Commandes.h"
#include "link/Reponses.h"
#include "link/THoteCinetique.h"
#include "link/THoteLiaison.h"
#include "link/Tics.h"
#include "common/TTransfertEnCours.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cmath>
#include <exception>
#include <optional>
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

TLiaison::TLiaison(THoteLiaison& hote, Tgraphe& graphe, const TCheminsIni& cheminIni,
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
        // A command cut short by the user's disconnection did not happen, and
        // nothing may open the port again behind the user's back.
        if (enCommande()) interromps();
        fermeParUtilisateur_ = true;
        VoieSerie.setOpen(false);
    } else {
        fermeParUtilisateur_ = false;
        if (!VoieSerie.setOpen(true) || !enregistreDeclencheurs()) {
            VoieSerie.setOpen(false);
            listePorts();
        }
    }
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

void TLiaison::interromps()
{
    ++interruptions_;
    arretForce = true;
    resultatsAnnonces_ = false;
    if (echange_ == TEchange::eLecture) echange_ = TEchange::eAucun;
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
        ligne_ = analyseLigne(reponse);
        if (ligne_.forme == TFormeLigne::eVide) return;
        const bool point = ligne_.forme == TFormeLigne::ePoint;
        const bool valeur = ligne_.forme == TFormeLigne::eValeur;
        if (echange_ == TEchange::eBalayage && point)
            litPoint();
        else if (echange_ == TEchange::eLecture && valeur)
            litAbs();
        else
            ignoreLigne(ligne_.forme == TFormeLigne::eIllisible || (echange_ == TEchange::eBalayage && valeur)
                            ? texteIllisible
                            : texteInattendue);
    }
    if (handle == trEOT) {
        envoieACK();
        pointeurNormal();
        etatSpectre = TEtatSpectre::esAttente;
        resultatsAnnonces_ = false;
        if (echange_ == TEchange::eLecture) echange_ = TEchange::eAucun;
        setBoutons();
    }
    if (handle == trENQ) envoieACK();
}

// The instrument still gets its ACK, so that it goes on; the user learns
// once per command that something was dropped.
void TLiaison::ignoreLigne(const QString& texte)
{
    reponse.clear();
    ++lignesIgnorees_;
    envoieACK();
    if (ignoreeSignalee_) return;
    ignoreeSignalee_ = true;
    messageGarde_ = texte;
    afficheMessage(texte);
}

// A lost line ends every wait as Stop would; what has arrived stays.
void TLiaison::lienPerdu()
{
    liaisonPerdue_ = true;
    interromps();
    reponse.clear();
    pointeurNormal();
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

// ---- Handshake -------------------------------------------------------------

bool TLiaison::envoieChaine(const QByteArray& s)
{
    dernierCarac.vide();
    if (fermeParUtilisateur_ && !VoieSerie.Open()) return false;
    if (!VoieSerie.PutString(s)) {
        echecOuverture_ = !VoieSerie.Open();
        return false;
    }
    echecOuverture_ = false;
    arretForce = false;
    std::uint32_t debut = horloge_();
    int renvois = 0;
    const unsigned interruptions = interruptions_;
    for (;;) {
        laisseTravailler();
        if (interrompu(interruptions)) break;
        if (dernierCarac.contient(octetNAK)) {
            VoieSerie.PutString(s);
            dernierCarac.vide();
            debut = horloge_();
            ++renvois;
        }
        dort();
        if (dernierCarac.contient(octetACK) || renvois >= renvoisMax
            || delaiReponseEcoule(debut, horloge_()) || arretForce || interrompu(interruptions))
            break;
    }
    return dernierCarac.contient(octetACK);
}

bool TLiaison::envoieCommande(const QByteArray& cmd)
{
    afficheMessage(QStringLiteral("Envoi de Enquiry ; attente de Acknowledge"));
    if (!envoieChaine(QByteArray(1, octetENQ))) {
        afficheMessage(fermeParUtilisateur_ && !VoieSerie.Open() ? texteFerme
                       : echecOuverture_                         ? VoieSerie.erreur()
                                                                 : QStringLiteral("Pas de réponse à Enquiry"));
        return false;
    }
    const bool accepte = envoieChaine(cmd + octetNUL);
    afficheMessage(QStringLiteral("Envoi de ") + texte(cmd));
    return accepte;
}

// Nothing starts while the window closes (a wait nobody ends would keep the
// program alive) or while a transfer runs (our waits would let clicks in).
bool TLiaison::refuseCommande()
{
    if (!fermeture_ && !TTransfertEnCours::actif()) return false;
    issue_ = TIssueCommande::eEchouee;
    if (!fermeture_) afficheMessage(texteRefus);
    return true;
}

bool TLiaison::executeCommande(const QByteArray& cmd)
{
    if (refuseCommande()) return false;
    std::optional<TCommandeEnCours> enCours(std::in_place, attentes_);
    resultatsAnnonces_ = false;
    messageGarde_.clear();
    ignoreeSignalee_ = false;
    // The instrument drops whatever it was sending when a new command comes.
    echange_ = TEchange::eAucun;
    // Every window shows the link busy before the wait: only Stop can be
    // pressed during it.
    setBoutons();
    pointeurOccupe();
    if (!envoieCommande(cmd)) {
        issue_ = TIssueCommande::eEchouee;
        return false;
    }
    afficheMessage(QStringLiteral("Attente de End of text"));
    const unsigned interruptions = interruptions_;
    while (etatSpectre != TEtatSpectre::esAttente && !interrompu(interruptions)) attendUnePasse();
    issue_ = interrompu(interruptions) ? TIssueCommande::eInterrompue
             : arretForce              ? TIssueCommande::eArretee
                                       : TIssueCommande::eFaite;
    enCours.reset();
    termineExecution(cmd);
    return issue_ == TIssueCommande::eFaite;
}

// Without the kinetics window the refresh follows the outcome, and clears
// it; with it, the outcome stays on both status lines.
void TLiaison::termineExecution(const QByteArray& cmd)
{
    const QString issue =
        issue_ == TIssueCommande::eInterrompue && !liaisonPerdue_
            ? QStringLiteral("Commande %1 interrompue : port fermé").arg(texte(cmd))
        : issue_ == TIssueCommande::eFaite ? QStringLiteral("Commande ") + texte(cmd) + QStringLiteral(" acceptée")
                                           : QStringLiteral("Pas de réponse à ") + texte(cmd);
    pointeurNormal();
    THoteCinetique* cinetique = hote_.cinetique();
    if (cinetique == nullptr) {
        afficheMessage(issue);
        setBoutons();
        return;
    }
    setBoutons();
    afficheMessage(issue);
    // Stop still counts as done for the kinetics window; a line lost or
    // closed does not.
    const bool compte = issue_ != TIssueCommande::eInterrompue;
    if (cmd.startsWith('w') && compte) cinetique->setLambdaFait(true);
    if (cmd.startsWith('x') && compte) cinetique->setBlancFait(true);
    if (cmd.startsWith('w') || cmd.startsWith('x')) cinetique->setBoutons();
}

bool TLiaison::lanceMesure(const QByteArray& cmd)
{
    if (refuseCommande()) return false;
    std::optional<TCommandeEnCours> enCours(std::in_place, attentes_);
    resultatsAnnonces_ = false;
    messageGarde_.clear();
    ignoreeSignalee_ = false;
    echange_ = cmd.startsWith('f') ? TEchange::eBalayage : TEchange::eLecture;
    // Every window shows the link busy before the wait: only Stop can be
    // pressed during it.
    setBoutons();
    if (!envoieCommande(cmd)) {
        issue_ = TIssueCommande::eEchouee;
        if (echange_ == TEchange::eLecture) echange_ = TEchange::eAucun;
        return false;
    }
    afficheMessage(QStringLiteral("Attente de Enquiry"));
    const unsigned interruptions = interruptions_;
    while (!dernierCarac.contient(octetENQ) && !arretForce && !interrompu(interruptions))
        attendUnePasse();
    enCours.reset();
    if (dernierCarac.contient(octetENQ)) {
        issue_ = TIssueCommande::eFaite;
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
    issue_ = interrompu(interruptions) ? TIssueCommande::eInterrompue : TIssueCommande::eArretee;
    if (echange_ == TEchange::eLecture) echange_ = TEchange::eAucun;
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

// Stop ends the wait; a scan's lines still on their way belong to it, a
// reading's do not.
void TLiaison::StopBtnClick()
{
    arretForce = true;
    resultatsAnnonces_ = false;
    if (echange_ == TEchange::eLecture) echange_ = TEchange::eAucun;
    pointeurNormal();
    etatSpectre = TEtatSpectre::esAttente;
    setBoutons();
}

void TLiaison::abandonne(const QString& raison)
{
    StopBtnClick();
    messageGarde_ = raison;
    afficheMessage(raison);
}

void TLiaison::setFermeture()
{
    fermeture_ = true;
    if (enCommande() || etatSpectre != TEtatSpectre::esAttente) StopBtnClick();
}

// ---- Reply lines -----------------------------------------------------------

void TLiaison::litPoint()
{
    if (iCourant < 0 || iCourant > indiceMaxVecteur) {
        // The instrument still gets its ACK, so that it can finish the scan.
        reponse.clear();
        signaleCapacite();
        envoieACK();
        return;
    }
    const auto i = static_cast<std::size_t>(iCourant);
    graphe_.mondeX->valeur[i] = ligne_.lambda;
    graphe_.mondeAbs->valeur[i] = ligne_.valeur;
    graphe_.MondeTrans->valeur[i] = std::pow(10.0, -ligne_.valeur);
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
    reponse = ligne_.texteValeur;
    hote_.afficheAbs(texte(reponse));
    envoieACK();
    THoteCinetique* cinetique = hote_.cinetique();
    if (cinetique != nullptr && cinetique->acqEnCours()) cinetique->setAbs(ligne_.valeur);
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

// A port closed during the wait stays closed: only the user reopens it.
void TLiaison::laisseTravailler()
{
    if (VoieSerie.Open()) VoieSerie.ProcessCommunications();
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

// Every window that shows the link's state, not only the main one.
void TLiaison::setBoutons()
{
    hote_.setBoutons();
    if (THoteCinetique* cinetique = hote_.cinetique(); cinetique != nullptr) cinetique->rafraichitBoutons();
    if (liaisonPerdue_)
        hote_.afficheMessage(textePerte);
    else if (!messageGarde_.isEmpty())
        hote_.afficheMessage(messageGarde_);
}
