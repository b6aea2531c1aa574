#pragma once
// Links a file of the build into the program as constant bytes, without a
// conversion step: the assembler copies the file verbatim into the read-only
// data section between two labels. LIRVO_RESOURCE_DIR names the folder the
// build writes the files to. Use at namespace scope, once per file:
//
//     LIRVO_EMBED_FILE(lirvo_builtin_skin, "builtin_skin.qxskin")
//     std::span<const std::uint8_t> bytes = LIRVO_EMBEDDED_BYTES(lirvo_builtin_skin);

#include <cstdint>
#include <span>

#define LIRVO_EMBED_FILE(symbol, file)                                   \
    __asm__(".section .rdata,\"dr\"\n"                              \
            ".balign 16\n" #symbol "_begin:\n"                          \
            ".incbin \"" LIRVO_RESOURCE_DIR "/" file "\"\n" #symbol "_end:\n" \
            ".text\n");                                           \
    extern const std::uint8_t symbol##_begin[] __asm__(#symbol "_begin"); \
    extern const std::uint8_t symbol##_end[] __asm__(#symbol "_end")

#define LIRVO_EMBEDDED_BYTES(symbol) \
    std::span<const std::uint8_t>(symbol##_begin, static_cast<std::size_t>(symbol##_end - symbol##_begin))
