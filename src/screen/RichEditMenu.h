#pragma once
// The right-click edit menu of the document page's view and the insert dialog's editor, with the
// shared texts of section "Public". Entries that do not apply (editing a read-only view, cutting
// without a selection) are disabled.

#include <functional>

class QMenu;
class QPoint;
class QTextEdit;
class QWidget;

namespace RichEditMenu {

// chooseFont is called for "RiceSetFont"; the menu belongs to parent.
QMenu* create(QTextEdit* edit, const std::function<void()>& chooseFont, QWidget* parent);
// Shows the menu at a point of the editor's viewport and deletes it when it closes.
void popup(QTextEdit* edit, const std::function<void()>& chooseFont, const QPoint& at);

} // namespace RichEditMenu
