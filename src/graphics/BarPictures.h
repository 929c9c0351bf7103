#pragma once

#include "gui/PngImage.h"
#include "ui/PluginPictureButton.h"

#include <string_view>

namespace morvane {

// The named picture, or an empty one when the resource is missing (an empty picture draws nothing).
TPngImage BarPicture(std::string_view name);

// Gives a picture button the faces base + "Comm", "Move", "Down", "Gray" (missing faces stay empty and
// the button falls back to the normal one); the button takes the normal face's size.
void LoadBarButton(TPictureButton& button, std::string_view base);

} // namespace morvane
