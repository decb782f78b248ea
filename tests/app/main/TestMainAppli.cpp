// The tests of the start-up pieces run under the program's own application
// object, so that exceptions reaching the event loop go through its notify().
#include "app/TApplicationLumko.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir etat;
    qputenv("XDG_STATE_HOME", etat.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    TApplicationLumko app(argc, argv);
    return RUN_ALL_TESTS();
}
