#include "app/StartUp.h"

#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Link.h"
#include "prep/MeetingTable.h"
#include "training/TrainingFolder.h"
#include "training/TrainingHall.h"
#include "web/WebView.h"

namespace {

SystemSettings storedSettings()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    return settings.typed();
}

} // namespace

StartUp::StartUp(Link& link, TimerService& timers, WebView& webView)
    : m_link(link), m_timers(timers), m_webView(webView)
{
}

StartUp::~StartUp() = default;

void StartUp::run(Mode mode)
{
    emit loginWanted();
    if (mode == Mode::Training)
        enterTraining();
    emit searchStarting();
    const SystemSettings settings = storedSettings();
    m_link.setAnswerDrivenPace(settings.answerDrivenPace);
    if (settings.webOn)
        m_webView.apply(true, settings.webPort, settings.webInterface);
    m_link.start(settings.lowestPort, settings.highestPort, settings.unitCount, settings.chairCount);
}

bool StartUp::enterTraining()
{
    if (isTraining())
        return true;
    QString error;
    if (m_trainingFolder.isEmpty())
        error = QStringLiteral("no training folder");
    else if (TrainingFolder::seed(ProgramFolder::path(), m_trainingFolder, &error))
        ProgramFolder::set(m_trainingFolder);
    if (!error.isEmpty()) {
        emit trainingRefused(error);
        return false;
    }
    // The hall has the configured counts; the copy holds the same settings row.
    const SystemSettings settings = storedSettings();
    m_trainingHall = std::make_unique<TrainingHall>(settings.unitCount, settings.chairCount, m_timers);
    m_trainingHall->setLively(true);
    m_link.setPipeFactory(m_trainingHall->pipeFactory());
    emit trainingEntered();
    return true;
}

bool StartUp::meetingHeld()
{
    return MeetingTable().anySignedIn();
}
