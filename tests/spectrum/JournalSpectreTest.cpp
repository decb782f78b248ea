// Every point of a scan is in the spectrum's journal as it comes; a new
// scan starts a new one; a curve handed over drops it.
#include "FenetreFixture.h"

#include "common/TJournalMesures.h"

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
