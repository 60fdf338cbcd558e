// Stopping another process at a system call, as a debugger does: for the moments of an install that take no time
// (between two steps, inside a copy that runs as fast as the disk), which no polling from outside can meet.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/ShiftJis.h"

#include "tests/e2e/E2eHarness.h"

namespace {

// A breakpoint on a system function in another process (the system's DLLs lie at the same address in every
// process of the prefix): the process runs until the function is called with a text argument that ends as given,
// and is ended there, before the call does anything. Both forms of the function are watched, the ANSI one
// (function + "A", its text read as Shift-JIS) and the Unicode one (function + "W", its text turned into Shift-JIS
// by the program's own table): the program calls the one that suits the system, and the system's A function may
// call its W function in turn.
class CStopAtCall {
public:
    // textForms: the function has an A and a W form (CreateFile); false for one that takes no text (ReadFile).
    CStopAtCall(const CStartedProcess& process, const char* module, const char* function, bool textForms = true)
        : m_process(process.Handle())
        , m_id(process.Id())
    {
        static const char* const kTextForms[] = {"A", "W"};
        static const char* const kNoForm[] = {""};
        const char* const* forms = textForms ? kTextForms : kNoForm;
        for (size_t i = 0; i < (textForms ? 2u : 1u); i++) {
            const char* form = forms[i];
            BREAKPOINT point;
            point.wide = form[0] == 'W';
            point.address = reinterpret_cast<BYTE*>(
                GetProcAddress(GetModuleHandleA(module), (std::string(function) + form).c_str()));
            if (point.address != nullptr)
                m_points.push_back(point);
        }
        m_attached = !m_points.empty() && DebugActiveProcess(m_id);
        DebugSetProcessKillOnExit(FALSE);
        m_armed = m_attached;
        for (BREAKPOINT& point : m_points) {
            BYTE theirs[16];
            m_armed = m_armed && ReadProcessMemory(m_process, point.address, theirs, sizeof(theirs), nullptr)
                && memcmp(point.address, theirs, sizeof(theirs)) == 0;
            point.original = theirs[0];
        }
        for (BREAKPOINT& point : m_points)
            m_armed = m_armed && Poke(point, 0xCC);
    }
    ~CStopAtCall()
    {
        Release();
        if (m_attached)
            DebugActiveProcessStop(m_id);
    }
    CStopAtCall(const CStopAtCall&) = delete;
    CStopAtCall& operator=(const CStopAtCall&) = delete;

    // Runs the process until the call whose argument (0 the first) ends with ending, and ends it; false when the
    // call did not come within timeoutMs.
    bool EndAtCall(int argument, const std::string& ending, DWORD timeoutMs)
    {
        if (!WaitForCall(argument, ending, timeoutMs))
            return false;
        TerminateProcess(m_process, 1);
        ContinueDebugEvent(m_id, m_heldThread, DBG_CONTINUE);
        return WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
    }

    // Runs the process until that call and holds it there, before the call does anything; false when the call did
    // not come within timeoutMs. Release lets it go on.
    bool HoldAtCall(int argument, const std::string& ending, DWORD timeoutMs)
    {
        if (!WaitForCall(argument, ending, timeoutMs))
            return false;
        // Every function's own first byte back and the thread at the start of the one it called: the call runs as
        // if never stopped.
        HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, m_heldThread);
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_FULL;
        GetThreadContext(thread, &context);
        for (BREAKPOINT& point : m_points)
            Poke(point, point.original);
        SetProgramCounter(&context, m_heldAt);
        SetThreadContext(thread, &context);
        CloseHandle(thread);
        m_held = true;
        return true;
    }

    // Runs the process until the call after skip others whose argument (0 the first) is value, and makes that call
    // fail at once with error, as a disc that cannot be read fails a read: it returns FALSE without doing anything
    // (argumentCount: the function's arguments, which a 32-bit stdcall function takes off the stack). The process
    // then goes on, no longer watched. False when the call did not come within timeoutMs.
    bool FailCall(int argument, ULONG_PTR value, int skip, int argumentCount, DWORD error, DWORD timeoutMs)
    {
        auto matches = [&](const CONTEXT& context, const BREAKPOINT&) {
            return ArgumentValue(context, argument) == value && skip-- == 0;
        };
        if (!WaitFor(matches, timeoutMs))
            return false;
        HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, m_heldThread);
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_FULL;
        GetThreadContext(thread, &context);
        for (BREAKPOINT& point : m_points)
            Poke(point, point.original);
        ULONG_PTR returnAddress = 0;
#ifdef _WIN64
        ReadProcessMemory(
            m_process, reinterpret_cast<const void*>(context.Rsp), &returnAddress, sizeof(returnAddress), nullptr);
        context.Rip = returnAddress;
        context.Rsp += sizeof(returnAddress);
        context.Rax = FALSE;
        (void)argumentCount;
        const size_t lastErrorOffset = 0x68;
#else
        ReadProcessMemory(
            m_process, reinterpret_cast<const void*>(context.Esp), &returnAddress, sizeof(returnAddress), nullptr);
        context.Eip = returnAddress;
        context.Esp += sizeof(returnAddress) * (1 + argumentCount);
        context.Eax = FALSE;
        const size_t lastErrorOffset = 0x34;
#endif
        bool failed = SetThreadContext(thread, &context) && SetLastErrorOf(thread, lastErrorOffset, error);
        CloseHandle(thread);
        m_held = true;
        Release();
        return failed;
    }

    // The held process goes on, no longer watched.
    void Release()
    {
        if (!m_held)
            return;
        ContinueDebugEvent(m_id, m_heldThread, DBG_CONTINUE);
        m_held = false;
        DebugActiveProcessStop(m_id);
        m_attached = false;
    }

private:
    struct BREAKPOINT {
        BYTE* address = nullptr;
        BYTE original = 0;
        bool wide = false;
    };

    // Runs the process until the call and leaves it stopped there (m_heldThread).
    bool WaitForCall(int argument, const std::string& ending, DWORD timeoutMs)
    {
        return WaitFor(
            [&](const CONTEXT& context, const BREAKPOINT& hit) {
                return EndsWith(ArgumentText(context, argument, hit.wide), ending);
            },
            timeoutMs);
    }

    // Runs the process until a call that matches (a function of the thread's context at the call and the breakpoint
    // hit) and leaves it stopped there (m_heldThread).
    template <typename MATCH> bool WaitFor(MATCH matches, DWORD timeoutMs)
    {
        DWORD start = GetTickCount();
        BREAKPOINT* stepping = nullptr;
        DEBUG_EVENT event;
        while (m_armed && GetTickCount() - start < timeoutMs) {
            if (!WaitForDebugEvent(&event, 100))
                continue;
            DWORD status = DBG_CONTINUE;
            if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT)
                CloseHandle(event.u.LoadDll.hFile);
            if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
                return false;
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT) {
                HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, event.dwThreadId);
                CONTEXT context = {};
                context.ContextFlags = CONTEXT_FULL;
                GetThreadContext(thread, &context);
                BREAKPOINT* hit = nullptr;
                for (BREAKPOINT& point : m_points) {
                    if (record.ExceptionCode == EXCEPTION_BREAKPOINT && record.ExceptionAddress == point.address)
                        hit = &point;
                }
                if (hit != nullptr) {
                    if (matches(context, *hit)) {
                        CloseHandle(thread);
                        m_heldThread = event.dwThreadId;
                        m_heldAt = hit->address;
                        return true;
                    }
                    // Another call: the function's own byte back for one instruction, then the breakpoint again.
                    Poke(*hit, hit->original);
                    SetProgramCounter(&context, hit->address);
                    context.EFlags |= 0x100;
                    SetThreadContext(thread, &context);
                    stepping = hit;
                } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && stepping != nullptr) {
                    Poke(*stepping, 0xCC);
                    stepping = nullptr;
                } else if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                    status = DBG_EXCEPTION_NOT_HANDLED;
                }
                CloseHandle(thread);
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        return false;
    }

    bool Poke(const BREAKPOINT& point, BYTE value)
    {
        bool written = WriteProcessMemory(m_process, point.address, &value, 1, nullptr) != FALSE;
        FlushInstructionCache(m_process, point.address, 1);
        return written;
    }

    static void SetProgramCounter(CONTEXT* context, BYTE* address)
    {
#ifdef _WIN64
        context->Rip = reinterpret_cast<DWORD64>(address);
#else
        context->Eip = reinterpret_cast<DWORD>(address);
#endif
    }

    // An argument's value, read at the function's first instruction.
    ULONG_PTR ArgumentValue(const CONTEXT& context, int argument) const
    {
        ULONG_PTR value = 0;
#ifdef _WIN64
        const DWORD64 registers[] = {context.Rcx, context.Rdx, context.R8, context.R9};
        value = registers[argument];
#else
        ReadProcessMemory(
            m_process, reinterpret_cast<const void*>(context.Esp + 4 * (argument + 1)), &value, sizeof(value), nullptr);
#endif
        return value;
    }

    // The thread's last error, as GetLastError will give it: a field of its thread environment block.
    bool SetLastErrorOf(HANDLE thread, size_t offset, DWORD error) const
    {
        struct THREAD_BASIC {
            LONG exitStatus;
            void* tebBase;
            void* uniqueProcess;
            void* uniqueThread;
            ULONG_PTR affinityMask;
            LONG priority;
            LONG basePriority;
        } basic = {};
        typedef LONG(WINAPI * QUERY_THREAD)(HANDLE, int, void*, ULONG, ULONG*);
        QUERY_THREAD query = reinterpret_cast<QUERY_THREAD>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationThread")));
        return query != nullptr && query(thread, 0, &basic, sizeof(basic), nullptr) == 0
            && WriteProcessMemory(
                m_process, static_cast<BYTE*>(basic.tebBase) + offset, &error, sizeof(error), nullptr);
    }

    // The text an argument points at, read at the function's first instruction, as Shift-JIS.
    std::string ArgumentText(const CONTEXT& context, int argument, bool wide) const
    {
        ULONG_PTR pointer = 0;
#ifdef _WIN64
        const DWORD64 registers[] = {context.Rcx, context.Rdx, context.R8, context.R9};
        pointer = registers[argument];
#else
        ReadProcessMemory(m_process, reinterpret_cast<const void*>(context.Esp + 4 * (argument + 1)), &pointer,
            sizeof(pointer), nullptr);
#endif
        if (wide) {
            char16_t text[MAX_PATH] = u"";
            ReadProcessMemory(m_process, reinterpret_cast<const void*>(pointer), text, sizeof(text) - 2, nullptr);
            return EncodeShiftJis(text, std::char_traits<char16_t>::length(text));
        }
        char text[MAX_PATH] = "";
        SIZE_T read = 0;
        ReadProcessMemory(m_process, reinterpret_cast<const void*>(pointer), text, sizeof(text) - 1, &read);
        return text;
    }

    static bool EndsWith(const std::string& text, const std::string& ending)
    {
        return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    }

    HANDLE m_process;
    DWORD m_id;
    std::vector<BREAKPOINT> m_points;
    BYTE* m_heldAt = nullptr;
    bool m_attached = false;
    bool m_armed = false;
    bool m_held = false;
    DWORD m_heldThread = 0;
};

} // namespace
