#pragma once
// Dialogs in which only their buttons may act ignore Enter and Escape.

#include <QKeyEvent>

namespace DialogKeys {

inline bool isEnterOrEscape(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || event.key() == Qt::Key_Escape;
}

} // namespace DialogKeys
