#pragma once

#include "graph/TRectangle.h"

#include <array>

class Tgraphe;
class Tmonde;
class TSurfaceDessin;

// The surface and the layout of a graph's last full drawing. Printing lays the
// graph out on the page; putting back what the screen had lets a scan in
// progress go on drawing its new points in the window.
class TMiseEnPage {
public:
    explicit TMiseEnPage(const Tgraphe& graphe);
    void restaure(Tgraphe& graphe) const;

private:
    struct Transformee {
        double mini = 0;
        double maxi = 0;
        double a = 0;
        double b = 0;
        bool avecAxe = false;
        bool grandAxe = false;
        double deltaAxe = 0;
        double pointDebut = 0;
    };
    static Transformee capture(const Tmonde& monde);
    static void restaure(const Transformee& t, Tmonde& monde);

    TSurfaceDessin* canvas_ = nullptr;
    TRectangle limiteCourbe_;
    TRectangle limiteFenetre_;
    int largCarac_ = 0;
    int hautCarac_ = 0;
    int marge_ = 0;
    int hauteurSpectre_ = 0;
    int penWidth_ = 0;
    // mondeX, mondeAbs, MondeTrans, mondeDer[1..3]
    std::array<Transformee, 6> mondes_{};
};
