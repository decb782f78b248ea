#include "kinetics/TReglageTemps.h"

#include <algorithm>
#include <iterator>

namespace {

struct TPasNombre {
    std::int32_t depuis;  // from this count up
    std::int32_t haut;
    std::int32_t bas;
};

// The arrows of the count, from the largest counts down.
constexpr TPasNombre pasNombre[] = {
    {360, 60, 60}, {300, 60, 30}, {120, 30, 30}, {90, 30, 10},
    {40, 10, 10},  {30, 10, 1},   {0, 1, 1},
};

const TPasNombre& pasPour(std::int32_t nombre)
{
    for (const TPasNombre& p : pasNombre)
        if (nombre >= p.depuis) return p;
    return pasNombre[std::size(pasNombre) - 1];
}

std::int32_t multipleInferieur(std::int32_t nombre, std::int32_t pas)
{
    return nombre - nombre % pas;
}

} // namespace

std::int32_t TReglageTemps::surGrille(std::int32_t nombre)
{
    nombre = std::max(nombre, nombreMini);
    if (nombre >= 300) nombre = multipleInferieur(nombre, 60);
    if (nombre >= 90) nombre = multipleInferieur(nombre, 30);
    if (nombre >= 30) nombre = multipleInferieur(nombre, 10);
    return nombre;
}

bool TReglageTemps::applique(std::int32_t nombre, int pas)
{
    if (static_cast<long long>(nombre) * pas > dureeMaxi) return false;
    nbreMax_ = nombre;
    deltatMesure_ = static_cast<std::uint16_t>(pas);
    return true;
}

bool TReglageTemps::ajusteNombre(std::int32_t nombre)
{
    int pas = deltatMesure_;
    if (nombre > nombreMaxi) {
        ++pas;
        nombre = nombreMaxi;
    }
    return applique(surGrille(nombre), pas);
}

bool TReglageTemps::ajusteDuree(std::int32_t nombre, int pas)
{
    return applique(surGrille(std::min(nombre, nombreMaxi)), pas);
}

bool TReglageTemps::depuisReglages(std::int32_t nombre, int pas)
{
    deltatMesure_ = static_cast<std::uint16_t>(pas);
    if (deltatMesure_ == 0) deltatMesure_ = 1;
    if (ajusteNombre(nombre)) return true;
    // Too long for 65535 s: the largest count of the grid that fits, or the
    // shortest run at the longest step that fits.
    int pasRetenu = deltatMesure_ + (nombre > nombreMaxi ? 1 : 0);
    pasRetenu = std::min(pasRetenu, dureeMaxi / nombreMini);
    std::int32_t n = surGrille(std::min(dureeMaxi / pasRetenu, nombreMaxi));
    while (static_cast<long long>(n) * pasRetenu > dureeMaxi) n = surGrille(n - 1);
    applique(n, pasRetenu);
    return false;
}

bool TReglageTemps::nombreHaut()
{
    return ajusteNombre(nbreMax_ + pasPour(nbreMax_).haut);
}

bool TReglageTemps::nombreBas()
{
    return ajusteNombre(nbreMax_ - pasPour(nbreMax_).bas);
}

TReglageTemps::EEffet TReglageTemps::pasHaut(bool enCours, int nbrePoints)
{
    std::int32_t nombre = nbreMax_;
    int pas = deltatMesure_;
    bool eclaircir = false;
    if (!enCours) {
        if (pas < pasMaxiFleches) ++pas;
    } else if (nombre < 400) {
        nombre = (3 * nombre) / 2;
    } else {
        ++pas;
        eclaircir = nbrePoints > 300;
    }
    if (!ajusteDuree(nombre, pas)) return EEffet::eRefuse;
    return eclaircir ? EEffet::eEclaircir : EEffet::eApplique;
}

bool TReglageTemps::pasBas()
{
    std::int32_t nombre = nbreMax_;
    int pas = deltatMesure_;
    if (pas <= 2)
        nombre = std::max((2 * nombre) / 3, nombreMini);
    else
        --pas;
    return ajusteDuree(nombre, pas);
}
