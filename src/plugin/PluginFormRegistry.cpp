#include "plugin/PluginFormRegistry.h"

#include "gui/Form.h"
#include "plugin/FactoryRegistry.h"

namespace morvane {
namespace {

TFactoryRegistry<TFormFactory>& FormClasses() {
    static TFactoryRegistry<TFormFactory> classes;
    return classes;
}

} // namespace

void RegisterFormClass(const std::string& name, TFormFactory factory) {
    FormClasses().Add(name, std::move(factory));
}

void UnregisterFormClass(const std::string& name) {
    FormClasses().Remove(name);
}

bool FormClassRegistered(const std::string& name) {
    return FormClasses().Contains(name);
}

std::unique_ptr<TForm> CreateRegisteredForm(const std::string& name) {
    const TFormFactory factory = FormClasses().Find(name);
    return factory ? factory() : nullptr;
}

} // namespace morvane
