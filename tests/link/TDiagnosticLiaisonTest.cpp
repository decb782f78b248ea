#include "link/TDiagnosticLiaison.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

QStringList lignes(const QString& texte)
{
    QStringList l = texte.split(u'\n', Qt::SkipEmptyParts);
    l.removeFirst(); // header
    return l;
}

TEST(TDiagnosticLiaison, TraceParSensEtParSeizeOctets)
{
    TDiagnosticLiaison d;
    d.trace(true, "\x05");
    d.trace(false, "\x06");
    d.trace(false, "  500.0   0.1234%1\0"_ba);
    const QStringList l = lignes(d.texteTrace());
    ASSERT_EQ(l.size(), 3);
    EXPECT_TRUE(l[0].startsWith(u"E  05 "_s)) << l[0].toStdString();
    EXPECT_TRUE(l[1].startsWith(u"R  06 20 20 35 30 30 2E 30 20 20 20 30 2E 31 32 33 "_s))
        << l[1].toStdString();
    EXPECT_TRUE(l[1].endsWith(u"|.  500.0   0.123|"_s)) << l[1].toStdString();
    EXPECT_TRUE(l[2].endsWith(u"|4%1.|"_s)) << l[2].toStdString();
    EXPECT_EQ(l[0].indexOf(u'|'), l[1].indexOf(u'|')) << "columns line up";
}

TEST(TDiagnosticLiaison, TraceGardeLesDixMilleDerniersOctets)
{
    TDiagnosticLiaison d;
    d.trace(false, QByteArray(TDiagnosticLiaison::octetsTraces, 'a'));
    d.trace(true, "b");
    const QStringList l = lignes(d.texteTrace());
    qsizetype octets = 0;
    for (const QString& ligne : l) octets += ligne.section(u'|', 1, 1).size();
    EXPECT_EQ(octets, qsizetype{TDiagnosticLiaison::octetsTraces});
    EXPECT_TRUE(l.last().startsWith(u"E  62"_s));
    EXPECT_TRUE(l.first().startsWith(u"R  61"_s));
}

TEST(TDiagnosticLiaison, JournalBorne)
{
    TDiagnosticLiaison d;
    for (int i = 0; i < 2000; ++i) d.journal(u"événement %1"_s.arg(i));
    const QString texte = d.texteJournal();
    EXPECT_LE(texte.size(), TDiagnosticLiaison::caracteresJournal);
    EXPECT_TRUE(texte.endsWith(u"événement 1999\n"_s));
    EXPECT_FALSE(texte.contains(u"événement 1000\n"_s));
}

TEST(TDiagnosticLiaison, EcritLesDeuxFichiers)
{
    QTemporaryDir dossier;
    TDiagnosticLiaison d;
    d.trace(true, "x");
    d.journal(u"Ouverture"_s);
    ASSERT_TRUE(d.ecrit(dossier.path()));
    for (const QString& nom : {TDiagnosticLiaison::nomTrace, TDiagnosticLiaison::nomJournal})
        EXPECT_TRUE(QFile::exists(QDir(dossier.path()).filePath(nom))) << nom.toStdString();
    EXPECT_FALSE(d.ecrit(u"/dev/null/lumko"_s));
}

} // namespace
