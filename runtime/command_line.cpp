#include "runtime/command_line.h"

#include <cctype>

namespace lirvo::runtime {
namespace {

constexpr std::string_view kProgramExtension = ".exe";

// Offset just past the first ".exe" (any case) that is followed by a space or
// the end, or npos. "." is never the second byte of a double-byte character,
// so a byte-wise search cannot match inside one.
std::size_t EndOfProgramPath(std::string_view commandLine) {
    for (std::size_t offset = 0; offset + kProgramExtension.size() <= commandLine.size(); ++offset) {
        bool matches = true;
        for (std::size_t index = 0; index < kProgramExtension.size() && matches; ++index)
            matches = std::tolower(static_cast<unsigned char>(commandLine[offset + index])) == kProgramExtension[index];
        const std::size_t end = offset + kProgramExtension.size();
        if (matches && (end == commandLine.size() || commandLine[end] == ' ')) return end;
    }
    return std::string_view::npos;
}

std::string Quoted(std::string_view path) { return "\"" + std::string(path) + "\""; }

}  // namespace

std::string QuoteProgramPath(std::string_view commandLine, const FileExistsTest& fileExists) {
    if (commandLine.starts_with('"') || commandLine.find(' ') == std::string_view::npos)
        return std::string(commandLine);
    if (fileExists && fileExists(commandLine)) return Quoted(commandLine);

    const std::size_t end = EndOfProgramPath(commandLine);
    if (end == std::string_view::npos) return std::string(commandLine);
    const std::string_view program = commandLine.substr(0, end);
    if (program.find(' ') == std::string_view::npos) return std::string(commandLine);
    return Quoted(program) + std::string(commandLine.substr(end));
}

}  // namespace lirvo::runtime
