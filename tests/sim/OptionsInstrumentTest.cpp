#include "sim/OptionsInstrument.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(OptionsInstrument, ChaqueOptionRegleSonChamp)
{
    struct Cas {
        std::vector<std::string> args;
        std::function<bool(const TOptionsInstrument&)> verifie;
    };
    const Cas cas[] = {
        {{}, [](const auto& o) { return !o.config.rapide && o.lien.empty() && !o.aide; }},
        {{"--link", "/tmp/lumko-com7"}, [](const auto& o) { return o.lien == "/tmp/lumko-com7"; }},
        {{"--link=/tmp/x"}, [](const auto& o) { return o.lien == "/tmp/x"; }},
        {{"--fast"}, [](const auto& o) { return o.config.rapide; }},
        {{"--mute"}, [](const auto& o) { return o.config.muet; }},
        {{"--nak", "3"}, [](const auto& o) { return o.config.nakAvantAck == 3; }},
        {{"--no-end"}, [](const auto& o) { return o.config.sansFin; }},
        {{"--noise-bytes"}, [](const auto& o) { return o.config.parasites; }},
        {{"--long-lines"}, [](const auto& o) { return o.config.lignesLongues; }},
        {{"--points", "2100"}, [](const auto& o) { return o.config.pointsForces == 2100; }},
        {{"--hangup-after", "0"}, [](const auto& o) { return o.config.raccrocheApresPoints == 0; }},
        {{"--seed=42"}, [](const auto& o) { return o.config.graine == 42U; }},
        {{"--time-factor", "0.5"}, [](const auto& o) { return o.config.facteurTemps == 0.5; }},
        {{"--half-life", "40"}, [](const auto& o) { return o.config.demiVie == 40.0; }},
        {{"--lose-eot"}, [](const auto& o) { return o.config.perdEOT && !o.config.sansENQ; }},
        {{"--no-enq"}, [](const auto& o) { return o.config.sansENQ && !o.config.sansFin; }},
        {{"--read-delay=0.5"}, [](const auto& o) { return o.config.delaiLecture == 0.5; }},
        {{"--reply-text=ERR"}, [](const auto& o) { return o.config.texteReponse == "ERR"; }},
        {{"--reply-text", "1.2.3"}, [](const auto& o) { return o.config.texteReponse == "1.2.3"; }},
        {{"--help"}, [](const auto& o) { return o.aide; }},
        {{"-h"}, [](const auto& o) { return o.aide; }},
        {{"--fast", "--nak", "2", "--link", "/tmp/y"},
         [](const auto& o) { return o.config.rapide && o.config.nakAvantAck == 2 && o.lien == "/tmp/y"; }},
    };
    for (const Cas& c : cas) {
        const TOptionsInstrument o = analyseOptions(c.args);
        EXPECT_EQ(o.erreur, "") << testing::PrintToString(c.args);
        EXPECT_TRUE(c.verifie(o)) << testing::PrintToString(c.args);
    }
}

TEST(OptionsInstrument, ErreursExpliquees)
{
    const std::vector<std::vector<std::string>> cas = {
        {"--bogus"}, {"--nak"}, {"--nak", "-1"}, {"--nak", "deux"}, {"--points", "0"},
        {"--hangup-after", "-2"}, {"--seed", "-1"}, {"--time-factor", "-1"}, {"--half-life", "-3"}, {"--link="},
        {"--fast", "extra"}, {"--read-delay=-1"}, {"--read-delay=nan"}, {"--time-factor=inf"},
        {"--reply-text="}, {"--reply-text", "ERR\x04"},
    };
    for (const auto& args : cas)
        EXPECT_FALSE(analyseOptions(args).erreur.empty()) << testing::PrintToString(args);
}

TEST(OptionsInstrument, AideExpliqueLeBranchement)
{
    const std::string aide = texteAide();
    for (const char* attendu : {"--link", "--fast", "--mute", "--nak", "--no-end", "--noise-bytes",
                                "--long-lines", "--points", "--hangup-after", "--lose-eot", "--no-enq", "--read-delay",
                                "--reply-text", "--seed", "--half-life", "[Ports]",
                                "COM7=/tmp/lumko-com7", "COM7"})
        EXPECT_NE(aide.find(attendu), std::string::npos) << attendu;
}

} // namespace
