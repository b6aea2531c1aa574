#include "resources/setup_data.h"

#include "resources/embedded_file.h"

LIRVO_EMBED_FILE(lirvo_setup_skin, "setup_skin.qxskin");
LIRVO_EMBED_FILE(lirvo_welcome_image, "welcome.png");
LIRVO_EMBED_FILE(lirvo_selection_image, "selection.png");
LIRVO_EMBED_FILE(lirvo_install_image, "install.png");
LIRVO_EMBED_FILE(lirvo_finish_image, "finish.png");
LIRVO_EMBED_FILE(lirvo_payload, "payload.zip");

namespace lirvo {

std::span<const std::uint8_t> SkinData() { return LIRVO_EMBEDDED_BYTES(lirvo_setup_skin); }
std::span<const std::uint8_t> WelcomeImage() { return LIRVO_EMBEDDED_BYTES(lirvo_welcome_image); }
std::span<const std::uint8_t> SelectionImage() { return LIRVO_EMBEDDED_BYTES(lirvo_selection_image); }
std::span<const std::uint8_t> InstallImage() { return LIRVO_EMBEDDED_BYTES(lirvo_install_image); }
std::span<const std::uint8_t> FinishImage() { return LIRVO_EMBEDDED_BYTES(lirvo_finish_image); }
std::span<const std::uint8_t> Payload() { return LIRVO_EMBEDDED_BYTES(lirvo_payload); }

}  // namespace lirvo
