#pragma once
// Shell services of the runtime: special folders, the folder dialog, shortcut
// files and the association-changed notice. Texts are ANSI. CreateShortcut
// and BrowseForFolder need COM on the calling thread (see com_apartment.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lirvo::runtime {

// 1 personal documents, 2 favourites, 3 desktop directory, 4 fonts, 5 start
// menu, 6 programs, 7 startup, 8 application data, 9 Windows directory,
// 10 system directory, 11 temporary directory. The path ends with a
// backslash; "" for any other number or a failure.
std::string GetSpecialFolder(std::int32_t folder);

// Shows the system's folder dialog (with an edit box, and files when asked)
// while every form of the runtime is disabled; "" on cancel or failure. The
// path has no trailing backslash except for a drive root.
std::string BrowseForFolder(std::string_view title, std::optional<bool> includeFiles = std::nullopt);

// Saves a shell link to `linkFile` (".lnk" is appended to a name without any
// dot) that starts `target`, shown normally. True when the link was saved.
bool CreateShortcut(std::string_view linkFile, std::string_view target,
                    std::optional<std::string_view> description = std::nullopt,
                    std::optional<std::string_view> arguments = std::nullopt,
                    std::optional<std::string_view> workingFolder = std::nullopt);

// Tells the shell that file associations changed.
void NotifyAssociationsChanged();

}  // namespace lirvo::runtime
