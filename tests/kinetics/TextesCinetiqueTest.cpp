#include "kinetics/TextesCinetique.h"

#include "LocaleScope.h"

#include <gtest/gtest.h>

namespace {

TEST(TextesCinetique, AbsorbanceAQuatreChiffresEtTroisDecimales)
{
    const QLocale fr = LocaleScope::francais();
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    struct Cas {
        double a;
        const char* francais;
        const char* anglais;
    };
    const Cas cas[] = {
        {0.5234, "0,523", "0.523"},    {0.5236, "0,524", "0.524"},  {1.23456, "1,235", "1.235"},
        {12.3456, "12,350", "12.350"}, {-0.0123, "-0,012", "-0.012"}, {0.00004, "0,000", "0.000"},
        {-0.00004, "0,000", "0.000"},  {0.0, "0,000", "0.000"},     {1234.5, "1235,000", "1235.000"},
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(texteAbsorbance(c.a, fr), QString::fromUtf8(c.francais)) << c.a;
        EXPECT_EQ(texteAbsorbance(c.a, us), QString::fromUtf8(c.anglais)) << c.a;
    }
}

TEST(TextesCinetique, DureeEnHeureLongueSansFuseau)
{
    const QLocale fr = LocaleScope::francais();
    EXPECT_EQ(texteDuree(240, fr), QStringLiteral("00:04:00"));
    EXPECT_EQ(texteDuree(90, fr), QStringLiteral("00:01:30"));
    EXPECT_EQ(texteDuree(65535, fr), QStringLiteral("18:12:15"));
    EXPECT_EQ(texteDuree(90, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("12:01:30 AM"));
}

TEST(TextesCinetique, PasALaCreationPuisApres)
{
    EXPECT_EQ(texteDeltat(2, true), QStringLiteral("dt=2 s"));
    EXPECT_EQ(texteDeltat(3, false), QStringLiteral("3 s"));
}

} // namespace
