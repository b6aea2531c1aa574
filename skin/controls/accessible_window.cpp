#include "skin/controls/accessible_window.h"

#include <algorithm>
#include <functional>
#include <string>

#include "skin/controls/skin_control.h"
#include "skin/core/com_ptr.h"
#include "skin/core/declared_function.h"
#include "skin/core/host_window_proc.h"
#include "skin/core/keyboard_navigation.h"
#include "skin/core/toolkit.h"
#include "skin/core/window_properties.h"

namespace lirvo {
namespace {

// oleacc is loaded when a screen reader first asks, not at start.
DeclaredFunction<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)> lresultFromObject("oleacc.dll", "LresultFromObject");
DeclaredFunction<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)> createStdAccessibleObject("oleacc.dll",
                                                                                          "CreateStdAccessibleObject");

// A default action asked for is done once the call has returned: the click
// may end the process (完成), which the caller must not be inside of.
UINT DefaultActionMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"LirvoAccessibleDefaultAction");
    return message;
}

ObjectRegistry& Registry() { return Toolkit().objectRegistry; }

// Static text with neither a name nor a text (a plain shape, an empty
// decorative list) has nothing to say: listed, it would only be read out
// as "static text" and make the user wonder what they missed.
bool SaysNothing(SkinObject& object) {
    SkinControl* control = object.AsControl();
    if (!control) return false;
    return control->AccessibleRole() == ROLE_SYSTEM_STATICTEXT && control->AccessibleName().IsEmpty();
}

std::vector<ObjectHandle> ShownControls(HWND window) {
    std::vector<ObjectHandle> children;
    for (std::size_t i = 1; i <= Registry().Size(); ++i) {
        SkinObject* object = Registry().ObjectAt(i);
        if (object && object->Handle() > 0 && object->State().hostWindow == window &&
            IsObjectShown(object->Handle()) && !SaysNothing(*object))
            children.push_back(object->Handle());
    }
    // Handles grow with creation: the order the page was built in.
    std::sort(children.begin(), children.end());
    return children;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = ::SysAllocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChild(VARIANT* out, long id) {
    out->vt = VT_I4;
    out->lVal = id;
}

std::wstring WindowTitle(HWND window) {
    std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    title.resize(static_cast<std::size_t>(::GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
    return title;
}

bool Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        ComPtr<AccessibleWindow> object(new AccessibleWindow(window));
        result = lresultFromObject(__uuidof(IAccessible), wParam, object.Get());
        return true;
    }
    if (message == DefaultActionMessage()) {
        const auto target = static_cast<ObjectHandle>(wParam);
        const SkinObject* object = Registry().Find(target);
        if (object && object->State().hostWindow == window && IsObjectShown(target) && !IsObjectDisabled(target))
            ClickObject(window, target);
        result = 0;
        return true;
    }
    return false;
}

// The window's children as a screen reader lists them (AccessibleChildren):
// their ids, which are the controls' handles. Another process's proxy keeps
// this object once it has it, so Reset takes the children afresh: the page
// may have changed since.
class ChildList final : public IEnumVARIANT {
public:
    using Source = std::function<std::vector<ObjectHandle>()>;
    ChildList(Source source, std::vector<ObjectHandle> children, ULONG next = 0)
        : source_(std::move(source)), children_(std::move(children)), next_(next) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IEnumVARIANT)) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        if (!items) return E_POINTER;
        ULONG given = 0;
        for (; given < count && next_ < children_.size(); ++given, ++next_) {
            ::VariantInit(&items[given]);
            items[given].vt = VT_I4;
            items[given].lVal = children_[next_];
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ = static_cast<ULONG>(std::min<std::size_t>(children_.size(), next_ + count));
        return next_ < children_.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        children_ = source_();
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (!copy) return E_POINTER;
        *copy = new ChildList(source_, children_, next_);
        return S_OK;
    }

private:
    ~ChildList() = default;

    std::atomic<ULONG> references_{1};
    Source source_;
    std::vector<ObjectHandle> children_;
    ULONG next_;
};

}  // namespace

void InstallAccessibility() {
    DefaultActionMessage();
    SetMessageAnswer(Answer);
}

AccessibleWindow::AccessibleWindow(HWND window) : window_(window) {}

HRESULT AccessibleWindow::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    if (iid == __uuidof(IEnumVARIANT) && ::IsWindow(window_)) {
        const HWND window = window_;
        auto source = [window] { return ::IsWindow(window) ? ShownControls(window) : std::vector<ObjectHandle>{}; };
        *object = static_cast<IEnumVARIANT*>(new ChildList(source, source()));
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleWindow::AddRef() { return ++references_; }

ULONG AccessibleWindow::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT AccessibleWindow::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
HRESULT AccessibleWindow::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
HRESULT AccessibleWindow::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleWindow::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

std::vector<ObjectHandle> AccessibleWindow::Children() const { return ShownControls(window_); }

SkinControl* AccessibleWindow::Control(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= 0) return nullptr;
    SkinObject* object = Registry().Find(static_cast<ObjectHandle>(child.lVal));
    if (!object || object->State().hostWindow != window_ || !IsObjectShown(object->Handle())) return nullptr;
    return object->AsControl();
}

HRESULT AccessibleWindow::Check(const VARIANT& child) const {
    if (!::IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    if (IsSelf(child) || Control(child)) return S_OK;
    return E_INVALIDARG;
}

HRESULT AccessibleWindow::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!::IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    return createStdAccessibleObject(window_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
}

HRESULT AccessibleWindow::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    if (!::IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(Children().size());
    return S_OK;
}

HRESULT AccessibleWindow::get_accChild(VARIANT child, IDispatch** dispatch) {
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    const HRESULT checked = Check(child);
    // The controls are simple elements of this object, not objects of their own.
    return checked == S_OK ? S_FALSE : checked;
}

HRESULT AccessibleWindow::get_accName(VARIANT child, BSTR* name) {
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    if (IsSelf(child)) return Text(WindowTitle(window_), name);
    return Text(Control(child)->AccessibleName().ToWString(), name);
}

HRESULT AccessibleWindow::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    const std::optional<WideText> text = control ? control->AccessibleValue() : std::nullopt;
    return text ? Text(text->ToWString(), value) : S_FALSE;
}

HRESULT AccessibleWindow::get_accDescription(VARIANT child, BSTR* description) {
    if (!description) return E_POINTER;
    *description = nullptr;
    const HRESULT checked = Check(child);
    return checked == S_OK ? S_FALSE : checked;
}

HRESULT AccessibleWindow::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    ::VariantInit(role);
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    SetChild(role, control ? control->AccessibleRole() : ROLE_SYSTEM_CLIENT);
    return S_OK;
}

HRESULT AccessibleWindow::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    ::VariantInit(state);
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    long bits = 0;
    if (!control) {
        bits = STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == window_) bits |= STATE_SYSTEM_FOCUSED;
        if (!::IsWindowVisible(window_)) bits |= STATE_SYSTEM_INVISIBLE;
    } else {
        const ObjectHandle handle = control->Id();
        bits = static_cast<long>(control->AccessibleStates());
        if (control->State().tabStop) bits |= STATE_SYSTEM_FOCUSABLE;
        // The window's focus control: the one keys go to while the window has them.
        if (GetWindowProperty(window_, property::kFocus) == handle) bits |= STATE_SYSTEM_FOCUSED;
        if (IsObjectDisabled(handle)) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (!control->IsVisible()) bits |= STATE_SYSTEM_INVISIBLE;
    }
    SetChild(state, bits);
    return S_OK;
}

HRESULT AccessibleWindow::get_accHelp(VARIANT child, BSTR* help) { return get_accDescription(child, help); }

HRESULT AccessibleWindow::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
}

HRESULT AccessibleWindow::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return get_accDescription(child, shortcut);
}

HRESULT AccessibleWindow::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    ::VariantInit(focus);
    if (!::IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    const auto handle = static_cast<ObjectHandle>(GetWindowProperty(window_, property::kFocus));
    VARIANT candidate;
    SetChild(&candidate, handle);
    if (handle > 0 && Control(candidate)) SetChild(focus, handle);
    else if (::GetFocus() == window_) SetChild(focus, CHILDID_SELF);
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
}

HRESULT AccessibleWindow::get_accSelection(VARIANT* selection) {
    if (selection) ::VariantInit(selection);
    return S_FALSE;
}

HRESULT AccessibleWindow::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    const WideText text = control ? control->AccessibleDefaultAction() : WideText();
    return text.IsEmpty() ? S_FALSE : Text(text.ToWString(), action);
}

HRESULT AccessibleWindow::accSelect(long flags, VARIANT child) {
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    if (!(flags & SELFLAG_TAKEFOCUS) || !control || !control->State().tabStop) return S_FALSE;
    FocusObject(window_, control->Id());
    return S_OK;
}

HRESULT AccessibleWindow::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    RECT area{};
    if (const SkinControl* control = Control(child)) {
        const Rect r = control->VisibleRect();
        area = {r.left, r.top, r.left + r.width, r.top + r.height};
    } else {
        ::GetClientRect(window_, &area);
    }
    POINT corner{area.left, area.top};
    ::ClientToScreen(window_, &corner);
    *left = corner.x;
    *top = corner.y;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
}

HRESULT AccessibleWindow::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    ::VariantInit(end);
    if (const HRESULT checked = Check(start); checked != S_OK) return checked;
    const std::vector<ObjectHandle> children = Children();
    if (children.empty()) return S_FALSE;
    const auto at = IsSelf(start) ? children.end() : std::find(children.begin(), children.end(), start.lVal);
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
        if (!IsSelf(start)) return E_INVALIDARG;
        SetChild(end, children.front());
        return S_OK;
    case NAVDIR_LASTCHILD:
        if (!IsSelf(start)) return E_INVALIDARG;
        SetChild(end, children.back());
        return S_OK;
    case NAVDIR_NEXT:
        if (at == children.end() || at + 1 == children.end()) return S_FALSE;
        SetChild(end, *(at + 1));
        return S_OK;
    case NAVDIR_PREVIOUS:
        if (at == children.end() || at == children.begin()) return S_FALSE;
        SetChild(end, *(at - 1));
        return S_OK;
    default:
        return S_FALSE;
    }
}

HRESULT AccessibleWindow::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    ::VariantInit(child);
    if (!::IsWindow(window_)) return CO_E_OBJNOTCONNECTED;
    POINT point{x, y};
    ::ScreenToClient(window_, &point);
    RECT client{};
    ::GetClientRect(window_, &client);
    if (!::PtInRect(&client, point)) return S_FALSE;
    const ObjectHandle hit = HitTest(window_, point.x, point.y);
    SetChild(child, hit > 0 ? hit : CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleWindow::accDoDefaultAction(VARIANT child) {
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    const SkinControl* control = Control(child);
    if (!control || control->AccessibleDefaultAction().IsEmpty()) return DISP_E_MEMBERNOTFOUND;
    if (control->IsDisabled()) return E_FAIL;
    return ::PostMessageW(window_, DefaultActionMessage(), static_cast<WPARAM>(control->Id()), 0) ? S_OK : E_FAIL;
}

HRESULT AccessibleWindow::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }

HRESULT AccessibleWindow::put_accValue(VARIANT child, BSTR value) {
    if (const HRESULT checked = Check(child); checked != S_OK) return checked;
    SkinControl* control = Control(child);
    // Only what shows its text as its value takes a new one.
    if (!control || control->AccessibleRole() != ROLE_SYSTEM_TEXT || control->IsDisabled()) return E_NOTIMPL;
    const std::wstring text = value ? std::wstring(value, ::SysStringLen(value)) : std::wstring();
    WideText wide;
    wide.SetBytes(ByteArray(reinterpret_cast<const std::uint8_t*>(text.data()),
                            reinterpret_cast<const std::uint8_t*>(text.data()) + text.size() * sizeof(wchar_t)));
    control->SetTextW(wide);
    return S_OK;
}

}  // namespace lirvo
