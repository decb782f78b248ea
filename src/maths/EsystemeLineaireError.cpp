#include "maths/EsystemeLineaireError.h"

EsystemeLineaireError::EsystemeLineaireError()
    : EsystemeLineaireError("Erreur résolution système linéaire")
{
}

EsystemeLineaireError::EsystemeLineaireError(const std::string& message)
    : std::runtime_error(message)
{
}
