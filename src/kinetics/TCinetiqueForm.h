#pragma once

#include "graph/TServicesImpression.h"
#include "graph/Tgraphe.h"
#include "common/TFichierIni.h"
#include "common/TJournalMesures.h"
#include "kinetics/TCadenceLectures.h"
#include "kinetics/TReglageTemps.h"
#include "link/TAccesInstrument.h"
#include "link/THoteCinetique.h"

#include <QMainWindow>
#include <QString>

#include <algorithm>
#include <functional>
#include <memory>

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class TActionsImage;
class TBandeauCinetique;
class TBarreCinetique;
class TFormMain;
class TMinuterie;
class TVueGraphe;

// The kinetics window: absorbance against time at one wavelength. It owns
// its graph and its reading clock, and no link to the instrument: the
// wavelength, the blank and every reading go through the main window, and
// readings come back through the main window's parser into setAbs.
//
// It is a child window of the main window, created on the first press of
// "Cinétique", hidden when closed (the run, its markers and the settings
// stay), and destroyed with the main window.
//
// Times: a run's elapsed seconds come from a monotonic clock started with
// the run, so neither midnight nor a change of the system clock moves its
// stamps; InstantDebut keeps the time of day the run started, for display.
class TCinetiqueForm : public QMainWindow, public THoteCinetique {
    Q_OBJECT

public:
    static inline const QString titre = QStringLiteral("Cinétique avec Orvanne");
    static constexpr int capacite = indiceMaxVecteur + 1;
    static inline const QString texteCapacite = QStringLiteral("Capacité maximale atteinte : 2001 points");
    static inline const QString texteLectureAbandonnee =
        QStringLiteral("Lecture abandonnée : l'instrument n'a pas répondu en %1 s");
    static inline const QString texteFinSansLecture =
        QStringLiteral("Acquisition terminée : la dernière lecture n'est pas venue");
    static qint64 delaiLectureMs(int periodeMs) { return TCadenceLectures::delaiLectureMs(periodeMs); }

    TCinetiqueForm(TFormMain& principale, const TCheminsIni& cheminIni);
    ~TCinetiqueForm() override;

    // Gives the main window its "Cinétique" button: the first press creates
    // this window (then passes it to apresCreation), every press shows it.
    static void branche(TFormMain& principale, const TCheminsIni& cheminIni,
                        std::function<void(TCinetiqueForm&)> apresCreation = {});
    // Shows the window in front, as a press of "Cinétique" does.
    void montre();

    // Fields of the window.
    double InstantDebut = 0.0;
    QString NomFichierData;
    bool DejaSauve = false;
    bool FormatTB3 = false;
    bool lambdaEnCours = false;
    bool blancFait = false;
    bool lambdaFait = false;
    bool acquisitionEnCours = false;

    const TReglageTemps& reglage() const { return reglage_; }
    std::int32_t NbreMax() const { return reglage_.NbreMax(); }
    std::uint16_t DeltatMesure() const { return reglage_.DeltatMesure(); }
    std::uint16_t DureeMesure() const { return reglage_.DureeMesure(); }

    Tgraphe& Graphe() { return Graphe_; }
    TBandeauCinetique& bandeau() { return *bandeau_; }
    TBarreCinetique& barre() { return *barre_; }
    TVueGraphe& Oscillo() { return *Oscillo_; }
    TMinuterie& Timer() { return *Timer_; }
    QMenu& OscilloMenu() { return *oscilloMenu_; }
    TActionsImage& actionsImage() { return *actionsImage_; }
    QString statut() const;

    // What would block a test or cannot be shown by the window itself: the
    // clocks, the reading clock, the boxes and printing. The export of
    // "Sauver" returns true when the run was handed over.
    std::function<qint64()> horlogeMs;        // monotonic milliseconds
    std::function<double()> heureDuJour;      // time of day, fraction of a day
    std::function<void(const QString&)> boiteErreur;
    std::function<bool()> questionSauvegarde; // "Sauvegarde": true for "Oui"
    std::function<QString()> saisieRepere;    // the marker's text, empty when cancelled
    std::function<bool()> exporte;
    TServicesImpression servicesImpression;
    void setMinuterie(std::unique_ptr<TMinuterie> minuterie);

    // The run's journal, so that a crash loses no reading.
    TJournalMesures& journal() { return *journal_; }
    // A run read back from a journal becomes the window's run again, with its
    // markers, ready to be saved or printed; its journal goes on.
    void restaureRun(const TCourbeRejouee& courbe, const QMap<QString, QString>& entete);

    // THoteCinetique
    bool acqEnCours() const override { return acquisitionEnCours; }
    void setAbs(double A) override;
    void setLambdaFait(bool fait) override { lambdaFait = fait; }
    void setBlancFait(bool fait) override { blancFait = fait; }
    void setBoutons() override;
    void rafraichitBoutons() override;
    void afficheMessage(const QString& texte) override;

    // Handlers.
    void LambdaBtnClick();
    void LambdaSEChange();
    void ZeroBtnBisClick();
    void StartBtnClick();
    void TimerTimer();
    void StopBtnClick();
    void ResetBtnClick();
    void RepereBtnClick();
    void PrintBtnClick();
    void SaveBtnClick();
    void TabrelixMClick(QAction* item);
    void ExitItemClick();
    void NbreSpinUpClick();
    void NbreSpinDownClick();
    void NbreEditChange();
    void DureeSBUpClick();
    void DureeSBDownClick();

    // Settings.
    void litIni();
    void ecritIni();

protected:
    void closeEvent(QCloseEvent* evenement) override;

private:
    void construitFenetre();
    void placeFenetre();
    void relieControles();
    void FormCreate();
    bool FormClose();
    void preparesGraphe();
    void ajusteNombre(std::int32_t nombre);
    void afficheTemps();
    void afficheNombre();
    void appliqueTemps(bool applique);
    void eclaircitPoints();
    void arreteAcquisition();
    void termineAcquisition();
    void demandeSauvegarde();
    void signaleErreur(const QString& texte);
    int secondesDepuisDebut() const;
    void commenceJournal();

    TFormMain& principale_;
    TAccesInstrument& instrument_;
    TCheminsIni cheminIni_;
    Tgraphe Graphe_;
    TReglageTemps reglage_;
    TBandeauCinetique* bandeau_ = nullptr;
    TBarreCinetique* barre_ = nullptr;
    TVueGraphe* Oscillo_ = nullptr;
    QLabel* StatusBar1_ = nullptr;
    QMenu* oscilloMenu_ = nullptr;
    TActionsImage* actionsImage_ = nullptr;
    std::unique_ptr<TMinuterie> Timer_;
    std::unique_ptr<TJournalMesures> journal_;
    TCadenceLectures cadence_;
};
