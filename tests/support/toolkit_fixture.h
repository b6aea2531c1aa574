#pragma once
// A built-in skin made by the tests: every record the toolkit expects, at its
// size, each a solid image whose colour tells which record it is, so a test
// can see that the right image landed in the right place.

#include <string>
#include <string_view>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo::testing {

struct BuiltinImageEntry {
    const char* name;
    int width;
    int height;
};

// The 68 built-in images in stored order, with their sizes: the one copy
// of the table, also checked against the program's own built-in skin.
const std::vector<BuiltinImageEntry>& BuiltinImageTable();
// Opaque colour of record number `index` (1-based) in the test skin.
Gdiplus::ARGB TestSkinColour(int index);
// Opaque colour of the named record in the test skin.
Gdiplus::ARGB TestSkinColourOf(std::string_view name);
// The serialised test skin; `omit` leaves one record out.
ByteArray MakeTestBuiltinSkin(const std::string& omit = {});
// Runs the toolkit's start-up with the test skin, once per process.
void StartToolkitForTests();

}  // namespace lirvo::testing
