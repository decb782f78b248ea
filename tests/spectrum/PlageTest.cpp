// The range rule: each end bounds the other, and a blank stays valid only
// while the range stays inside the one just before it.
#include "FenetreFixture.h"

#include "spectrum/TSpinEdit.h"

#include <QLineEdit>

#include <vector>

namespace {

struct TPas {
    int debut; // 0: unchanged
    int fin;   // 0: unchanged
    bool blancFait;
};

struct TCasPlage {
    const char* nom;
    std::vector<TPas> pas;
};

const TCasPlage casPlage[] = {
    {"finReculeA790", {{0, 790, true}}},
    {"debutAvanceA600", {{600, 0, true}}},
    {"debutReculeA490", {{490, 0, false}}},
    {"finAvanceA810", {{0, 810, false}}},
    {"retrecirPuisRevenir", {{600, 0, true}, {0, 700, true}, {500, 0, false}, {0, 800, false}}},
};

} // namespace

class Plage : public FenetreFixture, public ::testing::WithParamInterface<TCasPlage> {};

TEST_P(Plage, leBlancSuitLaPlagePrecedente)
{
    ouvreFenetre();
    TSpinEdit& debut = *panneau().DebutSE;
    TSpinEdit& fin = *panneau().FinSE;
    fin.setValue(800);
    debut.setValue(500);
    liaison().BlancFait = true; // a blank made over 500 to 800 nm
    for (const TPas& p : GetParam().pas) {
        if (p.debut != 0) debut.setValue(p.debut);
        if (p.fin != 0) fin.setValue(p.fin);
        EXPECT_EQ(liaison().BlancFait, p.blancFait)
            << "after " << debut.Value() << " to " << fin.Value() << " nm";
        EXPECT_EQ(debut.MaxValue(), fin.Value() - 100);
        EXPECT_EQ(fin.MinValue(), debut.Value() + 100);
        EXPECT_EQ(f().oldMin, debut.Value());
        EXPECT_EQ(f().oldMax, fin.Value());
    }
}

INSTANTIATE_TEST_SUITE_P(Cas, Plage, ::testing::ValuesIn(casPlage),
                         [](const auto& info) { return std::string(info.param.nom); });

// "Spectre" follows the blank at the next refresh only.
TEST_F(FenetreFixture, elargirNeGriseSpectreQuAuRafraichissementSuivant)
{
    TFormMain& fen = ouvreFenetre();
    connecte();
    barre().BlancBtn->click();
    ASSERT_TRUE(barre().SpectreBtn->isEnabled());
    panneau().DebutSE->setValue(400);
    EXPECT_FALSE(liaison().BlancFait);
    EXPECT_TRUE(barre().SpectreBtn->isEnabled());
    fen.FormActivate();
    EXPECT_FALSE(barre().SpectreBtn->isEnabled());
}

// Bounds that move never move a value: only setting it does.
TEST(TSpinEditBornes, deplacerUneBorneNeDeplacePasLaValeur)
{
    TSpinEdit s(190, 800, 700);
    int changements = 0;
    QObject::connect(&s, &TSpinEdit::Change, [&] { ++changements; });
    s.setMaxValue(600);
    EXPECT_EQ(s.Value(), 700);
    EXPECT_EQ(changements, 0);
    s.setValue(650);
    EXPECT_EQ(s.Value(), 600);
    EXPECT_EQ(changements, 1);
    s.setValue(600);
    EXPECT_EQ(changements, 1) << "no change, no notification";
    s.findChild<QLineEdit*>()->clear();
    EXPECT_EQ(s.valeurTexte(), 190) << "text that is not a number: the minimum";
    s.valideSaisie();
    EXPECT_EQ(s.text(), QStringLiteral("600")) << "the value is shown again";
}
