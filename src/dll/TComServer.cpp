#include "dll/TComServer.h"

#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "gui/Application.h"
#include "platform/win32/ModuleVersion.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "plugin/ComGuid.h"
#include "plugin/PluginInterface50.h"

#include <stdexcept>

namespace morvane {

TComServer& TComServer::Instance() {
    static TComServer server;
    return server;
}

TComServer::~TComServer() {
    // Reached at process exit only with tables still open; the system reclaims their windows, and
    // destroying them here, under the loader's lock, could deadlock.
    (void)application_.release();
    (void)platform_.release();
}

bool TComServer::Initialize(HINSTANCE__* module) {
    module_ = module;
    TFileVersionInfomation record;
    if (!ReadModuleVersion(module, record)) return false;
    const std::optional<GUID> classId = GuidFromText(record.Comments);
    if (!classId) return false;
    classId_ = *classId;
    className_ = record.LegalTrademarks;
    description_ = record.ProductName;
    SetLibraryVersion(record);
    return true;
}

std::string TComServer::ClassIdText() const {
    return GuidText(classId_);
}

std::string TComServer::ModuleFileName() const {
    return GbkFromWide(WideModuleFileName(module_));
}

std::string TComServer::ProgId() const {
    if (className_.empty()) return {};
    std::string stem = ModuleFileName();
    const std::size_t slash = stem.find_last_of("\\/");
    if (slash != std::string::npos) stem.erase(0, slash + 1);
    const std::size_t dot = stem.find_last_of('.');
    if (dot != std::string::npos) stem.erase(dot);
    return stem + "." + className_;
}

bool TComServer::Idle() const {
    return TPluginInterface50::LiveObjects() == 0 && locks_ <= 0 && factories_ <= 0;
}

void TComServer::EnsureRuntime() {
    if (platform_) {
        if (std::this_thread::get_id() != runtimeThread_)
            throw std::runtime_error("the tables of this library run on another thread");
        return;
    }
    auto platform = std::make_unique<TWin32Platform>();
    auto application = std::make_unique<TApplication>(*platform);
    // The table's form and its game's client are known before the first table object asks for them.
    RegisterTableClasses();
    runtimeThread_ = std::this_thread::get_id();
    platform_ = std::move(platform);
    application_ = std::move(application);
}

bool TComServer::ReleaseRuntimeIfIdle() {
    if (!platform_) return Idle();
    if (!Idle() || std::this_thread::get_id() != runtimeThread_) return false;
    application_.reset();
    platform_.reset();
    return true;
}

} // namespace morvane
