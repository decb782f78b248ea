// Every test executable runs with a real QApplication on the offscreen
// platform, so widget, painter and serial-port code behaves as in the program.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The measurement journals of the windows under test stay in the test's
    // own folder, never in the user's.
    const QTemporaryDir etat;
    qputenv("XDG_STATE_HOME", etat.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
