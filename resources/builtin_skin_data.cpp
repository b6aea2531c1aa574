#include "resources/builtin_skin_data.h"

#include "resources/embedded_file.h"

LIRVO_EMBED_FILE(lirvo_builtin_skin, "builtin_skin.qxskin");

namespace lirvo {

std::span<const std::uint8_t> BuiltinSkinData() { return LIRVO_EMBEDDED_BYTES(lirvo_builtin_skin); }

}  // namespace lirvo
