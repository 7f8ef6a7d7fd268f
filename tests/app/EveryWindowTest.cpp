// Two checks over every window in every language: each control a person can
// reach has an accessible name (a button's is its caption, a labelled
// control's is its label's caption), and every caption fits its control, so
// nothing is cut off on the operator's screen.

#include "EveryWindow.h"

#include "core/LanguageTable.h"
#include "support/Screenshot.h"
#include "ui/AccessibleNames.h"
#include "ui/PictureButton.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTextEdit>

namespace {

bool isControl(QWidget* widget)
{
    // Parts of composite controls (the edit inside a date edit, the headers
    // and corner button of a list) are named through their owner.
    if (widget->objectName().startsWith(QLatin1String("qt_"))) // Qt's own helpers
        return false;
    QWidget* owner = widget->parentWidget();
    if (qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner) ||
        qobject_cast<QAbstractItemView*>(owner))
        return false;
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
           qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
           qobject_cast<QTextEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
}

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

std::string where(const QString& view, QWidget* widget)
{
    return view.toStdString() + " / " + widget->objectName().toStdString() + " (" +
           widget->metaObject()->className() + ")";
}

void expectNamed(QWidget& window, const QString& view)
{
    QHash<QWidget*, QString> labelCaptions;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() && !label->text().isEmpty())
            labelCaptions.insert(label->buddy(), withoutMnemonic(label->text()).trimmed());

    int controls = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!isControl(widget) || !widget->isVisibleTo(&window))
            continue;
        ++controls;
        const QString spoken = heardName(widget);
        EXPECT_FALSE(spoken.trimmed().isEmpty()) << where(view, widget);
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->text().isEmpty()) {
            EXPECT_EQ(spoken, withoutMnemonic(button->text())) << where(view, widget);
        } else if (labelCaptions.contains(widget)) {
            EXPECT_EQ(spoken, labelCaptions.value(widget)) << where(view, widget);
        }
        // A choice list is named for what it chooses, not for the item it shows.
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->currentText().isEmpty()) {
            EXPECT_NE(spoken, combo->currentText()) << where(view, widget);
        }
    }
    EXPECT_GT(controls, 0) << view.toStdString();
}

void expectFits(QWidget& window, const QString& view)
{
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->isVisible() || label->textFormat() == Qt::RichText)
            continue;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(room.width()), room.height()) << where(view, label);
        } else {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width())
                << where(view, label);
        }
    }
    for (PictureButton* button : window.findChildren<PictureButton*>()) {
        if (button->caption().isEmpty() || !button->isVisible())
            continue;
        // The glyph and the gap beside it, and a margin on both sides.
        const int glyph = button->glyphName().isEmpty() ? 0 : button->glyphSize() + 8;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->caption()) + glyph, button->width() - 12)
            << where(view, button);
    }
    for (QTableWidget* table : window.findChildren<QTableWidget*>()) {
        if (!table->isVisible())
            continue;
        for (int column = 1; column < table->columnCount(); ++column) {
            const QTableWidgetItem* header = table->horizontalHeaderItem(column);
            if (header && !table->isColumnHidden(column)) {
                EXPECT_LE(table->horizontalHeader()->fontMetrics().horizontalAdvance(header->text()) + 6,
                          table->columnWidth(column))
                    << where(view, table) << " column " << column;
            }
        }
    }
}

class EveryWindow : public EveryWindowTest
{
};

TEST_P(EveryWindow, ControlsAreNamedForScreenReaders)
{
    forEveryView([](QWidget& window, const QString& view) { expectNamed(window, view); });
}

TEST_P(EveryWindow, CaptionsFitTheirControls)
{
    forEveryView([this](QWidget& window, const QString& view) {
        expectFits(window, view);
        saveScreenshot(window, view + QLatin1Char('-') + QString::fromLatin1(GetParam()));
    });
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryWindow, ::testing::Values("0", "1", "2"));

// A damaged table in the program folder and none installed: the English built
// in gives every window its words.
class EveryWindowWithADamagedTable : public EveryWindow
{
};

TEST_P(EveryWindowWithADamagedTable, NoCaptionIsEmptyWhereTheTableHasAText)
{
    const QString table = LanguageTable::fileForCode(QString::fromLatin1(GetParam()));
    QFile file(programFile(table));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray("\x00\x01\xfe binary", 10));
    file.close();
    LanguageTable::use(table, {});
    ASSERT_FALSE(LanguageTable::note().isEmpty());
    forEveryView([](QWidget& window, const QString& view) {
        expectNamed(window, view);
        saveScreenshot(window, view + QStringLiteral("-damaged-table"));
        const Texts shipped(window.objectName(), LanguageTable::builtInEnglish());
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisibleTo(&window) && !shipped(label->objectName()).isEmpty()) {
                EXPECT_FALSE(label->text().isEmpty()) << where(view, label);
            }
    });
}

INSTANTIATE_TEST_SUITE_P(Chinese, EveryWindowWithADamagedTable, ::testing::Values("0"));

} // namespace
