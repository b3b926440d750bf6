// MSAA client objects of the controls: the system's object for the window, with the role, the
// name, the value and the default action the program gives. Called on the window's thread.
#include "platform/win32/Win32Accessible.h"

#include "platform/Accessibility.h"
#include "platform/win32/Win32Control.h"
#include "platform/win32/Win32NarrowText.h"

#include <oleacc.h>

#include <string>

namespace vp::win32 {
namespace {

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT text(std::string_view utf8, BSTR* out) {
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    const std::wstring wide = widen(utf8);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

bool isButton(ControlKind kind) {
    return kind == ControlKind::ExternalButton || kind == ControlKind::PictureButton ||
           kind == ControlKind::CommandButton;
}

// A COM object is destroyed by its own Release, never through a pointer to its interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ControlAccessible final : public IAccessible {
public:
    explicit ControlAccessible(HWND window) : window_(window) {
        void* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                &standard))) {
            inner_ = static_cast<IAccessible*>(standard);
        }
    }
    ~ControlAccessible() {
        if (inner_ != nullptr) {
            inner_->Release();
        }
    }
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    // --- IUnknown ---
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // The children of a panel are enumerated by the system's object.
        if (IsEqualIID(iid, IID_IEnumVARIANT) && inner_ != nullptr) {
            return inner_->QueryInterface(iid, out);
        }
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // --- IDispatch: no type information; readers call the methods themselves ---
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // --- IAccessible: what the program says of the control itself ---
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const Win32Control* control = Win32Control::of(window_);
        if (!isSelf(child) || control == nullptr) {
            return inner_ != nullptr ? inner_->get_accName(child, name) : E_INVALIDARG;
        }
        return text(AccessibleNameOf(control->design(), control->caption()), name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const Win32Control* control = Win32Control::of(window_);
        if (!isSelf(child) || control == nullptr) {
            return inner_ != nullptr ? inner_->get_accRole(child, role) : E_INVALIDARG;
        }
        if (role == nullptr) {
            return E_INVALIDARG;
        }
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = static_cast<LONG>(AccessibleRoleOf(control->design().kind));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const Win32Control* control = Win32Control::of(window_);
        if (isSelf(child) && control != nullptr) {
            if (const std::string own = control->accessibleValue(); !own.empty()) {
                return text(own, value);
            }
        }
        return inner_ != nullptr ? inner_->get_accValue(child, value) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const Win32Control* control = Win32Control::of(window_);
        if (isSelf(child) && control != nullptr && isButton(control->design().kind)) {
            return text(PressAction, action);
        }
        return inner_ != nullptr ? inner_->get_accDefaultAction(child, action) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const Win32Control* control = Win32Control::of(window_);
        if (isSelf(child) && control != nullptr && isButton(control->design().kind)) {
            // Pressed once the reader's call has returned, as a click of the user's.
            PostMessageW(GetParent(window_), WM_COMMAND,
                         MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                         reinterpret_cast<LPARAM>(window_));
            return S_OK;
        }
        return inner_ != nullptr ? inner_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
    }

    // --- IAccessible: the rest as the system's object answers it ---
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return inner_ != nullptr ? inner_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (inner_ != nullptr) {
            return inner_->get_accChildCount(count);
        }
        if (count == nullptr) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return inner_ != nullptr ? inner_->get_accChild(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return inner_ != nullptr ? inner_->get_accDescription(child, out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (inner_ != nullptr) {
            return inner_->get_accState(child, state);
        }
        if (state == nullptr) {
            return E_INVALIDARG;
        }
        VariantInit(state);
        state->vt = VT_I4;
        state->lVal = IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return inner_ != nullptr ? inner_->get_accHelp(child, out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return inner_ != nullptr ? inner_->get_accHelpTopic(file, child, topic) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return inner_ != nullptr ? inner_->get_accKeyboardShortcut(child, out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return inner_ != nullptr ? inner_->get_accFocus(out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return inner_ != nullptr ? inner_->get_accSelection(out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return inner_ != nullptr ? inner_->accSelect(flags, child) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (inner_ != nullptr) {
            return inner_->accLocation(left, top, width, height, child);
        }
        RECT box{};
        GetWindowRect(window_, &box);
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return inner_ != nullptr ? inner_->accNavigate(direction, start, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return inner_ != nullptr ? inner_->accHitTest(x, y, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    HWND window_;
    IAccessible* inner_ = nullptr;
    LONG references_ = 1;
};
#pragma GCC diagnostic pop

} // namespace

LRESULT answerGetObject(HWND window, WPARAM flags, LPARAM objectId) {
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT) ||
        Win32Control::of(window) == nullptr) {
        return 0;
    }
    auto* accessible = new ControlAccessible(window);
    const LRESULT result =
        LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(accessible));
    accessible->Release(); // the result holds its own reference
    return result;
}

} // namespace vp::win32
