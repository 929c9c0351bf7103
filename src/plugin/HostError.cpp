#include "plugin/HostError.h"

#include "plugin/HubFormat.h"

namespace morvane {

THostError::THostError(const std::string& operation, HRESULT result)
    : std::runtime_error("host call " + operation + " failed with " + hub::HexUpper(std::uint32_t(result))),
      result_(result) {}

void CheckHost(const char* operation, HRESULT result) {
    if (FAILED(result)) throw THostError(operation, result);
}

} // namespace morvane
