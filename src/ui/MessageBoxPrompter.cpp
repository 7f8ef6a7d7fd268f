#include "ui/MessageBoxPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

void MessageBoxPrompter::information(const QString& caption, const QString& text)
{
    QMessageBox::information(QApplication::activeWindow(), caption, text);
}

bool MessageBoxPrompter::question(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}

QString MessageBoxPrompter::typed(const QString& caption, const QString& text)
{
    return QInputDialog::getText(QApplication::activeWindow(), caption, text);
}
