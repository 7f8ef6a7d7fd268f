#include "reports/RegisterSave.h"

#include "core/LanguageTable.h"
#include "reports/RecordCheck.h"
#include "reports/RegisterExport.h"
#include "ui/FileDialog.h"
#include "ui/PageTexts.h"

#include <QDate>
#include <QFileInfo>

namespace RegisterSave {

void run(QWidget* parent, const PageTexts& texts, const QString& caption, const RegisterTable& table,
         const RegisterHeading& heading)
{
    const QString chosen = FileDialog::getSaveFileName(parent, caption, QString(), RegisterExport::filter());
    if (chosen.isEmpty())
        return;
    RegisterExport::Format format = RegisterExport::Format::Xlsx;
    bool renamed = false;
    const QString path = RegisterExport::targetPath(chosen, &format, &renamed);
    // The dialog confirmed the name it was given, not the one made of it.
    if (path != chosen && QFileInfo::exists(path) &&
        !texts.question(QStringLiteral("MsgExportReplace"), path))
        return;
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
