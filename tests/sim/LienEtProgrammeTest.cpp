// The stable name of the simulator's line, and the lumko-instrument program
// started as a user starts it.
#include "TBoutProgramme.h"

#include "sim/LienSymbolique.h"
#include "sim/TSimulateur.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A fresh folder under /tmp, removed with its content.
class DossierTemporaire {
public:
    DossierTemporaire()
    {
        std::string modele = (fs::temp_directory_path() / "lumko-sim-XXXXXX").string();
        if (::mkdtemp(modele.data())) chemin_ = modele;
    }
    ~DossierTemporaire()
    {
        std::error_code ec;
        if (!chemin_.empty()) fs::remove_all(chemin_, ec);
    }
    fs::path operator/(const std::string& nom) const { return chemin_ / nom; }

private:
    fs::path chemin_;
};

std::string cibleDe(const fs::path& lien)
{
    std::error_code ec;
    return fs::read_symlink(lien, ec).string();
}

void ecritFichier(const fs::path& chemin, const std::string& texte)
{
    std::ofstream(chemin) << texte;
}

TEST(LienSymbolique, CreeRemplaceOuRefuse)
{
    DossierTemporaire d;
    const std::string cible = (d / "cible").string();
    ecritFichier(cible, "");

    // Absent: created.
    std::string erreur;
    EXPECT_TRUE(creeLienSymbolique((d / "neuf").string(), cible, erreur)) << erreur;
    EXPECT_EQ(cibleDe(d / "neuf"), cible);

    // Stale (its device is gone): replaced.
    fs::create_symlink(d / "disparu", d / "perime");
    EXPECT_TRUE(creeLienSymbolique((d / "perime").string(), cible, erreur)) << erreur;
    EXPECT_EQ(cibleDe(d / "perime"), cible);

    // Already ours: kept.
    EXPECT_TRUE(creeLienSymbolique((d / "neuf").string(), cible, erreur)) << erreur;

    // A regular file, a folder, or a link to another live file: refused, untouched.
    ecritFichier(d / "fichier", "réglages");
    fs::create_directory(d / "dossier");
    ecritFichier(d / "autre", "");
    fs::create_symlink(d / "autre", d / "vivant");
    for (const char* nom : {"fichier", "dossier", "vivant"}) {
        erreur.clear();
        EXPECT_FALSE(creeLienSymbolique((d / nom).string(), cible, erreur)) << nom;
        EXPECT_NE(erreur.find(nom), std::string::npos) << erreur;
    }
    std::ifstream f(d / "fichier");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), "réglages");
    EXPECT_EQ(cibleDe(d / "vivant"), (d / "autre").string());
}

// Only a link that still designates our device is removed.
TEST(LienSymbolique, RetireSeulementLeSien)
{
    DossierTemporaire d;
    fs::create_symlink("/dev/pts/ailleurs", d / "repris");
    retireLienSymbolique((d / "repris").string(), "/dev/pts/nous");
    EXPECT_TRUE(fs::is_symlink(d / "repris"));
    retireLienSymbolique((d / "repris").string(), "/dev/pts/ailleurs");
    EXPECT_FALSE(fs::is_symlink(d / "repris"));
}

TEST(LienSymbolique, LeSimulateurPoseEtRetireSonLien)
{
    DossierTemporaire d;
    const std::string lien = (d / "lumko-com7").string();
    {
        TConfigInstrument cfg;
        cfg.rapide = true;
        TSimulateur sim(cfg);
        ASSERT_TRUE(sim.demarre(lien)) << sim.erreur();
        EXPECT_EQ(cibleDe(lien), sim.peripherique());
        TBoutProgramme prog;
        ASSERT_TRUE(prog.ouvre(lien));
        prog.envoie("\x05");
        EXPECT_EQ(prog.lit(), 0x06);
    }
    EXPECT_FALSE(fs::is_symlink(lien));

    ecritFichier(lien, "");
    TSimulateur refuse;
    EXPECT_FALSE(refuse.demarre(lien));
    EXPECT_NE(refuse.erreur().find(lien), std::string::npos);
    EXPECT_FALSE(refuse.actif());
    EXPECT_TRUE(fs::is_regular_file(lien));
}

// ---- The program ------------------------------------------------------------

// lumko-instrument running as a child, its standard output read through a pipe.
class Programme {
public:
    explicit Programme(std::vector<std::string> args)
    {
        args.insert(args.begin(), LUMKO_INSTRUMENT);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        int tube[2];
        if (::pipe2(tube, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
        if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(tube[1]);
        sortie_ = tube[0];
    }
    ~Programme()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            attendFin();
        }
        if (sortie_ >= 0) ::close(sortie_);
    }
    bool lance() const { return pid_ > 0; }

    // Output until it holds attendu, or until end of output / time-out.
    std::string litJusqua(const std::string& attendu)
    {
        while (texte_.find(attendu) == std::string::npos) {
            pollfd p {sortie_, POLLIN, 0};
            char tampon[512];
            if (::poll(&p, 1, TBoutProgramme::attenteMs) <= 0) break;
            const ssize_t n = ::read(sortie_, tampon, sizeof tampon);
            if (n <= 0) break;
            texte_.append(tampon, static_cast<std::size_t>(n));
        }
        return texte_;
    }

    void signale(int signal) const { ::kill(pid_, signal); }

    // The exit code, -1 when it did not end normally.
    int attendFin()
    {
        int etat = 0;
        while (::waitpid(pid_, &etat, 0) < 0 && errno == EINTR) {}
        pid_ = -1;
        return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }

private:
    pid_t pid_ = -1;
    int sortie_ = -1;
    std::string texte_;
};

TEST(ProgrammeInstrument, AideEtErreurs)
{
    Programme aide({"--help"});
    ASSERT_TRUE(aide.lance());
    const std::string texte = aide.litJusqua("--hangup-after");
    EXPECT_NE(texte.find("--link"), std::string::npos);
    EXPECT_NE(texte.find("[Ports]"), std::string::npos);
    EXPECT_EQ(aide.attendFin(), 0);

    Programme faux({"--nak"});
    EXPECT_EQ(faux.attendFin(), 2);
}

// Started with a link, it answers through it, and a SIGTERM ends it and
// removes the link.
TEST(ProgrammeInstrument, LienPoseRepondPuisRetire)
{
    DossierTemporaire d;
    const std::string lien = (d / "lumko-com7").string();
    Programme p({"--fast", "--time-factor", "0", "--link", lien});
    ASSERT_TRUE(p.lance());
    const std::string sortie = p.litJusqua("Ctrl+C");
    EXPECT_NE(sortie.find("/dev/pts/"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find(lien), std::string::npos) << sortie;
    ASSERT_TRUE(fs::is_symlink(lien));
    {
        TBoutProgramme prog;
        ASSERT_TRUE(prog.ouvre(lien));
        EXPECT_TRUE(prog.opere("w5000"));
    }
    p.signale(SIGTERM);
    EXPECT_EQ(p.attendFin(), 0);
    EXPECT_FALSE(fs::is_symlink(lien));
}

// A simulated hang-up ends the program too, and its link goes with it.
TEST(ProgrammeInstrument, SeTermineQuandIlRaccroche)
{
    DossierTemporaire d;
    const std::string lien = (d / "lumko-com3").string();
    Programme p({"--fast", "--time-factor=0", "--hangup-after", "0", "--link", lien});
    ASSERT_TRUE(p.lance());
    p.litJusqua("Ctrl+C");
    {
        TBoutProgramme prog;
        ASSERT_TRUE(prog.ouvre(lien));
        const TBoutProgramme::TResultat r = prog.mesure("f600");
        EXPECT_TRUE(r.annonce);
        EXPECT_TRUE(r.lignes.empty());
        EXPECT_TRUE(prog.raccrochee());
    }
    EXPECT_EQ(p.attendFin(), 0);
    EXPECT_NE(p.litJusqua("raccroch").find("raccroch"), std::string::npos);
    EXPECT_FALSE(fs::is_symlink(lien));
}

TEST(ProgrammeInstrument, RefuseDEcraserUnFichier)
{
    DossierTemporaire d;
    const fs::path fichier = d / "lumko.ini";
    ecritFichier(fichier, "[Ports]\n");
    Programme p({"--link", fichier.string()});
    EXPECT_EQ(p.attendFin(), 1);
    EXPECT_TRUE(fs::is_regular_file(fichier));
    EXPECT_EQ(fs::file_size(fichier), 8U);
}

} // namespace
