#pragma once
// The export dialog shared by both registers: asks for a file (the three
// types), writes the register and tells the operator where it went or why not.

#include "reports/RegisterTable.h"

class PageTexts;
class QWidget;

namespace RegisterSave {

// Messages: MsgExportAsXlsx, MsgExportReplace (question), MsgExportDone, MsgExportErr.
void run(QWidget* parent, const PageTexts& texts, const QString& caption, const RegisterTable& table,
         const RegisterHeading& heading);

// The heading of a printed or exported register of `meeting`, dated today.
RegisterHeading heading(const QString& meeting, const QString& subject);

} // namespace RegisterSave
