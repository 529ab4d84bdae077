// The window tests run on Qt's offscreen platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps the memo of its listings in a folder of the tests' own, not the user's.
    QTemporaryDir memoFolder;
    qputenv("XDG_CACHE_HOME", memoFolder.path().toLocal8Bit());
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
