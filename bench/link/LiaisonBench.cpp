// How long the program takes to acknowledge each line of a scan, and how long
// a whole scan takes against the time its bytes need on a 9600-baud line.
// The instrument is the simulator at its real pacing (960 bytes/s, 7O1).
#include "graph/Tgraphe.h"
#include "link/Commandes.h"
#include "link/THoteLiaison.h"
#include "link/TLiaison.h"
#include "sim/TSimulateur.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <memory>
#include <vector>

namespace {

class THoteMuet : public THoteLiaison {
public:
    void afficheMessage(const QString&) override {}
    void setBoutons() override {}
    void activeStop() override {}
    void afficheAbs(const QString&) override {}
    void setListePorts(const QStringList&, int) override {}
    int choisitPort(const QStringList&) override { return -1; }
    void afficheErreur(const QString&) override {}
    THoteCinetique* cinetique() override { return nullptr; }
};

// What one scan measured, from the program's side of the line.
struct TMesureBalayage {
    std::vector<double> latencesUs; // NUL received -> its ACK written
    double dureeS = 0;              // instrument's ENQ received -> EOT received
    qsizetype octetsLigne = 0;      // bytes the instrument sent in that time
};

class TBanc {
public:
    bool prepare(int points)
    {
        TConfigInstrument cfg;
        cfg.rapide = false;
        cfg.pointsForces = points;
        cfg.facteurTemps = 0.0;
        sim_ = std::make_unique<TSimulateur>(cfg);
        if (!sim_->demarre()) return false;
        QFile ini(dossier_.filePath(QStringLiteral("lumko.ini")));
        if (!ini.open(QIODevice::WriteOnly)) return false;
        ini.write(QByteArray("[Ports]\nCOM7=") + sim_->peripherique().c_str() + "\n");
        ini.close();
        liaison_ = std::make_unique<TLiaison>(hote_, graphe_, ini.fileName());
        liaison_->VoieSerie.setDossierDiagnostic(dossier_.path());
        liaison_->VoieSerie.setComNumber(7);
        QObject::connect(&liaison_->VoieSerie, &TComPort::octetsRecus,
                         [this](const QByteArray& o) { recoit(o); });
        QObject::connect(&liaison_->VoieSerie, &TComPort::octetsEmis,
                         [this](const QByteArray& o) { emet(o); });
        liaison_->ConnectBtnClick(true);
        return liaison_->VoieSerie.Open();
    }

    TMesureBalayage balaye()
    {
        mesure_ = {};
        enBalayage_ = false;
        liaison_->iCourant = 0;
        liaison_->etatSpectre = TEtatSpectre::esSpectreEnCours;
        liaison_->executeCommande(commandeReglage(500, 800, 2));
        liaison_->etatSpectre = TEtatSpectre::esSpectreEnCours;
        chrono_.start();
        if (!liaison_->lanceMesure(commandeDepart(parametreBalayage(300, 2)))) return {};
        while (liaison_->etatSpectre != TEtatSpectre::esAttente)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return mesure_;
    }

private:
    void recoit(const QByteArray& octets)
    {
        const double t = secondes();
        for (char c : octets) {
            if (enBalayage_) ++mesure_.octetsLigne;
            if (c == octetENQ && !enBalayage_ && liaison_->etatSpectre == TEtatSpectre::esSpectreEnCours
                && chrono_.isValid()) {
                enBalayage_ = true;
                debut_ = t;
            } else if (c == octetNUL) {
                nul_ = t;
            } else if (c == octetEOT && enBalayage_) {
                enBalayage_ = false;
                mesure_.dureeS = t - debut_;
            }
        }
    }

    void emet(const QByteArray& octets)
    {
        if (octets.size() == 1 && octets[0] == octetACK && nul_ >= 0) {
            mesure_.latencesUs.push_back((secondes() - nul_) * 1e6);
            nul_ = -1;
        }
    }

    double secondes() const { return static_cast<double>(chrono_.nsecsElapsed()) * 1e-9; }

    QTemporaryDir dossier_;
    std::unique_ptr<TSimulateur> sim_;
    Tgraphe graphe_;
    THoteMuet hote_;
    std::unique_ptr<TLiaison> liaison_;
    QElapsedTimer chrono_;
    TMesureBalayage mesure_;
    bool enBalayage_ = false;
    double debut_ = 0;
    double nul_ = -1;
};

double somme(const std::vector<double>& v)
{
    double s = 0;
    for (double x : v) s += x;
    return s;
}

double quantile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void BM_Balayage301Points(benchmark::State& state)
{
    TBanc banc;
    if (!banc.prepare(301)) {
        state.SkipWithError("simulateur ou port indisponible");
        return;
    }
    std::vector<double> latences;
    double duree = 0;
    double filaire = 0;
    for (auto _ : state) {
        const TMesureBalayage m = banc.balaye();
        latences.insert(latences.end(), m.latencesUs.begin(), m.latencesUs.end());
        duree += m.dureeS;
        filaire += static_cast<double>(m.octetsLigne) * 10.0 / 9600.0;
        state.SetIterationTime(m.dureeS);
    }
    state.counters["lignes"] = static_cast<double>(latences.size());
    state.counters["nul_ack_median_us"] = quantile(latences, 0.5);
    state.counters["nul_ack_p99_us"] = quantile(latences, 0.99);
    state.counters["nul_ack_max_us"] = quantile(latences, 1.0);
    state.counters["duree_s"] = duree / static_cast<double>(state.iterations());
    state.counters["temps_fil_s"] = filaire / static_cast<double>(state.iterations());
    state.counters["rapport"] = filaire > 0 ? duree / filaire : 0;
    // The program's own share: the time it held each line before its ACK,
    // against the wire time of the scan.
    state.counters["part_programme"] = filaire > 0 ? somme(latences) * 1e-6 / filaire : 0;
}

BENCHMARK(BM_Balayage301Points)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The instrument's own view, without the simulator: a thread writes point
// lines on a raw pty at 960 bytes/s and times, for each, the moment its NUL
// is written to the moment the ACK can be read back. This includes the
// kernel's pty and the wake-up of the program's event loop.
class TInstrumentBrut {
public:
    bool ouvre()
    {
        maitre_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (maitre_ < 0 || ::grantpt(maitre_) != 0 || ::unlockpt(maitre_) != 0) return false;
        termios t{};
        ::tcgetattr(maitre_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(maitre_, TCSANOW, &t);
        esclave_ = QString::fromLocal8Bit(::ptsname(maitre_));
        return true;
    }

    ~TInstrumentBrut()
    {
        if (fil_.joinable()) fil_.join();
        if (maitre_ >= 0) ::close(maitre_);
    }

    QString esclave() const { return esclave_; }

    void lance(int lignes)
    {
        fini_ = false;
        latencesUs_.clear();
        fil_ = std::thread([this, lignes] { envoie(lignes); });
    }

    bool fini() const { return fini_; }

    void attends()
    {
        if (fil_.joinable()) fil_.join();
    }

    const std::vector<double>& latencesUs() const { return latencesUs_; }
    double dureeS() const { return dureeS_; }
    double tempsFilS() const { return static_cast<double>(octets_) * 10.0 / 9600.0; }

private:
    void envoie(int lignes)
    {
        using horloge = std::chrono::steady_clock;
        const auto periode = std::chrono::nanoseconds(1'000'000'000LL * 10 / 9600);
        const auto debut = horloge::now();
        auto prochain = debut;
        octets_ = 0;
        for (int k = 0; k < lignes; ++k) {
            char texte[64];
            const int n = std::snprintf(texte, sizeof texte, "  %5.1f   %6.4f", 800.0 - k, 0.5);
            for (int i = 0; i <= n; ++i) { // the NUL at texte[n] too
                std::this_thread::sleep_until(prochain);
                if (::write(maitre_, texte + i, 1) != 1) break;
                prochain += periode;
                ++octets_;
            }
            const auto nul = horloge::now();
            if (!attendsACK()) break;
            latencesUs_.push_back(
                std::chrono::duration<double, std::micro>(horloge::now() - nul).count());
            prochain = std::max(prochain, horloge::now());
        }
        dureeS_ = std::chrono::duration<double>(horloge::now() - debut).count();
        fini_ = true;
    }

    bool attendsACK() const
    {
        pollfd p{maitre_, POLLIN, 0};
        if (::poll(&p, 1, 1000) != 1) return false;
        char c = 0;
        return ::read(maitre_, &c, 1) == 1 && c == octetACK;
    }

    int maitre_ = -1;
    QString esclave_;
    std::thread fil_;
    std::atomic<bool> fini_{false};
    std::vector<double> latencesUs_;
    double dureeS_ = 0;
    qsizetype octets_ = 0;
};

void BM_AllerRetourNulAck(benchmark::State& state)
{
    TInstrumentBrut instrument;
    QTemporaryDir dossier;
    QFile ini(dossier.filePath(QStringLiteral("lumko.ini")));
    if (!instrument.ouvre() || !ini.open(QIODevice::WriteOnly)) {
        state.SkipWithError("pty indisponible");
        return;
    }
    ini.write("[Ports]\nCOM7=" + instrument.esclave().toLocal8Bit() + "\n");
    ini.close();
    Tgraphe graphe;
    THoteMuet hote;
    TLiaison liaison(hote, graphe, ini.fileName());
    liaison.VoieSerie.setDossierDiagnostic(dossier.path());
    liaison.VoieSerie.setComNumber(7);
    liaison.ConnectBtnClick(true);
    std::vector<double> latences;
    double duree = 0;
    double filaire = 0;
    for (auto _ : state) {
        liaison.iCourant = 0;
        liaison.etatSpectre = TEtatSpectre::esSpectreEnCours;
        instrument.lance(301);
        // An idle event loop, as in the program between two clicks.
        QEventLoop boucle;
        QTimer guet;
        guet.callOnTimeout([&] {
            if (instrument.fini()) boucle.quit();
        });
        guet.start(10);
        boucle.exec();
        instrument.attends();
        latences.insert(latences.end(), instrument.latencesUs().begin(), instrument.latencesUs().end());
        duree += instrument.dureeS();
        filaire += instrument.tempsFilS();
        state.SetIterationTime(instrument.dureeS());
    }
    state.counters["lignes"] = static_cast<double>(latences.size());
    state.counters["nul_ack_median_us"] = quantile(latences, 0.5);
    state.counters["nul_ack_p99_us"] = quantile(latences, 0.99);
    state.counters["nul_ack_max_us"] = quantile(latences, 1.0);
    state.counters["rapport"] = filaire > 0 ? duree / filaire : 0;
    state.counters["part_programme"] = filaire > 0 ? somme(latences) * 1e-6 / filaire : 0;
}

BENCHMARK(BM_AllerRetourNulAck)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
