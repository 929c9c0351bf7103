#include "ui/ISScrollBarReplacerMgr.h"

#include "gui/Application.h"
#include "gui/Messages.h"
#include "ui/ISScrollBarReplacer.h"

#include <memory>

namespace morvane {

TISScrollBarReplacerMgr& TISScrollBarReplacerMgr::Instance() {
    static TISScrollBarReplacerMgr manager;
    return manager;
}

TISScrollBarReplacerMgr::TISScrollBarReplacerMgr() {
    replacers_.Enable(true);
}

TISScrollBarReplacerMgr::~TISScrollBarReplacerMgr() {
    RemoveHook();
}

bool TISScrollBarReplacerMgr::Watched(std::uint32_t msg) {
    switch (msg) {
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_WINDOWPOSCHANGED:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case CM_VISIBLECHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
    case CM_TEXTCHANGED:
    case CM_SHOWINGCHANGED:
    case CM_CONTROLCHANGE:
        return true;
    default:
        return false;
    }
}

void TISScrollBarReplacerMgr::Register(const TControl& control, TISScrollBarReplacer& replacer) {
    TSyncLock lock(replacers_);
    replacers_.Add(std::intptr_t(&control), std::intptr_t(&replacer));
    InstallHook();
}

void TISScrollBarReplacerMgr::Unregister(const TControl& control) {
    TSyncLock lock(replacers_);
    replacers_.Remove(std::intptr_t(&control));
    if (replacers_.Count() == 0) RemoveHook();
}

TISScrollBarReplacer* TISScrollBarReplacerMgr::Find(const TControl& control) {
    TSyncLock lock(replacers_);
    const int index = replacers_.Find(std::intptr_t(&control));
    return index < 0 ? nullptr : reinterpret_cast<TISScrollBarReplacer*>(replacers_.ValueAt(index));
}

int TISScrollBarReplacerMgr::Count() {
    return replacers_.Count();
}

void TISScrollBarReplacerMgr::Clear() {
    TSyncLock lock(replacers_);
    replacers_.Clear();
    RemoveHook();
}

void TISScrollBarReplacerMgr::InstallHook() {
    if (!HasApplication()) return;
    // A hook left in an application that has ended does not count.
    if (hookId_ && hookedApplication_ == &Application()) return;
    hookedApplication_ = &Application();
    hookId_ = Application().AddMessageHook(
        [this](TControl& control, const TMessage& message) { OnMessage(control, message); });
}

void TISScrollBarReplacerMgr::RemoveHook() {
    if (!hookId_) return;
    if (HasApplication() && hookedApplication_ == &Application()) Application().RemoveMessageHook(hookId_);
    hookId_ = 0;
    hookedApplication_ = nullptr;
}

void TISScrollBarReplacerMgr::OnMessage(TControl& control, const TMessage& message) {
    if (!Watched(message.Msg)) return;
    if (TISScrollBarReplacer* replacer = Find(control)) replacer->Update(message.Msg);
}

} // namespace morvane
