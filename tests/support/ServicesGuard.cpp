#include "support/ServicesGuard.h"

#include <utility>

ServicesGuard::ServicesGuard() : m_scope(*this)
{
    timers = &virtualClock;
    prompter = &prompts;
    files = &m_files;
    endProgram = [this](int code) { programEnds.append(code); };
}

ServicesGuard::~ServicesGuard() = default;

void ServicesGuard::answerFiles(const QStringList& paths)
{
    m_files.answers = paths;
}

QList<FileRequest> ServicesGuard::takeFileRequests()
{
    return std::exchange(m_files.requests, {});
}

void ServicesGuard::runDialogs(std::function<int(QDialog&)> run)
{
    m_dialogs.m_run = std::move(run);
    dialogs = m_dialogs.m_run ? &m_dialogs : nullptr;
}

QString ServicesGuard::Files::choose(QWidget*, const FileRequest& request)
{
    requests.append(request);
    return answers.isEmpty() ? QString() : answers.takeFirst();
}
