// Shell services of the platform layer: the log's message boxes and opening web links.
#pragma once

namespace Corvale
{
// Installs the log's message-box hook: SDL's box where a display exists and CORVALE_HEADLESS is
// not set; otherwise boxes are not shown at all (SDL's box waits for a click).
void PlatformMessageBoxInstall();
// Shows a box now under the same rule; used for start-up failures that the player must see.
void PlatformMessageBox(const char* title, const char* text, bool error);
// Opens a UTF-8 address in the desktop's browser. The address is handed to xdg-open as one
// argument, never through a shell.
bool URLOpen(const char* address);
} // namespace Corvale
