#include "skin/core/declared_function.h"

#include <string>

namespace lirvo {
namespace {

constexpr char kMissingFunctionFormat[] = "无法找到指定DLL库文件“%s”中的输出命令“%s”";
constexpr UINT kMissingFunctionExitCode = 1;

std::string FunctionLabel(const char* function) {
    if (IS_INTRESOURCE(function)) return "#" + std::to_string(reinterpret_cast<std::uintptr_t>(function));
    return function;
}

}  // namespace

FARPROC ResolveDeclaredFunction(const char* library, const char* function) {
    // Libraries resolved here stay loaded for the life of the process.
    HMODULE module = ::LoadLibraryA(library);
    FARPROC address = module ? ::GetProcAddress(module, function) : nullptr;
    if (!address) StopForMissingFunction(library, function);
    return address;
}

void StopForMissingFunction(const char* library, const char* function) {
    const std::string name = FunctionLabel(function);
    std::string message(sizeof(kMissingFunctionFormat) + std::char_traits<char>::length(library) + name.size(), '\0');
    const int length = ::wsprintfA(message.data(), kMissingFunctionFormat, library, name.c_str());
    message.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    ::MessageBoxA(nullptr, message.c_str(), nullptr, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    ::ExitProcess(kMissingFunctionExitCode);
}

}  // namespace lirvo
