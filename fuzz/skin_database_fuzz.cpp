// A skin database from any bytes: either rejected, or loaded so that saving
// it and loading the result again gives the same records.

#include <cstdlib>

#include "skin/core/skin_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    lirvo::SkinDatabase database;
    database.SetHeaderText("before");
    if (!database.LoadFromBytes(lirvo::ByteArray(data, data + size))) {
        if (database.GetHeaderText() != "before" || database.Count() != 0) std::abort();
        return 0;
    }
    const lirvo::ByteArray saved = database.SaveToBytes();
    lirvo::SkinDatabase reloaded;
    if (!reloaded.LoadFromBytes(saved) || reloaded.Records() != database.Records() ||
        reloaded.GetHeaderText() != database.GetHeaderText() || reloaded.SaveToBytes() != saved)
        std::abort();
    return 0;
}
