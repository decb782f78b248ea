// lumko-instrument: a simulated spectrophotometer on a pseudo-terminal, for
// trying Lumko without the instrument.
#include "sim/OptionsInstrument.h"
#include "sim/TSimulateur.h"

#include <csignal>
#include <ctime>
#include <iostream>
#include <pthread.h>

namespace {

sigset_t signauxDeFin()
{
    sigset_t signaux;
    sigemptyset(&signaux);
    sigaddset(&signaux, SIGINT);
    sigaddset(&signaux, SIGTERM);
    sigaddset(&signaux, SIGHUP);
    return signaux;
}

// Until a signal asks to stop, or the instrument has hung up by itself.
void attendLaFin(const TSimulateur& simulateur, const sigset_t& signaux)
{
    const timespec periode {0, 200'000'000};
    while (simulateur.actif()) {
        if (sigtimedwait(&signaux, nullptr, &periode) > 0) return;
    }
    std::cout << "La ligne a été raccrochée : fin du simulateur." << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    const TOptionsInstrument options = analyseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.aide) {
        std::cout << texteAide();
        return 0;
    }
    if (!options.erreur.empty()) {
        std::cerr << "lumko-instrument : " << options.erreur << "\n"
                  << "Voir lumko-instrument --help\n";
        return 2;
    }
    // Blocked before the instrument's thread exists, so that it inherits the
    // mask and the signals are taken here only.
    const sigset_t signaux = signauxDeFin();
    pthread_sigmask(SIG_BLOCK, &signaux, nullptr);

    TSimulateur simulateur(options.config);
    if (!simulateur.demarre(options.lien)) {
        std::cerr << "lumko-instrument : " << simulateur.erreur() << "\n";
        return 1;
    }
    std::cout << "Instrument simulé sur " << simulateur.peripherique() << "\n";
    if (!options.lien.empty())
        std::cout << "Lien : " << options.lien << " -> " << simulateur.peripherique() << "\n";
    std::cout << "Ctrl+C pour arrêter." << std::endl;

    attendLaFin(simulateur, signaux);
    simulateur.arrete();
    std::cout << "Simulateur arrêté." << std::endl;
    return 0;
}
