#pragma once

#include <QString>

// The folder where tests leave what a person should look at (PNG, PDF):
// $LUMKO_TEST_OUTPUT when set, otherwise build/test-output. Created if needed.
QString dossierSortieEssais();

// The full path of a file of that folder.
QString fichierSortieEssais(const QString& nom);
