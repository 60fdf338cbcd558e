#include "foundation/ShellCalls_win.h"

#include <shellapi.h>
#include <string>

#include "foundation/SystemLibraries.h"
#include "foundation/UnicodeText_win.h"

namespace {

// The shell's link object, named here: the import library of GUIDs would bring every GUID of the system.
const CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

const int kShellPathUnits = MAX_PATH;

bool AreUsable(std::initializer_list<const CUnicodeText*> texts)
{
    for (const CUnicodeText* text : texts) {
        if (!text->IsValid()) {
            SetLastError(ERROR_INVALID_NAME);
            return false;
        }
    }
    return true;
}

// The persist interface of link, released by the caller; null when it has none.
IPersistFile* PersistOf(IUnknown* link)
{
    IPersistFile* file = nullptr;
    if (link == nullptr || FAILED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file))))
        return nullptr;
    return file;
}

} // namespace

HRESULT ZVCoInitialize()
{
    SYSTEM_CALL(ole32, CoInitialize);
    return CoInitialize_ != nullptr ? CoInitialize_(nullptr) : E_FAIL;
}

void ZVCoUninitialize()
{
    SYSTEM_CALL(ole32, CoUninitialize);
    if (CoUninitialize_ != nullptr)
        CoUninitialize_();
}

HRESULT ZVCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId, void** object)
{
    SYSTEM_CALL(ole32, CoCreateInstance);
    *object = nullptr;
    return CoCreateInstance_ != nullptr ? CoCreateInstance_(classId, outer, context, interfaceId, object) : E_FAIL;
}

HRESULT ZVSHGetMalloc(IMalloc** allocator)
{
    SYSTEM_CALL(shell32, SHGetMalloc);
    *allocator = nullptr;
    return SHGetMalloc_ != nullptr ? SHGetMalloc_(allocator) : E_FAIL;
}

HRESULT ZVSHGetSpecialFolderLocation(HWND owner, int folderId, LPITEMIDLIST* items)
{
    SYSTEM_CALL(shell32, SHGetSpecialFolderLocation);
    *items = nullptr;
    return SHGetSpecialFolderLocation_ != nullptr ? SHGetSpecialFolderLocation_(owner, folderId, items) : E_FAIL;
}

HINSTANCE ZVShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR folder, INT show)
{
    if (!UsesUnicodeCalls()) {
        SYSTEM_CALL(shell32, ShellExecuteA);
        if (ShellExecuteA_ == nullptr)
            return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
        return ShellExecuteA_(owner, verb, file, parameters, folder, show);
    }
    SYSTEM_CALL(shell32, ShellExecuteW);
    CUnicodeText wideVerb(verb), wideFile(file), wideParameters(parameters), wideFolder(folder);
    if (!AreUsable({&wideVerb, &wideFile, &wideParameters, &wideFolder}))
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(ERROR_FILE_NOT_FOUND));
    if (ShellExecuteW_ == nullptr)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
    return ShellExecuteW_(owner, wideVerb.Get(), wideFile.Get(), wideParameters.Get(), wideFolder.Get(), show);
}

BOOL ZVSHGetPathFromIDList(PCIDLIST_ABSOLUTE items, LPSTR path)
{
    if (!UsesUnicodeCalls()) {
        SYSTEM_CALL(shell32, SHGetPathFromIDListA);
        if (SHGetPathFromIDListA_ == nullptr) {
            path[0] = '\0';
            return FALSE;
        }
        return SHGetPathFromIDListA_(items, path);
    }
    SYSTEM_CALL(shell32, SHGetPathFromIDListW);
    wchar_t wide[kShellPathUnits];
    if (SHGetPathFromIDListW_ == nullptr || !SHGetPathFromIDListW_(items, wide)) {
        path[0] = '\0';
        return FALSE;
    }
    return ToProgramText(wide, path, MAX_PATH);
}

CShellLink::CShellLink()
    : m_link(nullptr)
    , m_wide(UsesUnicodeCalls())
{
    if (FAILED(ZVCoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER,
            m_wide ? __uuidof(IShellLinkW) : __uuidof(IShellLinkA), reinterpret_cast<void**>(&m_link))))
        m_link = nullptr;
}

CShellLink::~CShellLink()
{
    if (m_link != nullptr)
        m_link->Release();
}

bool CShellLink::Describe(const char* target, const char* arguments, const char* folder, int iconIndex)
{
    if (m_link == nullptr)
        return false;
    if (!m_wide) {
        IShellLinkA* link = static_cast<IShellLinkA*>(m_link);
        link->SetPath(target);
        link->SetDescription("");
        link->SetIconLocation(target, iconIndex);
        link->SetWorkingDirectory(folder);
        link->SetArguments(arguments);
        link->SetShowCmd(SW_SHOWNORMAL);
        return true;
    }
    CUnicodeText wideTarget(target), wideArguments(arguments != nullptr ? arguments : ""), wideFolder(folder);
    if (!AreUsable({&wideTarget, &wideArguments, &wideFolder}))
        return false;
    IShellLinkW* link = static_cast<IShellLinkW*>(m_link);
    link->SetPath(wideTarget.Get());
    link->SetDescription(L"");
    link->SetIconLocation(wideTarget.Get(), iconIndex);
    link->SetWorkingDirectory(wideFolder.Get());
    link->SetArguments(wideArguments.Get());
    link->SetShowCmd(SW_SHOWNORMAL);
    return true;
}

bool CShellLink::CanSave()
{
    IPersistFile* file = PersistOf(m_link);
    if (file == nullptr)
        return false;
    file->Release();
    return true;
}

bool CShellLink::Save(const char* linkPath)
{
    CUnicodeText widePath(linkPath);
    if (!AreUsable({&widePath}))
        return false;
    IPersistFile* file = PersistOf(m_link);
    if (file == nullptr)
        return false;
    bool saved = SUCCEEDED(file->Save(widePath.Get(), TRUE));
    file->Release();
    return saved;
}
