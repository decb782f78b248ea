#include "graph/LecturePoint.h"

#include "graph/Tgraphe.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int nombreTracable(int n)
{
    return std::clamp(n, 0, tailleVecteur);
}

// Searches points 0 .. n-1 of (x, y) in the world monde for one nearer than
// meilleure (a squared distance in pixels), updating it and the point. The
// abscissa alone rules most points out, before their ordinate is looked at:
// a pointer move must stay cheap over tens of thousands of points.
void chercheDans(const Tgraphe& g, const Tvecteur& x, const Tvecteur& y, int n, const Tmonde& monde,
                 int courbe, int ordre, int xS, int yS, double& meilleure, TPointLu& point)
{
    const double ax = g.mondeX->a;
    const double bx = g.mondeX->b - xS;
    const double ay = monde.a;
    const double by = monde.b - yS;
    for (int k = 0; k < nombreTracable(n); ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double dx = ax * x[i] + bx;
        if (!(dx * dx < meilleure)) continue;
        const double dy = ay * y[i] + by;
        const double d = dx * dx + dy * dy;
        if (!(d < meilleure)) continue;
        int xi = 0;
        int yi = 0;
        g.WindowXY(x[i], y[i], monde, xi, yi);
        if (xi == -1 && yi == -1) continue;
        meilleure = d;
        point = {courbe, ordre, k, x[i], y[i], xi, yi};
    }
}

QString nombre(double v, int decimales, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'f', decimales);
}

// A wavelength in whole nanometres when it is one, else to the tenth.
QString texteLambda(double lambda, const QLocale& locale)
{
    const bool entier = std::abs(lambda - std::round(lambda)) < 1e-6;
    return nombre(lambda, entier ? 0 : 1, locale);
}

QString texteTemps(double secondes, const QLocale& locale)
{
    const long long s = std::llround(std::max(0.0, secondes));
    const QString hms = QStringLiteral("%1:%2:%3")
                            .arg(s / 3600, 2, 10, QLatin1Char('0'))
                            .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
                            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 (%2 s)").arg(hms, nombre(static_cast<double>(s), 0, locale));
}

QString texteOrdonnee(const Tgraphe& g, const TPointLu& p, const QLocale& locale)
{
    static const char* const derivees[] = {"", "dA/dλ", "d²A/dλ²", "d³A/dλ³"};
    if (p.ordre >= 1 && p.ordre <= 3) {
        QLocale l = locale;
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return QStringLiteral("%1 = %2").arg(QString::fromUtf8(derivees[p.ordre]), l.toString(p.y, 'g', 3));
    }
    if (g.mondeY != nullptr && g.mondeY == g.MondeTrans.get())
        return QStringLiteral("T = %1 %").arg(nombre(p.y, 1, locale));
    return QStringLiteral("A = %1").arg(nombre(p.y, 3, locale));
}

} // namespace

TPointLu pointProche(const Tgraphe& g, int xS, int yS)
{
    TPointLu point;
    if (g.mondeX == nullptr || g.mondeY == nullptr) return point;
    double meilleure = std::numeric_limits<double>::infinity();
    chercheDans(g, g.mondeX->valeur, g.mondeY->valeur, g.nbrePoints, *g.mondeY, TPointLu::courante, 0, xS, yS,
                meilleure, point);
    for (int j = 1; j <= 3; ++j)
        if (g.traceDer[j] && g.mondeDer[j] != nullptr)
            chercheDans(g, g.mondeX->valeur, g.mondeDer[j]->valeur, g.nbrePoints, *g.mondeDer[j],
                        TPointLu::courante, j, xS, yS, meilleure, point);
    const bool absorbance = g.mondeY == g.mondeAbs.get();
    for (std::size_t q = 0; q < g.listeDonnees.size(); ++q) {
        const Tdonnees& c = g.listeDonnees[q];
        chercheDans(g, c.X, absorbance ? c.A : c.T, c.nombre, *g.mondeY, static_cast<int>(q), 0, xS, yS,
                    meilleure, point);
    }
    return point;
}

TPointLu pointCourant(const Tgraphe& g, int indice)
{
    TPointLu point;
    if (g.mondeX == nullptr || g.mondeY == nullptr || indice < 0 || indice >= nombreTracable(g.nbrePoints))
        return point;
    const double x = g.mondeX->valeur[static_cast<std::size_t>(indice)];
    const double y = g.mondeY->valeur[static_cast<std::size_t>(indice)];
    int xi = 0;
    int yi = 0;
    g.WindowXY(x, y, *g.mondeY, xi, yi);
    return {TPointLu::courante, 0, indice, x, y, xi, yi};
}

QString texteLecture(const Tgraphe& g, const TPointLu& p, const QLocale& locale)
{
    if (!p.trouve() || g.mondeX == nullptr) return {};
    const bool temps = g.mondeX->nom == QStringLiteral("t");
    const QString abscisse = temps ? QStringLiteral("t = %1").arg(texteTemps(p.x, locale))
                                   : QStringLiteral("λ = %1 nm").arg(texteLambda(p.x, locale));
    return abscisse + QStringLiteral("   ") + texteOrdonnee(g, p, locale);
}
