// The program's version text, shared by the About box and the help page.
extern const char kLedgerpadVersion[] = "1.0.0";
