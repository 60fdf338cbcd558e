#include "ui/ProcessWait.h"

#include "foundation/App.h"

namespace {

const DWORD kWaitPassMs = 10;
const int kMaxFailedExitCodeReads = 100;
const DWORD kUnknownExitCode = 0xFFFFFFFF;

} // namespace

bool WaitForProgram(CApp* frame, HANDLE process, DWORD* exitCode)
{
    int failedReads = 0;
    for (;;) {
        if (frame != nullptr) {
            frame->PeekAndPump();
            if (frame->IsQuitting())
                return false;
        }
        Sleep(kWaitPassMs);
        DWORD code = 0;
        if (!GetExitCodeProcess(process, &code)) {
            if (++failedReads > kMaxFailedExitCodeReads) {
                *exitCode = kUnknownExitCode;
                return true;
            }
        } else if (code != STILL_ACTIVE) {
            *exitCode = code;
            return true;
        }
    }
}
