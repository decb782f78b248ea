#pragma once

#include <stdexcept>
#include <string>

// A linear system that cannot be solved (pivot too small, division by zero,
// overflow). what() is UTF-8 text meant for the user.
class EsystemeLineaireError : public std::runtime_error {
public:
    EsystemeLineaireError();
    explicit EsystemeLineaireError(const std::string& message);
};
