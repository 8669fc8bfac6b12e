// The program's version text, shared by the About box and the help page.
#include "ledgerpad_version.h"

extern const char kLedgerpadVersion[] = LEDGERPAD_VERSION_TEXT;
