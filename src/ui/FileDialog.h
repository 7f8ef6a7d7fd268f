#pragma once
// File choosers for every page: the file chooser of the services in use
// (ConsoleServices), else the desktop's dialog.

#include <QString>

class QWidget;

namespace FileDialog {

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);

} // namespace FileDialog
