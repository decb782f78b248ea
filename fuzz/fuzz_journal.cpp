// Any journal, however damaged, reads back into a curve within the vectors.
#include "common/TJournalMesures.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const QByteArray contenu(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    const TCourbeJournal journal = lisJournal(contenu);
    const TCourbeRejouee courbe = rejoue(journal);
    if (courbe.nombre < 0 || courbe.nombre > tailleVecteur) std::abort();
    return 0;
}
