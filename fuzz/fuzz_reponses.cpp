// Reply lines as the instrument (or a damaged line) may send them: the
// parsers take anything and keep their scanning rule's bounds.
#include "link/Reponses.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    // The link keeps at most 255 characters of a line.
    if (taille > 255) return 0;
    const QByteArray ligne(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    // A line is a point, a value or unreadable: never a number that is not one.
    const TLigneAnalysee analysee = analyseLigne(ligne);
    const bool vide = analysee.forme == TFormeLigne::eVide;
    if (vide != ligne.isEmpty()) std::abort();
    if (analysee.forme == TFormeLigne::ePoint && (!std::isfinite(analysee.lambda) || !std::isfinite(analysee.valeur)))
        std::abort();
    if (analysee.forme == TFormeLigne::eValeur && (!std::isfinite(analysee.valeur) || analysee.texteValeur.isEmpty()))
        std::abort();
    if (analysee.texteValeur.size() > ligne.size()) std::abort();
    for (qsizetype k = 1; k <= ligne.size() + 2; k += 7) {
        const TNombreTrouve n = chercheNombre(ligne, k);
        if (n.longueur < 0 || n.position < 1 || n.position + n.longueur - 1 > ligne.size() + 1) std::abort();
        (void)texteNombre(ligne, n);
    }
    return 0;
}
