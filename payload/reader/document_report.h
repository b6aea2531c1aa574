#pragma once
// The texts the reader shows about a document: what it found, or why it
// could not show the document. Platform-free.

#include <string>
#include <string_view>

#include "payload/document_api.h"

namespace lirvo::payload {

struct DocumentFacts {
    int result = kLirvoDocumentMissing;  // a LirvoInspectResult
    std::wstring path;
    std::wstring name;      // the last part of the path
    std::wstring sizeText;  // as the core library writes sizes
    int versionMajor = 0;
    int versionMinor = 0;
};

std::wstring DocumentReport(const DocumentFacts& facts);

// What the reader says when it was started without a document.
std::wstring NoDocumentText();

// "name - LirvoPDF阅读器", or the product name alone without a document.
std::wstring WindowTitle(std::wstring_view documentName);

}  // namespace lirvo::payload
