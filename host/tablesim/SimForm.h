#pragma once

#include "gui/Form.h"

#include <memory>

namespace morvane {
class TTwoEightClient;
}

namespace morvane::tablesim {

// The table form of the simulator, registered under the table's form class name: the hub, the baccarat
// client at the form's origin (so table coordinates are form coordinates) and, right of the table, the
// hall's user list with everybody's beans and the chat with every line the table shows.
std::unique_ptr<TForm> MakeSimForm();

// The client on a form made by MakeSimForm, or nullptr for another form.
TTwoEightClient* SimFormClient(TForm* form);

} // namespace morvane::tablesim
