// Runs the installed reader as the .pdf association and the setup program
// start it, and reads what its window says.

#include <windows.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <string>

#include "payload/payload_files.h"
#include "skin/core/file_io.h"
#include "tests/payload/installation.h"
#include "tests/support/temp_folder.h"

namespace lirvo {
namespace {

using testing::Wide;

struct ReaderWindow {
    std::wstring title;
    std::wstring report;
};

// Starts the reader, waits for its window, reads it and closes it again.
ReaderWindow RunReader(const std::string& folder, const std::wstring& arguments) {
    testing::RunningProgram reader;
    testing::Start(reader, Wide(folder + "\\" + std::string(payload::kReader.ansiName)), arguments);
    EXPECT_TRUE(reader.started);
    if (!reader.started) return {};
    HWND window = testing::WaitForWindow(reader, L"LirvoPdfReaderWindow");
    EXPECT_TRUE(window) << "the reader shows its window";
    if (!window) return {};
    ReaderWindow seen{testing::TextOf(window), testing::TextOf(::GetDlgItem(window, 100))};
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(reader.WaitForExit(10000), 0) << "closing the window ends the reader";
    return seen;
}

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(testing::ExtractPayload(folder_.Path())); }
    testing::TempFolder folder_;
};

TEST_F(ReaderTest, ReportsTheDocumentGivenOnItsCommandLine) {
    std::string pdf = "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";
    pdf.resize(2000, '\n');
    ASSERT_TRUE(WriteWholeFile(folder_ / "年度 报告.pdf", ByteArray(pdf.begin(), pdf.end())));
    ASSERT_TRUE(WriteWholeFile(folder_ / "照片.pdf", ByteArray{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    const std::wstring folder = Wide(folder_.Path());
    const std::wstring folderName = folder.substr(folder.find_last_of(L'\\') + 1);

    const struct {
        const char* what;
        std::wstring arguments;  // as the association passes them: the path in quotes
        std::wstring title;
        std::wstring report;  // the start of what the window says
    } cases[] = {
        {"a PDF", L"\"" + folder + L"\\年度 报告.pdf\"", L"年度 报告.pdf - LirvoPDF阅读器",
         L"文件：年度 报告.pdf\r\n大小：2.0 KB（2,000 字节）\r\nPDF 版本：1.7\r\n"},
        {"a missing file", L"\"" + folder + L"\\不存在.pdf\"", L"不存在.pdf - LirvoPDF阅读器",
         L"找不到文件：" + folder + L"\\不存在.pdf"},
        {"not a PDF", L"\"" + folder + L"\\照片.pdf\"", L"照片.pdf - LirvoPDF阅读器",
         L"“照片.pdf”不是 PDF 文件"},
        {"a folder", L"\"" + folder + L"\"", folderName + L" - LirvoPDF阅读器", L"“" + folderName + L"”是一个文件夹"},
        {"no document", L"", L"LirvoPDF阅读器", L"没有打开的文件。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ReaderWindow seen = RunReader(folder_.Path(), c.arguments);
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.report.substr(0, c.report.size()), c.report) << "window says: " << testing::Utf8(seen.report);
    }
}

TEST_F(ReaderTest, NamesAMissingSupportLibrary) {
    for (const auto& library : {payload::kInterfaceExtension, payload::kCoreLibrary}) {
        const std::string path = folder_ / std::string(library.ansiName);
        const ByteArray kept = ReadWholeFile(path).value_or(ByteArray{});
        ASSERT_TRUE(::DeleteFileA(path.c_str()));
        const ReaderWindow seen = RunReader(folder_.Path(), L"");
        EXPECT_EQ(seen.report, L"无法加载支持库“" + std::wstring(library.wideName) + L"”。请重新安装 LirvoPDF阅读器。");
        ASSERT_TRUE(WriteWholeFile(path, kept));
    }
}

}  // namespace
}  // namespace lirvo

namespace lirvo {
namespace {

// The .pdf association names the reader's first icon ("R,0") as the
// documents' icon, and the start-menu shortcut to the uninstaller shows its.
TEST_F(ReaderTest, ProgramsCarryTheIconsTheShellShows) {
    for (const auto& program : {payload::kReader, payload::kUninstaller}) {
        const std::wstring path = Wide(folder_ / std::string(program.ansiName));
        EXPECT_GE(::ExtractIconExW(path.c_str(), -1, nullptr, nullptr, 0), 1u) << program.ansiName;
        HICON large = nullptr;
        ASSERT_EQ(::ExtractIconExW(path.c_str(), 0, &large, nullptr, 1), 1u) << program.ansiName;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(large, &info));
        BITMAP colour{};
        ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, ::GetSystemMetrics(SM_CXICON)) << program.ansiName;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(large);
    }
}

}  // namespace
}  // namespace lirvo
