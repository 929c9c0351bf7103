#include "form/TableClasses.h"

#include "form/FormPluginClient.h"
#include "game/TwoEightClient.h"
#include "plugin/GameClientRegistry.h"

namespace morvane {

void RegisterTableClasses() {
    RegisterFormPluginClient();
    RegisterGameClient(LibraryGameId(), [](TComponent* owner) -> std::unique_ptr<TCustomPluginClient> {
        return std::make_unique<TTwoEightClient>(owner);
    });
}

void UnregisterTableClasses() {
    UnregisterGameClient(LibraryGameId());
    UnregisterFormPluginClient();
}

} // namespace morvane
