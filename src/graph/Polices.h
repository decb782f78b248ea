#pragma once

#include <QString>

// The family to ask the font engine for. Where "Calibri" is not installed its
// metric-compatible twin "Carlito" is substituted, so labels keep their widths.
QString famillePolice(const QString& nom);
