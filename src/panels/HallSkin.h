#pragma once

#include <string_view>

namespace morvane {

class TComponent;
class TImageList;
class TLovelyPanel;

// The generated skin of the hall panels: button families as the skinned buttons read them and the
// floating panels' picture.

// Appends a picture button family (base + COMM, MOVE, DOWN, GRAY) to an image list in the order the
// skinned buttons read it: normal, hover, pressed, disabled. A missing state repeats the normal
// picture, so the four stay together; false when the family has no normal picture.
bool AddButtonFamily(TImageList& images, std::string_view base);
// A new image list owned by `owner` holding one family; empty when the family is missing.
TImageList* MakeButtonList(TComponent& owner, std::string_view base);
// A new image list owned by `owner` with the chat's faces in face order (as many as there are pictures).
TImageList* MakeFaceList(TComponent& owner);
// Gives a floating panel or dialog the hall's panel picture, stretched by its centre lines.
void DressFloatingPanel(TLovelyPanel& panel);

} // namespace morvane
