#include "ui/start_choice.h"

#include "ui/dialog_ids.h"

StartAction DecideStartChoice(int choice, int existingAccounts, const char* mostRecent) {
    switch (choice) {
        case kIdCreateAccount: return StartAction::Create;
        case kIdOpenAccount:
            return existingAccounts > 0 ? StartAction::OpenFromList : StartAction::TellNoAccountToOpen;
        case kIdOpenRecent:
            if (existingAccounts == 0) return StartAction::TellNoAccountForRecent;
            if (!mostRecent || !*mostRecent) return StartAction::TellNoRecentAccount;
            return StartAction::OpenMostRecent;
        default: return StartAction::Quit;
    }
}
