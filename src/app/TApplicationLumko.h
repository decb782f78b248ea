#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// The program's application object. An exception that reaches the event loop
// is shown to the user and the program goes on, as the instrument's users
// expect: a failed command must not lose the spectra on screen.
class TApplicationLumko : public QApplication {
    Q_OBJECT

public:
    TApplicationLumko(int& argc, char** argv);

    bool notify(QObject* destinataire, QEvent* evenement) override;

    // The title of the running executable, "Lumko" when it has none.
    static QString titre();

    // Shows an exception's text; an error box when empty. Replaced in tests.
    static inline std::function<void(const QString&)> signaleErreur;

private:
    static void signale(const QString& texte);
    void traduitQt();
};
