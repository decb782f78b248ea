// The refresh derives every button and the status prompt from the port, the
// state and the two flags; a table of the cases that matter.
#include "FenetreFixture.h"

#include <QPushButton>

namespace {

using E = TEtatSpectre;

struct TCasBoutons {
    const char* nom;
    bool ouvert;
    E etat;
    bool blancFait;
    bool spectreFait;
    int points;
    // Expected
    bool blanc;
    bool spectre;
    bool stop;
    bool sauver;
    bool verification;
    const char* statut;
};

const TCasBoutons casBoutons[] = {
    {"ferme", false, E::esAttente, false, false, 0, false, false, false, false, false, "Cliquer sur connecter"},
    {"fermeAvecSpectre", false, E::esAttente, true, true, 101, false, false, false, true, false, "Cliquer sur sauver"},
    {"ouvertSansBlanc", true, E::esAttente, false, false, 0, true, false, false, false, true, ""},
    {"ouvertAvecBlanc", true, E::esAttente, true, false, 0, true, true, false, false, true, ""},
    {"centPoints", true, E::esAttente, true, true, 100, true, true, false, false, true, ""},
    {"centUnPoints", true, E::esAttente, true, true, 101, true, true, false, true, true, "Cliquer sur sauver"},
    {"pointsSansReglage", true, E::esAttente, true, false, 500, true, true, false, false, true, ""},
    {"blancEnCours", true, E::esBlancEnCours, true, true, 101, false, false, true, true, false, "Blanc en cours"},
    // The count is still the previous curve's: nothing to save before the end.
    {"spectreEnCours", true, E::esSpectreEnCours, true, true, 101, false, false, true, false, false, "Spectre en cours"},
    {"lectureAbs", true, E::esLectureAbs, true, false, 0, false, false, true, false, false, ""},
    {"ecriture", true, E::esEcriture, true, false, 0, false, false, true, false, false, ""},
    {"fermeEnEcriture", false, E::esEcriture, false, false, 0, false, false, true, false, false, "Cliquer sur connecter"},
};

} // namespace

class SetBoutons : public FenetreFixture, public ::testing::WithParamInterface<TCasBoutons> {};

TEST_P(SetBoutons, deriveLesBoutonsEtLeMessage)
{
    const TCasBoutons& c = GetParam();
    TFormMain& fen = ouvreFenetre();
    if (c.ouvert) connecte();
    liaison().etatSpectre = c.etat;
    liaison().BlancFait = c.blancFait;
    fen.spectreFait = c.spectreFait;
    fen.graphe().nbrePoints = c.points;
    fen.setBoutons();

    EXPECT_EQ(barre().BlancBtn->isEnabled(), c.blanc);
    EXPECT_EQ(barre().SpectreBtn->isEnabled(), c.spectre);
    EXPECT_EQ(barre().StopBtn->isEnabled(), c.stop);
    EXPECT_EQ(barre().SaveBtn->isEnabled(), c.sauver);
    EXPECT_EQ(barre().PrintBtn->isEnabled(), c.sauver);
    EXPECT_EQ(barre().AddBtn->isEnabled(), c.spectreFait);
    for (QPushButton* b : {panneau().LambdaBtn, panneau().ZeroBtn, panneau().AbsBtn})
        EXPECT_EQ(b->isEnabled(), c.verification) << b->text().toStdString();
    EXPECT_EQ(barre().ConnectBtn->text(), c.ouvert ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter"));
    EXPECT_EQ(barre().ConnectBtn->isChecked(), c.ouvert);
    EXPECT_EQ(fen.statut(), QString::fromUtf8(c.statut));
}

INSTANTIATE_TEST_SUITE_P(Cas, SetBoutons, ::testing::ValuesIn(casBoutons),
                         [](const auto& info) { return std::string(info.param.nom); });
