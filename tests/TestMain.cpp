#include "Application.h"

#include <gtest/gtest.h>

// One application object for the whole binary; tests run headless.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    host::Application app(argc, argv);
    host::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
