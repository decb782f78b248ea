#pragma once

#include "common/CharSet.h"
#include "common/TEtatSpectre.h"
#include "link/TComPort.h"
#include "link/TIssueCommande.h"
#include "link/TNomsPorts.h"
#include "link/TPointeurOccupe.h"
#include "link/Reponses.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class Tgraphe;
class THoteLiaison;

// The main window's side of the instrument link: the serial channel, what it
// has received, the command handshake and the reading of reply lines into the
// graph. The window owns one and drives it; the link reaches the window only
// through THoteLiaison.
//
// Every wait here is a loop of passes on the user-interface thread: let the
// channel work, process events (the serial notifications run then), wait
// 100 ms in a nested event loop, then test. Nothing is locked: only the
// window's enabled buttons keep a second command from starting inside a wait.
class TLiaison : public QObject {
    Q_OBJECT

    // First, so that they outlive the channel that uses them.
    THoteLiaison& hote_;
    Tgraphe& graphe_;
    TNomsPorts noms_;

public:
    static inline const QString textePerte = QStringLiteral("Liaison série perdue");
    static inline const QString texteCapacite =
        QStringLiteral("Capacité maximale atteinte : 2001 points");
    static inline const QString texteIllisible =
        QStringLiteral("Valeur illisible reçue de l'instrument : ligne ignorée");
    static inline const QString texteInattendue =
        QStringLiteral("Ligne inattendue reçue de l'instrument : ignorée");
    static inline const QString texteFerme = QStringLiteral("Port fermé : cliquer sur connecter");
    static inline const QString texteRefus =
        QStringLiteral("Commande refusée : un transfert est en cours");
    static constexpr qsizetype longueurReponse = 255;

    TLiaison(THoteLiaison& hote, Tgraphe& graphe, const TCheminsIni& cheminIni,
             QObject* parent = nullptr);
    ~TLiaison() override;

    // What the window shares with the link.
    QByteArray reponse;
    int iCourant = 0;
    quint16 trNul = 0;
    quint16 trEOT = 0;
    quint16 trENQ = 0;
    bool BlancFait = false;
    TEtatSpectre etatSpectre = TEtatSpectre::esAttente;
    CharSet dernierCarac;
    bool arretForce = false;

    TComPort VoieSerie;

    // Ports.
    void ConnectBtnClick(bool enfonce);
    void listePorts();
    void ComPortsChange(const QString& texte);
    QString nomPort(int n) const;
    bool portExiste(int n) const;

    // Handshake.
    bool envoieChaine(const QByteArray& s);
    bool envoieCommande(const QByteArray& cmd);
    bool executeCommande(const QByteArray& cmd);
    bool lanceMesure(const QByteArray& cmd);
    void StopBtnClick();

    // Reply lines. A line is stored only where its shape fits the exchange
    // it belongs to: a point line in the scan (also after Stop, the
    // instrument still finishing it), a single value as the reading; any
    // other line is acknowledged, counted and dropped.
    void litPoint();
    void litAbs();
    int lignesIgnorees() const { return lignesIgnorees_; }

    // How the last command's wait ended.
    TIssueCommande issue() const { return issue_; }
    // Ends any wait as Stop does, and keeps the reason on the status lines
    // until the next command.
    void abandonne(const QString& raison);
    // The window is closing: every wait ends and no command starts again.
    void setFermeture();

    // The three "Vérification" operations, also used by the kinetics window.
    void setLambda(int lambda);
    void setZero();
    void demandeAbs();

    // The application-wide busy pointer, never stacked.
    void pointeurOccupe();
    void pointeurNormal();
    bool estOccupe() const { return pointeur_.estOccupe(); }

    // The millisecond counter of the answer timer and the length of a wait
    // pass, so that tests run five-second time-outs in milliseconds.
    void setHorloge(std::function<std::uint32_t()> horloge);
    void setDureePasse(int ms);

    bool liaisonPerdue() const { return liaisonPerdue_; }

    // Called with the index of every point stored in the graph.
    std::function<void(int indice)> pointStocke;

    // A command is under way: in its handshake or its wait, or its results
    // announced and not yet ended by EOT, Stop or a lost line. A command
    // whose handshake failed is over, whatever state it left.
    bool enCommande() const;
    // Nothing under way and nothing left waiting for Stop (a command whose
    // handshake failed leaves its state until Stop).
    bool auRepos() const { return !enCommande() && etatSpectre == TEtatSpectre::esAttente; }

public Q_SLOTS:
    void VoieSerieTriggerAvail(quint16 Count);
    void VoieSerieTriggerData(quint16 TriggerHandle);

Q_SIGNALS:
    // After the 100 ms of every wait pass.
    void passeTerminee();

private:
    bool enregistreDeclencheurs();
    void traiteDeclencheur(quint16 handle);
    void lienPerdu();
    quint16 choixPortNul();
    QStringList entreesPorts(std::vector<int>* numeros) const;
    void termineExecution(const QByteArray& cmd);
    bool refuseCommande();
    bool interrompu(unsigned interruptions) const { return interruptions != interruptions_; }
    void interromps();
    void ignoreLigne(const QString& texte);
    void signaleCapacite();
    void envoieACK();
    void laisseTravailler();
    void dort();
    void attendUnePasse();
    void afficheMessage(const QString& texte);
    void setBoutons();

    TPointeurOccupe pointeur_;
    std::function<std::uint32_t()> horloge_;
    int dureePasse_ = 100;
    bool liaisonPerdue_ = false;
    // Every loss of the line and every closing by the user during a command:
    // a wait that sees it change ends as interrupted.
    unsigned interruptions_ = 0;
    bool fermeParUtilisateur_ = false;
    bool fermeture_ = false;
    TIssueCommande issue_ = TIssueCommande::eFaite;
    // The measurement whose reply lines are expected.
    enum class TEchange { eAucun, eBalayage, eLecture };
    TEchange echange_ = TEchange::eAucun;
    TLigneAnalysee ligne_;
    int lignesIgnorees_ = 0;
    bool ignoreeSignalee_ = false;
    // Shown again after every refresh until the next command starts.
    QString messageGarde_;
    bool capaciteSignalee_ = false;
    bool echecOuverture_ = false;
    int attentes_ = 0;
    bool resultatsAnnonces_ = false;
};
