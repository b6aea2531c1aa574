#!/usr/bin/python3
"""Every shipped program says who made it and what it needs of Windows.

usage: check_resources.py NAME=FILE...

NAME is the name the program ships under, FILE the program as built. Read
from each file's embedded resources:

- its version resource: CompanyName "Lirvo" and ProductName "LirvoPDF阅读器"
  exactly (a later setup recognises an installation of the reader by them,
  read through the 080403a8 block in code page 936), FileDescription,
  FileVersion (the same as the fixed FILEVERSION), ProductVersion,
  InternalName and OriginalFilename (NAME), every text one that code page
  936 can hold, the translation 0804/936 listed, and the file type of an
  executable or of a library;
- an executable's manifest: the rights it asks for (setup and the
  uninstaller change Program Files and HKEY_CLASSES_ROOT, the reader does
  not), every Windows from 7 to 10 and 11 named as supported, and no
  assemblyIdentity of another processor than the program's own.
"""

import sys
import xml.etree.ElementTree as ElementTree

import pefile

EXECUTION_LEVELS = {
    "setup.exe": "requireAdministrator",
    "卸载.exe": "requireAdministrator",
    "LirvoPDF阅读器.exe": "asInvoker",
}
SUPPORTED_OS = {
    "Windows 7": "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "Windows 8": "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "Windows 8.1": "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "Windows 10 and 11": "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
}
EXACT_TEXTS = {"CompanyName": "Lirvo", "ProductName": "LirvoPDF阅读器"}
REQUIRED_TEXTS = ("CompanyName", "ProductName", "FileDescription", "FileVersion", "ProductVersion",
                  "InternalName", "OriginalFilename")
STRING_BLOCK = "080403a8"
TRANSLATION = (0x0804, 936)
MANIFEST_ARCHITECTURES = {pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]: "x86",
                          pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]: "amd64"}
RT_VERSION = pefile.RESOURCE_TYPE["RT_VERSION"]
RT_MANIFEST = pefile.RESOURCE_TYPE["RT_MANIFEST"]
VFT_APP, VFT_DLL = 1, 2


def resources(pe, kind):
    """The data of every resource of one type, in every language."""
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    found = []
    for type_entry in root.entries if root else []:
        if type_entry.id != kind:
            continue
        for name_entry in type_entry.directory.entries:
            for language_entry in name_entry.directory.entries:
                data = language_entry.data.struct
                found.append(pe.get_data(data.OffsetToData, data.Size))
    return found


def version_nodes(data, at=0, end=None):
    """The VS_VERSION_INFO tree: (key, value bytes, is text, children) per node."""
    end = len(data) if end is None else end
    nodes = []
    while at + 6 <= end:
        length = int.from_bytes(data[at:at + 2], "little")
        value_length = int.from_bytes(data[at + 2:at + 4], "little")
        is_text = int.from_bytes(data[at + 4:at + 6], "little") == 1
        if length < 6 or at + length > end:
            raise ValueError(f"a node at {at} runs past its parent")
        key_end = at + 6
        while key_end + 1 < at + length and data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        # A text's length counts UTF-16 units, its NUL included.
        value_size = value_length * 2 if is_text else value_length
        value = data[value_at:value_at + value_size]
        children_at = (value_at + value_size + 3) & ~3
        nodes.append((key, value, is_text, version_nodes(data, children_at, at + length)))
        at = (at + length + 3) & ~3
    return nodes


def check_version(data, name, is_program):
    problems = []
    root = version_nodes(data)
    if len(root) != 1 or root[0][0] != "VS_VERSION_INFO":
        return ["its version resource is not a VS_VERSION_INFO"]
    _, fixed, _, children = root[0]
    if len(fixed) < 52 or int.from_bytes(fixed[:4], "little") != 0xFEEF04BD:
        return ["its version resource has no VS_FIXEDFILEINFO"]
    word = lambda index: int.from_bytes(fixed[index * 4:index * 4 + 4], "little")
    file_version = f"{word(2) >> 16}.{word(2) & 0xFFFF}.{word(3) >> 16}.{word(3) & 0xFFFF}"
    file_type = word(9)
    expected_type = VFT_APP if is_program else VFT_DLL
    if file_type != expected_type:
        problems.append(f"its version resource's FILETYPE is {file_type}, not {expected_type}")

    blocks = {}
    translations = []
    for key, _, _, grandchildren in children:
        if key == "StringFileInfo":
            for block, _, _, strings in grandchildren:
                blocks[block.lower()] = {
                    k: v.decode("utf-16-le").rstrip("\0") if is_text else None for k, v, is_text, _ in strings}
        elif key == "VarFileInfo":
            for var, value, _, _ in grandchildren:
                if var == "Translation":
                    translations += [(int.from_bytes(value[i:i + 2], "little"),
                                      int.from_bytes(value[i + 2:i + 4], "little"))
                                     for i in range(0, len(value) - 3, 4)]
    if TRANSLATION not in translations:
        problems.append(f"its version resource does not list the translation 0804/936 (it lists "
                        f"{', '.join(f'{l:04x}/{c}' for l, c in translations) or 'none'})")
    texts = blocks.get(STRING_BLOCK)
    if texts is None:
        problems.append(f"its version resource has no {STRING_BLOCK} block (it has: "
                        f"{', '.join(sorted(blocks)) or 'none'})")
        return problems
    for field in REQUIRED_TEXTS:
        if not texts.get(field):
            problems.append(f"its version resource has no {field}")
    for field, expected in {**EXACT_TEXTS, "OriginalFilename": name}.items():
        if texts.get(field) and texts[field] != expected:
            problems.append(f"its {field} is {texts[field]!r}, not {expected!r}")
    for field, text in texts.items():
        try:
            (text or "").encode("gbk")
        except UnicodeEncodeError:
            problems.append(f"its {field} {text!r} cannot be read in code page 936")
    if texts.get("FileVersion") and texts["FileVersion"] != file_version:
        problems.append(f"its FileVersion text {texts['FileVersion']!r} is not its FILEVERSION {file_version}")
    return problems


def local(tag):
    return tag.rpartition("}")[2]


def check_manifest(data, name, architecture):
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        return [f"its manifest is not XML: {error}"]
    problems = []
    elements = list(root.iter())
    levels = [e.get("level") for e in elements if local(e.tag) == "requestedExecutionLevel"]
    expected = EXECUTION_LEVELS[name]
    if levels != [expected]:
        problems.append(f"its manifest does not ask for {expected} (requestedExecutionLevel: "
                        f"{', '.join(map(str, levels)) or 'none'})")
    supported = {e.get("Id", "").lower() for e in elements if local(e.tag) == "supportedOS"}
    missing = [system for system, guid in SUPPORTED_OS.items() if guid not in supported]
    if missing:
        problems.append(f"its manifest does not name as supported: {', '.join(missing)}")
    for identity in (e for e in elements if local(e.tag) == "assemblyIdentity"):
        named = identity.get("processorArchitecture")
        if named is not None and named.lower() not in (architecture, "*"):
            problems.append(f"its manifest's assemblyIdentity {identity.get('name')} is for {named}, "
                            f"the program for {architecture}")
    return problems


def check(name, path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    is_program = not pe.is_dll()
    problems = []
    versions = resources(pe, RT_VERSION)
    if not versions:
        problems.append("no version resource")
    for data in versions:
        try:
            problems += check_version(data, name, is_program)
        except ValueError as error:
            problems.append(f"its version resource is malformed: {error}")
    if is_program:
        if name not in EXECUTION_LEVELS:
            problems.append("an executable this check has no rule for: say which rights it asks for")
            return problems
        manifests = resources(pe, RT_MANIFEST)
        if not manifests:
            problems.append(f"no manifest: it asks for no rights ({EXECUTION_LEVELS[name]} needed) "
                            f"and names no Windows as supported")
        elif len(manifests) > 1:
            problems.append(f"{len(manifests)} manifests instead of one")
        architecture = MANIFEST_ARCHITECTURES.get(pe.FILE_HEADER.Machine, "unknown")
        for data in manifests:
            problems += check_manifest(data, name, architecture)
    return problems


def main(arguments):
    if not arguments:
        sys.exit(__doc__)
    failed = False
    for argument in arguments:
        name, _, path = argument.partition("=")
        problems = check(name, path or name)
        for problem in problems:
            print(f"{name}: {problem}")
        failed = failed or bool(problems)
    if failed:
        print(f"FAILED: see above ({len(arguments)} shipped programs checked)")
        return 1
    print(f"{len(arguments)} shipped programs: version resources as a later setup reads them, "
          f"and every executable's manifest asks for its rights and names Windows 7 to 11")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
