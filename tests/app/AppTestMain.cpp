// Test main for the window's tests: the program's own application object, so that the window
// is drawn with the program's look; offscreen unless QT_QPA_PLATFORM chooses another.
#include "app/TuvakoApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    tuvako::TuvakoApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
