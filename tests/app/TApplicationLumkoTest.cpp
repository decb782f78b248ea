#include "app/TApplicationLumko.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QIcon>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

const QEvent::Type evenementQuiEchoue = QEvent::Type(QEvent::User + 1);
const QEvent::Type evenementOrdinaire = QEvent::Type(QEvent::User + 2);

class TObjetFautif : public QObject {
public:
    explicit TObjetFautif(std::function<void()> lance) : lance_(std::move(lance)) {}
    int ordinaires = 0;

protected:
    bool event(QEvent* evenement) override
    {
        if (evenement->type() == evenementQuiEchoue) lance_();
        if (evenement->type() == evenementOrdinaire) ++ordinaires;
        return QObject::event(evenement);
    }

private:
    std::function<void()> lance_;
};

class TApplicationLumkoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TApplicationLumko::signaleErreur = [this](const QString& texte) { signales.append(texte); };
    }
    void TearDown() override { TApplicationLumko::signaleErreur = nullptr; }

    QStringList signales;
};

} // namespace

TEST_F(TApplicationLumkoTest, IdentiteDuProgramme)
{
    ASSERT_NE(qobject_cast<TApplicationLumko*>(QCoreApplication::instance()), nullptr);
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("lumko"));
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("lumko"));
    EXPECT_EQ(TApplicationLumko::titre(), QStringLiteral("Lumko_tests_app"));
    // The icon comes with the main window's resources when they are linked in.
    EXPECT_EQ(QApplication::windowIcon().isNull(),
              !QFile::exists(QStringLiteral(":/icones/lumko.svg")));
}

TEST_F(TApplicationLumkoTest, UneExceptionDansLaBoucleEstSignaleeEtLaBoucleContinue)
{
    const struct {
        const char* nom;
        std::function<void()> lance;
        QString attendu;
    } cas[] = {
        {"runtime_error", [] { throw std::runtime_error("boum"); }, QStringLiteral("boum")},
        {"texte accentué", [] { throw std::logic_error("Délai dépassé"); },
         QStringLiteral("Délai dépassé")},
        {"autre que std::exception", [] { throw 42; }, QStringLiteral("Erreur inconnue")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        signales.clear();
        TObjetFautif objet(c.lance);
        QCoreApplication::postEvent(&objet, new QEvent(evenementQuiEchoue));
        QCoreApplication::postEvent(&objet, new QEvent(evenementOrdinaire));
        QCoreApplication::processEvents();
        EXPECT_EQ(signales, QStringList{c.attendu});
        EXPECT_EQ(objet.ordinaires, 1);
    }
}

TEST_F(TApplicationLumkoTest, UnEnvoiDirectQuiEchoueRendFaux)
{
    TObjetFautif objet([] { throw std::runtime_error("boum"); });
    QEvent evenement(evenementQuiEchoue);
    EXPECT_FALSE(QCoreApplication::sendEvent(&objet, &evenement));
    EXPECT_EQ(signales, QStringList{QStringLiteral("boum")});
}
