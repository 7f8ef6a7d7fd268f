#pragma once
// Helpers for the preparation page tests.

#include "data/DbAccess.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace prep_test {

inline void clickRow(QTableView* list, int row)
{
    const QModelIndex cell = list->model()->index(row, 1);
    ASSERT_TRUE(cell.isValid()) << "no row " << row;
    list->scrollTo(cell);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(cell).center());
}

// Key by key as a keyboard would, also for characters beyond ASCII.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    edit->clear();
    edit->setFocus();
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Runs `act` on the next modal dialog once it is up; fails when none appears.
inline void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200)
{
    QTimer::singleShot(5, [act, triesLeft]() {
        if (QWidget* dialog = QApplication::activeModalWidget())
            act(dialog);
        else if (triesLeft > 0)
            whenModal(act, triesLeft - 1);
        else
            ADD_FAILURE() << "no modal dialog appeared";
    });
}

inline QStringList column(const QString& path, const QString& sql, const char* name,
                          const QVariantList& values = {})
{
    QStringList result;
    for (const DbRow& row : DbAccess::selectOnce(path, sql, values).value_or(QList<DbRow>()))
        result.append(row.text(name));
    return result;
}

} // namespace prep_test
