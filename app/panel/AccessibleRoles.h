#pragma once

// The accessible roles of the panel's own widgets that Qt cannot tell from their class: the
// swatch is a graphic, the announcer a notification. Installs the factory once per process;
// call it before the widgets are first queried.
namespace AccessibleRoles {

void install();

} // namespace AccessibleRoles
