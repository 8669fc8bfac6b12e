// The sample account that ships beside Ledgerpad.exe (SAMPLE.LPD and its
// information file) is copied into a new accounts folder, so that a new
// user has something to explore. A sample the user deletes later stays
// deleted: the copy happens only on the start that made the folder.
#pragma once

#include <string>

// Copies both sample files from programFolder into accountsFolder (each
// folder with its trailing "\"). Nothing is copied unless both files are
// there; an existing file is never replaced. A failure is logged, and what
// was copied is removed again, so the folder holds both files or neither.
// True when both were copied.
bool CopySampleAccount(const std::string& programFolder, const std::string& accountsFolder);

// The same from the folder of the running program.
bool CopySampleAccountBesideProgram(const std::string& accountsFolder);
