#include "runtime/archive_component.h"

#include "runtime/extract_archive.h"

namespace lirvo::runtime {

std::int32_t ArchiveComponent::Extract(std::string_view archiveFile, std::string_view targetFolder) {
    const ProgressNotification notify = [this](ExtractionState& state) {
        const double share = state.total > 0 ? static_cast<double>(state.done) / state.total * 100.0 : 0.0;
        const auto percent = static_cast<std::int32_t>(share);
        if (onProgress && onProgress(percent, state.currentPath)) state.cancel = 1;
    };
    lastFailure_ = {};
    return ExtractArchive(archiveFile, targetFolder, notify, &lastFailure_);
}

std::int32_t ExtractArchive(ArchiveComponent& component, std::string_view archiveFile,
                            std::string_view targetFolder) {
    return component.Extract(archiveFile, targetFolder);
}

}  // namespace lirvo::runtime
