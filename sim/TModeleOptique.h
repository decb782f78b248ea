#pragma once

#include <random>
#include <vector>

// What the simulated instrument measures. The light crosses the instrument's
// own optics and a cell with its solvent (together a smooth absorbance that
// rises in the deep UV), then the sample. A blank records the first two over
// a range and is subtracted from what a scan measures there; outside it, or
// for single readings, the zero taken by "x" at one wavelength is subtracted.
// Absorbances add (Beer-Lambert); stray light bends the very high ones, and
// the noise grows as less light reaches the detector.
class TModeleOptique {
public:
    explicit TModeleOptique(unsigned graine = 1);
    void reensemence(unsigned graine);

    // Noise-free absorbances, in nm.
    static double absorbanceReference(double lambda); // optics, cell and solvent
    static double absorbanceEchantillon(double lambda); // the scanned sample: three bands
    // The fading dye of the kinetics cell, secondes after it was put in.
    static double absorbanceColorant(double lambda, double secondes, double demiVie);

    // The blank over [debut, fin] nm, with its own noise.
    void prendBlanc(double debut, double fin);
    // The zero at lambda, with the solvent in the cell.
    void faitZero(double lambda);

    // What a scan point at lambda reports.
    double mesureEchantillon(double lambda);
    // What a single reading at lambda reports, secondes after the dye started fading.
    double mesureColorant(double lambda, double secondes, double demiVie);

private:
    double mesure(double absorbanceTotale);
    double reference(double lambda) const;
    bool blancCouvre(double lambda) const;

    static constexpr double pasBlanc = 0.5;

    std::mt19937 alea_;
    std::normal_distribution<double> gauss_ {0.0, 1.0};
    double blancDebut_ = 0.0;
    std::vector<double> blanc_;
    double zero_ = 0.0;
};
