#include "ui/FileDialog.h"

#include "core/ConsoleServices.h"

#include <QFileDialog>

namespace {

QString choose(QWidget* parent, const FileRequest& request)
{
    ConsoleServices& services = Services::current();
    if (services.files)
        return services.files->choose(parent, request);
    return request.save ? QFileDialog::getSaveFileName(parent, request.caption, request.dir, request.filter)
                        : QFileDialog::getOpenFileName(parent, request.caption, request.dir, request.filter);
}

} // namespace

namespace FileDialog {

QString getOpenFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return choose(parent, {false, caption, dir, filter});
}

QString getSaveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return choose(parent, {true, caption, dir, filter});
}

} // namespace FileDialog
