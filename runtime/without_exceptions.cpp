// What the shipped programs link in place of the C++ library's exception
// support. They are compiled without exceptions, so nothing in them catches
// one: an exception from the library (a container grown past its limit, an
// allocation that fails) could only end the program. The library's helpers
// that throw would still bring in its exception classes, both string
// implementations they carry, the unwinder and the verbose terminate handler
// with its name demangler, which together weighed more than a third of the
// program. These replacements end the program at once instead, with the same
// result for the user and a line on the error stream saying why.
//
// Linked only into the shipped programs: the tests keep the library's own,
// since GoogleTest catches exceptions.

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Stop(const char* what) {
    std::fputs("fatal error: ", stderr);
    std::fputs(what ? what : "unknown", stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::abort();
}

void* Allocate(std::size_t size) noexcept { return std::malloc(size == 0 ? 1 : size); }

}  // namespace

// The helpers the library's headers call where they would throw.
namespace std {

void __throw_bad_exception() { Stop("bad exception"); }
void __throw_bad_alloc() { Stop("out of memory"); }
void __throw_bad_array_new_length() { Stop("bad array new length"); }
void __throw_bad_cast() { Stop("bad cast"); }
void __throw_bad_typeid() { Stop("bad typeid"); }
void __throw_logic_error(const char* what) { Stop(what); }
void __throw_domain_error(const char* what) { Stop(what); }
void __throw_invalid_argument(const char* what) { Stop(what); }
void __throw_length_error(const char* what) { Stop(what); }
void __throw_out_of_range(const char* what) { Stop(what); }
void __throw_out_of_range_fmt(const char* format, ...) { Stop(format); }
void __throw_runtime_error(const char* what) { Stop(what); }
void __throw_range_error(const char* what) { Stop(what); }
void __throw_overflow_error(const char* what) { Stop(what); }
void __throw_underflow_error(const char* what) { Stop(what); }
void __throw_system_error(int) { Stop("system error"); }
void __throw_bad_function_call() { Stop("bad function call"); }

}  // namespace std

// Allocation: the library's operator new throws std::bad_alloc; these end
// the program instead, or give null where the caller asked for no throw.
void* operator new(std::size_t size) {
    if (void* block = Allocate(size)) return block;
    Stop("out of memory");
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

// A pure virtual function called through a half-built or half-destroyed object.
extern "C" void __cxa_pure_virtual() { Stop("pure virtual function called"); }
extern "C" void __cxa_deleted_virtual() { Stop("deleted virtual function called"); }
