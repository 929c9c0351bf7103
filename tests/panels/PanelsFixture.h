#pragma once

#include "plugin/HubFixture.h"

#include <string>

namespace morvane::test {

// The hub's fixture with the form shown, so that panels paint and take the focus.
class PanelsTest : public HubTest {
protected:
    PanelsTest() { form->SetBounds(0, 0, 640, 480); }
    void ShowForm() {
        form->Show();
        platform.RunUntilIdle();
    }
    // A point of the form in screen coordinates, for the platform's scripted mouse.
    TPoint At(const TControl& control, int x, int y) const { return control.ClientToScreen({x, y}); }
};

} // namespace morvane::test
