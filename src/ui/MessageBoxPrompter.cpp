#include "ui/MessageBoxPrompter.h"

#include "core/LanguageTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// Qt's own captions are English; the buttons speak the language table's language.
int ask(const QString& caption, const QString& text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton preferred)
{
    QMessageBox box(QMessageBox::Information, caption, text, buttons, QApplication::activeWindow());
    const Texts texts(QStringLiteral("Public"));
    const struct
    {
        QMessageBox::StandardButton button;
        const char* key;
    } names[] = {{QMessageBox::Yes, "BtnYes"}, {QMessageBox::No, "BtnNo"}, {QMessageBox::Ok, "BtnOK"}};
    for (const auto& name : names) {
        QAbstractButton* button = box.button(name.button);
        const QString translated = texts(QString::fromLatin1(name.key));
        if (button && !translated.isEmpty())
            button->setText(translated);
    }
    box.setDefaultButton(preferred);
    return box.exec();
}

} // namespace

void MessageBoxPrompter::information(const QString& caption, const QString& text)
{
    ask(caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxPrompter::question(const QString& caption, const QString& text)
{
    return ask(caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxPrompter::questionDefaultNo(const QString& caption, const QString& text)
{
    return ask(caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QString MessageBoxPrompter::typed(const QString& caption, const QString& text)
{
    return QInputDialog::getText(QApplication::activeWindow(), caption, text);
}
