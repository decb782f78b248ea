#include "link/TNomsPorts.h"

#include "common/TFichierIni.h"
#include "link/Peripheriques.h"

#include <utility>

TNomsPorts::TNomsPorts(TCheminsIni cheminIni)
    : cheminIni_(std::move(cheminIni))
{
}

QString TNomsPorts::nomPort(int n) const
{
    if (n <= 0) return {};
    const QString entree = TFichierIni(cheminIni_)
                               .litChaine(QStringLiteral("Ports"),
                                          QStringLiteral("COM%1").arg(n), QString())
                               .trimmed();
    return entree.isEmpty() ? peripheriqueParDefaut(n) : entree;
}

bool TNomsPorts::portExiste(int n) const
{
    return n > 0 && peripheriqueUtilisable(nomPort(n));
}
