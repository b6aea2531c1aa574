#include "setup/byte_size.h"

#include "runtime/files.h"
#include "runtime/text_ops.h"

namespace lirvo::setup {

std::string FormatByteSize(double bytes) {
    using runtime::FloorToInteger;
    using runtime::FormatNumber;
    using runtime::ToText;
    if (bytes - 1024 < -1e-7) return ToText(bytes) + "B";
    const std::int32_t kilobytes = FloorToInteger(bytes / 1024);
    if (kilobytes <= 1024) return ToText(kilobytes) + "KB";
    if (FloorToInteger(bytes / 1048576) > 1024) return FormatNumber(bytes / 1073741824, 1, false) + "GB";
    return FormatNumber(bytes / 1048576, 1, false) + "MB";
}

std::string FreeSpaceText(std::string_view path) {
    const std::int32_t kilobytes = runtime::DiskFreeSpaceKB(path);
    // A drive that cannot be asked has no size to show, least of all a negative one.
    if (kilobytes < 0) return "未知";
    return FormatByteSize(kilobytes * 1024.0);
}

}  // namespace lirvo::setup
