// Where the locks and the sockets live: only in folders of this user's that
// nobody else can enter, never through a symbolic link.
#include "common/DossierExecution.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeDe(const QString& chemin)
{
    struct stat etat {};
    if (::lstat(QFile::encodeName(chemin).constData(), &etat) != 0) return 0;
    return etat.st_mode & 07777;
}

bool creeDossier(const QString& chemin, mode_t mode)
{
    const QByteArray c = QFile::encodeName(chemin);
    return ::mkdir(c.constData(), mode) == 0 && ::chmod(c.constData(), mode) == 0;
}

bool creeFichier(const QString& chemin, const QByteArray& contenu = {})
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(contenu) == contenu.size();
}

// Another account's, which only root can make.
bool aUnAutre(const QString& chemin)
{
    return ::lchown(QFile::encodeName(chemin).constData(), 65534, 65534) == 0;
}

QByteArray contenuDe(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DossierExecution : public ::testing::Test {
protected:
    QTemporaryDir d;
    QString temp() const { return d.filePath(QStringLiteral("tmp")); }
    QString personnel() const { return temp() + QStringLiteral("/lumko-") + QString::number(::getuid()); }
    QString run() const { return d.filePath(QStringLiteral("run")); }
    void SetUp() override { ASSERT_TRUE(creeDossier(temp(), 01777)); }
};

} // namespace

// $XDG_RUNTIME_DIR serves only as the session manager makes it: a folder
// of the user's, mode 0700. Any other is left as it is, and the private
// folder in the temporary folder stands in for it.
TEST_F(DossierExecution, LeDossierDeSessionNeSertQuePrive)
{
    struct Cas {
        const char* nom;
        std::function<bool()> prepare;
        QString xdg;
        bool retenu;
        mode_t modeApres;  // of run, when it exists
    };
    const Cas cas[] = {
        {"0700 à soi", [&] { return creeDossier(run(), 0700); }, run(), true, 0700},
        {"0755", [&] { return creeDossier(run(), 0755); }, run(), false, 0755},
        {"0770", [&] { return creeDossier(run(), 0770); }, run(), false, 0770},
        {"un fichier", [&] { return creeFichier(run()); }, run(), false, 0},
        {"un lien vers un 0700",
         [&] { return creeDossier(d.filePath(QStringLiteral("vrai")), 0700) && QFile::link(d.filePath(QStringLiteral("vrai")), run()); },
         run(), false, 0},
        {"absent", [] { return true; }, run(), false, 0},
        {"relatif", [] { return true; }, QStringLiteral("run/user"), false, 0},
        {"vide", [] { return true; }, QString(), false, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QDir(run()).removeRecursively();
        QFile::remove(run());
        ASSERT_TRUE(c.prepare());
        EXPECT_EQ(dossierExecution(c.xdg, temp()), c.retenu ? run() : personnel());
        if (c.modeApres != 0) {
            EXPECT_EQ(modeDe(run()), c.modeApres) << "the session's folder is not mended";
        }
        EXPECT_EQ(modeDe(personnel()), c.retenu ? 0 : 0700);
        QDir(personnel()).removeRecursively();
    }
    if (::getuid() == 0) {
        SCOPED_TRACE("à un autre compte");
        QDir(run()).removeRecursively();
        ASSERT_TRUE(creeDossier(run(), 0700) && aUnAutre(run()));
        EXPECT_EQ(dossierExecution(run(), temp()), personnel());
    }
}

// Lumko's folder in the runtime folder: made private, and refused when
// something that is not a folder of ours is in its place. Nothing is made
// through a link.
TEST_F(DossierExecution, LeDossierDeLumkoEstPrive)
{
    ASSERT_TRUE(creeDossier(run(), 0700));
    const QString lumko = run() + QStringLiteral("/lumko");
    const QString ailleurs = d.filePath(QStringLiteral("ailleurs"));
    ASSERT_TRUE(creeDossier(ailleurs, 0755));
    struct Cas {
        const char* nom;
        std::function<bool()> prepare;
        bool retenu;
    };
    std::vector<Cas> cas = {
        {"absent", [] { return true; }, true},
        {"0755 à soi, refermé", [&] { return creeDossier(lumko, 0755); }, true},
        {"un lien vers un dossier", [&] { return QFile::link(ailleurs, lumko); }, false},
        {"un lien pendant", [&] { return QFile::link(d.filePath(QStringLiteral("nulle-part")), lumko); }, false},
        {"un fichier", [&] { return creeFichier(lumko); }, false},
    };
    if (::getuid() == 0) cas.push_back({"à un autre compte", [&] { return creeDossier(lumko, 0700) && aUnAutre(lumko); }, false});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QDir(lumko).removeRecursively();
        QFile::remove(lumko);
        ASSERT_TRUE(c.prepare());
        EXPECT_EQ(dossierLumko(run(), temp()), c.retenu ? lumko : QString());
        if (c.retenu) {
            EXPECT_EQ(modeDe(lumko), 0700);
        }
        EXPECT_EQ(modeDe(ailleurs), 0755) << "the link's target is left alone";
        EXPECT_TRUE(QDir(ailleurs).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(d.filePath(QStringLiteral("nulle-part"))));
    }
}

// The private folder of the temporary folder, when something else took its
// name first.
TEST_F(DossierExecution, DossierPersonnelDetourneRefuse)
{
    const QString ailleurs = d.filePath(QStringLiteral("ailleurs"));
    ASSERT_TRUE(creeDossier(ailleurs, 0755));
    for (const auto& [nom, prepare] : std::vector<std::pair<const char*, std::function<bool()>>>{
             {"un fichier", [&] { return creeFichier(personnel()); }},
             {"un lien", [&] { return QFile::link(ailleurs, personnel()); }},
         }) {
        SCOPED_TRACE(nom);
        QFile::remove(personnel());
        ASSERT_TRUE(prepare());
        EXPECT_TRUE(dossierExecution(QString(), temp()).isEmpty());
        EXPECT_TRUE(dossierLumko(QString(), temp()).isEmpty());
        EXPECT_EQ(modeDe(ailleurs), 0755);
        EXPECT_TRUE(QDir(ailleurs).isEmpty());
    }
}

// A lock file is opened only when it is a plain file of ours: a link is
// neither followed nor written through, whether it leads somewhere or not.
TEST_F(DossierExecution, FichierVerrou)
{
    const QString verrou = d.filePath(QStringLiteral("Nom.lock"));
    const QString cible = d.filePath(QStringLiteral("cible"));
    struct Cas {
        const char* nom;
        std::function<bool()> prepare;
        bool ouvert;
    };
    std::vector<Cas> cas = {
        {"absent, créé", [] { return true; }, true},
        {"un fichier à soi", [&] { return creeFichier(verrou); }, true},
        {"un lien vers un fichier", [&] { return creeFichier(cible, "garde") && QFile::link(cible, verrou); }, false},
        {"un lien pendant", [&] { return QFile::link(cible, verrou); }, false},
        {"un dossier", [&] { return creeDossier(verrou, 0700); }, false},
        {"une file nommée", [&] { return ::mkfifo(QFile::encodeName(verrou).constData(), 0600) == 0; }, false},
    };
    if (::getuid() == 0) cas.push_back({"à un autre compte", [&] { return creeFichier(verrou) && aUnAutre(verrou); }, false});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QDir(verrou).removeRecursively();
        QFile::remove(verrou);
        QFile::remove(cible);
        ASSERT_TRUE(c.prepare());
        const bool cibleAvant = QFileInfo::exists(cible);
        const mode_t modeAvant = modeDe(verrou);
        QString raison;
        const int fd = ouvreFichierVerrou(verrou, &raison);
        EXPECT_EQ(fd >= 0, c.ouvert);
        EXPECT_EQ(raison.isEmpty(), c.ouvert) << raison.toStdString();
        if (fd >= 0) {
            EXPECT_EQ(modeDe(verrou), modeAvant != 0 ? modeAvant : 0600) << "made 0600, or left as it was";
            EXPECT_GE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 1);
            ::close(fd);
        }
        EXPECT_EQ(QFileInfo::exists(cible), cibleAvant);
        if (cibleAvant) {
            EXPECT_EQ(contenuDe(cible), QByteArray("garde"));
        }
    }
}

TEST_F(DossierExecution, SocketDeConfiance)
{
    const QString chemin = d.filePath(QStringLiteral("s"));
    EXPECT_FALSE(socketDeConfiance(chemin));
    EXPECT_TRUE(placeDeConfiance(chemin)) << "nothing there";
    ASSERT_TRUE(creeFichier(chemin));
    EXPECT_FALSE(socketDeConfiance(chemin)) << "a plain file";
    EXPECT_TRUE(placeDeConfiance(chemin)) << "a leftover of ours";
    QFile::remove(chemin);
    ASSERT_TRUE(QFile::link(d.filePath(QStringLiteral("ailleurs")), chemin));
    EXPECT_FALSE(socketDeConfiance(chemin));
    EXPECT_FALSE(placeDeConfiance(chemin)) << "a link";
}
