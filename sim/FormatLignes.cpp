#include "sim/FormatLignes.h"

#include <charconv>
#include <string_view>

namespace {

std::string fixe(double valeur, int decimales, std::size_t largeur)
{
    char tampon[64];
    const auto [fin, ec] = std::to_chars(tampon, tampon + sizeof tampon, valeur,
                                         std::chars_format::fixed, decimales);
    std::string texte = ec == std::errc {} ? std::string(tampon, fin) : std::string("0");
    if (texte == "-0." + std::string(static_cast<std::size_t>(decimales), '0'))
        texte.erase(0, 1);
    if (texte.size() < largeur) texte.insert(0, largeur - texte.size(), ' ');
    return texte;
}

char tireDans(std::string_view choix, std::mt19937& alea)
{
    std::uniform_int_distribution<std::size_t> de(0, choix.size() - 1);
    return choix[de(alea)];
}

std::string tire(std::string_view choix, int maximum, std::mt19937& alea)
{
    std::uniform_int_distribution<int> combien(1, maximum);
    std::string texte(static_cast<std::size_t>(combien(alea)), ' ');
    for (char& c : texte) c = tireDans(choix, alea);
    return texte;
}

} // namespace

std::string lignePoint(double lambda, double absorbance)
{
    return fixe(lambda, 1, 7) + fixe(absorbance, 4, 9);
}

std::string ligneAbsorbance(double absorbance)
{
    return fixe(absorbance, 4, 7);
}

std::string allongeLigne(std::string ligne, std::size_t longueur)
{
    static constexpr std::string_view bourre = " Orvanne UV visible;";
    if (ligne.size() < longueur) ligne += ' ';
    while (ligne.size() < longueur) ligne += bourre[ligne.size() % bourre.size()];
    return ligne;
}

std::string octetsParasites(std::mt19937& alea)
{
    return tire(std::string_view("\r\n\x02\x03\x07", 5), 3, alea);
}

std::string texteParasite(std::mt19937& alea)
{
    return tire("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz#*~_ ", 6, alea);
}
