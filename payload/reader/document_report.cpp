#include "payload/reader/document_report.h"

#include "payload/payload_files.h"

namespace lirvo::payload {

std::wstring DocumentReport(const DocumentFacts& facts) {
    // A path ending in a separator has no last part; the whole path names it then.
    const std::wstring& name = facts.name.empty() ? facts.path : facts.name;
    switch (facts.result) {
    case kLirvoDocumentIsPdf:
        return L"文件：" + name + L"\r\n大小：" + facts.sizeText + L"\r\nPDF 版本：" +
               std::to_wstring(facts.versionMajor) + L"." + std::to_wstring(facts.versionMinor) + L"\r\n位置：" +
               facts.path;
    case kLirvoDocumentMissing:
        return L"找不到文件：" + facts.path + L"\r\n\r\n文件可能已被移动、改名或删除。";
    case kLirvoDocumentNotPdf:
        return L"“" + name + L"”不是 PDF 文件：文件开头没有 PDF 标记（%PDF-）。\r\n大小：" + facts.sizeText +
               L"\r\n位置：" + facts.path;
    case kLirvoDocumentIsFolder:
        return L"“" + name + L"”是一个文件夹，不是 PDF 文件。\r\n\r\n请打开文件夹中的 PDF 文件。";
    default:
        return L"无法读取文件：" + facts.path + L"\r\n\r\n文件可能正被其他程序独占使用，或您没有读取它的权限。";
    }
}

std::wstring NoDocumentText() {
    return L"没有打开的文件。\r\n\r\n在资源管理器中双击 PDF 文件，或选择“文件 → 打开”。";
}

std::wstring WindowTitle(std::wstring_view documentName) {
    if (documentName.empty()) return std::wstring(kProductName);
    return std::wstring(documentName) + L" - " + std::wstring(kProductName);
}

}  // namespace lirvo::payload
