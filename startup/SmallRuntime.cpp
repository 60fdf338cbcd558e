// The C++ runtime's failure paths, taken short for the shipped program. Nothing in the installer catches an
// exception: a failed allocation or a broken container limit ends the process, as an uncaught exception did. Without
// these definitions the static runtime brings its whole exception machinery, its COW strings for the exception
// texts and its symbol demangler for the message of an uncaught exception: about a third of the program's size.
// Linked into ZVSetup.exe only; the tests keep the runtime's own.
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void Fail()
{
    abort();
}

void* Allocate(size_t bytes)
{
    void* memory = malloc(bytes != 0 ? bytes : 1);
    if (memory == nullptr)
        Fail();
    return memory;
}

} // namespace

void* operator new(size_t bytes)
{
    return Allocate(bytes);
}

void* operator new[](size_t bytes)
{
    return Allocate(bytes);
}

void* operator new(size_t bytes, const std::nothrow_t&) noexcept
{
    return malloc(bytes != 0 ? bytes : 1);
}

void* operator new[](size_t bytes, const std::nothrow_t&) noexcept
{
    return malloc(bytes != 0 ? bytes : 1);
}

void operator delete(void* memory) noexcept
{
    free(memory);
}

void operator delete[](void* memory) noexcept
{
    free(memory);
}

void operator delete(void* memory, size_t) noexcept
{
    free(memory);
}

void operator delete[](void* memory, size_t) noexcept
{
    free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    free(memory);
}

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    Fail();
}
} // namespace __gnu_cxx

namespace std {
void __throw_bad_alloc()
{
    Fail();
}
void __throw_bad_array_new_length()
{
    Fail();
}
void __throw_length_error(const char*)
{
    Fail();
}
void __throw_logic_error(const char*)
{
    Fail();
}
void __throw_out_of_range(const char*)
{
    Fail();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    Fail();
}
void __throw_invalid_argument(const char*)
{
    Fail();
}
} // namespace std
