#pragma once
// Saves a picture of a widget when CONSOLE_SCREENSHOT_DIR names a folder, so a
// person can look at the pages a test drove. Does nothing otherwise.

#include <QString>
#include <QWidget>

inline void saveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}
