#include "gui/MessageBox.h"

#include "gui/Application.h"
#include "gui/Form.h"

namespace morvane {

int MessageBox(const TControl& from, const std::string& caption, const std::string& text,
               std::uint32_t buttons) {
    constexpr int kCancelled = 2;
    if (!HasApplication()) return kCancelled;
    const TForm* form = from.ParentForm();
    // A closed table asks nothing more.
    if (from.ActivityEnded() || (form && form->ActivityEnded())) return kCancelled;
    return Application().System().MessageBox(form ? form->WindowId() : 0, caption, text, buttons);
}

} // namespace morvane
