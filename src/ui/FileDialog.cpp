#include "ui/FileDialog.h"

#include <QFileDialog>

namespace {
QStringList g_answers;
bool g_scripted = false;
QList<FileDialog::Request> g_requests;

QString answer(bool save, const QString& caption, const QString& dir, const QString& filter)
{
    g_requests.append({save, caption, dir, filter});
    if (g_answers.isEmpty())
        return QString();
    return g_answers.takeFirst();
}
} // namespace

namespace FileDialog {

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (g_scripted)
        return answer(false, caption, dir, filter);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    if (g_scripted)
        return answer(true, caption, dir, filter);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void setNextAnswers(const QStringList& paths)
{
    g_scripted = true;
    g_answers = paths;
}

QList<Request> takeRequests()
{
    return std::exchange(g_requests, {});
}

} // namespace FileDialog
