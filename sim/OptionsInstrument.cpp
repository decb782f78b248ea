#include "sim/OptionsInstrument.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <type_traits>

namespace {

// from_chars reads "inf" and "nan" too, which would make a delay or a time
// factor meaningless: only finite values are taken.
template <typename T>
std::optional<T> nombre(std::string_view texte, T minimum)
{
    T valeur {};
    const char* fin = texte.data() + texte.size();
    const auto [p, ec] = std::from_chars(texte.data(), fin, valeur);
    if (texte.empty() || ec != std::errc {} || p != fin || valeur < minimum) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(valeur)) return std::nullopt;
    }
    return valeur;
}

// A reply line crosses a 7-bit line and ends at its NUL: control bytes or
// 8-bit characters in it would be another fault than a line that cannot be read.
bool texteDeLigne(std::string_view texte)
{
    return !texte.empty()
           && std::all_of(texte.begin(), texte.end(), [](char c) { return c >= 32 && c < 127; });
}

using Drapeau = std::function<void(TConfigInstrument&)>;
using Valeur = std::function<bool(TOptionsInstrument&, std::string_view)>;

const std::map<std::string, Drapeau, std::less<>>& drapeaux()
{
    static const std::map<std::string, Drapeau, std::less<>> d = {
        {"--fast", [](TConfigInstrument& c) { c.rapide = true; }},
        {"--mute", [](TConfigInstrument& c) { c.muet = true; }},
        {"--no-end", [](TConfigInstrument& c) { c.sansFin = true; }},
        {"--noise-bytes", [](TConfigInstrument& c) { c.parasites = true; }},
        {"--long-lines", [](TConfigInstrument& c) { c.lignesLongues = true; }},
        {"--lose-eot", [](TConfigInstrument& c) { c.perdEOT = true; }},
        {"--no-enq", [](TConfigInstrument& c) { c.sansENQ = true; }},
    };
    return d;
}

template <typename T>
Valeur champNumerique(T TConfigInstrument::*champ, T minimum)
{
    return [champ, minimum](TOptionsInstrument& o, std::string_view texte) {
        const std::optional<T> v = nombre<T>(texte, minimum);
        if (v) o.config.*champ = *v;
        return v.has_value();
    };
}

const std::map<std::string, Valeur, std::less<>>& valeurs()
{
    static const std::map<std::string, Valeur, std::less<>> v = {
        {"--link",
         [](TOptionsInstrument& o, std::string_view t) {
             o.lien = t;
             return !t.empty();
         }},
        {"--nak", champNumerique(&TConfigInstrument::nakAvantAck, 0)},
        {"--points", champNumerique(&TConfigInstrument::pointsForces, 1)},
        {"--hangup-after", champNumerique(&TConfigInstrument::raccrocheApresPoints, 0)},
        {"--seed", champNumerique(&TConfigInstrument::graine, 0U)},
        {"--time-factor", champNumerique(&TConfigInstrument::facteurTemps, 0.0)},
        {"--half-life", champNumerique(&TConfigInstrument::demiVie, 0.0)},
        {"--read-delay", champNumerique(&TConfigInstrument::delaiLecture, 0.0)},
        {"--reply-text",
         [](TOptionsInstrument& o, std::string_view t) {
             if (!texteDeLigne(t)) return false;
             o.config.texteReponse = t;
             return true;
         }},
    };
    return v;
}

// One argument, with its value taken from "--opt=value" or from the next
// argument; returns the number of arguments used, 0 on error.
std::size_t analyseUne(TOptionsInstrument& o, const std::vector<std::string>& args, std::size_t i)
{
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
        o.aide = true;
        return 1;
    }
    if (const auto d = drapeaux().find(arg); d != drapeaux().end()) {
        d->second(o.config);
        return 1;
    }
    const std::size_t egal = arg.find('=');
    const std::string_view nom = std::string_view(arg).substr(0, egal);
    const auto v = valeurs().find(nom);
    if (v == valeurs().end()) {
        o.erreur = "Option inconnue : " + arg;
        return 0;
    }
    const bool collee = egal != std::string::npos;
    if (!collee && i + 1 >= args.size()) {
        o.erreur = "Valeur manquante après " + arg;
        return 0;
    }
    const std::string_view texte = collee ? std::string_view(arg).substr(egal + 1)
                                          : std::string_view(args[i + 1]);
    if (!v->second(o, texte)) {
        o.erreur = "Valeur incorrecte pour " + std::string(nom) + " : " + std::string(texte);
        return 0;
    }
    return collee ? 1 : 2;
}

} // namespace

TOptionsInstrument analyseOptions(const std::vector<std::string>& arguments)
{
    TOptionsInstrument options;
    for (std::size_t i = 0; i < arguments.size();) {
        const std::size_t pris = analyseUne(options, arguments, i);
        if (pris == 0) return options;
        i += pris;
    }
    return options;
}

std::string texteAide()
{
    return R"(Usage : lumko-instrument [options]

Simule un spectrophotomètre UV-visible Orvanne au bout d'une liaison série,
pour essayer Lumko sans l'appareil. Le simulateur ouvre un pseudo-terminal,
affiche son nom (/dev/pts/N) et répond comme l'appareil jusqu'à Ctrl+C
(ou SIGTERM).

Brancher Lumko dessus :
  1. Lancer le simulateur avec un nom stable :
       lumko-instrument --link /tmp/lumko-com7
  2. Dans le fichier de réglages de Lumko (lumko.ini à côté de l'exécutable,
     ou ~/.config/lumko/lumko.ini), section [Ports], associer un numéro de
     port COM à ce nom :
       [Ports]
       COM7=/tmp/lumko-com7
  3. Démarrer Lumko, choisir COM7 dans la liste des ports, puis « Connecter ».

Options :
  --link CHEMIN       crée le lien symbolique CHEMIN vers le pseudo-terminal
                      (un ancien lien mort est remplacé, un fichier ordinaire
                      n'est jamais écrasé) ; il est retiré à l'arrêt
  --fast              sans cadence : les octets partent aussitôt au lieu du
                      débit réel de 9600 bauds (960 octets/s)
  --time-factor X     multiplie les durées des opérations (blanc, zéro,
                      déplacement, balayage) par X ; 0 les supprime
  --seed N            graine du bruit de mesure
  --half-life S       demi-vie en secondes du colorant de la cuve de cinétique,
                      qui s'efface à partir du zéro (« x ») ; 180 par défaut
  --help, -h          ce texte

Pannes simulées :
  --mute              ne répond jamais
  --nak N             répond NAK aux N premières transmissions, puis ACK
  --no-end            acquitte les commandes mais n'envoie jamais EOT ni ENQ
  --noise-bytes       octets de contrôle parasites et texte parasite autour
                      des lignes
  --long-lines        lignes de points de plus de 255 caractères
  --points N          chaque balayage donne exactement N points (au-delà de
                      2001 par exemple)
  --hangup-after N    raccroche après N lignes de points d'un balayage
  --lose-eot          n'envoie jamais l'EOT qui clôt les résultats d'un
                      balayage (« f ») ou d'une lecture (« d ») ; les autres
                      commandes gardent le leur
  --no-enq            acquitte « f » et « d » puis n'envoie plus rien (ni ENQ,
                      ni ligne, ni EOT) ; les autres commandes se terminent
                      normalement
  --read-delay S      attend S secondes de plus avant l'ENQ d'une lecture
                      (« d ») ; ce délai ne suit pas --time-factor
  --reply-text TEXTE  envoie TEXTE (caractères ASCII imprimables, par exemple
                      ERR ou 1.2.3) à la place de chaque ligne de résultat
)";
}
