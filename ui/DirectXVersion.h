// The installed DirectX as the registry records it, for when the disc's set-up library cannot be asked: the value
// "Version" of HKEY_LOCAL_MACHINE\Software\Microsoft\DirectX, such as "4.09.00.0904".
#pragma once

const int kDirectXUnknown = -1;

// The major version of a DirectX version text: its second field, the number the set-up library also answers in the
// low word of its version ("4.09.00.0904" is 9, "4.08.01.0881" is 8). The text is two to four fields of decimal
// digits (at most four each) separated by dots, nothing else; kDirectXUnknown for anything else.
int DirectXMajorFromVersionText(const char* text);
