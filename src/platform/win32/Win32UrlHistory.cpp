// Win32 URL history service on urlmon's history object; COM is set up for the call only.
#include "platform/win32/Win32UrlHistory.h"

#include <windows.h>

#include <objbase.h>
#include <urlhist.h>

namespace vp::win32 {
namespace {

// Spelt out here so that no import library has to carry them.
constexpr CLSID UrlHistoryClass = {
    0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};
constexpr IID UrlHistoryStg2 = {
    0xAFA0DC11, 0xC313, 0x11D0, {0x83, 0x1A, 0x00, 0xC0, 0x4F, 0xD5, 0xAE, 0x38}};

// COM for the current thread for as long as the object lives; a thread that already runs
// COM in another apartment model keeps it, and the object still works there.
class ComScope {
public:
    ComScope() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialized_;
};

} // namespace

bool Win32UrlHistory::clearHistory() {
    ComScope com;
    IUrlHistoryStg2* history = nullptr;
    if (FAILED(CoCreateInstance(UrlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, UrlHistoryStg2,
                                reinterpret_cast<void**>(&history))) ||
        history == nullptr) {
        return false;
    }
    const HRESULT result = history->ClearHistory();
    history->Release();
    return SUCCEEDED(result);
}

} // namespace vp::win32
