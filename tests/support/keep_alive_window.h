#pragma once
// Destroying the last skinned window ends the process. Test programs that
// create and destroy skinned windows call this once, so one window outlives
// every test.

namespace lirvo::testing {

void KeepOneSkinWindowAlive();

}  // namespace lirvo::testing
