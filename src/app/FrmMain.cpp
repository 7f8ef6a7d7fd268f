#include "FrmMain.h"

#include "LanguageTable.h"

#include <cstdio>

FrmMain::FrmMain(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    const Texts texts(QStringLiteral("FrmMain"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    setFixedSize(1024, 741);
}

void FrmMain::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    std::fprintf(stdout, "system: brought to the front by a second start\n");
    std::fflush(stdout);
}
