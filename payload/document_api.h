#pragma once
// What the document engine (LirvoView.dll) reports about a document; shared
// by the engine and the reader. Platform-free.

#include <cstdint>

extern "C" {

struct LirvoDocumentInfo {
    std::uint64_t size;  // bytes
    int versionMajor;    // from the "%PDF-M.m" mark
    int versionMinor;
};

enum LirvoInspectResult : int {
    kLirvoDocumentIsPdf = 0,
    kLirvoDocumentMissing = 1,
    kLirvoDocumentUnreadable = 2,
    kLirvoDocumentNotPdf = 3,
    kLirvoDocumentIsFolder = 4,
};

}  // extern "C"
