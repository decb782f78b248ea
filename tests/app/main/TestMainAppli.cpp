// The tests of the start-up pieces run under the program's own application
// object, so that exceptions reaching the event loop go through its notify().
#include "app/TApplicationLumko.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TApplicationLumko app(argc, argv);
    return RUN_ALL_TESTS();
}
