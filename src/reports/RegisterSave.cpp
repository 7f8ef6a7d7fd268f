#include "reports/RegisterSave.h"

#include "core/ConsoleServices.h"
#include "core/LanguageTable.h"
#include "reports/RecordCheck.h"
#include "reports/RegisterExport.h"
#include "ui/FileDialog.h"
#include "ui/PageTexts.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The folder of the last export in this run; the first (or one whose folder is
// gone) starts in the user's documents.
QString suggestedPath(const RegisterHeading& heading)
{
    const QString& last = Services::current().lastExportFolder;
    const QString folder = last.isEmpty() || !QDir(last).exists()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : last;
    QString name = heading.title + QStringLiteral(" – ") + heading.subject;
    name.remove(QRegularExpression(QStringLiteral(R"([/\\:*?"<>|])")));
    return QDir(folder).filePath(name + QStringLiteral(".xlsx"));
}

} // namespace

namespace RegisterSave {

void run(QWidget* parent, const PageTexts& texts, const QString& caption, const RegisterTable& table,
         const RegisterHeading& heading)
{
    QString path;
    RegisterExport::Format format = RegisterExport::Format::Xlsx;
    bool renamed = false;
    for (;;) {
        const QString chosen =
            FileDialog::getSaveFileName(parent, caption, suggestedPath(heading), RegisterExport::filter());
        if (chosen.isEmpty())
            return;
        Services::current().lastExportFolder = QFileInfo(chosen).absolutePath();
        path = RegisterExport::targetPath(chosen, &format, &renamed);
        // The dialog confirmed the name it was given, not the one made of it; No chooses again.
        if (path == chosen || !QFileInfo::exists(path) ||
            texts.question(QStringLiteral("MsgExportReplace"), path))
            break;
    }
    QString detail;
    if (!RegisterExport::write(path, format, table, heading, &detail)) {
        texts.message(QStringLiteral("MsgExportErr"), detail);
        return;
    }
    texts.message(renamed ? QStringLiteral("MsgExportAsXlsx") : QStringLiteral("MsgExportDone"), path);
}

RegisterHeading heading(const QString& meeting, const QString& subject)
{
    const Texts preview(QStringLiteral("FrmSysPre"));
    return {meeting,
            subject,
            QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")),
            preview(QStringLiteral("MsgPrintDate")),
            preview(QStringLiteral("MsgPageLine")),
            RecordCheck::printedLine(RecordCheck::check(meeting), Texts(QStringLiteral("Public")))};
}

} // namespace RegisterSave
