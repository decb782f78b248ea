#pragma once

#include "graph/TServicesImpression.h"
#include "graph/Tgraphe.h"
#include "link/TAccesInstrument.h"
#include "link/THoteLiaison.h"
#include "link/TLiaison.h"
#include "common/TFichierIni.h"
#include "common/TJournalMesures.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QCloseEvent;
class QLabel;
class QMenu;
class TActionsImage;
class TBarreSpectre;
class TPanneauSpectre;
class TVueGraphe;

// The main window: where spectra are recorded. It owns the instrument link,
// the graph and the widgets, and is the link's host (status line, buttons,
// port list). The handlers keep the names the instrument's users and the
// other windows know them by.
class TFormMain : public QMainWindow, public THoteLiaison, public TAccesInstrument {
    Q_OBJECT

public:
    static inline const QString titre = QStringLiteral("Orvanne pour Tabrelix 05/12/2015");

    // cheminIni: the settings files, read now (the user's first, then the
    // shared one for the keys it lacks); the user's is written at destruction.
    explicit TFormMain(const TCheminsIni& cheminIni, QWidget* parent = nullptr);
    ~TFormMain() override;

    // Fields of the window.
    bool spectreFait = false;
    int oldMin = 0;
    int oldMax = 0;
    int courbeProche = -1;

    Tgraphe& graphe() { return graphe_; }
    TLiaison& liaison() { return *liaison_; }
    TBarreSpectre& barre() { return *barre_; }
    TPanneauSpectre& panneau() { return *panneau_; }
    TVueGraphe& PaintBox1() { return *vue_; }
    QMenu& GrapheMenu() { return *grapheMenu_; }
    QAction& DeleteCourbeItem() { return *deleteCourbeItem_; }
    TActionsImage& actionsImage() { return *actionsImage_; }
    QString statut() const;
    QSize tailleDepart() const;

    // What cannot be shown by the window itself, replaceable in tests: the
    // standard error box, the "Select Port" dialog, printing.
    std::function<void(const QString&)> boiteErreur;
    std::function<int(const QStringList&)> dialoguePort;
    TServicesImpression servicesImpression;
    // The export of "Sauver" for the destination checked in its menu: true
    // when the curve was handed over (its journal then goes).
    std::function<bool()> exporte;

    // The current curve's journal, so that a crash loses no scan.
    TJournalMesures& journal() { return *journal_; }
    // A curve read back from a journal becomes the current curve again,
    // ready to be saved or printed; its journal goes on.
    void restaureSpectre(const TCourbeRejouee& courbe, const QMap<QString, QString>& entete);
    // The kinetics window's opener; the button stays disabled without one.
    void setOuvreCinetique(std::function<void()> ouvre);

    // TAccesInstrument: what the kinetics window asks of the instrument,
    // through this window.
    void setLambda(int lambda) override;
    void setZero() override;
    void demandeAbs() override;
    void StopBtnClick() override;
    void abandonne(const QString& raison) override;
    // A command is under way in the link (see TLiaison::enCommande).
    bool enCommande() const override;
    bool auRepos() const override;
    // The window has been closed: the program is ending.
    bool seFerme() const override { return fermeture_; }

    // Brings the window back in front of the user (another start asked).
    void restaure();

    // THoteLiaison
    void afficheMessage(const QString& texte) override;
    void setBoutons() override;
    void activeStop() override;
    void afficheAbs(const QString& texte) override;
    void setListePorts(const QStringList& entrees, int selection) override;
    int choisitPort(const QStringList& entrees) override;
    void afficheErreur(const QString& texte) override;
    THoteCinetique* cinetique() override;
    // The kinetics window registers itself once created and clears the
    // reference when it goes. A kinetics window that is a child of this one
    // is destroyed first, at the start of this window's destruction.
    void setCinetique(THoteCinetique* cinetique);

    // Handlers.
    void FormActivate();
    void FormDestroy();
    void ConnectBtnClick();
    void ComPortsChange();
    void BlancBtnClick();
    void SpectreBtnClick();
    void ZeroBtnClick();
    void AbsBtnClick();
    void LambdaBtnClick();
    void DebutSEChange();
    void YRGClick();
    void AffDeriveeCBClick();
    void AddBtnClick();
    void PaintBox1MouseDown(Qt::MouseButton bouton, int x, int y);
    void DeleteCourbeItemClick();
    void PrintBtnClick();
    void SaveBtnClick();
    void TabrelixMClick(QAction* item);
    void CinetiqueBtnClick();
    void ExitBtnClick();

    // Settings.
    void litIni();
    void ecritIni();

protected:
    void changeEvent(QEvent* evenement) override;
    void closeEvent(QCloseEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void FormCreate();
    void construitFenetre();
    void relieControles();
    void relieBarre();
    void reliePanneau();
    void preparesGraphe();
    void valideSaisies();
    void afficheEchecBlanc(const QString& raison);
    void commenceJournal();
    void journalisePoint(int indice);
    int vitesseChoisie();
    void restaurePlage(const QString& texteDebut, const QString& texteFin);

    TCheminsIni cheminIni_;
    Tgraphe graphe_;
    TBarreSpectre* barre_ = nullptr;
    TPanneauSpectre* panneau_ = nullptr;
    TVueGraphe* vue_ = nullptr;
    QLabel* StatusBar1_ = nullptr;
    QMenu* grapheMenu_ = nullptr;
    QAction* deleteCourbeItem_ = nullptr;
    TActionsImage* actionsImage_ = nullptr;
    std::unique_ptr<TLiaison> liaison_;
    std::unique_ptr<TJournalMesures> journal_;
    THoteCinetique* cinetique_ = nullptr;
    std::function<void()> ouvreCinetique_;
    bool detruite_ = false;
    // The range and speed of the scan whose first point will start a new
    // curve (and its journal): until then the previous curve stays whole.
    struct TBalayage {
        int debut = 0;
        int fin = 0;
        int vitesse = 0;
    } balayage_;
    bool fermeture_ = false;
};
