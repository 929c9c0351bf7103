#include "form/FormPluginClient.h"
#include "form/TableClasses.h"
#include "game/TwoEightClient.h"
#include "graphics/BjlTopBar.h"
#include "gui/CustomPanel.h"
#include "gui/Label.h"
#include "host/HostFrames.h"
#include "host/TestHallHost.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/GameClientRegistry.h"
#include "plugin/PluginInterface50.h"
#include "plugin/PluginShare50.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace morvane::test {
namespace {

std::int64_t NextCookie() {
    static int counter = 0;
    return 880000000 + std::int64_t(::getpid()) * 64 + ++counter;
}

// A second game as small as a game can be: its own table size, a strip over the form's title, and the
// frames it is handed, counted.
class TSecondGameClient : public TCustomPluginClient {
public:
    explicit TSecondGameClient(TComponent* owner) : TCustomPluginClient(owner) {
        strip_ = Own(std::make_unique<TCustomPanel>(this));
        strip_->SetParent(this);
        strip_->SetBounds(40, 30, 300, 20);
    }
    void GetFacePath(std::string& path) override { path.clear(); }
    TSize TableSize() const override { return {900, 600}; }
    std::unique_ptr<TControl> ReleaseTitleStrip() override {
        return std::unique_ptr<TControl>(static_cast<TControl*>(ReleaseComponent(strip_).release()));
    }
    void DoUserEnter(const STRU_PLUGIN_USERINFO&) override { ++usersEntered; }

    TCustomPanel* strip_{nullptr};
    int usersEntered{0};
};

class GameClientSeamTest : public HeadlessTest {
protected:
    GameClientSeamTest() { RegisterTableClasses(); }
    ~GameClientSeamTest() override {
        if (table) table->Release();
        platform.RunUntilIdle();
        // Later tests of the process find the library's own game again.
        RegisterTableClasses();
    }

    void Open() {
        table = TPluginInterface50::Create();
        form = dynamic_cast<TFormPluginClient*>(table->Form());
        ASSERT_TRUE(form);
        ASSERT_EQ(table->SetRequestInterface(&host), S_OK);
        const std::int64_t me = 1001;
        ASSERT_EQ(table->Initialize(NextCookie(), "百家乐", &me, "玩家甲", 0, 0, 0, 0), S_OK);
        platform.RunUntilIdle();
    }
    void Post(const std::vector<std::uint8_t>& frame) {
        table->PostCommand(std::int32_t(frame.size()), reinterpret_cast<const char*>(frame.data()));
        platform.RunUntilIdle();
    }

    TTestHallHost host;
    TPluginInterface50* table{nullptr};
    TFormPluginClient* form{nullptr};
};

TEST(GameIdentityTest, AnIdentityIsTheBracedUpperCaseGuidAndAnythingElseIsRefused) {
    EXPECT_EQ(NormalizedGameId("1d3c5a7e-0b2f-4c6d-8e9a-0123456789ab"),
              "{1D3C5A7E-0B2F-4C6D-8E9A-0123456789AB}");
    EXPECT_EQ(NormalizedGameId("{1d3c5a7e-0b2f-4c6d-8e9a-0123456789ab}"),
              "{1D3C5A7E-0B2F-4C6D-8E9A-0123456789AB}");
    EXPECT_EQ(NormalizedGameId(""), "");
    EXPECT_EQ(NormalizedGameId("{1d3c5a7e-0b2f-4c6d-8e9a-0123456789ab"), "");
    EXPECT_EQ(NormalizedGameId("1d3c5a7e+0b2f-4c6d-8e9a-0123456789ab"), "");
    EXPECT_EQ(NormalizedGameId("1d3c5a7e-0b2f-4c6d-8e9a-0123456789ag"), "");
    EXPECT_FALSE(
        RegisterGameClient("baccarat", [](TComponent* owner) -> std::unique_ptr<TCustomPluginClient> {
            return std::make_unique<TSecondGameClient>(owner);
        }));
    EXPECT_EQ(CreateGameClient("baccarat", nullptr), nullptr);
    EXPECT_FALSE(LibraryGameId().empty());
}

TEST_F(GameClientSeamTest, TheFormOwnsTheLibrarysGameClientAndTheTopBarItLaysOverTheTitle) {
    Open();
    auto* client = dynamic_cast<TTwoEightClient*>(form->GameClient());
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->Owner(), form);
    EXPECT_EQ(client->Parent(), form->PanelClient());
    EXPECT_EQ(form->PanelClient()->Width(), TTwoEightClient::kTableWidth);
    EXPECT_EQ(form->PanelClient()->Height(), TTwoEightClient::kTableHeight);
    // The bar lies on the form, above the hall panels, and is the form's: ownership follows parenting.
    EXPECT_EQ(client->TopBar().Parent(), form);
    EXPECT_EQ(client->TopBar().Owner(), form);
    EXPECT_EQ(form->LabelTitle()->Parent(), client);
}

TEST_F(GameClientSeamTest, ASecondGameRegisteredUnderTheLibrarysIdentityPlugsInWithoutTheForm) {
    ASSERT_TRUE(
        RegisterGameClient(LibraryGameId(), [](TComponent* owner) -> std::unique_ptr<TCustomPluginClient> {
            return std::make_unique<TSecondGameClient>(owner);
        }));
    Open();
    auto* client = dynamic_cast<TSecondGameClient*>(form->GameClient());
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(form->PanelClient()->Width(), 900);
    EXPECT_EQ(form->PanelClient()->Height(), 600);
    EXPECT_EQ(form->LabelTitle()->Width(), 900);
    ASSERT_NE(client->strip_, nullptr);
    EXPECT_EQ(client->strip_->Parent(), form);
    EXPECT_EQ(client->strip_->Owner(), form);
    // Where the game placed it: the client sits at the panel's corner, which is the form's.
    const TPoint stripAt = client->strip_->ClientToScreen({0, 0});
    const TPoint clientAt = client->ClientToScreen({0, 0});
    EXPECT_EQ(stripAt.x - clientAt.x, 40);
    EXPECT_EQ(stripAt.y - clientAt.y, 30);
    // The hub hands it the frames as it would the baccarat table.
    STRU_PLUGIN_USERINFO user{};
    user.UserID = 20002;
    Post(hostframes::UserEnter(user));
    EXPECT_EQ(client->usersEntered, 1);
}

TEST_F(GameClientSeamTest, WithoutAGameOfItsIdentityTheWindowStillOpensAndClosesWithAnEmptyTable) {
    UnregisterGameClient(LibraryGameId());
    Open();
    EXPECT_EQ(form->GameClient(), nullptr);
    EXPECT_TRUE(form->Showing());
    EXPECT_EQ(form->PanelClient()->Width(), TCustomPluginClient::kDefaultTableSize.cx);
    STRU_PLUGIN_USERINFO user{};
    user.UserID = 20002;
    Post(hostframes::UserEnter(user));
    EXPECT_EQ(table->Finalize(), S_OK);
    platform.RunUntilIdle();
    EXPECT_EQ(host.Closed().size(), 1u);
}

} // namespace
} // namespace morvane::test
