#pragma once

#include "common/CharSet.h"
#include "common/TEtatSpectre.h"
#include "link/TComPort.h"
#include "link/TNomsPorts.h"
#include "link/TPointeurOccupe.h"

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
    static constexpr qsizetype longueurReponse = 255;

    TLiaison(THoteLiaison& hote, Tgraphe& graphe, const QString& cheminIni,
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

    // Reply lines.
    void litPoint();
    void litAbs();

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
    void termineExecution(const QByteArray& cmd, bool perdu);
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
    unsigned pertes_ = 0;
    bool capaciteSignalee_ = false;
    bool echecOuverture_ = false;
    int attentes_ = 0;
    bool resultatsAnnonces_ = false;
};
