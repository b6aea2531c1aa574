#include "runtime/zip_reader.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <utility>

#include <unzip.h>

#include "skin/core/unique_handle.h"

namespace lirvo::runtime {
namespace {

constexpr std::uint64_t kLargestPiece = 0x100000;
constexpr uLong kLongestName = 0xFFFF;
// MS-DOS attribute bits a created file may carry; anything above them in the
// entry (Unix modes of other archivers) would be taken for CreateFile flags.
constexpr DWORD kFileAttributeBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

unzFile Archive(void* archive) { return static_cast<unzFile>(archive); }

// Keeps the current entry open for reading and closes it exactly once; the
// close reports a CRC mismatch of fully read data.
class OpenEntry {
public:
    explicit OpenEntry(unzFile archive) : archive_(archive), open_(unzOpenCurrentFile(archive) == UNZ_OK) {}
    ~OpenEntry() { Close(); }
    OpenEntry(const OpenEntry&) = delete;
    OpenEntry& operator=(const OpenEntry&) = delete;

    bool IsOpen() const { return open_; }
    int Read(std::span<std::uint8_t> buffer) {
        return unzReadCurrentFile(archive_, buffer.data(), static_cast<unsigned>(buffer.size()));
    }
    bool Close() {
        if (!open_) return true;
        open_ = false;
        return unzCloseCurrentFile(archive_) == UNZ_OK;
    }

private:
    unzFile archive_;
    bool open_;
};

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0)
            return false;
        bytes = bytes.subspan(written);
    }
    return true;
}

// The entry's MS-DOS time, as the file system's universal time; zero (which
// leaves a time as it is) when the entry's time is not a valid one.
LARGE_INTEGER EntryTime(std::uint32_t dosDateTime) {
    FILETIME local{}, universal{};
    LARGE_INTEGER time{};
    if (::DosDateTimeToFileTime(HIWORD(dosDateTime), LOWORD(dosDateTime), &local) &&
        ::LocalFileTimeToFileTime(&local, &universal)) {
        time.LowPart = universal.dwLowDateTime;
        time.HighPart = static_cast<LONG>(universal.dwHighDateTime);
    }
    return time;
}

// A written file takes the entry's time as its creation, access and write
// times and ends with the normal attribute, in one call on the open handle
// rather than reopening the file by its path. False when the handle is not a
// file's that takes them.
bool FinishWrittenFile(HANDLE file, std::uint32_t dosDateTime) {
    FILE_BASIC_INFO basic{};
    basic.CreationTime = basic.LastAccessTime = basic.LastWriteTime = EntryTime(dosDateTime);
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof(basic)) != FALSE;
}

}  // namespace

ZipReader::ZipReader(const std::string& archivePath) : file_(std::fopen(archivePath.c_str(), "rb")) {
    if (file_) headerSize_ = std::fread(header_.data(), 1, header_.size(), file_);
}

ZipReader::~ZipReader() {
    if (archive_) unzClose(Archive(archive_));
    if (file_) std::fclose(file_);
}

bool ZipReader::Open() {
    if (archive_ || !file_) return archive_ != nullptr;
    // The library reads the directory and each entry's header a byte or two
    // at a time: through the C library's buffered files those are copies
    // from memory, where unbuffered they were one system call each. Its
    // "open" hands over the file opened here; from then on the library owns
    // it and closes it, also when it rejects the archive.
    zlib_filefunc64_def files{};
    fill_fopen64_filefunc(&files);
    files.zopen64_file = [](voidpf openFile, const void*, int) -> voidpf { return openFile; };
    files.opaque = std::exchange(file_, nullptr);
    archive_ = unzOpen2_64("", &files);
    return archive_ != nullptr;
}

ZipReader::Step ZipReader::MoveToFirst() {
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(Archive(archive_), &global) != UNZ_OK) return Step::Error;
    if (global.number_entry == 0) return Step::End;
    return unzGoToFirstFile(Archive(archive_)) == UNZ_OK ? Step::Entry : Step::Error;
}

ZipReader::Step ZipReader::MoveToNext() {
    const int result = unzGoToNextFile(Archive(archive_));
    if (result == UNZ_OK) return Step::Entry;
    return result == UNZ_END_OF_LIST_OF_FILE ? Step::End : Step::Error;
}

std::optional<std::int32_t> ZipReader::CountEntries() {
    std::int32_t count = 0;
    for (Step step = MoveToFirst(); step != Step::End; step = MoveToNext()) {
        if (step == Step::Error) return std::nullopt;
        ++count;
    }
    return count;
}

std::optional<ZipEntry> ZipReader::CurrentEntry() {
    // One buffer for every name the archive holds: the library copies the
    // name's bytes and nothing else into it.
    if (!nameBuffer_) nameBuffer_ = std::make_unique_for_overwrite<char[]>(kLongestName + 1);
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(Archive(archive_), &info, nameBuffer_.get(), kLongestName + 1, nullptr, 0, nullptr,
                                0) != UNZ_OK)
        return std::nullopt;
    std::string name(nameBuffer_.get(), std::min<std::size_t>(info.size_filename, kLongestName));
    // A zero byte inside a stored name ends it, as it would for CreateFileA.
    name.resize(std::char_traits<char>::length(name.c_str()));
    return ZipEntry{std::move(name), static_cast<std::uint32_t>(info.external_fa),
                    static_cast<std::uint32_t>(info.dosDate), info.uncompressed_size};
}

std::uint32_t ZipReader::ExtractCurrentTo(const std::string& path, const ZipEntry& entry) {
    const DWORD attributes = entry.attributes & kFileAttributeBits;
    const auto create = [&] {
        return UniqueHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          attributes ? attributes : FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    OpenEntry data(Archive(archive_));
    if (!data.IsOpen()) return ERROR_CRC;

    // Most entries fit one piece and so take one write; the stated size only
    // sizes the buffer, it is never trusted beyond the largest piece. The
    // buffer's bytes are only ever overwritten by inflated data.
    const auto pieceSize = static_cast<std::size_t>(std::clamp<std::uint64_t>(entry.size, 1, kLargestPiece));
    const auto pieceBytes = std::make_unique_for_overwrite<std::uint8_t[]>(pieceSize);
    const std::span<std::uint8_t> piece(pieceBytes.get(), pieceSize);
    // The first piece is inflated before the file is created: the file is
    // open only while it is written, and data that fails at its start
    // creates no file.
    int read = data.Read(piece);
    if (read < 0) return ERROR_CRC;
    UniqueHandle file = create();
    if (!file) {
        // An existing read-only file cannot be replaced until it is made
        // writable; when that fails too, the first refusal is the reason.
        const DWORD refused = ::GetLastError();
        if (refused != ERROR_ACCESS_DENIED || !::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL))
            return refused ? refused : ERROR_CANNOT_MAKE;
        file = create();
        if (!file) {
            const DWORD error = ::GetLastError();
            return error ? error : refused;
        }
    }
    std::uint64_t written = 0;
    while (read > 0) {
        if (!WriteAll(file.Get(), piece.first(static_cast<std::size_t>(read)))) {
            const DWORD error = ::GetLastError();
            return error ? error : ERROR_WRITE_FAULT;
        }
        written += static_cast<std::uint64_t>(read);
        read = data.Read(piece);
        if (read < 0) return ERROR_CRC;
    }
    // Data that ends before its stated size is never CRC-checked by the
    // library, so the size is checked here.
    if (!data.Close() || written != entry.size) return ERROR_CRC;
    if (!FinishWrittenFile(file.Get(), entry.dosDateTime)) {
        // Whatever refused that (a device, a file system without the call)
        // still gets the normal attribute by path, as far as it takes one.
        file = UniqueHandle();
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    return 0;
}

}  // namespace lirvo::runtime
