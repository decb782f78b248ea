// The main window as a user first meets it: caption, size, tool bar, left
// panel, and every control found by its French name through the
// accessibility interface and reachable with the keyboard.
#include "Accessibilite.h"
#include "FenetreFixture.h"

#include "spectrum/TComboPorts.h"
#include "spectrum/TGroupeRadio.h"
#include "spectrum/TListeCoches.h"
#include "spectrum/TSpinEdit.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <set>
#include <utility>

using Role = QAccessible::Role;

class CadreFenetre : public FenetreFixture {};

TEST_F(CadreFenetre, titreTailleEtBarreDOutils)
{
    TFormMain& fen = ouvreFenetre();
    EXPECT_EQ(fen.windowTitle(), QStringLiteral("Orvanne pour Tabrelix 05/12/2015"));
    EXPECT_GE(fen.width(), 717);
    EXPECT_GE(fen.height(), 552);
    EXPECT_EQ(panneau().width(), 177);
    EXPECT_EQ(fen.statusBar()->height(), 19);

    const QStringList attendues = {QStringLiteral("Connecter"), QStringLiteral("Blanc"),
                                   QStringLiteral("Spectre"),   QStringLiteral("Conserver"),
                                   QStringLiteral("Stop"),      QStringLiteral("Imprimer"),
                                   QStringLiteral("Sauver"),    QStringLiteral("Cinétique"),
                                   QStringLiteral("Quitter")};
    QStringList lues;
    int gauche = -1;
    for (QToolButton* b : barre().boutons()) {
        lues << b->text();
        EXPECT_EQ(b->height(), 34) << b->text().toStdString();
        EXPECT_EQ(b->iconSize(), QSize(20, 20));
        EXPECT_GT(b->x(), gauche) << "tool bar order";
        EXPECT_TRUE(b->isVisible()) << b->text().toStdString() << " hidden in the overflow";
        EXPECT_LE(b->geometry().right(), barre().width()) << b->text().toStdString();
        gauche = b->x();
    }
    EXPECT_EQ(lues, attendues);
    for (QToolButton* b : {barre().ConnectBtn, barre().AddBtn, barre().CinetiqueBtn})
        EXPECT_GE(b->width(), 88);
    EXPECT_EQ(barre().BlancBtn->toolTip(), QStringLiteral("Mettre la cuve avec le solvant puis cliquer ici"));
    EXPECT_EQ(barre().SpectreBtn->toolTip(),
              QStringLiteral("Mettre la cuve avec l'échantillon puis cliquer ici"));

    const QList<QAction*> sauver = barre().SavePopupMenu->actions();
    ASSERT_EQ(sauver.size(), 3);
    EXPECT_EQ(sauver[0]->text(), QStringLiteral("vers Tabrelix"));
    EXPECT_EQ(sauver[1]->text(), QStringLiteral("vers presse papiers"));
    EXPECT_EQ(sauver[2]->text(), QStringLiteral("vers fichier"));
    EXPECT_TRUE(sauver[0]->isChecked());
    sauver[2]->trigger();
    EXPECT_TRUE(sauver[2]->isChecked());
    EXPECT_FALSE(sauver[0]->isChecked()) << "the three destinations exclude each other";
}

// The size the instrument's users know, whenever the desktop's font lets
// every control show in it.
TEST_F(CadreFenetre, s_ouvreEn717Sur552QuandLaPoliceLePermet)
{
    const QFont avant = QApplication::font();
    QFont petite = avant;
    petite.setPointSize(7);
    QApplication::setFont(petite);
    {
        TFormMain fen(ini_);
        fen.show();
        EXPECT_EQ(fen.size(), QSize(717, 552));
        for (QToolButton* b : fen.barre().boutons()) EXPECT_TRUE(b->isVisible());
    }
    QApplication::setFont(avant);
}

TEST_F(CadreFenetre, avantLaPremiereActivationRienNeParleALInstrument)
{
    TFormMain fen(ini_);
    EXPECT_EQ(fen.barre().ConnectBtn->text(), QStringLiteral("Connect."));
    for (QWidget* w : std::initializer_list<QWidget*>{
             fen.barre().BlancBtn, fen.barre().SpectreBtn, fen.barre().StopBtn, fen.barre().AddBtn,
             fen.panneau().ZeroBtn, fen.panneau().AbsBtn, fen.panneau().LambdaBtn})
        EXPECT_FALSE(w->isEnabled());
    fen.FormActivate();
    EXPECT_EQ(fen.barre().ConnectBtn->text(), QStringLiteral("Connecter"));
    EXPECT_EQ(fen.statut(), QStringLiteral("Cliquer sur connecter"));
}

TEST_F(CadreFenetre, panneauGaucheBornesEtValeursParDefaut)
{
    ouvreFenetre();
    TPanneauSpectre& p = panneau();
    // Without settings: 500 to 600 nm, bounds following the range.
    EXPECT_EQ(p.DebutSE->Value(), 500);
    EXPECT_EQ(p.DebutSE->MinValue(), 190);
    EXPECT_EQ(p.DebutSE->MaxValue(), 500);
    EXPECT_EQ(p.FinSE->Value(), 600);
    EXPECT_EQ(p.FinSE->MinValue(), 600);
    EXPECT_EQ(p.FinSE->MaxValue(), 1100);
    EXPECT_EQ(p.LambdaSE->Value(), 800);
    EXPECT_EQ(p.LambdaSE->MinValue(), 500);
    EXPECT_EQ(p.LambdaSE->MaxValue(), 1000);
    for (TSpinEdit* s : {p.DebutSE, p.FinSE, p.LambdaSE}) EXPECT_EQ(s->Increment(), 10);
    EXPECT_EQ(p.VitesseRG->ItemIndex(), 2);
    EXPECT_EQ(p.VitesseRG->bouton(4)->text(), QStringLiteral("très lente"));
    EXPECT_EQ(p.YRG->ItemIndex(), 0);
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(p.deriveeCochee(k));
    EXPECT_EQ(p.Memo1->text(), QStringLiteral("En cas de blocage,\nappuyer sur le bouton \nStop"));
    EXPECT_EQ(p.Memo1->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(p.AbsEdit->isEnabled());
    EXPECT_EQ(p.ComPorts->count(), 1);
    EXPECT_EQ(p.ComPorts->currentText(), QStringLiteral("COM7"));
}

TEST_F(CadreFenetre, auPlusTroisChiffresTapesMaisUneValeurPoseeSAfficheEntiere)
{
    ouvreFenetre();
    TSpinEdit& fin = *panneau().FinSE;
    fin.setValue(1200);
    EXPECT_EQ(fin.Value(), 1100);
    EXPECT_EQ(fin.text(), QStringLiteral("1100"));
    fin.setFocus();
    fin.selectAll();
    QTest::keyClicks(&fin, QStringLiteral("9501"));
    EXPECT_EQ(fin.text(), QStringLiteral("950"));
    QTest::keyClick(&fin, Qt::Key_Return);
    EXPECT_EQ(fin.Value(), 950);
    fin.stepBy(20);
    EXPECT_EQ(fin.Value(), 1100) << "the arrows stop at the bound";
}

TEST_F(CadreFenetre, chaqueControleAUnNomFrancaisAccessible)
{
    TFormMain& fen = ouvreFenetre();
    const NomsAccessibles trouves = nomsAccessibles(&fen);
    const std::pair<Role, const char*> attendus[] = {
        {Role::CheckBox, "Connecter"},    {Role::Button, "Blanc"},
        {Role::Button, "Spectre"},        {Role::Button, "Conserver"},
        {Role::Button, "Stop"},           {Role::Button, "Imprimer"},
        {Role::Button, "Cinétique"},      {Role::Button, "Quitter"},
        {Role::SpinBox, "Mini"},          {Role::SpinBox, "Maxi"},
        {Role::SpinBox, "Aller à :"},     {Role::Button, "Aller à :"},
        {Role::Button, "Zéro"},           {Role::Button, "Abs ?"},
        {Role::EditableText, "Abs ?"},    {Role::Grouping, "Vitesse"},
        {Role::RadioButton, "moyenne"},   {Role::Grouping, "Ordonnée"},
        {Role::RadioButton, "A"},         {Role::RadioButton, "T"},
        {Role::CheckBox, "ordre 1"},       {Role::ComboBox, "Port série"},
        {Role::Client, "Graphe"},
    };
    for (const auto& [role, nom] : attendus)
        EXPECT_TRUE(trouves.count({role, QString::fromUtf8(nom)}))
            << "missing: " << nom << " (role " << role << ")";
    const bool sauver = trouves.count({Role::ButtonMenu, QStringLiteral("Sauver")})
                        || trouves.count({Role::ButtonDropDown, QStringLiteral("Sauver")})
                        || trouves.count({Role::Button, QStringLiteral("Sauver")});
    EXPECT_TRUE(sauver);
}

// A screen reader reads a display by its name: the status line's and the
// "Abs ?" result's names are what they show, and follow each change.
TEST_F(CadreFenetre, lesAffichagesSontNommesParCeQuIlsMontrent)
{
    TFormMain& fen = ouvreFenetre();
    auto* ligne = fen.findChild<QLabel*>(QStringLiteral("StatusBar1"));
    ASSERT_NE(ligne, nullptr);
    QAccessibleInterface* etat = QAccessible::queryAccessibleInterface(ligne);
    EXPECT_EQ(etat->text(QAccessible::Description), QStringLiteral("Ligne d'état"));
    EXPECT_EQ(etat->text(QAccessible::Name), QStringLiteral("Cliquer sur connecter"));
    fen.afficheMessage(QStringLiteral("Attente des résultats"));
    EXPECT_EQ(etat->text(QAccessible::Name), QStringLiteral("Attente des résultats"));

    QAccessibleInterface* abs = QAccessible::queryAccessibleInterface(panneau().AbsEdit);
    EXPECT_EQ(abs->text(QAccessible::Description), QStringLiteral("Abs ?"));
    EXPECT_EQ(abs->text(QAccessible::Name), QStringLiteral("Abs ?")) << "empty, it keeps its label's name";
    fen.afficheAbs(QStringLiteral("A = 0,512"));
    EXPECT_EQ(abs->text(QAccessible::Name), QStringLiteral("A = 0,512"));
}

TEST_F(CadreFenetre, toutSeParcourtAuClavierEtEchapArrete)
{
    TFormMain& fen = ouvreFenetre();
    std::set<QWidget*> chaine;
    QWidget* w = &fen;
    do {
        if (w->focusPolicy() & Qt::TabFocus) chaine.insert(w);
        w = w->nextInFocusChain();
    } while (w != &fen);
    QList<QWidget*> controles;
    for (QToolButton* b : barre().boutons()) controles << b;
    TPanneauSpectre& p = panneau();
    controles << p.DebutSE << p.FinSE << p.VitesseRG->bouton(0) << p.AffDeriveeCB->coche(0)
              << p.YRG->bouton(0) << p.LambdaBtn << p.LambdaSE << p.ZeroBtn << p.AbsBtn
              << p.ComPorts << &fen.PaintBox1();
    for (QWidget* c : controles) {
        EXPECT_TRUE(chaine.count(c)) << c->accessibleName().toStdString() << " not reachable with Tab";
        // A control without its own help shows its group's.
        const QWidget* aide = c;
        while (aide != nullptr && aide->toolTip().isEmpty()) aide = aide->parentWidget();
        EXPECT_TRUE(aide != nullptr && aide != &fen) << c->accessibleName().toStdString() << " has no help text";
    }

    connecte();
    fen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fen));
    liaison().etatSpectre = TEtatSpectre::esLectureAbs;
    fen.setBoutons();
    ASSERT_TRUE(barre().StopBtn->isEnabled());
    QTest::keyClick(&fen, Qt::Key_Escape);
    EXPECT_EQ(liaison().etatSpectre, TEtatSpectre::esAttente);
    EXPECT_TRUE(liaison().arretForce);
}
