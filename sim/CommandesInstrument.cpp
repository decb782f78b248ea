#include "sim/CommandesInstrument.h"

#include <charconv>

namespace {

std::optional<int> entier(std::string_view texte)
{
    int valeur = 0;
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, valeur);
    if (texte.empty() || ec != std::errc {} || p != fin) return std::nullopt;
    return valeur;
}

} // namespace

TCommandeInstrument analyseCommande(std::string_view texte)
{
    TCommandeInstrument commande;
    if (texte.empty()) return commande;
    commande.code = texte.front();
    std::string_view reste = texte.substr(1);
    while (!reste.empty()) {
        const std::size_t virgule = reste.find(',');
        commande.nombres.push_back(entier(reste.substr(0, virgule)));
        if (virgule == std::string_view::npos) break;
        reste.remove_prefix(virgule + 1);
        if (reste.empty()) commande.nombres.push_back(std::nullopt);
    }
    return commande;
}

bool commandeConnue(char code)
{
    return std::string_view("cafwxd").find(code) != std::string_view::npos && code != '\0';
}
