// Reads TALMIRON.dll's type library, resources and version entries as hosts
// and tools read them, through oleaut32 and the version API.
//   typelib_tests [GOOGLETEST OPTIONS] PATH-OF-TALMIRON.dll
#include "tests/com/typelib/library_under_test.h"

#include <gtest/gtest.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fputs("usage: typelib_tests [GOOGLETEST OPTIONS] TALMIRON.dll\n", stderr);
        return 2;
    }
    talmiron::com::testing::SetLibraryPath(argv[1]);
    return RUN_ALL_TESTS();
}
