// The kinetics window as a user first meets it: created by the first press
// of "Cinétique", its caption, size and limits, its controls with their
// texts, help texts and French names, and its status line.
#include "Accessibilite.h"
#include "CinetiqueFixture.h"

#include "kinetics/TFleches.h"
#include "spectrum/TSpinEdit.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

class CadreCinetique : public CinetiqueFixture {};

TEST_F(CadreCinetique, creeeAuPremierAppuiMontreeAChaqueAppuiCacheeALaFermeture)
{
    ouvreFenetre();
    EXPECT_FALSE(barre().CinetiqueBtn->isEnabled()) << "nothing to open yet";
    EXPECT_EQ(f().cinetique(), nullptr);
    TCinetiqueForm& c = ouvreCinetique();
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Cinétique avec Orvanne"));
    EXPECT_TRUE(c.isWindow());
    c.close();
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(f().cinetique(), &c) << "closing only hides it";
    barre().CinetiqueBtn->click();
    EXPECT_EQ(f().cinetique(), &c) << "the same window again";
    EXPECT_TRUE(c.isVisible());
}

TEST_F(CadreCinetique, tailleDepartBornesEtCentrage)
{
    TCinetiqueForm& c = ouvreCinetique();
    const QRect place = c.screen()->availableGeometry();
    // 863 x 504 on any screen with room for it.
    EXPECT_EQ(c.size(), QSize(std::min(863, place.width() - 20), std::min(504, place.height() - 20)));
    EXPECT_EQ(c.minimumSize(), QSize(550, 120));
    EXPECT_EQ(c.maximumSize(), QSize(place.width() - 20, place.height() - 20));
    EXPECT_LE(std::abs(c.geometry().center().x() - place.center().x()), 1);
    EXPECT_LE(std::abs(c.geometry().center().y() - place.center().y()), 1);
    c.resize(300, 50);
    EXPECT_EQ(c.size(), QSize(550, 120));
}

TEST_F(CadreCinetique, barreEtBandeauDansLOrdre)
{
    ouvreCinetique();
    QStringList lues;
    int gauche = -1;
    for (QToolButton* b : barreCin().boutons()) {
        lues << b->text();
        EXPECT_GT(b->x(), gauche) << "tool bar order";
        gauche = b->x();
        EXPECT_FALSE(b->toolTip().isEmpty()) << b->text().toStdString();
    }
    EXPECT_EQ(lues, (QStringList{QStringLiteral("Blanc"), QStringLiteral("Lancer"), QStringLiteral("Repère"),
                                 QStringLiteral("Stop"), QStringLiteral("RàZ"), QStringLiteral("Sauver"),
                                 QStringLiteral("Imprimer"), QStringLiteral("Quitter")}));
    const struct {
        QWidget* controle;
        const char* aide;
    } aides[] = {
        {barreCin().ZeroBtn, "Mettre la cuve avec le solvant puis cliquer ici"},
        {barreCin().StartBtn, "Lancer l'acquisition"},
        {barreCin().RepereBtn, "Placer un repère temporel"},
        {barreCin().StopBtn, "Arrêt de l'acquisition"},
        {barreCin().ResetBtn, "Remise à zéro de l'acquisition"},
        {barreCin().PrintBtn, "Impression du graphe"},
        {bandeau().LambdaBtn, "Cliquer pour régler la longueur d'onde"},
        {bandeau().LabelDeltat, "Intervalle de temps entre chaque points"},
        {bandeau().NbreEdit, "Nombre de points"},
        {bandeau().DureeEdit, "Durée totale"},
    };
    for (const auto& a : aides) EXPECT_EQ(a.controle->toolTip(), QString::fromUtf8(a.aide));
    const QList<QAction*> sauver = barreCin().SavePopupMenu->actions();
    ASSERT_EQ(sauver.size(), 3);
    EXPECT_EQ(sauver[0]->text(), QStringLiteral("vers Tabrelix"));
    EXPECT_TRUE(sauver[0]->isChecked());
    EXPECT_EQ(sauver[2]->text(), QStringLiteral("vers fichier"));

    // The strip reads as one line, left to right.
    TBandeauCinetique& h = bandeau();
    const QList<QWidget*> ligne = {h.Label2, h.LambdaSE,  h.LambdaBtn, h.LabelDeltat, h.DureeSB, h.Label3,
                                   h.NbreEdit, h.NbreSpin, h.Label4, h.DureeEdit};
    for (qsizetype i = 1; i < ligne.size(); ++i) {
        EXPECT_GT(ligne[i]->x(), ligne[i - 1]->x()) << i;
        EXPECT_LT(std::abs(ligne[i]->geometry().center().y() - ligne[0]->geometry().center().y()), 4) << i;
    }
    EXPECT_LT(h.geometry().bottom(), barreCin().geometry().top() + 1) << "the strip is above the tool bar";
    EXPECT_EQ(h.Label3->text(), QStringLiteral("x"));
    EXPECT_EQ(h.Label4->text(), QStringLiteral("="));
    EXPECT_EQ(h.Label2->text(), QStringLiteral("Lambda (nm)"));
}

TEST_F(CadreCinetique, valeursParDefautSansReglages)
{
    ouvreCinetique();
    TBandeauCinetique& h = bandeau();
    EXPECT_EQ(h.LambdaSE->Value(), 500);
    EXPECT_EQ(h.LambdaSE->MinValue(), 190);
    EXPECT_EQ(h.LambdaSE->MaxValue(), 1100);
    EXPECT_EQ(h.LabelDeltat->text(), QStringLiteral("dt=2 s"));
    EXPECT_EQ(h.NbreEdit->text(), QStringLiteral("120"));
    EXPECT_FALSE(h.DureeEdit->isEnabled());
    EXPECT_EQ(cin().DureeMesure(), 240);
    EXPECT_EQ(cin().Graphe().mondeX->nom, QStringLiteral("t"));
    EXPECT_EQ(cin().Graphe().mondeX->maxi, 240.0);
    EXPECT_EQ(cin().Graphe().mondeAbs->maxi, 3.0);
    EXPECT_EQ(cin().Graphe().mondeAbs->signif, QStringLiteral("Absorbance"));
    EXPECT_EQ(minuterie_->periode(), 2000);
    EXPECT_FALSE(minuterie_->active());
    for (QWidget* w : {static_cast<QWidget*>(barreCin().StartBtn), static_cast<QWidget*>(barreCin().StopBtn),
                       static_cast<QWidget*>(barreCin().RepereBtn), static_cast<QWidget*>(barreCin().ResetBtn),
                       static_cast<QWidget*>(barreCin().SaveBtn)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(barreCin().PrintBtn->isEnabled());
    EXPECT_FALSE(h.PanelDuree->isVisible());
    EXPECT_FALSE(h.PanelAbs->isVisible());
}

TEST_F(CadreCinetique, indicateursEnBlancGrasSurLaCouleurDeSelection)
{
    ouvreCinetique();
    for (QLabel* p : {bandeau().PanelDuree, bandeau().PanelAbs}) {
        EXPECT_EQ(p->text(), QStringLiteral("00:00:00"));
        EXPECT_TRUE(p->font().bold());
        EXPECT_EQ(p->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(p->palette().color(QPalette::Window), cin().palette().color(QPalette::Active, QPalette::Highlight));
    }
}

TEST_F(CadreCinetique, chaqueControleAUnNomFrancaisAccessible)
{
    TCinetiqueForm& c = ouvreCinetique();
    prepare();
    lance();
    using Role = QAccessible::Role;
    const NomsAccessibles trouves = nomsAccessibles(&c);
    const std::pair<Role, const char*> attendus[] = {
        {Role::Button, "Blanc"},         {Role::Button, "Lancer"},
        {Role::Button, "Repère"},        {Role::Button, "Stop"},
        {Role::Button, "RàZ"},           {Role::Button, "Imprimer"},
        {Role::Button, "Quitter"},       {Role::SpinBox, "Lambda (nm)"},
        {Role::Button, "Régler la longueur d'onde"}, {Role::SpinBox, "Intervalle de temps"},
        {Role::EditableText, "Nombre de points"},    {Role::SpinBox, "Nombre de points"},
        {Role::EditableText, "Durée totale"},        {Role::Client, "Graphe"},
    };
    for (const auto& [role, nom] : attendus)
        EXPECT_TRUE(trouves.count({role, QString::fromUtf8(nom)})) << "missing: " << nom << " (role " << role << ")";
    EXPECT_TRUE(trouves.count({Role::ButtonMenu, QStringLiteral("Sauver")})
                || trouves.count({Role::ButtonDropDown, QStringLiteral("Sauver")})
                || trouves.count({Role::Button, QStringLiteral("Sauver")}));
}

// The indicators are read by what they show; what they are is their
// description.
TEST_F(CadreCinetique, lesIndicateursSontNommesParCeQuIlsMontrent)
{
    ouvreCinetique();
    prepare();
    lance();
    const std::pair<QLabel*, const char*> indicateurs[] = {
        {bandeau().PanelDuree, "Temps écoulé"}, {bandeau().PanelAbs, "Dernière absorbance"}};
    for (const auto& [panneau, quoi] : indicateurs) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(panneau);
        EXPECT_EQ(i->text(QAccessible::Description), QString::fromUtf8(quoi));
        EXPECT_EQ(i->text(QAccessible::Name), panneau->text());
        panneau->setText(QStringLiteral("00:00:42"));
        EXPECT_EQ(i->text(QAccessible::Name), QStringLiteral("00:00:42"));
    }
}

// Escape presses Stop, as in the main window; the arrows answer the keys.
TEST_F(CadreCinetique, auClavier)
{
    TCinetiqueForm& c = ouvreCinetique();
    prepare();
    lance();
    c.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    QTest::keyClick(&c, Qt::Key_Escape);
    EXPECT_FALSE(c.acqEnCours());
    bandeau().DureeSB->setFocus();
    QTest::keyClick(bandeau().DureeSB, Qt::Key_Up);
    EXPECT_EQ(c.DeltatMesure(), 3);
    QTest::keyClick(bandeau().NbreSpin, Qt::Key_Down);
    EXPECT_EQ(c.NbreMax(), 90);
}

// The main window's status texts reach the kinetics window once it exists,
// even hidden; the main window's own prompts do not.
TEST_F(CadreCinetique, laLigneDEtatSuitCelleDeLaFenetrePrincipale)
{
    ouvreFenetre();
    f().afficheMessage(QStringLiteral("avant"));
    TCinetiqueForm& c = ouvreCinetique();
    EXPECT_TRUE(c.statut().isEmpty());
    c.close();
    f().afficheMessage(QStringLiteral("Envoi de w5000"));
    EXPECT_EQ(c.statut(), QStringLiteral("Envoi de w5000"));
    f().afficheMessage(QString());
    EXPECT_TRUE(c.statut().isEmpty());
    EXPECT_TRUE(f().statut().isEmpty());
    f().setBoutons();
    EXPECT_EQ(c.statut(), QStringLiteral("Cliquer sur connecter"));
    connecte();
    f().setBoutons();
    EXPECT_TRUE(c.statut().isEmpty());
}
