#pragma once
// A system function the toolkit calls by library and name, resolved the
// first time it is called. One that cannot be found stops the process with
// the runtime's fatal message naming the library and the function: running
// on without it could only fail later in a way the user cannot read.

#include <windows.h>

#include <utility>

namespace lirvo {

// The address of the function (a name, or an ordinal made with
// MAKEINTRESOURCEA); does not return when it cannot be found.
FARPROC ResolveDeclaredFunction(const char* library, const char* function);
// Shows "无法找到指定DLL库文件“library”中的输出命令“function”" and ends the process.
[[noreturn]] void StopForMissingFunction(const char* library, const char* function);

template <typename Function>
class DeclaredFunction {
public:
    constexpr DeclaredFunction(const char* library, const char* function) : library_(library), function_(function) {}

    Function Get() {
        if (!address_)
            address_ = reinterpret_cast<Function>(
                reinterpret_cast<void (*)()>(ResolveDeclaredFunction(library_, function_)));
        return address_;
    }

    template <typename... Args>
    auto operator()(Args&&... args) {
        return Get()(std::forward<Args>(args)...);
    }

private:
    const char* library_;
    const char* function_;
    Function address_ = nullptr;
};

}  // namespace lirvo
