// LirvoView.dll: the reader's document engine. It opens a document read-only,
// measures it and reads the version from its header.

#include <windows.h>

#include <array>

#include "payload/support_api.h"
#include "payload/view/pdf_header.h"

namespace {

// Closes the document on every way out.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (*this) ::CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
           error == ERROR_BAD_NETPATH || error == ERROR_INVALID_DRIVE;
}

}  // namespace

LIRVO_SUPPORT_EXPORT int LirvoViewInspect(const wchar_t* path, LirvoDocumentInfo* info) {
    if (!path || !*path || !info) return kLirvoDocumentMissing;
    *info = {};
    const DWORD attributes = ::GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return IsMissing(::GetLastError()) ? kLirvoDocumentMissing : kLirvoDocumentUnreadable;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kLirvoDocumentIsFolder;

    FileHandle file(::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return kLirvoDocumentUnreadable;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) return kLirvoDocumentUnreadable;
    info->size = static_cast<std::uint64_t>(size.QuadPart);

    std::array<std::uint8_t, lirvo::payload::kPdfMarkWindow + 8> head{};
    DWORD read = 0;
    if (!::ReadFile(file.Get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        return kLirvoDocumentUnreadable;
    const auto version = lirvo::payload::FindPdfVersion(std::span(head.data(), read));
    if (!version) return kLirvoDocumentNotPdf;
    info->versionMajor = version->major;
    info->versionMinor = version->minor;
    return kLirvoDocumentIsPdf;
}
