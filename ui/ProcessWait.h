// The one wait for a program the menu started and must not go on without: the DirectX set-up and the extra
// buttons that wait for their program. The windows stay alive meanwhile through the application's pump.
#pragma once

#include "foundation/SystemApi.h"

class CApp;

// Waits in passes of 10 ms, pumping the messages of frame (null: none) once a pass, until process ends. False at
// once when the frame's quit flag is set (the caller returns without touching its windows, which are going);
// otherwise true with the program's exit code in *exitCode, or 0xFFFFFFFF when more than 100 reads of it failed.
bool WaitForProgram(CApp* frame, HANDLE process, DWORD* exitCode);
