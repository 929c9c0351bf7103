#pragma once

namespace morvane {

class TForm;
class TPluginChat50;
class TPluginDialog50;
class TPluginUser50;

// The hall panels as a table window carries them beside the 800-pixel table: the user list (nickname,
// level, beans, score) over the chat with its buttons and input line, in their skins.
void PlaceHallPanels(TForm& form, TPluginUser50& user, TPluginChat50& chat);

// The hub's dialog in the hall's floating-panel skin and buttons.
void DressHallDialog(TForm& form, TPluginDialog50& dialog);

} // namespace morvane
