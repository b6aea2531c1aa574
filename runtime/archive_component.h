#pragma once
// The archive component of a form: its extraction command extracts a ZIP
// archive into a folder (see extract_archive.h) and raises a progress event
// after each entry and at the end. A handler that answers true stops the
// extraction after the current entry. Owned by the program, like its form.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "runtime/extract_archive.h"

namespace lirvo::runtime {

class ArchiveComponent {
public:
    // Percentage done (entries written out of all entries, truncated) and the
    // path just written.
    std::function<bool(std::int32_t percent, const std::string& path)> onProgress;

    std::int32_t Extract(std::string_view archiveFile, std::string_view targetFolder);
    // Why the last extraction did not give 1 (empty after one that did).
    const ExtractionFailure& LastFailure() const { return lastFailure_; }

private:
    ExtractionFailure lastFailure_;
};

// The archive component's extraction command; its result is Extract's.
std::int32_t ExtractArchive(ArchiveComponent& component, std::string_view archiveFile,
                            std::string_view targetFolder);

}  // namespace lirvo::runtime
