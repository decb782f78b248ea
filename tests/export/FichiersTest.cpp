// Files: the analysis program's code page, CR LF, the format by extension,
// and writes that never leave half a file.
#include "GraphesExport.h"

#include "export/CodePageAnsi.h"
#include "export/FichierExport.h"
#include "export/TConstanteDlg.h"
#include "export/TFormDDE.h"
#include "export/TSauvegarde.h"
#include "kinetics/TBarreCinetique.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TFormMain.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

TEST(CodePageAnsi, Windows1252)
{
    struct Cas {
        const char* texte;
        QByteArray octets;
    };
    const Cas cas[] = {
        {"λ", "\x3F"}, {"£", "\xA3"}, {"é", "\xE9"}, {"è", "\xE8"}, {"€", "\x80"},
        {"œ", "\x9C"}, {"’", "\x92"}, {"A\t1", "A\t1"}, {"日", "?"},
    };
    for (const Cas& c : cas) EXPECT_EQ(versCodePageAnsi(QString::fromUtf8(c.texte)), c.octets) << c.texte;
}

class Fichiers : public ::testing::Test {
protected:
    QString chemin(const QString& nom) const { return dossier_.filePath(nom); }
    QTemporaryDir dossier_;
};

TEST_F(Fichiers, CRLFApresChaqueLigneEtCodePage)
{
    const QString f = chemin(QStringLiteral("essai.txt"));
    ASSERT_EQ(ecritFichierExport(f, {QStringLiteral("£3 λ"), QString(), QStringLiteral("durée")}), QString());
    EXPECT_EQ(contenu(f), QByteArray("\xA3" "3 ?\r\n\r\ndur\xE9" "e\r\n"));
}

// A name that is a folder, a folder that does not exist, a disk that fills
// up: a French reason, and the previous file of that name untouched.
TEST_F(Fichiers, UnEchecNeLaissePasDeFichierAMoitie)
{
    ASSERT_TRUE(QDir().mkpath(chemin(QStringLiteral("dossier.tb3"))));
    EXPECT_EQ(ecritFichierExport(chemin(QStringLiteral("dossier.tb3")), {QStringLiteral("x")}),
              QStringLiteral("un dossier porte déjà ce nom"));
    EXPECT_EQ(ecritFichierExport(chemin(QStringLiteral("absent/essai.tb3")), {QStringLiteral("x")}),
              QStringLiteral("le dossier n'existe pas"));

    const QString f = chemin(QStringLiteral("essai.tb3"));
    ecrit(f, "ancien contenu\r\n");
    QStringList beaucoup;
    for (int k = 0; k < 20000; ++k) beaucoup << QStringLiteral("800 0.123456 0.7522");
    // The disk is full past 4 KiB for this process.
    struct rlimit avant {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &avant), 0);
    const auto signalAvant = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit plein = avant;
    plein.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &plein), 0);
    const QString raison = ecritFichierExport(f, beaucoup);
    ::setrlimit(RLIMIT_FSIZE, &avant);
    std::signal(SIGXFSZ, signalAvant);
    EXPECT_EQ(raison, QStringLiteral("l'écriture a échoué (disque plein ?)"));
    EXPECT_EQ(contenu(f), QByteArray("ancien contenu\r\n"));
    EXPECT_EQ(QDir(dossier_.path()).entryList(QDir::Files), QStringList{QStringLiteral("essai.tb3")})
        << "no temporary file left behind";
    EXPECT_EQ(messageEchecFichier(f, raison),
              QStringLiteral("Impossible d'enregistrer le fichier « %1 » : l'écriture a échoué (disque plein ?).").arg(f));
}

// Both windows' "vers fichier", with the save dialog answered by the test.
class SauvegardeFichiers : public Fichiers {
protected:
    void SetUp() override
    {
        fenetre_ = std::make_unique<TFormMain>(chemin(QStringLiteral("lumko.ini")));
        remplitSpectre(fenetre_->graphe(), {800.0, 700.0, 600.0}, {0.1, 0.2, 0.3});
        sauvegarde_.dialogueFichier = [this](QWidget*, const QString& titre, const QString& suffixe) {
            titres_ << titre;
            suffixes_ << suffixe;
            return reponse_;
        };
        sauvegarde_.boiteErreur = [this](QWidget*, const QString& texte, const QString& detail) {
            erreurs_ << texte;
            details_ << detail;
        };
        sauvegarde_.brancheSpectre(*fenetre_);
        fenetre_->barre().FileM->setChecked(true);
    }
    void TearDown() override { fenetre_.reset(); }

    TCinetiqueForm& cinetique()
    {
        auto* c = new TCinetiqueForm(*fenetre_, chemin(QStringLiteral("lumko.ini")));
        remplitCinetique(c->Graphe(), {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22},
                         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0.5});
        sauvegarde_.brancheCinetique(*c);
        c->barre().FileM->setChecked(true);
        return *c;
    }

    TConstanteDlg constantes_;
    TFormDDE dde_;
    TSauvegarde sauvegarde_{dde_, constantes_};
    std::unique_ptr<TFormMain> fenetre_;
    QString reponse_;
    QStringList titres_, suffixes_, erreurs_, details_;
};

TEST_F(SauvegardeFichiers, LeFormatSuitLExtension)
{
    struct Cas {
        const char* nom;
        bool echange;
    };
    for (const Cas c : {Cas{"essai.TB3", true}, Cas{"essai2.tb3", true}, Cas{"essai", false}, Cas{"essai.dat", false}}) {
        reponse_ = chemin(QString::fromUtf8(c.nom));
        fenetre_->SaveBtnClick();
        const QByteArray texte = contenu(reponse_);
        ASSERT_FALSE(texte.isEmpty()) << c.nom;
        EXPECT_EQ(texte.startsWith("MORVALEN TABRELIX WINDOWS 1.0\r\n"), c.echange) << c.nom;
        EXPECT_EQ(texte.count("\r\n"), c.echange ? 18 + 3 : 4 + 3) << c.nom;
        EXPECT_TRUE(texte.contains(c.echange ? "800 0.1 0.7943282\r\n" : "800\t0.1\t0.7943282\r\n")) << c.nom;
    }
    EXPECT_EQ(titres_.first(), QString()) << "the spectrum dialog has no title of its own";
    EXPECT_EQ(suffixes_.first(), QString());
    EXPECT_TRUE(erreurs_.isEmpty());
}

// A failed file says why, in the spectrum window's own words.
TEST_F(SauvegardeFichiers, UnFichierRateDitPourquoi)
{
    ASSERT_TRUE(QDir().mkpath(chemin(QStringLiteral("pris.tb3"))));
    reponse_ = chemin(QStringLiteral("pris.tb3"));
    fenetre_->SaveBtnClick();
    ASSERT_EQ(erreurs_.size(), 1);
    EXPECT_EQ(erreurs_[0], messageEchecFichier(reponse_, QStringLiteral("un dossier porte déjà ce nom")));
}

// A JCAMP-DX file without its non-finite points is saved, and the user is
// told how many were left out.
TEST_F(SauvegardeFichiers, JcampSansSesPointsNonFinisLeDit)
{
    fenetre_->graphe().mondeAbs->valeur[1] = std::nan("");
    reponse_ = chemin(QStringLiteral("essai.jdx"));
    EXPECT_TRUE(sauvegarde_.sauveFichier(*fenetre_));
    EXPECT_TRUE(contenu(reponse_).contains("##NPOINTS=2\r\n"));
    EXPECT_EQ(erreurs_, QStringList{messagePointsEcartes(reponse_, 1)});
    EXPECT_EQ(erreurs_[0], QStringLiteral("Le fichier « %1 » est enregistré sans un point dont la valeur n'est pas "
                                          "un nombre fini.").arg(reponse_));
    EXPECT_EQ(messagePointsEcartes(QStringLiteral("/tmp/a.jdx"), 3),
              QStringLiteral("Le fichier « /tmp/a.jdx » est enregistré sans 3 points dont la valeur n'est pas un "
                             "nombre fini."));
}

TEST_F(SauvegardeFichiers, CinetiqueDejaSauveSeulementQuandLeFichierEstEcrit)
{
    TCinetiqueForm& c = cinetique();
    ASSERT_TRUE(QDir().mkpath(chemin(QStringLiteral("pris.TB3"))));
    reponse_ = chemin(QStringLiteral("pris.TB3"));
    c.SaveBtnClick();
    EXPECT_FALSE(c.DejaSauve);
    ASSERT_EQ(erreurs_.size(), 1);
    EXPECT_EQ(erreurs_[0], QStringLiteral("Erreur d'écriture du fichier"));
    EXPECT_TRUE(details_[0].contains(reponse_));
    EXPECT_EQ(titres_.last(), QStringLiteral("Sauvegarde données"));
    EXPECT_EQ(suffixes_.last(), QStringLiteral("TB3"));

    reponse_ = chemin(QStringLiteral("run.TB3"));
    c.SaveBtnClick();
    EXPECT_TRUE(c.DejaSauve);
    EXPECT_TRUE(c.FormatTB3);
    EXPECT_EQ(c.NomFichierData, reponse_);
    EXPECT_EQ(contenu(reponse_).count("\r\n"), 15 + 12);

    c.DejaSauve = false;
    reponse_ = chemin(QStringLiteral("run.txt"));
    c.SaveBtnClick();
    EXPECT_TRUE(c.DejaSauve);
    EXPECT_FALSE(c.FormatTB3);
    EXPECT_TRUE(contenu(reponse_).startsWith("Cin\xE9tique avec orvanne\r\nt\tA\r\ns\t\r\n0\t1\r\n"));
    EXPECT_EQ(c.Graphe().nbrePoints, 12) << "nothing is removed from the kinetics graph";
}

} // namespace
