#include "storage/acct_info_credit_card.h"

#include "storage/deserializer.h"
#include "storage/exception_reporter.h"
#include "storage/exceptions.h"
#include "storage/log.h"
#include "storage/serializer.h"

bool AcctInfoCreditCard::Save(const char* accountFile) {
    try {
        Serializer writer(InfoFileName(accountFile).c_str());
        Serialize(writer);
        writer.Commit();
        return true;
    } catch (...) {
        // The typed stream has logged what failed; the old file is intact.
        return false;
    }
}

void AcctInfoCreditCard::LoadSaved(const char* accountFile) {
    InfoFileName(accountFile);
    ClearFields();
    try {
        // The reader is gone (and its file closed) before a catch runs, so
        // the file can be written anew there.
        DeSerializer reader(m_FileName.c_str());
        DeSerialize(reader);
        return;
    } catch (const ExceptionBase& e) {
        WriteLog("Initialization::LoadSaved ExceptionBase Exception caught");
        ExceptionReporter reporter;
        e.Describe(reporter);
    } catch (...) {
    }
    Save(accountFile);
}
