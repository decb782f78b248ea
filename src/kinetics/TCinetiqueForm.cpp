#include "kinetics/TCinetiqueForm.h"

#include "common/TFichierIni.h"
#include "common/Temps.h"
#include "graph/TLecteurGraphe.h"
#include "graph/TVueGraphe.h"
#include "kinetics/TBandeauCinetique.h"
#include "kinetics/TBarreCinetique.h"
#include "common/TTransfertEnCours.h"
#include "kinetics/TFleches.h"
#include "kinetics/TMinuterie.h"
#include "kinetics/TextesCinetique.h"
#include "maths/Derivees.h"
#include "spectrum/CadreFenetre.h"
#include "spectrum/TActionsImage.h"
#include "spectrum/TFormMain.h"
#include "spectrum/TSpinEdit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

const QString sectionLambda = QStringLiteral("Lambda");
const QString sectionCinet = QStringLiteral("Cinet");
const QString sectionVitesse = QStringLiteral("Vitesse");

qint64 horlogeMonotone()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TCinetiqueForm::TCinetiqueForm(TFormMain& principale, const TCheminsIni& cheminIni)
    : QMainWindow(&principale, Qt::Window), principale_(principale), instrument_(principale), cheminIni_(cheminIni),
      Timer_(std::make_unique<TMinuterie>())
{
    journal_ = std::make_unique<TJournalMesures>(TJournalMesures::dossierParDefaut(), QStringLiteral("cinetique"));
    synchroniseChaqueSeconde(*this, *journal_);
    horlogeMs = horlogeMonotone;
    heureDuJour = [] { return heureCourante(); };
    servicesImpression = TServicesImpression::standard();
    construitFenetre();
    relieControles();
    FormCreate();
    placeFenetre();
    principale_.setCinetique(this);
}

// Only when the program ends: nothing is asked and nothing is written.
TCinetiqueForm::~TCinetiqueForm()
{
    Timer_->setActive(false);
    principale_.setCinetique(nullptr);
    // The view draws on the graph: it goes before the graph does.
    delete Oscillo_;
    Oscillo_ = nullptr;
}

void TCinetiqueForm::branche(TFormMain& principale, const TCheminsIni& cheminIni,
                             std::function<void(TCinetiqueForm&)> apresCreation)
{
    principale.setOuvreCinetique([&principale, cheminIni, apresCreation] {
        auto* fenetre = dynamic_cast<TCinetiqueForm*>(principale.cinetique());
        if (fenetre == nullptr) {
            fenetre = new TCinetiqueForm(principale, cheminIni);
            if (apresCreation) apresCreation(*fenetre);
        }
        fenetre->montre();
    });
}

void TCinetiqueForm::montre()
{
    metAuPremierPlan(*this);
}

// ---- Construction ----------------------------------------------------------

void TCinetiqueForm::construitFenetre()
{
    setWindowTitle(titre);
    setObjectName(QStringLiteral("CinetiqueForm"));
    bandeau_ = new TBandeauCinetique(this);
    setMenuWidget(bandeau_);
    barre_ = new TBarreCinetique(this);
    addToolBar(Qt::TopToolBarArea, barre_);
    Oscillo_ = new TVueGraphe(Graphe_, this);
    Oscillo_->setObjectName(QStringLiteral("Oscillo"));
    Oscillo_->setAccessibleName(QStringLiteral("Graphe"));
    Oscillo_->setToolTip(QStringLiteral("Absorbance en fonction du temps ; clic droit : copier ou enregistrer l'image"));
    oscilloMenu_ = new QMenu(this);
    oscilloMenu_->setObjectName(QStringLiteral("OscilloMenu"));
    actionsImage_ = new TActionsImage(Graphe_, *this, *oscilloMenu_);
    Oscillo_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Oscillo_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { oscilloMenu_->popup(Oscillo_->mapToGlobal(p)); });
    Oscillo_->setFocusPolicy(Qt::TabFocus);
    oscilloMenu_->addSeparator();
    (new TLecteurGraphe(Graphe_, *Oscillo_))->ajouteAuMenu(*oscilloMenu_);
    setCentralWidget(Oscillo_);
    StatusBar1_ = ajouteLigneEtat(*this);
}

// Centred on the screen of the main window; never smaller than 550 x 120 nor
// larger than the screen's room less 20 pixels each way.
void TCinetiqueForm::placeFenetre()
{
    QScreen* ecran = principale_.screen() != nullptr ? principale_.screen() : QGuiApplication::primaryScreen();
    setMinimumSize(550, 120);
    QRect place(0, 0, 863 + 20, 504 + 20);
    if (ecran != nullptr) place = ecran->availableGeometry();
    setMaximumSize(std::max(550, place.width() - 20), std::max(120, place.height() - 20));
    resize(863, 504);
    move(place.center() - QPoint(width() / 2, height() / 2));
}

void TCinetiqueForm::relieControles()
{
    TBandeauCinetique& h = *bandeau_;
    TBarreCinetique& b = *barre_;
    connect(h.LambdaBtn, &QToolButton::clicked, this, &TCinetiqueForm::LambdaBtnClick);
    connect(h.LambdaSE, &TSpinEdit::Change, this, &TCinetiqueForm::LambdaSEChange);
    connect(h.DureeSB, &TFleches::haut, this, &TCinetiqueForm::DureeSBUpClick);
    connect(h.DureeSB, &TFleches::bas, this, &TCinetiqueForm::DureeSBDownClick);
    connect(h.NbreSpin, &TFleches::haut, this, &TCinetiqueForm::NbreSpinUpClick);
    connect(h.NbreSpin, &TFleches::bas, this, &TCinetiqueForm::NbreSpinDownClick);
    // A typed count counts once typed (Enter, leaving the field, or any
    // control that uses it), not at each keystroke: "1" on the way to "10"
    // would already be brought onto the grid.
    connect(h.NbreEdit, &QLineEdit::editingFinished, this, &TCinetiqueForm::NbreEditChange);
    connect(b.ZeroBtn, &QToolButton::clicked, this, &TCinetiqueForm::ZeroBtnBisClick);
    connect(b.StartBtn, &QToolButton::clicked, this, &TCinetiqueForm::StartBtnClick);
    connect(b.RepereBtn, &QToolButton::clicked, this, &TCinetiqueForm::RepereBtnClick);
    connect(b.StopBtn, &QToolButton::clicked, this, &TCinetiqueForm::StopBtnClick);
    connect(b.ResetBtn, &QToolButton::clicked, this, &TCinetiqueForm::ResetBtnClick);
    connect(b.SaveBtn, &QToolButton::clicked, this, &TCinetiqueForm::SaveBtnClick);
    for (QAction* item : {b.TabrelixM, b.ClipM, b.FileM})
        // Queued: choosing a destination saves at once, and the boxes that
        // follow must not open inside the request of whoever chose it.
        connect(item, &QAction::triggered, this, [this, item] { TabrelixMClick(item); },
                Qt::QueuedConnection);
    connect(b.PrintBtn, &QToolButton::clicked, this, &TCinetiqueForm::PrintBtnClick);
    connect(b.ExitBtn, &QToolButton::clicked, this, &TCinetiqueForm::ExitItemClick);
    connect(Timer_.get(), &TMinuterie::tic, this, &TCinetiqueForm::TimerTimer);
    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    echap->setContext(Qt::WindowShortcut);
    connect(echap, &QShortcut::activated, this, [this] {
        if (barre_->StopBtn->isEnabled()) barre_->StopBtn->click();
    });
}

void TCinetiqueForm::setMinuterie(std::unique_ptr<TMinuterie> minuterie)
{
    minuterie->setPeriode(Timer_->periode());
    minuterie->setActive(Timer_->active());
    Timer_->setActive(false);
    Timer_ = std::move(minuterie);
    connect(Timer_.get(), &TMinuterie::tic, this, &TCinetiqueForm::TimerTimer);
}

void TCinetiqueForm::FormCreate()
{
    litIni();
    DejaSauve = false;
    InstantDebut = heureDuJour();
    afficheTemps();
    bandeau_->LabelDeltat->setText(texteDeltat(DeltatMesure(), true));
    preparesGraphe();
    lambdaFait = false;
    blancFait = false;
    setBoutons();
}

void TCinetiqueForm::preparesGraphe()
{
    Graphe_.mondeX->nom = QStringLiteral("t");
    Graphe_.mondeX->unite = QStringLiteral("s");
    Graphe_.mondeX->signif = QStringLiteral("temps");
    Graphe_.mondeAbs->nom = QStringLiteral("A");
    Graphe_.mondeAbs->unite.clear();
    Graphe_.mondeAbs->signif = QStringLiteral("Absorbance");
    Graphe_.mondeY = Graphe_.mondeAbs.get();
    Graphe_.SetMonde(0, 0, DureeMesure(), 3);
}

// ---- Settings --------------------------------------------------------------

void TCinetiqueForm::litIni()
{
    const TFichierIni ini(cheminIni_);
    const int lambda = ini.litEntier(sectionLambda, QStringLiteral("Cinet"), 500);
    const int nombre = ini.litEntier(sectionCinet, QStringLiteral("Nombre"), 120);
    const int pas = ini.litEntier(sectionVitesse, QStringLiteral("Valeur"), 2);
    const bool entier = reglage_.depuisReglages(nombre, pas);
    {
        const QSignalBlocker bloque(bandeau_->LambdaSE);
        bandeau_->LambdaSE->setMinValue(190);
        bandeau_->LambdaSE->setMaxValue(1100);
        bandeau_->LambdaSE->setValue(lambda);
    }
    if (!entier)
        afficheMessage(QStringLiteral("Réglages ramenés à %1 x %2 s : la durée totale ne peut dépasser 65535 s")
                           .arg(NbreMax())
                           .arg(DeltatMesure()));
}

void TCinetiqueForm::ecritIni()
{
    const TFichierIni ini(cheminIni_);
    ini.ecritEntier(sectionLambda, QStringLiteral("Cinet"), bandeau_->LambdaSE->valeurTexte());
    ini.ecritEntier(sectionCinet, QStringLiteral("Nombre"), NbreMax());
    ini.ecritEntier(sectionVitesse, QStringLiteral("Valeur"), DeltatMesure());
}

// ---- Refresh ---------------------------------------------------------------

void TCinetiqueForm::setBoutons()
{
    lambdaEnCours = false;
    const int n = Graphe_.nbrePoints;
    rafraichitBoutons();
    Timer_->setPeriode(reglage_.periodeMs());
    Timer_->setActive(acquisitionEnCours);
    if (n > 10) {
        double mini = 0.0;
        double maxi = 0.0;
        minMaxVecteur(Graphe_.mondeY->valeur, n, mini, maxi);
        Graphe_.SetMonde(0, 0, DureeMesure(), std::max(maxi, 1.0));
        Oscillo_->redessine();
    }
}

void TCinetiqueForm::rafraichitBoutons()
{
    const TBoutonsCinetique b = boutonsCinetique(
        {lambdaFait, blancFait, acquisitionEnCours, !instrument_.auRepos(), Graphe_.nbrePoints});
    barre_->applique(b);
    bandeau_->applique(b);
}

QString TCinetiqueForm::statut() const
{
    return StatusBar1_->text();
}

void TCinetiqueForm::afficheMessage(const QString& texte)
{
    StatusBar1_->setText(texte);
}

// ---- Wavelength and blank --------------------------------------------------

void TCinetiqueForm::LambdaBtnClick()
{
    bandeau_->LambdaSE->valideSaisie();
    bandeau_->LambdaBtn->setEnabled(false);
    barre_->StartBtn->setEnabled(false);
    barre_->ZeroBtn->setEnabled(false);
    barre_->StopBtn->setEnabled(true);
    lambdaEnCours = true;
    blancFait = false;
    instrument_.setLambda(bandeau_->LambdaSE->Value());
}

void TCinetiqueForm::LambdaSEChange()
{
    lambdaFait = false;
    blancFait = false;
    setBoutons();
}

void TCinetiqueForm::ZeroBtnBisClick()
{
    instrument_.setZero();
}

// ---- The run ---------------------------------------------------------------

void TCinetiqueForm::StartBtnClick()
{
    NbreEditChange();
    if (Graphe_.nbrePoints > 10 && !DejaSauve) demandeSauvegarde();
    InstantDebut = heureDuJour();
    cadence_.commence(horlogeMs());
    DejaSauve = false;
    Graphe_.Reset();
    commenceJournal();
    // The interrupted run must not stay under the new one.
    Oscillo_->redessine();
    acquisitionEnCours = true;
    setBoutons();
    TimerTimer();
}

// A tick while the previous reading is still on its way, or while the main
// window runs a command of its own, asks nothing: requests would pile up in
// nested waits. A reading of ours that outlives its bound is abandoned, and
// the next tick asks again. A transfer's waits must not be broken into by
// ours, which take clicks. Past its duration by a whole step without the
// last reading, the run ends all the same.
void TCinetiqueForm::TimerTimer()
{
    if (!acquisitionEnCours) return;
    const qint64 maintenant = horlogeMs();
    const int periode = reglage_.periodeMs();
    switch (cadence_.decide(maintenant, instrument_.enCommande(), TTransfertEnCours::actif(), DureeMesure(),
                            DeltatMesure(), periode)) {
    case TCadenceLectures::TAction::eRien: break;
    case TCadenceLectures::TAction::eAbandonne:
        instrument_.abandonne(texteLectureAbandonnee.arg(delaiLectureMs(periode) / 1000));
        break;
    case TCadenceLectures::TAction::eTermine:
        if (instrument_.enCommande()) instrument_.abandonne(texteFinSansLecture);
        termineAcquisition();
        afficheMessage(texteFinSansLecture);
        break;
    case TCadenceLectures::TAction::eDemande:
        cadence_.demandee(maintenant);
        instrument_.demandeAbs();
        break;
    }
}

int TCinetiqueForm::secondesDepuisDebut() const
{
    return cadence_.secondes(horlogeMs());
}

void TCinetiqueForm::setAbs(double A)
{
    if (!std::isfinite(A)) return;
    const int n = Graphe_.nbrePoints;
    if (n >= capacite) {
        termineAcquisition();
        afficheMessage(texteCapacite);
        return;
    }
    const int t = secondesDepuisDebut();
    const auto k = static_cast<std::size_t>(n);
    Graphe_.mondeX->valeur[k] = t;
    bandeau_->PanelDuree->setText(texteDuree(t));
    bandeau_->PanelAbs->setText(texteAbsorbance(A));
    Graphe_.mondeY->valeur[k] = A;
    Graphe_.TraceUnPoint(n);
    Graphe_.nbrePoints = static_cast<indiceVecteur>(n + 1);
    journal_->ajoutePoint(n, {static_cast<double>(t), A});
    // What was exported no longer covers the run.
    DejaSauve = false;
    barre_->SaveBtn->setEnabled(n + 1 > 10);
    // The 2001st reading is the last one the run can hold: it is kept, and
    // the run ends with it.
    if (n + 1 >= capacite) {
        termineAcquisition();
        afficheMessage(texteCapacite);
    } else if (t > DureeMesure()) {
        termineAcquisition();
    }
}

// The run ends by itself (duration, capacity): its points stay whatever
// their number, and a run exported whole needs its journal no more.
void TCinetiqueForm::termineAcquisition()
{
    acquisitionEnCours = false;
    cadence_.oublie();
    if (DejaSauve) journal_->abandonne();
    setBoutons();
}

// This Stop ends any wait of the link exactly as the main window's does,
// and the run with it.
void TCinetiqueForm::StopBtnClick()
{
    const bool attente = lambdaEnCours || instrument_.enCommande();
    if (attente) instrument_.StopBtnClick();
    lambdaEnCours = false;
    if (acquisitionEnCours) arreteAcquisition();
}

void TCinetiqueForm::arreteAcquisition()
{
    Timer_->setActive(false);
    acquisitionEnCours = false;
    cadence_.oublie();
    if (Graphe_.nbrePoints > 10)
        setBoutons();
    else
        ResetBtnClick();
}

void TCinetiqueForm::ResetBtnClick()
{
    Graphe_.Reset();
    journal_->abandonne();
    Oscillo_->redessine();
    setBoutons();
    bandeau_->PanelDuree->clear();
    bandeau_->PanelAbs->clear();
}

void TCinetiqueForm::RepereBtnClick()
{
    const int t = secondesDepuisDebut();
    QString texte;
    if (saisieRepere) {
        texte = saisieRepere();
    } else {
        QInputDialog boite(this);
        boite.setWindowTitle(QStringLiteral("Création d'un repère"));
        boite.setLabelText(QStringLiteral("Signification"));
        boite.setOkButtonText(QStringLiteral("OK"));
        boite.setCancelButtonText(QStringLiteral("Annuler"));
        if (boite.exec() == QDialog::Accepted) texte = boite.textValue();
    }
    Graphe_.AjouteRepere(t, texte);
    journal_->ajouteRepere(t, texte);
    DejaSauve = false;
}

void TCinetiqueForm::PrintBtnClick()
{
    Graphe_.Imprime(servicesImpression);
    Oscillo_->redessine();
}

// An export during a run covers the points it took: the journal goes on
// with the run, and a point or marker after it makes the run unsaved again.
void TCinetiqueForm::SaveBtnClick()
{
    if (!exporte || !exporte()) return;
    DejaSauve = true;
    if (!acquisitionEnCours) journal_->abandonne();
}

// Choosing a destination also exports to it, and "Sauver" shows it.
void TCinetiqueForm::TabrelixMClick(QAction* item)
{
    item->setChecked(true);
    barre_->SaveBtn->setIcon(item->icon());
    SaveBtnClick();
}

void TCinetiqueForm::demandeSauvegarde()
{
    bool oui = false;
    if (questionSauvegarde) {
        oui = questionSauvegarde();
    } else {
        QMessageBox boite(QMessageBox::Question, QStringLiteral("Confirmer"), QStringLiteral("Sauvegarde"),
                          QMessageBox::NoButton, this);
        QPushButton* boutonOui = boite.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
        boite.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
        boite.setDefaultButton(boutonOui);
        boite.exec();
        oui = boite.clickedButton() == boutonOui;
    }
    if (oui) SaveBtnClick();
}

// ---- Journal ---------------------------------------------------------------

void TCinetiqueForm::commenceJournal()
{
    journal_->commence({{QStringLiteral("fenetre"), QStringLiteral("cinetique")},
                        {QStringLiteral("lambda"), QString::number(bandeau_->LambdaSE->Value())},
                        {QStringLiteral("pas"), QString::number(DeltatMesure())},
                        {QStringLiteral("nombre"), QString::number(NbreMax())},
                        {QStringLiteral("instantDebut"), QString::number(InstantDebut, 'g', 17)},
                        {QStringLiteral("date"), QDateTime::currentDateTime().toString(Qt::ISODate)}});
}

void TCinetiqueForm::restaureRun(const TCourbeRejouee& courbe, const QMap<QString, QString>& entete)
{
    if (acquisitionEnCours) arreteAcquisition();
    const int n = std::clamp(courbe.nombre, 0, capacite);
    Graphe_.Reset();
    Graphe_.mondeX->valeur = courbe.colonnes[0];
    Graphe_.mondeY->valeur = courbe.colonnes[1];
    Graphe_.nbrePoints = static_cast<indiceVecteur>(n);
    for (const TCourbeJournal::TRepere& r : courbe.reperes) Graphe_.listeRepere.push_back({r.valeur, r.texte});
    bool lu = false;
    const int pas = entete.value(QStringLiteral("pas")).toInt(&lu);
    const int nombre = entete.value(QStringLiteral("nombre")).toInt(&lu);
    if (lu) reglage_.depuisReglages(nombre, pas);
    const int lambda = entete.value(QStringLiteral("lambda")).toInt(&lu);
    if (lu) {
        const QSignalBlocker bloque(bandeau_->LambdaSE);
        bandeau_->LambdaSE->setValue(lambda);
    }
    InstantDebut = entete.value(QStringLiteral("instantDebut")).toDouble();
    DejaSauve = false;
    journal_->reprend();
    afficheTemps();
    setBoutons();
}

// ---- Closing ---------------------------------------------------------------

void TCinetiqueForm::ExitItemClick()
{
    close();
}

// The program ending closes every window: the closing steps are not for it.
void TCinetiqueForm::closeEvent(QCloseEvent* evenement)
{
    if (!principale_.seFerme() && !FormClose()) {
        evenement->ignore();
        return;
    }
    QMainWindow::closeEvent(evenement);
}

bool TCinetiqueForm::FormClose()
{
    if (acquisitionEnCours) arreteAcquisition();
    if (Graphe_.nbrePoints > 10 && !DejaSauve) demandeSauvegarde();
    try {
        ecritIni();
    } catch (const EEcritureIni& e) {
        signaleErreur(e.texte());
        return false;
    }
    Timer_->setActive(false);
    return true;
}

void TCinetiqueForm::signaleErreur(const QString& texte)
{
    if (boiteErreur) {
        boiteErreur(texte);
        return;
    }
    QMessageBox::critical(this, QStringLiteral("Lumko"), texte);
}

// ---- Time step and count ---------------------------------------------------

void TCinetiqueForm::NbreSpinUpClick()
{
    NbreEditChange();
    appliqueTemps(reglage_.nombreHaut());
}

void TCinetiqueForm::NbreSpinDownClick()
{
    NbreEditChange();
    appliqueTemps(reglage_.nombreBas());
}

// The field's text, once typed, through the count rule; a text that is not an
// integer is said, and the count in force comes back into the field.
void TCinetiqueForm::NbreEditChange()
{
    const QString texte = bandeau_->NbreEdit->text();
    if (texte == QString::number(NbreMax())) return;
    bool lu = false;
    const int nombre = texte.toInt(&lu);
    if (!lu) {
        signaleErreur(QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(texte));
        afficheNombre();
        return;
    }
    ajusteNombre(nombre);
}

void TCinetiqueForm::ajusteNombre(std::int32_t nombre)
{
    appliqueTemps(reglage_.ajusteNombre(nombre));
}

void TCinetiqueForm::DureeSBUpClick()
{
    NbreEditChange();
    const TReglageTemps::EEffet effet = reglage_.pasHaut(acquisitionEnCours, Graphe_.nbrePoints);
    if (effet == TReglageTemps::EEffet::eEclaircir) eclaircitPoints();
    appliqueTemps(effet != TReglageTemps::EEffet::eRefuse);
}

void TCinetiqueForm::DureeSBDownClick()
{
    NbreEditChange();
    appliqueTemps(reglage_.pasBas());
}

// One point in two goes, point 0 staying; the markers keep their times.
void TCinetiqueForm::eclaircitPoints()
{
    const int n = Graphe_.nbrePoints / 2;
    Tvecteur& x = Graphe_.mondeX->valeur;
    Tvecteur& y = Graphe_.mondeY->valeur;
    for (int i = 1; i < n; ++i) {
        x[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(2 * i)];
        y[static_cast<std::size_t>(i)] = y[static_cast<std::size_t>(2 * i)];
    }
    Graphe_.nbrePoints = static_cast<indiceVecteur>(n);
    journal_->ajouteEclaircissement();
}

// A refused change leaves every value and display as it was, but for a
// typed count, which goes back to the count in force.
void TCinetiqueForm::appliqueTemps(bool applique)
{
    if (applique) {
        afficheTemps();
        return;
    }
    afficheNombre();
    afficheMessage(QStringLiteral("Changement refusé : la durée totale dépasserait 65535 s (%1)")
                       .arg(texteDuree(TReglageTemps::dureeMaxi)));
}

// Everything that follows from the step and the count: the count's field,
// the duration, the step's label, the time axis, the reading clock's period.
void TCinetiqueForm::afficheTemps()
{
    afficheNombre();
    bandeau_->DureeEdit->setText(texteDuree(DureeMesure()));
    bandeau_->LabelDeltat->setText(texteDeltat(DeltatMesure(), false));
    Graphe_.mondeX->maxi = DureeMesure();
    Timer_->setPeriode(reglage_.periodeMs());
    Oscillo_->redessine();
}

// The count in force, always on the grid; written here, the field's text is
// no typed count, and sets off nothing.
void TCinetiqueForm::afficheNombre()
{
    const QString texte = QString::number(NbreMax());
    if (bandeau_->NbreEdit->text() == texte) return;
    const QSignalBlocker bloque(bandeau_->NbreEdit);
    bandeau_->NbreEdit->setText(texte);
}
