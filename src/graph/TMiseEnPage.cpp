#include "graph/TMiseEnPage.h"

#include "graph/Tgraphe.h"

namespace {

// The worlds of a graph in a fixed order.
std::array<Tmonde*, 6> mondesDe(const Tgraphe& g)
{
    return {g.mondeX.get(), g.mondeAbs.get(), g.MondeTrans.get(),
            g.mondeDer[1].get(), g.mondeDer[2].get(), g.mondeDer[3].get()};
}

}  // namespace

TMiseEnPage::TMiseEnPage(const Tgraphe& graphe)
    : canvas_(graphe.canvas), limiteCourbe_(graphe.LimiteCourbe),
      limiteFenetre_(graphe.LimiteFenetre), largCarac_(graphe.LargCarac),
      hautCarac_(graphe.HautCarac), marge_(graphe.Marge),
      hauteurSpectre_(graphe.hauteurSpectre), penWidth_(graphe.penWidth)
{
    const auto mondes = mondesDe(graphe);
    for (std::size_t i = 0; i < mondes.size(); ++i) mondes_[i] = capture(*mondes[i]);
}

void TMiseEnPage::restaure(Tgraphe& graphe) const
{
    graphe.canvas = canvas_;
    graphe.LimiteCourbe = limiteCourbe_;
    graphe.LimiteFenetre = limiteFenetre_;
    graphe.LargCarac = largCarac_;
    graphe.HautCarac = hautCarac_;
    graphe.Marge = marge_;
    graphe.hauteurSpectre = hauteurSpectre_;
    graphe.penWidth = penWidth_;
    const auto mondes = mondesDe(graphe);
    for (std::size_t i = 0; i < mondes.size(); ++i) restaure(mondes_[i], *mondes[i]);
}

TMiseEnPage::Transformee TMiseEnPage::capture(const Tmonde& m)
{
    return {m.mini, m.maxi, m.a, m.b, m.avecAxe, m.grandAxe, m.deltaAxe, m.pointDebut};
}

void TMiseEnPage::restaure(const Transformee& t, Tmonde& m)
{
    m.mini = t.mini;
    m.maxi = t.maxi;
    m.a = t.a;
    m.b = t.b;
    m.avecAxe = t.avecAxe;
    m.grandAxe = t.grandAxe;
    m.deltaAxe = t.deltaAxe;
    m.pointDebut = t.pointDebut;
}
