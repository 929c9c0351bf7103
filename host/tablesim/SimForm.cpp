#include "host/tablesim/SimForm.h"

#include "game/TwoEightClient.h"
#include "host/HallPanels.h"
#include "panels/PluginChat50.h"
#include "panels/PluginUser50.h"
#include "plugin/PluginCommandForm.h"
#include "plugin/PluginShare50.h"

#include <string>

namespace morvane::tablesim {
namespace {

class TSimForm : public TPluginCommandForm {
public:
    TSimForm() : TPluginCommandForm(nullptr) {
        SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        SetCaption("百家乐");
        auto* hub = Own(std::make_unique<TPluginShare50>(this));
        SetCommandHub(hub);
        client_ = Own(std::make_unique<TTwoEightClient>(this));
        client_->SetParent(this);
        client_->SetBounds(0, 0, TTwoEightClient::kTableWidth, TTwoEightClient::kTableHeight);
        auto* users = Own(std::make_unique<TPluginUser50>(this));
        auto* chat = Own(std::make_unique<TPluginChat50>(this));
        users->SetParent(this);
        chat->SetParent(this);
        PlaceHallPanels(*this, *users, *chat);
        hub->SetPluginUser(users);
        hub->SetPluginChat(chat);
        hub->SetPluginClient(client_);
    }
    TTwoEightClient* Client() const { return client_; }

private:
    TTwoEightClient* client_{nullptr};
};

} // namespace

std::unique_ptr<TForm> MakeSimForm() {
    return std::make_unique<TSimForm>();
}

TTwoEightClient* SimFormClient(TForm* form) {
    auto* sim = dynamic_cast<TSimForm*>(form);
    return sim ? sim->Client() : nullptr;
}

} // namespace morvane::tablesim
