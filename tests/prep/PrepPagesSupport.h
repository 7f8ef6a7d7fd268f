#pragma once
// Small helpers for the preparation page tests: clicking list rows, typing,
// acting inside a modal dialog that a button opens, and reading rows back.

#include "data/DbAccess.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace prep_test {

inline void clickRow(QTableWidget* list, int row)
{
    ASSERT_NE(list->item(row, 1), nullptr) << "no row " << row;
    list->scrollToItem(list->item(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row, 1)).center());
}

inline void typeInto(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    edit->clear();
    edit->setFocus();
    // Key by key as a keyboard would, also for characters beyond ASCII.
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(edit, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Runs `act` on the next modal dialog once it is up (the caller then clicks the
// button that opens it). Fails the test when none appears.
inline void whenModal(std::function<void(QWidget*)> act, int triesLeft = 200)
{
    QTimer::singleShot(5, [act, triesLeft]() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog) {
            act(dialog);
            return;
        }
        if (triesLeft > 0)
            whenModal(act, triesLeft - 1);
        else
            ADD_FAILURE() << "no modal dialog appeared";
    });
}

// One column of the rows a query finds, as text.
inline QStringList column(const QString& path, const QString& sql, const char* name,
                          const QVariantList& values = {})
{
    DbAccess db;
    db.Connect(path);
    QStringList result;
    Recordset& rows = db.Query(sql, values);
    for (; !rows.isEof(); rows.moveNext()) {
        QString field;
        rows.read(name, field);
        result.append(field);
    }
    db.Disconnect();
    return result;
}

inline bool execute(const QString& path, const QString& sql, const QVariantList& values = {})
{
    DbAccess db;
    db.Connect(path);
    const bool done = db.Execute(sql, values);
    db.Disconnect();
    return done;
}

} // namespace prep_test
