// The start-up question: only its two buttons answer it. Escape, closing the
// box and a stop of the program (which dismisses the box) are no answer, and
// must not pass for "Non", which sets the journals aside.
#include "app/TQuestionRecuperation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Reponse = TRecuperation::Reponse;

void appuieEchap(TQuestionRecuperation& boite)
{
    QWidget* cible = boite.focusWidget() != nullptr ? boite.focusWidget() : &boite;
    QKeyEvent appui(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(cible, &appui);
}

} // namespace

TEST(TQuestionRecuperation, SeulsLesBoutonsRepondent)
{
    const struct {
        const char* geste;
        std::function<void(TQuestionRecuperation&)> fait;
        Reponse attendue;
    } cas[] = {
        {"Oui", [](TQuestionRecuperation& b) { b.boutonOui()->click(); }, Reponse::oui},
        {"Non", [](TQuestionRecuperation& b) { b.boutonNon()->click(); }, Reponse::non},
        {"Echap", appuieEchap, Reponse::sansReponse},
        {"fermeture", [](TQuestionRecuperation& b) { b.close(); }, Reponse::sansReponse},
        {"arret", [](TQuestionRecuperation& b) { b.reject(); }, Reponse::sansReponse},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.geste);
        bool vue = false;
        bool forcee = false;
        QTimer::singleShot(0, [&] {
            auto* boite = qobject_cast<TQuestionRecuperation*>(QApplication::activeModalWidget());
            ASSERT_NE(boite, nullptr);
            vue = boite->text() == TRecuperation::question && boite->isVisible();
            c.fait(*boite);
            // A box the gesture left open would hang the test: it is ended
            // here, and the test fails.
            QTimer::singleShot(2000, boite, [&forcee, boite] {
                forcee = true;
                boite->done(0);
            });
        });
        EXPECT_EQ(TRecuperation::demande(), c.attendue);
        EXPECT_TRUE(vue);
        EXPECT_FALSE(forcee);
    }
}
