#pragma once
// Free-space texts: a byte count as B, KB, MB or GB the way the selection
// page shows it.

#include <string>
#include <string_view>

namespace lirvo::setup {

std::string FormatByteSize(double bytes);
// The free space of the drive that holds `path`; "未知" (unknown) when the
// drive cannot be asked.
std::string FreeSpaceText(std::string_view path);

}  // namespace lirvo::setup
