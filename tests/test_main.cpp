// Entry point of every test program: the environment the tests expect, then GoogleTest.
// SPDX-License-Identifier: MIT
//
// Tests run headless on SDL's dummy drivers and find their fixtures through
// ZADI_SOURCE_DIR and ZADI_BINARY_DIR. Values already in the environment win,
// so a developer can still point a test at a real display or another tree.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("ZADI_SOURCE_DIR", ZADI_SOURCE_DIR_DEFAULT, 0);
    setenv("ZADI_BINARY_DIR", ZADI_BINARY_DIR_DEFAULT, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
