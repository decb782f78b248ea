#include "app/TitreApplication.h"

#include <gtest/gtest.h>

TEST(TitreApplication, NomDuFichierJusquAuPremierPointEnCapitale)
{
    const struct {
        const char* chemin;
        const char* titre;
    } cas[] = {
        {"PROG.EXE", "Prog"},
        {"lumko", "Lumko"},
        {"/usr/bin/lumko.bin.old", "Lumko"},
        {"lumko-copie", "Lumko-copie"},
        {"/opt/LUMKO/LUMKO", "Lumko"},
        {"/home/moi/mes.outils/lumko", "Lumko"},
        {"./éTUDE.x", "Étude"},
        {"/usr/bin/.cache", ""},
        {"", ""},
    };
    for (const auto& c : cas)
        EXPECT_EQ(titreApplication(QString::fromUtf8(c.chemin)), QString::fromUtf8(c.titre))
            << c.chemin;
}
