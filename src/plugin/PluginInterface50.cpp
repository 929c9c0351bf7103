#include "plugin/PluginInterface50.h"

#include "base/Gbk.h"
#include "base/ScopeExit.h"
#include "gui/Application.h"
#include "gui/Form.h"
#include "plugin/ChatLineKinds.h"
#include "plugin/CustomPluginChat.h"
#include "plugin/CustomPluginShare.h"
#include "plugin/HostError.h"
#include "plugin/PluginFormRegistry.h"

#include <cstring>
#include <optional>
#include <stdexcept>

namespace morvane {
namespace {

constexpr std::int32_t kWordMax = 65535;

std::uint16_t CheckedWord(std::int32_t value) {
    if (value < 0 || value > kWordMax) throw std::out_of_range("value outside 0..65535");
    return std::uint16_t(value);
}

std::string TextOf(const char* text) {
    return text ? std::string(text) : std::string();
}

bool AbandonOnHostError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const THostError&) {
        return true;
    } catch (...) {
        return false;
    }
}

std::atomic<long>& LiveObjectCount() {
    static std::atomic<long> count{0};
    return count;
}

} // namespace

TPluginInterface50* TPluginInterface50::Create() {
    return std::unique_ptr<TPluginInterface50>(new TPluginInterface50()).release();
}

long TPluginInterface50::LiveObjects() {
    return LiveObjectCount();
}

TPluginInterface50::TPluginInterface50() {
    // A host call that fails inside a window event, a timer or a posted message ends what that handler was
    // doing, and nothing more: the table goes on and the failure never unwinds into the hall's loop.
    if (HasApplication() && !Application().OnHandlerError) Application().OnHandlerError = AbandonOnHostError;
    form_ = CreateRegisteredForm(kFormClassName);
    if (!form_) return;
    // The last hub among the form's components is the one the host talks to.
    for (int i = 0; i < form_->ComponentCount(); ++i)
        if (auto* hub = dynamic_cast<TCustomPluginShare*>(form_->Components(i))) hub_ = hub;
}

TPluginInterface50::~TPluginInterface50() {
    hub_ = nullptr;
    form_.reset();
}

TPluginInterface50::TLiveObject::TLiveObject() {
    ++LiveObjectCount();
}

TPluginInterface50::TLiveObject::~TLiveObject() {
    --LiveObjectCount();
}

HRESULT TPluginInterface50::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IQXOpenInterface) {
        *object = static_cast<IQXOpenInterface*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TPluginInterface50::AddRef() {
    return ++references_;
}

ULONG TPluginInterface50::Release() {
    const ULONG left = --references_;
    // COM's rule: the last release frees the object (here: once it is safe to).
    if (left == 0) DestroyWhenUnwound();
    return left;
}

void TPluginInterface50::DestroyWhenUnwound() {
    if (!HasApplication()) {
        std::unique_ptr<TPluginInterface50> last(this);
        return;
    }
    // The hall may drop its last reference inside a callback of the table, in one of its modal loops, or on
    // a thread of its own: the windows, timers and controls go on the UI thread, after every handler of
    // the table has returned.
    if (OnUiThread())
        DestroyOnUiThread();
    else
        Application().System().Post([this] { DestroyOnUiThread(); });
}

void TPluginInterface50::DestroyOnUiThread() {
    // Code of the table still on the stack (a modal run above all) is told to finish: its timers, modal
    // runs and input end now, and the object goes when the last of it has returned.
    if (Application().HandlerDepth() > 0 && form_) EndActivityOfTree(*form_);
    Application().RunWhenUnwound([this] { std::unique_ptr<TPluginInterface50> last(this); });
}

template <typename F>
HRESULT TPluginInterface50::Guarded(F&& call) {
    // The host may release this object inside a call the method makes to it (PluginClosed, above all);
    // the reference held here keeps the form and the hub alive until the method is done with them.
    AddRef();
    TScopeExit release([this] { Release(); });
    if (!hub_) return S_OK;
    if (OnUiThread() || !HasApplication()) return GuardedOnUiThread(call);
    // A call from another thread waits while the UI thread runs it, as a sent window message would.
    HRESULT result = E_UNEXPECTED;
    try {
        Application().System().SendSync([&] { result = GuardedOnUiThread(call); });
    } catch (...) {
        return E_UNEXPECTED;
    }
    return result;
}

template <typename F>
HRESULT TPluginInterface50::GuardedOnUiThread(F&& call) {
    std::optional<TApplication::THandlerScope> busy;
    if (HasApplication()) busy.emplace(Application());
    try {
        call();
        return S_OK;
    } catch (const std::exception&) {
        return E_FAIL;
    } catch (...) {
        // Nothing may unwind into the host, whatever was thrown.
        return E_UNEXPECTED;
    }
}

HRESULT TPluginInterface50::GetPluginCode(std::int32_t* code) {
    if (!code) return E_POINTER;
    *code = hub_ ? 1 : -1;
    return S_OK;
}

HRESULT TPluginInterface50::SetRequestInterface(IQXOpenInterfaceReq* request) {
    return Guarded([&] { hub_->SetHostInterface(request); });
}

HRESULT TPluginInterface50::Initialize(std::int64_t cookie, const char* title, const std::int64_t* userId,
                                       const char* nick, std::int32_t extra, std::int32_t, std::int32_t,
                                       std::int32_t) {
    return Guarded([&] {
        if (!userId) throw std::invalid_argument("no user identity");
        const std::uint16_t word = CheckedWord(extra);
        const std::string titleText = TextOf(title), nickText = TextOf(nick);
        form_->SetCaption(titleText + "[" + nickText + "]");
        hub_->Initialize(titleText, nickText, cookie, std::int64_t(form_->Handle()), *userId, word);
        form_->Show();
    });
}

HRESULT TPluginInterface50::Finalize() {
    return Guarded([&] { hub_->Finalize(); });
}

HRESULT TPluginInterface50::ShowPluginWindow(std::int32_t mode) {
    return Guarded([&] {
        if (mode != 2) return;
        form_->SetTopMost(true);
        form_->SetTopMost(false);
        form_->Show();
        form_->Minimize(false);
    });
}

HRESULT TPluginInterface50::UpdateUserName(const std::int64_t* userId, const char* name, std::int32_t value) {
    return Guarded([&] {
        if (!userId) throw std::invalid_argument("no user identity");
        const std::uint16_t word = CheckedWord(value);
        if (hub_->Finalized()) return;
        STRU_PLUGIN_USERINFO* user = hub_->FindUser(*userId);
        if (!user) return;
        user->ExtValue = word;
        // The whole field is rewritten, so a shorter name leaves nothing of the longer one behind.
        const std::string text = TextOf(name);
        std::memset(user->NickName, 0, sizeof user->NickName);
        std::memcpy(user->NickName, text.data(), std::min(text.size(), sizeof user->NickName));
    });
}

HRESULT TPluginInterface50::ShowSystemText(std::int32_t len, const char* text) {
    return Guarded([&] {
        if (hub_->Finalized()) return; // a closed table shows nothing more
        std::string line;
        if (text && len > 0)
            line = gbk::SafeCut(std::string_view(text, strnlen(text, std::size_t(len))), frames::kTextLimit);
        if (TCustomPluginChat* chat = hub_->PluginChat()) chat->AddLine(line, lines::kSystem);
        if (TCustomPluginClient* client = hub_->PluginClient()) client->DoSystemText(line, lines::kSystem);
    });
}

HRESULT TPluginInterface50::PostCommand(std::int32_t len, const char* data) {
    return Guarded([&] { hub_->PostCommand(len, reinterpret_cast<const std::uint8_t*>(data)); });
}

} // namespace morvane
