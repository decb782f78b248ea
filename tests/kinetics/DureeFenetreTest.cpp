// The time step and the count as the window shows them: typed counts, the
// arrows outside and during a run, and the displays that follow.
#include "CinetiqueFixture.h"

#include "LocaleScope.h"
#include "kinetics/TFleches.h"
#include "kinetics/TextesCinetique.h"

#include <QFocusEvent>
#include <QTest>

class DureeFenetre : public CinetiqueFixture {
protected:
    void SetUp() override
    {
        CinetiqueFixture::SetUp();
        francais_ = std::make_unique<LocaleScope>(LocaleScope::francais());
    }
    void TearDown() override
    {
        CinetiqueFixture::TearDown();
        francais_.reset();
    }
    std::unique_ptr<LocaleScope> francais_;
};

// A text given in one change (pasted) then Enter: the count rule; a text
// that is not an integer: the error box, and the count in force comes back.
TEST_F(DureeFenetre, unNombreTape)
{
    struct Cas {
        const char* texte;
        int nombre;
        int pas;
        const char* champ;
        const char* duree;
        bool erreur;
    };
    const Cas cas[] = {
        {"95", 90, 2, "90", "00:03:00", false},      {"305", 300, 2, "300", "00:10:00", false},
        {"5", 10, 2, "10", "00:00:20", false},       {"1000", 600, 3, "600", "00:30:00", false},
        {"12", 12, 2, "12", "00:00:24", false},      {"", 120, 2, "120", "00:04:00", true},
        {"abc", 120, 2, "120", "00:04:00", true},
    };
    for (const Cas& c : cas) {
        fenetre_.reset();
        erreurs_.clear();
        ouvreCinetique();
        bandeau().NbreEdit->setText(QString::fromUtf8(c.texte));
        EXPECT_EQ(cin().NbreMax(), 120) << c.texte << ": not before Enter";
        QTest::keyClick(bandeau().NbreEdit, Qt::Key_Return);
        EXPECT_EQ(cin().NbreMax(), c.nombre) << c.texte;
        EXPECT_EQ(cin().DeltatMesure(), c.pas) << c.texte;
        EXPECT_EQ(bandeau().NbreEdit->text(), QString::fromUtf8(c.champ)) << c.texte;
        EXPECT_EQ(bandeau().DureeEdit->text(), QString::fromUtf8(c.duree)) << c.texte;
        EXPECT_EQ(minuterie_->periode(), c.pas * 1000) << c.texte;
        if (c.erreur) {
            ASSERT_EQ(erreurs_.size(), 1) << c.texte;
            EXPECT_EQ(erreurs_[0], QStringLiteral("'%1' n'est pas une valeur entière correcte")
                                       .arg(QString::fromUtf8(c.texte)));
        } else {
            EXPECT_TRUE(erreurs_.isEmpty()) << c.texte;
        }
    }
}

// Typed digit by digit, the count counts once typed: at Enter, when the
// field is left, when a run starts, or before an arrow moves it; until then
// the keystrokes change nothing ("1" on the way to "10" is not made 10, then
// "100" made 90).
TEST_F(DureeFenetre, unNombreTapeCompteUneFoisTape)
{
    enum class Fin { entree, sortie, lancement, flecheHaut };
    const struct {
        const char* nom;
        const char* texte;
        Fin fin;
        int nombre;
    } cas[] = {
        {"10 Entree", "10", Fin::entree, 10},         {"10 sortie", "10", Fin::sortie, 10},
        {"25 Entree", "25", Fin::entree, 25},         {"100 Entree", "100", Fin::entree, 90},
        {"95 lancement", "95", Fin::lancement, 90},   {"10 lancement", "10", Fin::lancement, 10},
        {"25 fleche haut", "25", Fin::flecheHaut, 26},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        fenetre_.reset();
        erreurs_.clear();
        ouvreCinetique();
        if (c.fin == Fin::lancement) prepare();
        QLineEdit& champ = *bandeau().NbreEdit;
        champ.setFocus();
        champ.selectAll();
        QTest::keyClicks(&champ, QString::fromLatin1(c.texte));
        EXPECT_EQ(champ.text(), QString::fromLatin1(c.texte)) << "each keystroke stays as typed";
        EXPECT_EQ(cin().NbreMax(), 120);
        switch (c.fin) {
        case Fin::entree: QTest::keyClick(&champ, Qt::Key_Return); break;
        case Fin::sortie: {
            QFocusEvent sortie(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(&champ, &sortie);
            break;
        }
        case Fin::lancement: lance(); break;
        case Fin::flecheHaut: bandeau().NbreSpin->stepBy(1); break;
        }
        EXPECT_EQ(cin().NbreMax(), c.nombre);
        EXPECT_EQ(champ.text(), QString::number(c.nombre));
        EXPECT_EQ(bandeau().DureeEdit->text(), texteDuree(c.nombre * 2));
        EXPECT_TRUE(erreurs_.isEmpty());
        if (c.fin == Fin::lancement) barreCin().StopBtn->click();
    }
}

TEST_F(DureeFenetre, lesAffichagesSuiventLesFleches)
{
    ouvreCinetique();
    EXPECT_EQ(bandeau().LabelDeltat->text(), QStringLiteral("dt=2 s"));
    EXPECT_EQ(bandeau().DureeEdit->text(), QStringLiteral("00:04:00"));
    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(bandeau().LabelDeltat->text(), QStringLiteral("3 s"));
    EXPECT_EQ(bandeau().DureeEdit->text(), QStringLiteral("00:06:00"));
    EXPECT_EQ(cin().Graphe().mondeX->maxi, 360.0);
    EXPECT_EQ(minuterie_->periode(), 3000);
    bandeau().DureeSB->stepBy(-1);
    bandeau().DureeSB->stepBy(-1);
    EXPECT_EQ(cin().DeltatMesure(), 2);
    EXPECT_EQ(cin().NbreMax(), 80) << "at 2 s, Down shortens the count by a third";
    EXPECT_EQ(bandeau().NbreEdit->text(), QStringLiteral("80"));
    bandeau().NbreSpin->stepBy(1);
    EXPECT_EQ(cin().NbreMax(), 90);
    bandeau().NbreSpin->stepBy(1);
    EXPECT_EQ(cin().NbreMax(), 120);
    bandeau().NbreSpin->stepBy(-1);
    EXPECT_EQ(cin().NbreMax(), 90);
    EXPECT_EQ(bandeau().DureeEdit->text(), QStringLiteral("00:03:00"));
}

// During a run: the count arrows are off, the step arrows lengthen the run
// under way; past 400 steps the step grows, and more than 300 points taken
// keep one in two (0, 2 ... 348), markers untouched.
TEST_F(DureeFenetre, pendantUneRunLesFlechesDuPasAllongentEtEclaircissent)
{
    ouvreCinetique();
    prepare();
    lance();
    EXPECT_FALSE(bandeau().NbreSpin->isEnabled());
    EXPECT_FALSE(bandeau().NbreEdit->isEnabled());
    EXPECT_TRUE(bandeau().DureeSB->isEnabled());
    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(cin().NbreMax(), 180);
    EXPECT_EQ(cin().DeltatMesure(), 2);
    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(cin().NbreMax(), 270);
    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(cin().NbreMax(), 360) << "405 goes down to the grid";
    barreCin().StopBtn->click();

    bandeau().NbreEdit->setText(QStringLiteral("600"));
    lance();
    ASSERT_EQ(cin().NbreMax(), 600);
    EXPECT_EQ(cin().DureeMesure(), 1200);

    textesReperes_ = {QStringLiteral("a"), QStringLiteral("b")};
    while (nbrePoints() < 350) {
        tic();
        if (nbrePoints() == 101 || nbrePoints() == 301) barreCin().RepereBtn->click();
    }
    std::vector<std::pair<double, double>> avant;
    for (int k = 0; k < 350; ++k) avant.emplace_back(temps(k), absorbance(k));
    const auto reperes = cin().Graphe().listeRepere;
    const int lancements = minuterie_->lancements;

    bandeau().DureeSB->stepBy(1);
    EXPECT_EQ(cin().DeltatMesure(), 3);
    EXPECT_EQ(cin().NbreMax(), 600);
    EXPECT_EQ(cin().DureeMesure(), 1800);
    EXPECT_EQ(minuterie_->periode(), 3000);
    EXPECT_EQ(minuterie_->lancements, lancements + 1) << "a new period counts from now";
    ASSERT_EQ(nbrePoints(), 175);
    for (int i = 0; i < 175; ++i) {
        EXPECT_EQ(temps(i), avant[static_cast<std::size_t>(2 * i)].first) << i;
        EXPECT_EQ(absorbance(i), avant[static_cast<std::size_t>(2 * i)].second) << i;
    }
    ASSERT_EQ(cin().Graphe().listeRepere.size(), reperes.size());
    for (std::size_t k = 0; k < reperes.size(); ++k)
        EXPECT_EQ(cin().Graphe().listeRepere[k].Valeur, reperes[k].Valeur);
    EXPECT_TRUE(cin().acqEnCours());

    // The run now ends past 1800 s.
    jusquALaFin();
    EXPECT_GT(temps(nbrePoints() - 1), 1800.0);
    EXPECT_LE(temps(nbrePoints() - 2), 1800.0);
}
