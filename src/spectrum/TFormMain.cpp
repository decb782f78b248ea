#include "spectrum/TFormMain.h"

#include "common/TFichierIni.h"
#include "graph/TLecteurGraphe.h"
#include "graph/TVueGraphe.h"
#include "link/THoteCinetique.h"
#include "link/Commandes.h"
#include "spectrum/CadreFenetre.h"
#include "spectrum/TActionsImage.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TComboPorts.h"
#include "spectrum/TDialogueChoixPort.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TListeCoches.h"
#include "spectrum/TPanneauSpectre.h"
#include "spectrum/TSpinEdit.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <exception>

TFormMain::TFormMain(const TCheminsIni& cheminIni, QWidget* parent)
    : QMainWindow(parent), servicesImpression(TServicesImpression::standard()), cheminIni_(cheminIni)
{
    construitFenetre();
    liaison_ = std::make_unique<TLiaison>(*this, graphe_, cheminIni_, this);
    journal_ = std::make_unique<TJournalMesures>(TJournalMesures::dossierParDefaut(), QStringLiteral("spectre"));
    liaison_->pointStocke = [this](int indice) { journalisePoint(indice); };
    synchroniseChaqueSeconde(*this, *journal_);
    relieControles();
    FormCreate();
}

TFormMain::~TFormMain()
{
    // The kinetics window addresses this one until its very end.
    if (auto* fenetre = dynamic_cast<QWidget*>(cinetique_); fenetre != nullptr && fenetre->parent() == this)
        delete fenetre;
    FormDestroy();
    liaison_.reset();
    // The view draws on the graph: it goes before the graph does.
    delete vue_;
    vue_ = nullptr;
}

// ---- Construction ----------------------------------------------------------

void TFormMain::construitFenetre()
{
    setWindowTitle(titre);
    setObjectName(QStringLiteral("FormMain"));
    barre_ = new TBarreSpectre(this);
    addToolBar(Qt::TopToolBarArea, barre_);

    auto* centre = new QWidget(this);
    auto* disposition = new QHBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    panneau_ = new TPanneauSpectre(centre);
    disposition->addWidget(panneau_);
    vue_ = new TVueGraphe(graphe_, centre);
    vue_->setObjectName(QStringLiteral("PaintBox1"));
    vue_->setAccessibleName(QStringLiteral("Graphe"));
    vue_->setToolTip(QStringLiteral("Clic droit : supprimer une courbe conservée, copier ou enregistrer l'image"));
    vue_->setFocusPolicy(Qt::TabFocus);
    vue_->setContextMenuPolicy(Qt::PreventContextMenu);
    vue_->installEventFilter(this);
    auto* lecteur = new TLecteurGraphe(graphe_, *vue_);
    disposition->addWidget(vue_, 1);
    setCentralWidget(centre);

    grapheMenu_ = new QMenu(this);
    grapheMenu_->setObjectName(QStringLiteral("GrapheMenu"));
    deleteCourbeItem_ = grapheMenu_->addAction(QStringLiteral("Suppr. la courbe"));
    grapheMenu_->addSeparator();
    actionsImage_ = new TActionsImage(graphe_, *this, *grapheMenu_);
    grapheMenu_->addSeparator();
    lecteur->ajouteAuMenu(*grapheMenu_);
    lecteur->ajouteMenuPics(*grapheMenu_);
    lecteur->ajouteMenuLegende(*grapheMenu_);

    StatusBar1_ = ajouteLigneEtat(*this);
    resize(tailleDepart());
}

// 717 x 552 when the desktop's font lets every control show at that size;
// with a larger font, just what shows them all (no tool bar button hidden
// behind the overflow arrow, no panel control cut off).
QSize TFormMain::tailleDepart() const
{
    const QSize voulue(717, 552);
    return {std::max(voulue.width(), barre_->sizeHint().width()),
            std::max(voulue.height(), minimumSizeHint().height())};
}

void TFormMain::relieControles()
{
    relieBarre();
    reliePanneau();
    connect(deleteCourbeItem_, &QAction::triggered, this, &TFormMain::DeleteCourbeItemClick);
    auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    echap->setContext(Qt::WindowShortcut);
    connect(echap, &QShortcut::activated, this, [this] {
        if (barre_->StopBtn->isEnabled()) barre_->StopBtn->click();
    });
}

void TFormMain::relieBarre()
{
    TBarreSpectre& b = *barre_;
    connect(b.ConnectBtn, &QToolButton::clicked, this, &TFormMain::ConnectBtnClick);
    connect(b.BlancBtn, &QToolButton::clicked, this, &TFormMain::BlancBtnClick);
    connect(b.SpectreBtn, &QToolButton::clicked, this, &TFormMain::SpectreBtnClick);
    connect(b.AddBtn, &QToolButton::clicked, this, &TFormMain::AddBtnClick);
    connect(b.StopBtn, &QToolButton::clicked, this, &TFormMain::StopBtnClick);
    connect(b.PrintBtn, &QToolButton::clicked, this, &TFormMain::PrintBtnClick);
    connect(b.SaveBtn, &QToolButton::clicked, this, &TFormMain::SaveBtnClick);
    for (QAction* item : {b.TabrelixM, b.ClipM, b.FileM})
        // Queued: choosing a destination saves at once, and the boxes that
        // follow must not open inside the request of whoever chose it.
        connect(item, &QAction::triggered, this, [this, item] { TabrelixMClick(item); },
                Qt::QueuedConnection);
    connect(b.CinetiqueBtn, &QToolButton::clicked, this, &TFormMain::CinetiqueBtnClick);
    connect(b.ExitBtn, &QToolButton::clicked, this, &TFormMain::ExitBtnClick);
    b.CinetiqueBtn->setEnabled(false);
}

void TFormMain::reliePanneau()
{
    TPanneauSpectre& p = *panneau_;
    connect(p.DebutSE, &TSpinEdit::Change, this, &TFormMain::DebutSEChange);
    connect(p.FinSE, &TSpinEdit::Change, this, &TFormMain::DebutSEChange);
    connect(p.YRG, &TGroupeRadio::Click, this, &TFormMain::YRGClick);
    connect(p.AffDeriveeCB, &TListeCoches::itemChanged, this, &TFormMain::AffDeriveeCBClick);
    connect(p.LambdaBtn, &QPushButton::clicked, this, &TFormMain::LambdaBtnClick);
    connect(p.ZeroBtn, &QPushButton::clicked, this, &TFormMain::ZeroBtnClick);
    connect(p.AbsBtn, &QPushButton::clicked, this, &TFormMain::AbsBtnClick);
    connect(p.ComPorts, &QComboBox::activated, this, &TFormMain::ComPortsChange);
    connect(p.ComPorts, &TComboPorts::ouverture, this, [this] { liaison_->listePorts(); });
}

// Until the first refresh (the window's first activation) nothing that talks
// to the instrument may be pressed, whatever the window manager does.
void TFormMain::FormCreate()
{
    panneau_->DebutSE->setMinValue(190);
    panneau_->FinSE->setMaxValue(1100);
    preparesGraphe();
    liaison_->etatSpectre = TEtatSpectre::esAttente;
    oldMin = panneau_->DebutSE->Value();
    oldMax = panneau_->FinSE->Value();
    for (QWidget* w : std::initializer_list<QWidget*>{
             barre_->BlancBtn, barre_->SpectreBtn, barre_->AddBtn, barre_->StopBtn,
             barre_->PrintBtn, barre_->SaveBtn, panneau_->LambdaBtn, panneau_->ZeroBtn,
             panneau_->AbsBtn})
        w->setEnabled(false);
    litIni();
}

void TFormMain::preparesGraphe()
{
    graphe_.SetMonde(190, 0, 1100, 3);
    graphe_.mondeX->nom = QStringLiteral("λ");
    graphe_.mondeX->unite = QStringLiteral("nm");
    graphe_.mondeX->signif = QStringLiteral("longueur d'onde");
    graphe_.mondeX->zeroInclus = false;
    graphe_.mondeAbs->nom = QStringLiteral("A");
    graphe_.mondeAbs->unite.clear();
    graphe_.mondeAbs->signif = QStringLiteral("absorbance");
    graphe_.mondeAbs->zeroInclus = true;
    graphe_.MondeTrans->nom = QStringLiteral("T");
    graphe_.MondeTrans->unite = QStringLiteral("%");
    graphe_.MondeTrans->signif = QStringLiteral("transmittance");
    graphe_.MondeTrans->zeroInclus = true;
    graphe_.mondeY = graphe_.mondeAbs.get();
    graphe_.ChercheMonde();
}

void TFormMain::FormActivate()
{
    setBoutons();
}

void TFormMain::changeEvent(QEvent* evenement)
{
    if (evenement->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QMainWindow::changeEvent(evenement);
}

// The waits for the instrument are nested event loops: they must end before
// the window can go, or the program would never leave them.
void TFormMain::closeEvent(QCloseEvent* evenement)
{
    fermeture_ = true;
    liaison_->setFermeture();
    QMainWindow::closeEvent(evenement);
}

void TFormMain::FormDestroy()
{
    if (detruite_) return;
    detruite_ = true;
    if (liaison_->VoieSerie.Open()) liaison_->VoieSerie.setOpen(false);
    try {
        ecritIni();
    } catch (const EEcritureIni& e) {
        afficheErreur(e.texte());
    } catch (const std::exception& e) {
        afficheErreur(QString::fromLocal8Bit(e.what()));
    }
}

void TFormMain::ExitBtnClick()
{
    close();
}

void TFormMain::restaure()
{
    metAuPremierPlan(*this);
}

// ---- Settings --------------------------------------------------------------

void TFormMain::litIni()
{
    const TFichierIni ini(cheminIni_);
    TPanneauSpectre& p = *panneau_;
    liaison_->VoieSerie.setComNumber(
        static_cast<quint16>(ini.litEntier(QStringLiteral("VoieSerie"), QStringLiteral("ComNumber"), 1)));
    // The range rule runs after each end is read, changed or not: values equal
    // to the fields' own (500 to 800) would otherwise leave their first bounds,
    // and the end is brought to at least the start + 100.
    p.DebutSE->setValue(ini.litEntier(QStringLiteral("Lambda"), QStringLiteral("Debut"), 500));
    DebutSEChange();
    p.FinSE->setValue(ini.litEntier(QStringLiteral("Lambda"), QStringLiteral("Fin"), 600));
    DebutSEChange();
    // Above the slowest: the slowest; below 0 (no speed, which the instrument
    // would refuse): "moyenne", as without the key.
    const int vitesse = ini.litEntier(QStringLiteral("Vitesse"), QStringLiteral("Valeur"), 2);
    p.VitesseRG->setItemIndex(vitesse < 0 ? 2 : std::min(vitesse, 4));
    const int ordonnee = ini.litBooleen(QStringLiteral("Graphe"), QStringLiteral("Yabs"), true) ? 0 : 1;
    if (ordonnee != p.YRG->ItemIndex()) {
        p.YRG->setItemIndex(ordonnee);
        YRGClick();
    }
    liaison_->listePorts();
}

void TFormMain::ecritIni()
{
    const TFichierIni ini(cheminIni_);
    const TPanneauSpectre& p = *panneau_;
    ini.ecritEntier(QStringLiteral("Lambda"), QStringLiteral("Debut"), p.DebutSE->valeurTexte());
    ini.ecritEntier(QStringLiteral("Lambda"), QStringLiteral("Fin"), p.FinSE->valeurTexte());
    ini.ecritEntier(QStringLiteral("Vitesse"), QStringLiteral("Valeur"), p.VitesseRG->ItemIndex());
    ini.ecritBooleen(QStringLiteral("Graphe"), QStringLiteral("Yabs"), p.YRG->ItemIndex() == 0);
    ini.ecritEntier(QStringLiteral("VoieSerie"), QStringLiteral("ComNumber"),
                    liaison_->VoieSerie.ComNumber());
}

// ---- The link's host -------------------------------------------------------

QString TFormMain::statut() const
{
    return StatusBar1_->text();
}

void TFormMain::afficheMessage(const QString& texte)
{
    StatusBar1_->setText(texte);
    if (cinetique_ != nullptr) cinetique_->afficheMessage(texte);
}

void TFormMain::setBoutons()
{
    const TLiaison& l = *liaison_;
    const TBoutonsSpectre b = boutonsSpectre(
        {l.VoieSerie.Open(), l.etatSpectre, l.enCommande(), l.BlancFait, spectreFait, graphe_.nbrePoints});
    afficheMessage(b.invite);
    barre_->applique(b);
    panneau_->applique(b);
    if (!b.etat.isEmpty()) StatusBar1_->setText(b.etat);
}

void TFormMain::activeStop()
{
    barre_->StopBtn->setEnabled(true);
}

void TFormMain::afficheAbs(const QString& texte)
{
    panneau_->AbsEdit->setText(texte);
}

void TFormMain::setListePorts(const QStringList& entrees, int selection)
{
    TComboPorts* liste = panneau_->ComPorts;
    const QSignalBlocker bloque(liste);
    liste->clear();
    liste->addItems(entrees);
    liste->setCurrentIndex(selection);
}

int TFormMain::choisitPort(const QStringList& entrees)
{
    if (dialoguePort) return dialoguePort(entrees);
    return TDialogueChoixPort::choisit(this, entrees);
}

void TFormMain::afficheErreur(const QString& texte)
{
    if (boiteErreur) {
        boiteErreur(texte);
        return;
    }
    QMessageBox::critical(this, QStringLiteral("Lumko"), texte);
}

THoteCinetique* TFormMain::cinetique()
{
    return cinetique_;
}

void TFormMain::setCinetique(THoteCinetique* cinetique)
{
    cinetique_ = cinetique;
}

void TFormMain::setOuvreCinetique(std::function<void()> ouvre)
{
    ouvreCinetique_ = std::move(ouvre);
    barre_->CinetiqueBtn->setEnabled(static_cast<bool>(ouvreCinetique_));
}

// ---- Ports -----------------------------------------------------------------

void TFormMain::ConnectBtnClick()
{
    const bool enfonce = barre_->ConnectBtn->isChecked();
    liaison_->ConnectBtnClick(enfonce);
    // Saying why the port did not open spares the user a guess.
    if (enfonce && !liaison_->VoieSerie.Open() && !liaison_->VoieSerie.erreur().isEmpty())
        afficheMessage(liaison_->VoieSerie.erreur());
}

void TFormMain::ComPortsChange()
{
    liaison_->ComPortsChange(panneau_->ComPorts->currentText());
}

// ---- Commands --------------------------------------------------------------

void TFormMain::valideSaisies()
{
    panneau_->DebutSE->valideSaisie();
    panneau_->FinSE->valideSaisie();
    panneau_->LambdaSE->valideSaisie();
}

void TFormMain::BlancBtnClick()
{
    valideSaisies();
    TLiaison& l = *liaison_;
    l.etatSpectre = TEtatSpectre::esBlancEnCours;
    l.BlancFait = l.executeCommande(commandeBlanc(panneau_->DebutSE->Value(), panneau_->FinSE->Value()));
    l.etatSpectre = TEtatSpectre::esAttente;
    const QString raison = statut();
    setBoutons();
    if (!l.BlancFait) afficheEchecBlanc(raison);
}

// A blank that failed leaves the window idle: the pointer says so, and the
// status line keeps why, rather than being emptied by the refresh.
void TFormMain::afficheEchecBlanc(const QString& raison)
{
    liaison_->pointeurNormal();
    if (!raison.isEmpty()) afficheMessage(raison);
}

// The scan starts only once its set-up is done: after a Stop, a time-out or
// a lost line the instrument is not set up, and starting it would only
// overwrite the previous curve, maybe unsaved, with a scan nobody asked for.
// Until the first new point the previous curve, its journal and its kept
// copy stay as they were.
void TFormMain::SpectreBtnClick()
{
    valideSaisies();
    TLiaison& l = *liaison_;
    l.etatSpectre = TEtatSpectre::esSpectreEnCours;
    l.pointeurOccupe();
    balayage_ = {panneau_->DebutSE->Value(), panneau_->FinSE->Value(), vitesseChoisie()};
    if (!l.executeCommande(commandeReglage(balayage_.debut, balayage_.fin, balayage_.vitesse))) {
        const QString raison = statut();
        l.pointeurNormal();
        l.etatSpectre = TEtatSpectre::esAttente;
        setBoutons();
        if (!raison.isEmpty() && !fermeture_) afficheMessage(raison);
        return;
    }
    spectreFait = true;
    if (fermeture_) return;
    l.iCourant = 0;
    l.etatSpectre = TEtatSpectre::esSpectreEnCours;
    l.lanceMesure(commandeDepart(parametreBalayage(balayage_.fin - balayage_.debut, balayage_.vitesse)));
}

// The instrument takes the speeds 1 to 5 only: with none chosen (or one out
// of the group), "moyenne" is chosen, and shown.
int TFormMain::vitesseChoisie()
{
    TGroupeRadio& vitesses = *panneau_->VitesseRG;
    if (vitesses.ItemIndex() < 0 || vitesses.ItemIndex() >= vitesses.nombre()) vitesses.setItemIndex(2);
    return vitesses.ItemIndex();
}

void TFormMain::StopBtnClick()
{
    liaison_->StopBtnClick();
}

void TFormMain::abandonne(const QString& raison)
{
    liaison_->abandonne(raison);
}

void TFormMain::ZeroBtnClick()
{
    setZero();
}

void TFormMain::AbsBtnClick()
{
    demandeAbs();
}

void TFormMain::setLambda(int lambda)
{
    liaison_->setLambda(lambda);
}

void TFormMain::setZero()
{
    liaison_->setZero();
}

void TFormMain::demandeAbs()
{
    liaison_->demandeAbs();
}

bool TFormMain::enCommande() const
{
    return liaison_->enCommande();
}

bool TFormMain::auRepos() const
{
    return liaison_->auRepos();
}

void TFormMain::LambdaBtnClick()
{
    panneau_->LambdaSE->valideSaisie();
    setLambda(panneau_->LambdaSE->Value());
}

// ---- Range, ordinate, derivatives ------------------------------------------

void TFormMain::DebutSEChange()
{
    TSpinEdit& debut = *panneau_->DebutSE;
    TSpinEdit& fin = *panneau_->FinSE;
    debut.setMaxValue(fin.Value() - 100);
    fin.setMinValue(debut.Value() + 100);
    if (liaison_->BlancFait) liaison_->BlancFait = debut.Value() >= oldMin && fin.Value() <= oldMax;
    oldMin = debut.Value();
    oldMax = fin.Value();
}

void TFormMain::YRGClick()
{
    graphe_.mondeY = panneau_->YRG->ItemIndex() == 0 ? graphe_.mondeAbs.get() : graphe_.MondeTrans.get();
    vue_->redessine();
}

void TFormMain::AffDeriveeCBClick()
{
    for (int k = 1; k <= 3; ++k) graphe_.traceDer[static_cast<std::size_t>(k)] = panneau_->deriveeCochee(k);
    vue_->redessine();
}

// ---- Kept curves -----------------------------------------------------------

void TFormMain::AddBtnClick()
{
    graphe_.AddCourbeCourante();
    barre_->AddBtn->setEnabled(false);
    vue_->redessine();
}

bool TFormMain::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == vue_ && evenement->type() == QEvent::MouseButtonPress) {
        const auto* souris = static_cast<QMouseEvent*>(evenement);
        const QPoint p = souris->position().toPoint();
        PaintBox1MouseDown(souris->button(), p.x(), p.y());
        if (souris->button() == Qt::RightButton) grapheMenu_->popup(souris->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(objet, evenement);
}

void TFormMain::PaintBox1MouseDown(Qt::MouseButton bouton, int x, int y)
{
    if (bouton == Qt::RightButton) courbeProche = graphe_.CourbeProche(x, y);
}

void TFormMain::DeleteCourbeItemClick()
{
    if (courbeProche < 0 || courbeProche >= static_cast<int>(graphe_.listeDonnees.size())) return;
    graphe_.listeDonnees.erase(graphe_.listeDonnees.begin() + courbeProche);
    courbeProche = -1;
    vue_->redessine();
}

void TFormMain::PrintBtnClick()
{
    graphe_.Imprime(servicesImpression);
    vue_->redessine();
}

void TFormMain::SaveBtnClick()
{
    if (exporte && exporte()) journal_->abandonne();
}

// ---- Journal ---------------------------------------------------------------

void TFormMain::commenceJournal()
{
    journal_->commence({{QStringLiteral("fenetre"), QStringLiteral("spectre")},
                        {QStringLiteral("debut"), QString::number(balayage_.debut)},
                        {QStringLiteral("fin"), QString::number(balayage_.fin)},
                        {QStringLiteral("vitesse"), QString::number(balayage_.vitesse)},
                        {QStringLiteral("date"), QDateTime::currentDateTime().toString(Qt::ISODate)}});
}

// The first point of a scan is where a new curve begins.
void TFormMain::journalisePoint(int indice)
{
    if (indice == 0) {
        graphe_.dataSaved = false;
        commenceJournal();
    }
    const auto k = static_cast<std::size_t>(indice);
    journal_->ajoutePoint(indice, {graphe_.mondeX->valeur[k], graphe_.mondeAbs->valeur[k], graphe_.MondeTrans->valeur[k]});
}

void TFormMain::restaureSpectre(const TCourbeRejouee& courbe, const QMap<QString, QString>& entete)
{
    const int n = std::clamp(courbe.nombre, 0, static_cast<int>(tailleVecteur));
    graphe_.mondeX->valeur = courbe.colonnes[0];
    graphe_.mondeAbs->valeur = courbe.colonnes[1];
    graphe_.MondeTrans->valeur = courbe.colonnes[2];
    graphe_.nbrePoints = static_cast<indiceVecteur>(n);
    graphe_.dataSaved = false;
    liaison_->iCourant = n;
    spectreFait = n > 0;
    restaurePlage(entete.value(QStringLiteral("debut")), entete.value(QStringLiteral("fin")));
    journal_->reprend();
    vue_->redessine();
    setBoutons();
}

// Each end bounds the other (the range rule): an end that moves away from the
// other goes first, so that the second finds room within its bounds. A start
// that goes down is always free to (its lower bound is fixed), after which
// the end's lower bound is the new start + 100; otherwise the end goes first,
// bounded below by the old start + 100, no more than the new start + 100.
void TFormMain::restaurePlage(const QString& texteDebut, const QString& texteFin)
{
    TSpinEdit& debutSE = *panneau_->DebutSE;
    TSpinEdit& finSE = *panneau_->FinSE;
    bool debutLu = false;
    bool finLu = false;
    const int debut = texteDebut.toInt(&debutLu);
    const int fin = texteFin.toInt(&finLu);
    if (debutLu && debut < debutSE.Value()) {
        debutSE.setValue(debut);
        if (finLu) finSE.setValue(fin);
        return;
    }
    if (finLu) finSE.setValue(fin);
    if (debutLu) debutSE.setValue(debut);
}

// Choosing a destination also exports to it, and "Sauver" shows it.
void TFormMain::TabrelixMClick(QAction* item)
{
    item->setChecked(true);
    barre_->SaveBtn->setIcon(item->icon());
    SaveBtnClick();
}

void TFormMain::CinetiqueBtnClick()
{
    if (ouvreCinetique_) ouvreCinetique_();
}
