#include <windows.h>

#include "runtime/text_ops.h"

namespace lirvo::runtime {

bool IsAnsiLeadByte(std::uint8_t byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

}  // namespace lirvo::runtime
