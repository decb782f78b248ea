#include "sim/TModeleOptique.h"

#include <algorithm>
#include <cmath>

namespace {

// Fraction of stray light reaching the detector: a real instrument cannot read
// much beyond 3.5 absorbance units however dark the sample.
constexpr double lumiereParasite = 2e-4;

double bande(double lambda, double centre, double largeur)
{
    const double x = (lambda - centre) / largeur;
    return std::exp(-0.5 * x * x);
}

} // namespace

TModeleOptique::TModeleOptique(unsigned graine) : alea_(graine) {}

void TModeleOptique::reensemence(unsigned graine)
{
    alea_.seed(graine);
    gauss_.reset();
}

double TModeleOptique::absorbanceReference(double lambda)
{
    return 0.04 + 0.015 * std::sin(lambda / 45.0) + 0.3 * std::exp(-(lambda - 190.0) / 18.0);
}

double TModeleOptique::absorbanceEchantillon(double lambda)
{
    const double diffusion = 0.02 * std::pow(300.0 / std::max(lambda, 1.0), 4.0);
    return 1.85 * bande(lambda, 275.0, 16.0) + 0.55 * bande(lambda, 435.0, 22.0)
           + 1.25 * bande(lambda, 520.0, 30.0) + diffusion;
}

double TModeleOptique::absorbanceColorant(double lambda, double secondes, double demiVie)
{
    const double restant = demiVie > 0.0 ? std::exp2(-std::max(secondes, 0.0) / demiVie) : 1.0;
    // A broad band: about 1.5 wherever in the green and yellow the run is set.
    const double colorant = 1.7 * bande(lambda, 540.0, 80.0);
    const double produit = 0.35 * bande(lambda, 365.0, 30.0);
    return restant * colorant + (1.0 - restant) * produit;
}

double TModeleOptique::mesure(double absorbanceTotale)
{
    const double transmis = std::pow(10.0, -absorbanceTotale);
    const double lue = -std::log10((transmis + lumiereParasite) / (1.0 + lumiereParasite));
    const double ecartType = 0.0003 * (1.0 + 1.0 / (40.0 * (transmis + lumiereParasite)));
    return lue + ecartType * gauss_(alea_);
}

bool TModeleOptique::blancCouvre(double lambda) const
{
    const double fin = blancDebut_ + pasBlanc * static_cast<double>(blanc_.size() - 1);
    return !blanc_.empty() && lambda >= blancDebut_ - 1e-9 && lambda <= fin + 1e-9;
}

double TModeleOptique::reference(double lambda) const
{
    if (!blancCouvre(lambda)) return zero_;
    if (blanc_.size() == 1) return blanc_.front();
    const double position = std::clamp((lambda - blancDebut_) / pasBlanc, 0.0,
                                       static_cast<double>(blanc_.size() - 1));
    const auto i = std::min(static_cast<std::size_t>(position), blanc_.size() - 2);
    const double f = position - static_cast<double>(i);
    return blanc_[i] + f * (blanc_[i + 1] - blanc_[i]);
}

void TModeleOptique::prendBlanc(double debut, double fin)
{
    if (fin < debut) std::swap(debut, fin);
    blancDebut_ = debut;
    const auto n = static_cast<std::size_t>(std::floor((fin - debut) / pasBlanc + 1e-9)) + 1;
    blanc_.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        blanc_[i] = mesure(absorbanceReference(debut + pasBlanc * static_cast<double>(i)));
}

void TModeleOptique::faitZero(double lambda)
{
    zero_ = mesure(absorbanceReference(lambda));
}

double TModeleOptique::mesureEchantillon(double lambda)
{
    return mesure(absorbanceReference(lambda) + absorbanceEchantillon(lambda)) - reference(lambda);
}

double TModeleOptique::mesureColorant(double lambda, double secondes, double demiVie)
{
    return mesure(absorbanceReference(lambda) + absorbanceColorant(lambda, secondes, demiVie)) - zero_;
}
