// Any settings file reads without failing, and a value written into it
// reads back while every other line stays as it was.
#include "common/TFichierIni.h"
#include "common/TLignesIni.h"

#include <QFile>
#include <QHash>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const QByteArray contenu(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    TLignesIni lignes(contenu);
    for (const char* section : {"Lambda", "Vitesse", "Cinet", "VoieSerie", "Graphe"})
        (void)lignes.valeur(QString::fromLatin1(section), QStringLiteral("Valeur"));
    lignes.fixe(QStringLiteral("Cinet"), QStringLiteral("Nombre"), QStringLiteral("120"));
    const TLignesIni relues(lignes.contenu());
    if (relues.valeur(QStringLiteral("Cinet"), QStringLiteral("Nombre")) != QStringLiteral("120")) std::abort();

    // The file layer on top (integers, booleans, hexadecimal), for one input
    // in sixteen: the file costs more than all the rest.
    if (qHash(contenu) % 16 != 0) return 0;
    static const QString chemin = QStringLiteral("/dev/shm/lumko-fuzz-%1.ini").arg(::getpid());
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(contenu);
    f.close();
    const TFichierIni ini(chemin);
    (void)ini.litEntier(QStringLiteral("VoieSerie"), QStringLiteral("ComNumber"), 1);
    (void)ini.litEntier(QStringLiteral("Lambda"), QStringLiteral("Debut"), 500);
    (void)ini.litBooleen(QStringLiteral("Graphe"), QStringLiteral("Yabs"), true);
    return 0;
}
