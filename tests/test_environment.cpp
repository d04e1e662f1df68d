// Sets the environment every test program expects, before any test runs.
// SPDX-License-Identifier: MIT
//
// ctest cannot hand several variables to discovered GoogleTest cases, and a
// test program started by hand should behave the same, so each program sets
// them itself. A variable already set from outside is kept.
#include <cstdlib>

namespace
{

struct TestEnvironment
{
    TestEnvironment()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("ZADI_SOURCE_DIR", ZADI_TEST_SOURCE_DIR, 0);
        setenv("ZADI_BINARY_DIR", ZADI_TEST_BINARY_DIR, 0);
    }
};

const TestEnvironment testEnvironment;

} // namespace
