#include <gtest/gtest.h>
#include <unzip.h>
#include <zlib.h>

#include <cstring>
#include <string>

#include "payload/payload_files.h"
#include "resources/setup_data.h"
#include "skin/core/file_io.h"
#include "tests/support/temp_folder.h"

namespace lirvo {
namespace {

using payload::kPayloadFiles;

std::uint32_t Read16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}
std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}

// 14 July 2015, 10:00:00 in the archive's DOS form.
constexpr std::uint32_t kDosDate = ((2015 - 1980) << 9) | (7 << 5) | 14;
constexpr std::uint32_t kDosTime = 10 << 11;

// The file of this build each entry was packed from.
std::string BuiltFile(std::string_view entry) {
    std::string file(entry);
    if (entry == payload::kReader.ansiName) file = "lirvo_reader.exe";
    if (entry == payload::kUninstaller.ansiName) file = "lirvo_uninstaller.exe";
    return std::string(LIRVO_PAYLOAD_BIN) + "\\" + file;
}

TEST(Payload, LocalHeadersAndTheEndRecordAreExact) {
    const auto archive = Payload();
    ASSERT_GT(archive.size(), 22u);
    std::size_t at = 0;
    for (const auto& file : kPayloadFiles) {
        SCOPED_TRACE(std::string(file.ansiName));
        ASSERT_LT(at + 30, archive.size());
        EXPECT_EQ(Read32(archive, at), 0x04034B50u) << "local file header";
        EXPECT_EQ(Read16(archive, at + 4), 20u) << "version needed";
        EXPECT_EQ(Read16(archive, at + 6), 0u) << "flags: no UTF-8 bit, no data descriptor";
        EXPECT_EQ(Read16(archive, at + 8), 8u) << "deflated";
        EXPECT_EQ(Read16(archive, at + 10), kDosTime);
        EXPECT_EQ(Read16(archive, at + 12), kDosDate);
        const std::size_t nameLength = Read16(archive, at + 26);
        EXPECT_EQ(Read16(archive, at + 28), 0u) << "no extra field";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&archive[at + 30]), nameLength), file.ansiName);
        at += 30 + nameLength + Read32(archive, at + 18);
    }
    EXPECT_EQ(Read32(archive, at), 0x02014B50u) << "the central directory follows the last entry";
    const std::size_t end = archive.size() - 22;
    EXPECT_EQ(Read32(archive, end), 0x06054B50u) << "the archive ends with its 22-byte end record";
    EXPECT_EQ(Read16(archive, end + 8), 7u);
    EXPECT_EQ(Read16(archive, end + 10), 7u);
    EXPECT_EQ(Read32(archive, end + 16), at) << "central directory offset";
    EXPECT_EQ(Read16(archive, end + 20), 0u) << "no archive comment";
}

TEST(Payload, MinizipReadsEveryEntryWithItsAttributesTimesAndData) {
    testing::TempFolder folder;
    const auto payload = Payload();
    const std::string path = folder / "ins.zip";
    ASSERT_TRUE(WriteWholeFile(path, ByteArray(payload.begin(), payload.end())));
    unzFile archive = unzOpen(path.c_str());
    ASSERT_TRUE(archive);
    unz_global_info global{};
    ASSERT_EQ(unzGetGlobalInfo(archive, &global), UNZ_OK);
    EXPECT_EQ(global.number_entry, 7u);
    EXPECT_EQ(global.size_comment, 0u);

    int status = unzGoToFirstFile(archive);
    for (const auto& file : kPayloadFiles) {
        SCOPED_TRACE(std::string(file.ansiName));
        ASSERT_EQ(status, UNZ_OK) << "entry missing";
        char name[260] = {};
        unz_file_info info{};
        ASSERT_EQ(unzGetCurrentFileInfo(archive, &info, name, sizeof(name), nullptr, 0, nullptr, 0), UNZ_OK);
        EXPECT_EQ(std::string(name), file.ansiName) << "in order, in the root, named in GBK";
        EXPECT_EQ(info.version, 31u) << "made by 3.1 on FAT";
        EXPECT_EQ(info.version_needed, 20u);
        EXPECT_EQ(info.flag, 0u);
        EXPECT_EQ(info.compression_method, 8u);
        EXPECT_EQ(info.external_fa, 0x20u) << "archive attribute only";
        EXPECT_EQ(info.size_file_extra, 0u);
        EXPECT_EQ(info.size_file_comment, 0u);
        EXPECT_EQ(info.dosDate, kDosDate << 16 | kDosTime);
        EXPECT_EQ(info.tmu_date.tm_year, 2015u);
        EXPECT_EQ(info.tmu_date.tm_mon, 6u) << "July, counted from 0";
        EXPECT_EQ(info.tmu_date.tm_mday, 14u);

        ASSERT_EQ(unzOpenCurrentFile(archive), UNZ_OK);
        ByteArray data(info.uncompressed_size);
        EXPECT_EQ(unzReadCurrentFile(archive, data.data(), static_cast<unsigned>(data.size())),
                  static_cast<int>(data.size()));
        EXPECT_EQ(unzCloseCurrentFile(archive), UNZ_OK) << "the stored CRC matches the data";
        EXPECT_EQ(crc32(0, data.data(), static_cast<uInt>(data.size())), info.crc);
        EXPECT_EQ(data, ReadWholeFile(BuiltFile(file.ansiName)).value_or(ByteArray{}))
            << "the entry is the program this build made";
        EXPECT_TRUE(data.size() > 2 && data[0] == 'M' && data[1] == 'Z') << "a Windows program or library";
        status = unzGoToNextFile(archive);
    }
    EXPECT_EQ(status, UNZ_END_OF_LIST_OF_FILE) << "no entry beyond the seven";
    unzClose(archive);
}

}  // namespace
}  // namespace lirvo
