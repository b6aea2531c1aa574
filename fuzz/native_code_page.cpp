// Off Windows there is no ANSI code page to ask: the parsers see the
// program's own code page, 936 (GBK).

#include "runtime/text_ops.h"

namespace lirvo::runtime {

bool IsAnsiLeadByte(std::uint8_t byte) { return IsGbkLeadByte(byte); }

}  // namespace lirvo::runtime
