// The one place where the register and the other message-showing parts ask
// for the modeless Find dialog to be closed before a message box, so that
// the message is never hidden behind it. The Find feature installs the
// function that closes its dialog; until then nothing is closed.
#pragma once

using CloseFindDialogFunction = void (*)();

// Installs the closing function and returns the previous one (nullptr:
// nothing to close).
CloseFindDialogFunction SetCloseFindDialogFunction(CloseFindDialogFunction function);

// Closes the Find dialog when one is open.
void CloseFindDialogBeforeMessage();
