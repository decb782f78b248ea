// Every point of a scan is in the spectrum's journal as it comes; a new
// scan starts a new one; a curve handed over drops it.
#include "FenetreFixture.h"

#include "common/TJournalMesures.h"
#include "spectrum/TSpinEdit.h"

class JournalSpectre : public FenetreFixture {};

TEST_F(JournalSpectre, chaquePointDuSpectreEstJournalise)
{
    ouvreFenetre();
    enregistreSpectre();
    laissePasser();
    const QString chemin = f().journal().chemin();
    const TCourbeJournal j = lisJournalFichier(chemin);
    EXPECT_EQ(j.entete.value(QStringLiteral("debut")), QStringLiteral("500"));
    const TCourbeRejouee c = rejoue(j);
    const int n = f().graphe().nbrePoints;
    ASSERT_GT(n, 100);
    ASSERT_EQ(c.nombre, n);
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        ASSERT_EQ(c.colonnes[0][i], f().graphe().mondeX->valeur[i]) << k;
        ASSERT_EQ(c.colonnes[1][i], f().graphe().mondeAbs->valeur[i]) << k;
        ASSERT_EQ(c.colonnes[2][i], f().graphe().MondeTrans->valeur[i]) << k;
    }
    bool remis = false;
    f().exporte = [&] { return remis; };
    f().SaveBtnClick();
    EXPECT_TRUE(QFile::exists(chemin)) << "not handed over: kept";
    remis = true;
    f().SaveBtnClick();
    EXPECT_FALSE(QFile::exists(chemin));
}

// A curve read back from its journal brings back its range whole, whatever
// the range in the fields before: each end bounds the other, so the order in
// which they are set matters (200 to 300 nm once came back as 200 to 600).
TEST_F(JournalSpectre, laPlageDuJournalRevientEntiere)
{
    const struct {
        const char* reglages;
        int debut, fin;
    } cas[] = {
        {"", 200, 300},
        {"", 190, 1100},
        {"", 900, 1100},
        {"", 650, 760},
        {"", 450, 550},
        {"[Lambda]\nDebut=500\nFin=800\n", 200, 300},
        {"[Lambda]\nDebut=500\nFin=800\n", 900, 1000},
        {"[Lambda]\nDebut=190\nFin=1100\n", 600, 700},
        {"[Lambda]\nDebut=700\nFin=1100\n", 200, 300},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(std::string(c.reglages) + std::to_string(c.debut) + "-" + std::to_string(c.fin));
        fenetre_.reset();
        ecritIni(c.reglages + sectionPorts());
        ouvreFenetre();
        TCourbeRejouee courbe;
        courbe.nombre = 3;
        for (std::size_t k = 0; k < 3; ++k) courbe.colonnes[0][k] = c.fin - 10.0 * static_cast<double>(k);
        f().restaureSpectre(courbe, {{QStringLiteral("debut"), QString::number(c.debut)},
                                     {QStringLiteral("fin"), QString::number(c.fin)}});
        EXPECT_EQ(panneau().DebutSE->Value(), c.debut);
        EXPECT_EQ(panneau().FinSE->Value(), c.fin);
        EXPECT_EQ(panneau().DebutSE->MaxValue(), c.fin - 100);
        EXPECT_EQ(panneau().FinSE->MinValue(), c.debut + 100);
        f().journal().abandonne();
    }
}
