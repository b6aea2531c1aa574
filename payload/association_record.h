#pragma once
// Where the setup program keeps the ".pdf" association it replaces, so that
// the uninstaller can put it back: a key of the reader's own under
// HKEY_LOCAL_MACHINE, holding each of the five values setup overwrites under
// a name of its own, with its original type and data. A value that did not
// exist is not recorded; "Recorded" = 1 marks a record as complete.
//
// The record belongs to whichever installation of the reader owns ".pdf":
// setup makes a new one whenever ".pdf" does not already open a copy of this
// reader (another copy's record then stays, since it still describes what
// came before the reader), and an uninstaller puts it back and removes it
// only while ".pdf" opens its own copy.

#include <array>
#include <string_view>

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

// The reader's file name, as the open command names it.
inline constexpr std::wstring_view kReaderProgramName = L"LirvoPDF阅读器.exe";

// True when `command` is the open command setup writes for a copy of this
// reader, wherever that copy is: a quoted absolute path whose file name is
// the reader's, a space and a quoted %1. Letter case is ignored, as the file
// system ignores it.
constexpr bool OpensACopyOfTheReader(std::wstring_view command) {
    constexpr std::wstring_view argument = L"\" \"%1\"";
    const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    const auto endsWith = [&](std::wstring_view text, std::wstring_view tail) {
        if (text.size() < tail.size()) return false;
        text.remove_prefix(text.size() - tail.size());
        for (std::size_t i = 0; i < tail.size(); ++i)
            if (lower(text[i]) != lower(tail[i])) return false;
        return true;
    };
    if (command.size() < 2 || command.front() != L'"' || !endsWith(command, argument)) return false;
    std::wstring_view program = command.substr(1, command.size() - 1 - argument.size());
    if (program.find(L'"') != std::wstring_view::npos || program.size() < 3 || program[1] != L':' ||
        program[2] != L'\\')
        return false;
    const std::size_t slash = program.find_last_of(L'\\');
    return program.size() - slash - 1 == kReaderProgramName.size() && endsWith(program, kReaderProgramName);
}

static_assert(OpensACopyOfTheReader(L"\"C:\\Program Files\\LirvoPDF阅读器\\LirvoPDF阅读器.exe\" \"%1\""));
static_assert(OpensACopyOfTheReader(L"\"d:\\x\\lirvopdf阅读器.EXE\" \"%1\""));
static_assert(!OpensACopyOfTheReader(L"\"C:\\Other\\Viewer.exe\" \"%1\""));
static_assert(!OpensACopyOfTheReader(L"\"C:\\x\\MyLirvoPDF阅读器.exe\" \"%1\""));
static_assert(!OpensACopyOfTheReader(L"C:\\x\\LirvoPDF阅读器.exe %1"));

}  // namespace lirvo::payload
