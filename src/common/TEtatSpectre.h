#pragma once

// State of the spectrum window; the order is part of the contract.
enum class TEtatSpectre {
    esBlancEnCours,
    esSpectreEnCours,
    esAttente,
    esLectureAbs,
    esEcriture,
};
