#include "plugin/PluginFormRegistry.h"

#include "gui/Form.h"

#include <map>
#include <mutex>

namespace morvane {
namespace {

struct TFormClasses {
    std::mutex lock;
    std::map<std::string, TFormFactory> factories;
};

TFormClasses& FormClasses() {
    static TFormClasses classes;
    return classes;
}

} // namespace

void RegisterFormClass(const std::string& name, TFormFactory factory) {
    TFormClasses& classes = FormClasses();
    std::lock_guard guard(classes.lock);
    classes.factories[name] = std::move(factory);
}

void UnregisterFormClass(const std::string& name) {
    TFormClasses& classes = FormClasses();
    std::lock_guard guard(classes.lock);
    classes.factories.erase(name);
}

bool FormClassRegistered(const std::string& name) {
    TFormClasses& classes = FormClasses();
    std::lock_guard guard(classes.lock);
    return classes.factories.contains(name);
}

std::unique_ptr<TForm> CreateRegisteredForm(const std::string& name) {
    TFormFactory factory;
    {
        TFormClasses& classes = FormClasses();
        std::lock_guard guard(classes.lock);
        auto it = classes.factories.find(name);
        if (it == classes.factories.end()) return nullptr;
        factory = it->second;
    }
    return factory();
}

} // namespace morvane
