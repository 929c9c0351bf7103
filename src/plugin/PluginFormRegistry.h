#pragma once

#include <functional>
#include <memory>
#include <string>

namespace morvane {

class TForm;

// Form classes registered by name, as the table's form unit registers "TFormPluginClient" when the
// library loads; the COM object creates its form through it, so that it does not depend on the form.
using TFormFactory = std::function<std::unique_ptr<TForm>()>;

void RegisterFormClass(const std::string& name, TFormFactory factory);
void UnregisterFormClass(const std::string& name);
bool FormClassRegistered(const std::string& name);
// nullptr when no class of that name is registered.
std::unique_ptr<TForm> CreateRegisteredForm(const std::string& name);

} // namespace morvane
