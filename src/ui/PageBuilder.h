#pragma once
// Builds a page's plain controls at designed places, each named by its
// language key or control number, captioned from the page's texts, and with
// an accessible name: a button's is its caption, an edit's or a combo box's
// the caption of its label, which also becomes the label's buddy.
//
// Combo boxes built here report that name to screen readers too: on Linux Qt
// otherwise names a combo box after its current item ("Male").

#include <QRect>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class Texts;

class PageBuilder
{
public:
    PageBuilder(QWidget* parent, const Texts& texts);

    // Controls made from now on go into `parent` (a group box, say).
    void setParent(QWidget* parent) { m_parent = parent; }

    // A label right-aligned against its control.
    QLabel* label(const char* id, const char* textKey, const QRect& place);
    QPushButton* button(const char* id, const QRect& place, const char* textKey = nullptr);
    QCheckBox* check(const char* id, const char* textKey, const QRect& place);
    // `caption` names the control and is its buddy; 0 leaves the length open.
    QLineEdit* edit(const char* id, const QRect& place, QLabel* caption, int maxLength = 0);
    QComboBox* combo(const char* id, const QRect& place, QLabel* caption, const QStringList& items);
    // A titled frame for a group of controls; build into it with setParent.
    static QGroupBox* group(QWidget* parent, const QString& title, const char* name, const QRect& place);
    // Names a control after its label, which becomes its buddy.
    static void nameAfter(QWidget* control, QLabel* caption);
    // Whatever reaches the field (typed or pasted) passes the filter at once; the cursor stays put.
    static void keepFiltered(QLineEdit* edit, QString (*filter)(const QString&));

    // Lets every combo box report its accessible name; done by the first builder.
    static void nameComboBoxesByLabel();

private:
    QWidget* m_parent;
    const Texts& m_texts;
};
