#pragma once
// A fresh folder under the Windows temporary folder, removed with everything
// in it when the owner goes away. Paths are ANSI texts like the program's.

#include <string>

namespace lirvo::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return path_; }
    // A path inside the folder.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Removes a file or a folder tree; read-only files included.
void RemoveTree(const std::string& path);

}  // namespace lirvo::testing
