#pragma once
// File choosers for every page. Tests queue the answers instead of a dialog.

#include <QString>
#include <QStringList>

class QWidget;

namespace FileDialog {

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter);

// Test hook: the next calls return these paths in order (an empty one = cancelled)
// and record what was asked.
void setNextAnswers(const QStringList& paths);
struct Request
{
    bool save = false;
    QString caption;
    QString dir;
    QString filter;
};
QList<Request> takeRequests();

} // namespace FileDialog
