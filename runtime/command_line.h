#pragma once
// Making a command line safe to hand to CreateProcessA. Unquoted, a program
// path with spaces lets Windows try each space-cut prefix first
// ("C:\Program.exe" for "C:\Program Files\...\x.exe"); the program path is
// therefore put in double quotes when it holds a space.

#include <functional>
#include <string>
#include <string_view>

namespace lirvo::runtime {

// Answers whether a path names an existing file.
using FileExistsTest = std::function<bool(std::string_view path)>;

// The command line with its program path quoted. The program path is the
// whole command line when that names an existing file; otherwise everything
// up to the first ".exe" that ends a word. A command line that is quoted
// already, has no space in its program path or names no program this way is
// returned unchanged.
std::string QuoteProgramPath(std::string_view commandLine, const FileExistsTest& fileExists);

}  // namespace lirvo::runtime
