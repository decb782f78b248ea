#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

// The "A propos" box: version, maker, contact, and a button that opens the page
// where newer versions are offered.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    static inline const QString version = QStringLiteral("Version 3.00");
    static inline const QString dateVersion = QStringLiteral("09/02/2016");
    static inline const QString courriel = QStringLiteral("contact@lumko.example");
    static inline const QString siteWeb = QStringLiteral("https://lumko.example/");
    static inline const QString adresseMisesAJour = QStringLiteral("https://lumko.example/mises-a-jour");

    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame& Panel1() { return *panel_; }
    QPushButton& BitBtn1() { return *bitBtn1_; }
    QPushButton& OKButton() { return *okButton_; }

    // What leaves the program, replaceable in tests: the browser, the message box.
    std::function<bool(const QUrl&)> ouvreUrl;
    std::function<void(const QString&)> afficheMessage;

    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    void construitPanneau();
    void construitBoutons();
    QLabel* ajouteLigne(QWidget* parent, const QString& texte, const char* nomObjet);

    QFrame* panel_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
    QPushButton* okButton_ = nullptr;
};
