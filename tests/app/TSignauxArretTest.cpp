#include "app/TSignauxArret.h"

#include "Attente.h"

#include <gtest/gtest.h>

#include <csignal>

namespace {

void gestionnaireEssai(int) {}

} // namespace

TEST(TSignauxArret, ChaqueSignalDArretAppelleLArretDansLaBoucle)
{
    for (const int signal : TSignauxArret::signaux) {
        SCOPED_TRACE(signal);
        int appels = 0;
        TSignauxArret signaux([&appels] { ++appels; });
        ASSERT_EQ(::raise(signal), 0);
        // Nothing runs inside the handler itself: the call comes from the loop.
        EXPECT_EQ(appels, 0);
        EXPECT_TRUE(attendQue([&appels] { return appels > 0; }, 2000));
        EXPECT_EQ(appels, 1);
    }
}

TEST(TSignauxArret, RendLesGestionnairesPrecedents)
{
    struct sigaction essai {};
    essai.sa_handler = &gestionnaireEssai;
    sigemptyset(&essai.sa_mask);
    struct sigaction avant {};
    ASSERT_EQ(::sigaction(SIGHUP, &essai, &avant), 0);
    {
        TSignauxArret signaux([] {});
        struct sigaction pendant {};
        ::sigaction(SIGHUP, nullptr, &pendant);
        EXPECT_NE(pendant.sa_handler, &gestionnaireEssai);
    }
    struct sigaction apres {};
    ::sigaction(SIGHUP, &avant, &apres);
    EXPECT_EQ(apres.sa_handler, &gestionnaireEssai);
}
