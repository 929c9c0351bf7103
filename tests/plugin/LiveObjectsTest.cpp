#include "gui/Form.h"
#include "plugin/PluginFormRegistry.h"
#include "plugin/PluginInterface50.h"
#include "support/headless/HeadlessApp.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace morvane::test {
namespace {

// The library may be unloaded only while no table object lives; the count must come back to where it
// was however an object ends, also when its form could not be made.
TEST_F(HeadlessTest, TableObjectsAreCountedFromCreationToTheLastRelease) {
    UnregisterFormClass(TPluginInterface50::kFormClassName);
    const long before = TPluginInterface50::LiveObjects();
    TPluginInterface50* first = TPluginInterface50::Create();
    TPluginInterface50* second = TPluginInterface50::Create();
    EXPECT_EQ(TPluginInterface50::LiveObjects(), before + 2);
    first->AddRef();
    first->Release();
    EXPECT_EQ(TPluginInterface50::LiveObjects(), before + 2);
    first->Release();
    second->Release();
    EXPECT_EQ(TPluginInterface50::LiveObjects(), before);

    RegisterFormClass(TPluginInterface50::kFormClassName,
                      []() -> std::unique_ptr<TForm> { throw std::runtime_error("no window"); });
    EXPECT_THROW(TPluginInterface50::Create(), std::runtime_error);
    EXPECT_EQ(TPluginInterface50::LiveObjects(), before);
    UnregisterFormClass(TPluginInterface50::kFormClassName);
    EXPECT_FALSE(FormClassRegistered(TPluginInterface50::kFormClassName));
}

} // namespace
} // namespace morvane::test
