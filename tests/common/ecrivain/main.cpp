// Writes a measurement journal the way a window does, then waits to be
// killed: the tests kill it with SIGKILL in the middle of its run.
//   lumko-essai-journal DOSSIER NOM POINTS
#include "common/TJournalMesures.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <thread>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    const QString nom = QString::fromLocal8Bit(argv[2]);
    TJournalMesures journal(QString::fromLocal8Bit(argv[1]), nom);
    const bool cinetique = nom == u"cinetique";
    journal.commence({{QStringLiteral("fenetre"), nom}, {QStringLiteral("pas"), QStringLiteral("2")},
                      {QStringLiteral("nombre"), QStringLiteral("120")}, {QStringLiteral("debut"), QStringLiteral("500")},
                      {QStringLiteral("fin"), QStringLiteral("800")}});
    const int points = QString::fromLocal8Bit(argv[3]).toInt();
    for (int k = 0; k < points; ++k) {
        if (cinetique) {
            journal.ajoutePoint(k, {2.0 * k, 1.5 - 0.001 * k});
            if (k == 10) journal.ajouteRepere(20, QStringLiteral("ajout\tdu réactif"));
        } else {
            journal.ajoutePoint(k, {800.0 - k, 0.001 * k, 1.0 - 0.001 * k});
        }
    }
    std::printf("ecrit %d\n", points);
    std::fflush(stdout);
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
}
