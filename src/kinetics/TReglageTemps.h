#pragma once

#include <cstdint>

// The length of a kinetics run: the time step in seconds (the period of the
// reading clock), the number of steps, kept on a grid from 10 to 600 that
// grows coarser with the count, and their product, the total duration after
// which a run ends by itself.
//
// The duration is a 16-bit count of seconds. A change that would take it
// past 65535 s is refused as a whole: every value stays as it was and the
// operation returns false (or eRefuse), so that nothing ever wraps.
class TReglageTemps {
public:
    static constexpr std::int32_t nombreMini = 10;
    static constexpr std::int32_t nombreMaxi = 600;
    static constexpr int pasMaxiFleches = 60;
    static constexpr int dureeMaxi = 65535;

    // What an arrow of the time step did.
    enum class EEffet {
        eRefuse,      // nothing changed: the duration would pass 65535 s
        eApplique,    // the step or the count changed (or stayed at its limit)
        eEclaircir    // applied, and the run under way must keep one point in two
    };

    std::int32_t NbreMax() const { return nbreMax_; }
    std::uint16_t DeltatMesure() const { return deltatMesure_; }
    std::uint16_t DureeMesure() const { return static_cast<std::uint16_t>(deltatMesure_ * nbreMax_); }
    int periodeMs() const { return deltatMesure_ * 1000; }

    // The count and the step read from the settings. The step keeps its low
    // 16 bits; a step of 0 s (what the main window's "très rapide" leaves in
    // the shared key) becomes 1 s, so that the reading clock ticks. Returns
    // false when the values had to be brought down to fit in 65535 s: the
    // largest count of the grid that fits, or 10 steps of 6553 s.
    bool depuisReglages(std::int32_t nombre, int pas);

    // Steps 2 to 5 of the count rule: at least 10, then down to the grid.
    static std::int32_t surGrille(std::int32_t nombre);

    // The count rule for a new count: above 600 the step grows by 1 s
    // instead and the count stays 600; then the grid.
    bool ajusteNombre(std::int32_t nombre);

    // The arrows of the count: by the table of steps, then the count rule.
    bool nombreHaut();
    bool nombreBas();

    // The arrows of the time step. Up outside a run: one second more, up to
    // 60 s. Up during a run: the count half as large again below 400 steps,
    // otherwise one second more, without limit, and more than 300 points
    // taken are thinned out. Down: one second less, down to 2 s; at 2 s or
    // less the count loses a third instead, never below 10.
    EEffet pasHaut(bool enCours, int nbrePoints);
    bool pasBas();

private:
    // After a change of the step: at most 600 steps, then the grid; applied
    // only when the duration fits.
    bool ajusteDuree(std::int32_t nombre, int pas);
    bool applique(std::int32_t nombre, int pas);

    std::int32_t nbreMax_ = 120;
    std::uint16_t deltatMesure_ = 2;
};
