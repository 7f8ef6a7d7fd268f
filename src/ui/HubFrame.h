#pragma once
// The frame of the four hubs (preparation, meeting, settings, post-meeting):
// page buttons in a dark column on the left, a one-line heading over them, and
// on the right a title line, one page at a time and a hint line for empty
// states. Pages are created once by the hub and only shown or hidden here.
//
// The button of the page on show stays disabled, as designed, but is drawn
// checked (light, with an accent bar), so it never looks like an unavailable one.
// Screen readers hear page buttons as page tabs whose action opens the page.
//
// A message that must not stop the hall (a store that failed while a sign-in
// or vote runs) goes to the message bar under the page, over the hint: no
// modal box, a newer text replaces the older, and it stays until the operator
// closes it.

#include "core/LanguageTable.h"

#include <QDialog>
#include <QList>
#include <QRect>

class QLabel;
class QPushButton;

class HubFrame : public QDialog
{
    Q_OBJECT
public:
    // Where the designed pages sit, right of the column.
    static constexpr QRect kPagePlace{198, 33, 818, 655};
    static constexpr int kColumnWidth = 190;
    // Property set on a page's button: screen readers hear it as a page tab.
    static constexpr const char* kPageButton = "hubPageTab";

    // `section` names the hub's language section (its DlgName is the window
    // title); `titleName` is the object name of the title line.
    HubFrame(const QString& section, const char* titleName, QWidget* parent = nullptr);

    const Texts& texts() const { return m_texts; }

    // The heading at the top of the column, shrunk until it fits on one line.
    QLabel* setHeading(const char* objectName, const QString& text);
    // A column button at x 20, 150 x 50, captioned by `key`, which is also its object name.
    QPushButton* addButton(const char* key, int y);
    // A small picture shown beside the title while its page is on show.
    QLabel* addMark(const char* objectName, const QPixmap& picture);
    // Registers a page; it starts hidden and unavailable until setPageAvailable.
    void addPage(QWidget* page, QPushButton* button, const QString& title, QLabel* mark = nullptr,
                 const QRect& place = kPagePlace);

    void showPage(QWidget* page);
    QWidget* currentPage() const { return m_current; }
    // An unavailable page's button is disabled (drawn faded, unlike the current one).
    void setPageAvailable(QWidget* page, bool available);
    // One line under the page; an empty text hides it.
    void setHint(const QString& text);
    // Shows `text` in the message bar, in place of the hint until the bar is closed.
    void showMessage(const QString& text);
    QWidget* messageBar() const { return m_bar; }
    // Training: the band at the right of the title line (the title gives way).
    void setTrainingBand(const QString& text);

private:
    struct Page
    {
        QWidget* widget;
        QPushButton* button;
        QString title;
        QLabel* mark;
        bool available;
    };
    void updateButtons();
    // The title from `m_titleLeft` to the band or the right edge: the band gives
    // way to a long title down to a narrowest width; a title still too long is
    // elided, whole in its tooltip.
    void layOutTitle();

    Texts m_texts;
    QWidget* m_column;
    QLabel* m_title;
    QString m_titleText;
    int m_titleLeft = kPagePlace.x() + 8;
    QLabel* m_hint;
    QWidget* m_bar;
    QLabel* m_barText;
    QLabel* m_band = nullptr;
    QList<Page> m_pages;
    QWidget* m_current = nullptr;
    bool m_marking = false;
};
