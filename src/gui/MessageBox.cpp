#include "gui/MessageBox.h"

#include "gui/Application.h"

namespace morvane {

int MessageBox(const std::string& caption, const std::string& text, std::uint32_t buttons) {
    constexpr int kCancelled = 2;
    if (!HasApplication()) return kCancelled;
    return Application().System().MessageBox(caption, text, buttons);
}

} // namespace morvane
