#pragma once
// Where the setup program keeps the ".pdf" association it replaces, so that
// the uninstaller can put it back: a key of the reader's own under
// HKEY_LOCAL_MACHINE, holding each of the five values setup overwrites under
// a name of its own, with its original type and data. A value that did not
// exist is not recorded; "Recorded" = 1 marks a record as complete, and the
// first installation's record is the one kept.

#include <array>

namespace lirvo::payload {

inline constexpr wchar_t kAssociationRecordKey[] = L"Software\\LirvoPDF阅读器\\PreviousAssociation";
inline constexpr wchar_t kProductKey[] = L"Software\\LirvoPDF阅读器";
inline constexpr wchar_t kRecordedMark[] = L"Recorded";

struct AssociationValue {
    const wchar_t* key;         // under HKEY_CLASSES_ROOT
    const wchar_t* name;        // nullptr: the key's default value
    const wchar_t* recordName;  // its name in the record
};

inline constexpr std::array<AssociationValue, 5> kAssociationValues = {{
    {L".pdf", nullptr, L"Class"},
    {L".pdf", L"EditFlags", L"EditFlags"},
    {L".pdf\\Shell\\Open\\Command", nullptr, L"OpenCommand"},
    {L".pdf\\DefaultIcon", nullptr, L"DefaultIcon"},
    {L"..pdf", nullptr, L"ExtensionClass"},
}};

}  // namespace lirvo::payload
