#pragma once
// What a screen reader reads of a window through Microsoft Active
// Accessibility: the window's client object and each child's name, role,
// states, value and default action, taken as plain values.

#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "skin/core/com_ptr.h"

namespace lirvo::testing {

struct AccessibleChild {
    long id = 0;
    std::wstring name;
    long role = 0;
    long states = 0;
    std::optional<std::wstring> value;
    std::wstring defaultAction;
    RECT location{};  // screen coordinates
};

// The client object of the window, as AccessibleObjectFromWindow gives it.
inline ComPtr<IAccessible> ClientObject(HWND window) {
    ComPtr<IAccessible> object;
    ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(object.Put()));
    return object;
}

inline VARIANT Child(long id) {
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// A text property read through one of the object's getters.
template <typename Getter>
std::optional<std::wstring> ReadText(Getter getter) {
    BSTR text = nullptr;
    const HRESULT result = getter(&text);
    std::optional<std::wstring> taken;
    if (result == S_OK && text) taken = std::wstring(text, ::SysStringLen(text));
    ::SysFreeString(text);
    return taken;
}

inline AccessibleChild ReadChild(IAccessible* object, long id) {
    AccessibleChild child;
    child.id = id;
    const VARIANT self = Child(id);
    child.name = ReadText([&](BSTR* text) { return object->get_accName(self, text); }).value_or(L"");
    child.value = ReadText([&](BSTR* text) { return object->get_accValue(self, text); });
    child.defaultAction =
        ReadText([&](BSTR* text) { return object->get_accDefaultAction(self, text); }).value_or(L"");
    VARIANT role, state;
    if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) child.role = role.lVal;
    if (object->get_accState(self, &state) == S_OK && state.vt == VT_I4) child.states = state.lVal;
    long left = 0, top = 0, width = 0, height = 0;
    if (object->accLocation(&left, &top, &width, &height, self) == S_OK)
        child.location = {left, top, left + width, top + height};
    return child;
}

// Every child the object lists (AccessibleChildren), read.
inline std::vector<AccessibleChild> ReadChildren(IAccessible* object) {
    long count = 0;
    if (!object || object->get_accChildCount(&count) != S_OK || count <= 0) return {};
    std::vector<VARIANT> listed(static_cast<std::size_t>(count));
    long obtained = 0;
    if (FAILED(::AccessibleChildren(object, 0, count, listed.data(), &obtained))) return {};
    std::vector<AccessibleChild> children;
    for (long i = 0; i < obtained; ++i) {
        if (listed[i].vt == VT_I4) children.push_back(ReadChild(object, listed[i].lVal));
        ::VariantClear(&listed[i]);
    }
    return children;
}

// The child of that name, or nothing.
inline std::optional<AccessibleChild> Named(const std::vector<AccessibleChild>& children, const std::wstring& name) {
    for (const AccessibleChild& child : children)
        if (child.name == name) return child;
    return std::nullopt;
}

// What a screen reader must find on a page: a child's name, its role and,
// of the states that change with the user's doing (focused, checked,
// unavailable), those it has.
struct ExpectedChild {
    const wchar_t* name;
    long role;
    long states;
};
inline constexpr long kChangingStates = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE;

// The setup's selection page as it opens: the focus on 下一步, every option
// ticked, 上一步 unavailable.
inline const std::vector<ExpectedChild>& SelectionPageAsItOpens() {
    static const std::vector<ExpectedChild> children = {
        {L"安装位置", ROLE_SYSTEM_TEXT, 0},
        {L"更换目录", ROLE_SYSTEM_PUSHBUTTON, 0},
        {L"创建桌面快捷方式", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED},
        {L"创建开始菜单文件夹（含卸载快捷方式）", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED},
        {L"我已了解：本软件不联网、不收集数据", ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED},
        {L"上一步", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE},
        {L"下一步", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_FOCUSED},
        {L"取消", ROLE_SYSTEM_PUSHBUTTON, 0},
        {L"自定义安装", ROLE_SYSTEM_PUSHBUTTON, 0},
    };
    return children;
}

}  // namespace lirvo::testing
