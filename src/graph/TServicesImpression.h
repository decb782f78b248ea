#pragma once

#include <QString>

#include <functional>
#include <memory>

class QPrinter;

// What printing needs of the platform, replaceable so that tests print to a
// PDF file without a modal box. The defaults talk to the user and to the
// system's default printer.
class TServicesImpression {
public:
    // "Impression ?" with OK and Cancel: true for OK.
    std::function<bool()> confirme;
    // The printer to print on, already set up; null when there is none. A
    // printer in GrayScale mode is taken as monochrome.
    std::function<std::unique_ptr<QPrinter>()> imprimante;
    // Tells the user why nothing was printed.
    std::function<void(const QString&)> signale;

    static TServicesImpression standard();
};
