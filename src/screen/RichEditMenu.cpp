#include "screen/RichEditMenu.h"

#include "core/LanguageTable.h"

#include <QKeySequence>
#include <QMenu>
#include <QTextEdit>

namespace RichEditMenu {

QMenu* create(QTextEdit* edit, const std::function<void()>& chooseFont, QWidget* parent)
{
    const Texts texts(QStringLiteral("Public"));
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("RiceEdit"));
    const bool editable = !edit->isReadOnly();
    const bool selection = edit->textCursor().hasSelection();
    auto add = [&](const QString& name, const std::function<void()>& run, QKeySequence::StandardKey shortcut,
                   bool enabled) {
        QAction* action = menu->addAction(texts(name));
        QObject::connect(action, &QAction::triggered, menu, [run] { run(); });
        action->setObjectName(name);
        if (shortcut != QKeySequence::UnknownKey) {
            action->setShortcut(shortcut);
            action->setShortcutVisibleInContextMenu(true);
        }
        action->setEnabled(enabled);
    };
    add(
        QStringLiteral("RiceUndo"), [edit] { edit->undo(); }, QKeySequence::Undo,
        editable && edit->document()->isUndoAvailable());
    menu->addSeparator();
    add(
        QStringLiteral("RiceCut"), [edit] { edit->cut(); }, QKeySequence::Cut, editable && selection);
    add(
        QStringLiteral("RiceCopy"), [edit] { edit->copy(); }, QKeySequence::Copy, selection);
    add(
        QStringLiteral("RicePaste"), [edit] { edit->paste(); }, QKeySequence::Paste,
        editable && edit->canPaste());
    add(
        QStringLiteral("RiceClear"), [edit] { edit->textCursor().removeSelectedText(); },
        QKeySequence::Delete, editable && selection);
    menu->addSeparator();
    add(
        QStringLiteral("RiceSele"), [edit] { edit->selectAll(); }, QKeySequence::SelectAll, true);
    menu->addSeparator();
    add(QStringLiteral("RiceSetFont"), chooseFont, QKeySequence::UnknownKey, true);
    return menu;
}

void popup(QTextEdit* edit, const std::function<void()>& chooseFont, const QPoint& at)
{
    QMenu* menu = create(edit, chooseFont, edit);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(edit->viewport()->mapToGlobal(at));
}

} // namespace RichEditMenu
