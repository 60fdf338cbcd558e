// Stopping another process at a system call, as a debugger does: for the moments of an install that take no time
// (between two steps, inside a copy that runs as fast as the disk), which no polling from outside can meet.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "foundation/UnicodeText_win.h"
#include "tests/e2e/E2eHarness.h"

namespace {

// A breakpoint on a system function in another process (the system's DLLs lie at the same address in every
// process of the prefix): the process runs until the function is called with a text argument that ends as given,
// and is ended there, before the call does anything. A W function's text is compared as the program's text.
class CStopAtCall {
public:
    CStopAtCall(const CStartedProcess& process, const char* module, const char* function)
        : m_process(process.Handle())
        , m_address(reinterpret_cast<BYTE*>(GetProcAddress(GetModuleHandleA(module), function)))
        , m_id(process.Id())
        , m_wide(function[strlen(function) - 1] == 'W')
    {
        BYTE theirs[16];
        m_attached = m_address != nullptr && DebugActiveProcess(m_id);
        DebugSetProcessKillOnExit(FALSE);
        m_armed = m_attached && ReadProcessMemory(m_process, m_address, theirs, sizeof(theirs), nullptr)
            && memcmp(m_address, theirs, sizeof(theirs)) == 0;
        if (m_armed) {
            m_original = theirs[0];
            m_armed = Poke(0xCC);
        }
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
        // The function's own first byte back and the thread at its start: the call runs as if never stopped.
        HANDLE thread = OpenThread(THREAD_ALL_ACCESS, FALSE, m_heldThread);
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_FULL;
        GetThreadContext(thread, &context);
        Poke(m_original);
        SetProgramCounter(&context);
        SetThreadContext(thread, &context);
        CloseHandle(thread);
        m_held = true;
        return true;
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
    // Runs the process until the call and leaves it stopped there (m_heldThread).
    bool WaitForCall(int argument, const std::string& ending, DWORD timeoutMs)
    {
        DWORD start = GetTickCount();
        bool stepping = false;
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
                if (record.ExceptionCode == EXCEPTION_BREAKPOINT && record.ExceptionAddress == m_address) {
                    if (EndsWith(ArgumentText(context, argument), ending)) {
                        CloseHandle(thread);
                        m_heldThread = event.dwThreadId;
                        return true;
                    }
                    // Another call: the function's own byte back for one instruction, then the breakpoint again.
                    Poke(m_original);
                    SetProgramCounter(&context);
                    context.EFlags |= 0x100;
                    SetThreadContext(thread, &context);
                    stepping = true;
                } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && stepping) {
                    Poke(0xCC);
                    stepping = false;
                } else if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                    status = DBG_EXCEPTION_NOT_HANDLED;
                }
                CloseHandle(thread);
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        return false;
    }

    bool Poke(BYTE value)
    {
        bool written = WriteProcessMemory(m_process, m_address, &value, 1, nullptr) != FALSE;
        FlushInstructionCache(m_process, m_address, 1);
        return written;
    }

    void SetProgramCounter(CONTEXT* context) const
    {
#ifdef _WIN64
        context->Rip = reinterpret_cast<DWORD64>(m_address);
#else
        context->Eip = reinterpret_cast<DWORD>(m_address);
#endif
    }

    // The text an argument points at, read at the function's first instruction.
    std::string ArgumentText(const CONTEXT& context, int argument) const
    {
        ULONG_PTR pointer = 0;
#ifdef _WIN64
        const DWORD64 registers[] = {context.Rcx, context.Rdx, context.R8, context.R9};
        pointer = registers[argument];
#else
        ReadProcessMemory(m_process, reinterpret_cast<const void*>(context.Esp + 4 * (argument + 1)), &pointer,
            sizeof(pointer), nullptr);
#endif
        SIZE_T read = 0;
        if (m_wide) {
            wchar_t wide[MAX_PATH] = L"";
            ReadProcessMemory(m_process, reinterpret_cast<const void*>(pointer), wide, sizeof(wide) - 2, &read);
            return ToProgramText(wide);
        }
        char text[MAX_PATH] = "";
        ReadProcessMemory(m_process, reinterpret_cast<const void*>(pointer), text, sizeof(text) - 1, &read);
        return text;
    }

    static bool EndsWith(const std::string& text, const std::string& ending)
    {
        return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
    }

    HANDLE m_process;
    BYTE* m_address;
    DWORD m_id;
    bool m_wide;
    BYTE m_original = 0;
    bool m_attached = false;
    bool m_armed = false;
    bool m_held = false;
    DWORD m_heldThread = 0;
};

} // namespace
