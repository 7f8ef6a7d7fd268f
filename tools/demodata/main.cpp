// demodata --root DIR: adds a prepared demonstration meeting to a program
// folder (made from the shipped tree when it is new), so the console has
// delegates and motions to show from its first start, and a hall of seats
// for the speaking page.

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "demodata/DemoMeeting.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Adds a demonstration meeting to a program folder."));
    parser.addHelpOption();
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Program folder."),
                                        QStringLiteral("DIR"));
    parser.addOption(rootOption);
    parser.process(application);
    if (!parser.isSet(rootOption)) {
        std::fprintf(stderr, "demodata: --root DIR is required\n");
        return 2;
    }

    QString error;
    const QString folder = ProgramFolder::choose(
        {parser.value(rootOption), QString(), QString(), {QStringLiteral(CONSOLE_SHARE_SOURCE_DIR)}}, &error);
    if (folder.isEmpty()) {
        std::fprintf(stderr, "demodata: %s\n", qPrintable(error));
        return 1;
    }
    ProgramFolder::set(folder);
    if (!Schema::ensureSystemDatabase())
        return 1;
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.load();
    LanguageTable::setFile(LanguageTable::fileForCode(appearance.borderism));

    // A folder made before the demo had a hall gets one on the next run.
    if (!DemoMeeting::addSeatLayout()) {
        std::fprintf(stderr, "demodata: the seat layout could not be stored\n");
        return 1;
    }
    switch (DemoMeeting::create()) {
    case DemoMeeting::Result::Created:
        std::printf("demodata: meeting \"%s\" added to %s\n", qPrintable(DemoMeeting::kName),
                    qPrintable(folder));
        return 0;
    case DemoMeeting::Result::AlreadyThere:
        return 0;
    case DemoMeeting::Result::Failed:
        std::fprintf(stderr, "demodata: the demonstration meeting could not be stored\n");
        return 1;
    }
    return 1;
}
