// Arbitrary bytes as a run of host frames into a table's hub: the first byte of each chunk gives its
// length. Whatever the bytes, decoding stays inside them and the seat table never outgrows the table.
#include "gui/Application.h"
#include "gui/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "plugin/CustomPluginClient.h"
#include "plugin/CustomPluginShare.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace {

using namespace morvane;

class TFuzzClient : public TCustomPluginClient {
public:
    using TCustomPluginClient::TCustomPluginClient;
    void GetFacePath(std::string& path) override { path.clear(); }
};

struct TTable {
    THeadlessPlatform platform;
    TApplication app{platform};
};

TTable& Table() {
    static TTable table;
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Table();
    TForm form(nullptr);
    auto* hub = form.Own(std::make_unique<TCustomPluginShare>(&form));
    auto* client = form.Own(std::make_unique<TFuzzClient>(&form));
    hub->SetPluginClient(client);
    std::span<const std::uint8_t> rest(data, size);
    while (!rest.empty()) {
        std::size_t length = std::min<std::size_t>(rest[0], rest.size() - 1);
        hub->ProcessFrame(rest.subspan(1, length));
        rest = rest.subspan(1 + length);
    }
    if (client->Seats().size() > 200) std::abort();
    return 0;
}
