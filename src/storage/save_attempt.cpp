#include "storage/save_attempt.h"

#include <cstdio>
#include <vector>

#include "storage/save_messages.h"

namespace {

SaveAttempt* g_current = nullptr;

}  // namespace

SaveAttempt::SaveAttempt(Report report) : m_Report(report) {
    if (report == Report::Show && g_current) return;
    m_Active = true;
    m_Outer = g_current;
    g_current = this;
}

SaveAttempt::~SaveAttempt() {
    if (m_Active) g_current = m_Outer;
}

bool SaveAttempt::MayTry() { return !g_current || !g_current->m_Failed; }

bool SaveAttempt::Record(const std::string& file, unsigned long error) {
    if (!g_current) return true;
    if (g_current->m_Failed) return false;
    g_current->m_Failed = true;
    g_current->m_Failure = {file, error};
    return g_current->m_Report == Report::Show;
}

std::string QuitAnywayQuestion(const std::string& file, std::string reason) {
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    std::vector<char> text(sizeof kQuitAnywayText + file.size() + reason.size());
    std::snprintf(text.data(), text.size(), kQuitAnywayText, file.c_str(), reason.c_str());
    return text.data();
}
