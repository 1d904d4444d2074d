// A test that crashes on purpose: ctest expects this program to fail.
#include <gtest/gtest.h>

TEST(CrashProbe, NullWriteFailsTheProgram)
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}
