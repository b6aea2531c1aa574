#pragma once
// The setup pages for keyboard and screen-reader users: what each control
// is called (the words its picture shows), the order Tab walks, where the
// focus starts (the page's main button), what Enter and Escape do. Nothing
// here changes what a mouse user sees or does: the keys click the very
// controls the mouse clicks, and OnSetupClick handles both alike.

#include "setup/setup_application.h"

namespace lirvo::setup {

// Escape on the welcome and selection pages does what the close button
// does; during the installation nothing; on the finish page it closes the
// window, which completes the installation without starting the reader.
void PrepareWelcomeKeyboard(SetupState& state);
void PrepareSelectionKeyboard(SetupState& state);
void PrepareInstallKeyboard(SetupState& state);
void PrepareFinishKeyboard(SetupState& state);

}  // namespace lirvo::setup
