#include "link/Commandes.h"

namespace {

QByteArray nombre(int n)
{
    return QByteArray::number(n);
}

QByteArray plage(int debut, int fin)
{
    return nombre(fin * 10) + ',' + nombre(debut * 10);
}

// Multiplier of w below 100 nm and below 200 nm, by speed; wider ranges
// take 2·w below 500 nm and w from there on, at every speed.
struct TFacteurs {
    int sous100;
    int sous200;
};

constexpr TFacteurs facteurs[] = {{5, 5}, {10, 5}, {2, 2}, {5, 5}, {10, 5}};

} // namespace

QByteArray commandeBlanc(int debut, int fin)
{
    return 'c' + plage(debut, fin);
}

QByteArray commandeReglage(int debut, int fin, int indexVitesse)
{
    return 'a' + plage(debut, fin) + ',' + nombre(indexVitesse + 1);
}

QByteArray commandeDepart(int parametre)
{
    return 'f' + nombre(parametre);
}

QByteArray commandeLambda(int lambda)
{
    return 'w' + nombre(lambda * 10);
}

QByteArray commandeZero()
{
    return QByteArrayLiteral("x");
}

QByteArray commandeAbs()
{
    return QByteArrayLiteral("d");
}

int parametreBalayage(int w, int indexVitesse)
{
    if (indexVitesse < 0 || indexVitesse > 4 || w >= 500) return w;
    if (w >= 200) return 2 * w;
    const TFacteurs& f = facteurs[indexVitesse];
    return (w < 100 ? f.sous100 : f.sous200) * w;
}
