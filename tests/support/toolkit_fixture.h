#pragma once
// A built-in skin made by the tests: every record the toolkit expects, at its
// size, each a solid image whose colour tells which record it is, so a test
// can see that the right image landed in the right place.

#include <string>
#include <vector>

#include "skin/core/byte_array.h"
#include "skin/core/gdiplus_api.h"

namespace lirvo::testing {

struct BuiltinImageEntry {
    std::string name;
    int width;
    int height;
};

// The 68 built-in images in stored order.
const std::vector<BuiltinImageEntry>& BuiltinImageTable();
// Opaque colour of record number `index` (1-based) in the test skin.
Gdiplus::ARGB TestSkinColour(int index);
// The serialised test skin; `omit` leaves one record out.
ByteArray MakeTestBuiltinSkin(const std::string& omit = {});
// Runs the toolkit's start-up with the test skin, once per process.
void StartToolkitForTests();

}  // namespace lirvo::testing
