#pragma once

#include "export/TContexteExport.h"
#include "export/TConversationDDE.h"
#include "export/TVerrouNomme.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class TConstanteDlg;
class TServeurDDE;
class Tgraphe;

// The orders of a transfer to the analysis program, each with its macro.
enum class Tenvoi { eAdd, eLoad, ePlus, eAddCol };
QByteArray macroEnvoi(Tenvoi ordre);

// The export's link with the analysis program ("Acquisition", never shown):
// the transfer texts go to the clipboard, then one conversation on the
// analysis program's channel carries the macro that tells it what to do
// with them. It also serves Lumko's own topic, through which another program
// can bring the main window forward.
class TFormDDE : public QObject {
    Q_OBJECT

public:
    static inline const QString titre = QStringLiteral("Acquisition");
    static inline const QString sujet = QStringLiteral("ServeurDDE");
    static inline const QString item = QStringLiteral("ServeurItem");
    static inline const QString texteImpossible = QStringLiteral("Impossible de lancer Tabrelix");
    static inline const QString texteNonExecute = QStringLiteral("Transfert non exécuté");
    // Said once per run when the probe's lock cannot be had (raison: why).
    static QString texteSondeImpossible(const QString& raison);

    // Reads the analysis program's path (FormCreate).
    explicit TFormDDE(QObject* parent = nullptr);
    ~TFormDDE() override;

    // The page-information dialog whose comment and page choice the
    // transfers use.
    void setConstantes(TConstanteDlg* constantes) { constantes_ = constantes; }

    // The analysis program's path: the user setting "Path" of organisation
    // and application "Tabrelix", "tabrelix" (found on the PATH) when it is
    // missing or not text. Read once, at creation.
    QString cheminApplication() const { return chemin_; }
    static QString litCheminApplication();

    // The text goes to the clipboard; with DDE, the macro follows, and for a
    // spectrum each kept spectrum after it. True when all of it was handed
    // over: the clipboard alone always is. The first macro that cannot go
    // ends the transfer, so that its message is shown once.
    bool EnvoieDonneesSpectre(Tgraphe& Agraphe, bool DDE);
    bool EnvoieDonneesCinetique(Tgraphe& Agraphe, bool DDE);
    void envoieCourbeConservee(const Tgraphe& Agraphe, int i);
    // One transfer's macro: true when it was sent. The analysis program is
    // started at most once per transfer, kept spectra included.
    bool Execute(Tenvoi Ordre);

    // Lumko's own server: the topic "ServeurDDE" of the service named after
    // the executable. False when it cannot listen (another copy serves it).
    bool ecouteServeur(const QString& service);
    // A request of exactly one line asks for the main window; any other does
    // nothing. Both are accepted.
    bool ExecuteMacro(const QByteArray& Msg);

    // What would block or reach outside in tests: waiting (the windows keep
    // painting but take no user input), the message box, starting a program,
    // the clipboard, the clock.
    std::function<void(int ms)> attente;
    std::function<void(const QString&)> boiteMessage;
    std::function<bool(const QString& programme, const QStringList& arguments)> lanceProgramme;
    std::function<void(const QString&)> pressePapiers;
    std::function<QDateTime()> horloge;
    // How long an advise request may go unanswered.
    int delaiAvisMs = 1000;
    // The analysis program's name probe, in Lumko's private folder; tests
    // give one of their own folder.
    std::unique_ptr<TVerrouNomme> sonde;

Q_SIGNALS:
    // Another program asked for the main window.
    void activationDemandee();

private:
    TContexteExport contexte() const;
    void metDansPressePapiers(const QStringList& lignes);
    bool envoieCourbesConservees(const Tgraphe& Agraphe);
    bool envoieMacro(Tenvoi Ordre);
    void lanceTabrelix();
    bool tenteConnexion(const QString& service);
    bool lanceLigne(const QString& ligne);
    bool lanceUneFois(const QString& programme, const QStringList& arguments);
    bool nouveauFichier() const;
    void setNouvellePage();

    QString chemin_;
    TConstanteDlg* constantes_ = nullptr;
    TConversationDDE ClientDDE;
    bool lancementTente_ = false;
    std::unique_ptr<TServeurDDE> ServeurDDE;
};
