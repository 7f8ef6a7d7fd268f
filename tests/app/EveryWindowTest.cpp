// Two checks over every window in every language: each control a person can
// reach has an accessible name (a button's is its caption, a labelled
// control's is its label's caption), and every caption fits its control, so
// nothing is cut off on the operator's screen.

#include "EveryWindow.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "support/Screenshot.h"
#include "ui/AccessibleNames.h"
#include "ui/PictureButton.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QTableView>
#include <QTextEdit>
#include <algorithm>

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
    for (QTableView* table : window.findChildren<QTableView*>()) {
        if (!table->isVisible() || !table->model() || table->horizontalHeader()->isHidden())
            continue;
        for (int column = 1; column < table->model()->columnCount(); ++column) {
            const QString header = table->model()->headerData(column, Qt::Horizontal).toString();
            if (!header.isEmpty() && !table->isColumnHidden(column)) {
                EXPECT_LE(table->horizontalHeader()->fontMetrics().horizontalAdvance(header) + 6,
                          table->columnWidth(column))
                    << where(view, table) << " column " << column;
            }
        }
    }
}

// Every value of a language table, one line per key.
QSet<QString> tableValues(const QString& file)
{
    QSet<QString> values;
    QFile table(ProgramFolder::filePath(QStringLiteral("System/Menu/") + file));
    if (!table.open(QIODevice::ReadOnly))
        return values;
    for (const QString& line : QString::fromUtf8(table.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && !line.startsWith(QLatin1Char(';')))
            values.insert(line.mid(equals + 1).trimmed());
    }
    return values;
}

// What a window shows in words: captions, titles, list items and headings.
QStringList shownTexts(QWidget& window)
{
    QStringList shown{window.windowTitle()};
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget); label && label->textFormat() != Qt::RichText)
            shown << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            shown << withoutMnemonic(button->text());
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            shown << box->title();
        else if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                shown << combo->itemText(i);
        else if (auto* table = qobject_cast<QTableView*>(widget); table && table->model())
            for (int column = 0; column < table->model()->columnCount(); ++column) {
                shown << table->model()->headerData(column, Qt::Horizontal).toString();
                for (int row = 0; row < table->model()->rowCount(); ++row)
                    shown << table->model()->index(row, column).data().toString();
            }
    }
    return shown;
}

bool hasChinese(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

class EveryWindow : public EveryWindowTest
{
};

TEST_P(EveryWindow, TextsAreInTheLanguageInUse)
{
    const QString language = QString::fromLatin1(GetParam());
    if (language == QLatin1String("0"))
        GTEST_SKIP() << "Chinese is the designed language of the fixed texts";
    // English texts that Portuguese says differently ("OK" is both).
    const QSet<QString> english =
        tableValues(QStringLiteral("menu_e.ini")) - tableValues(QStringLiteral("menu_p.ini"));
    forEveryView([&](QWidget& window, const QString& view) {
        for (const QString& text : shownTexts(window)) {
            // Each language is named in itself in the language choice.
            if (text.isEmpty() || text == QStringLiteral("中文") || text == QStringLiteral("English"))
                continue;
            if (language == QLatin1String("2"))
                EXPECT_FALSE(english.contains(text)) << view.toStdString() << ": " << text.toStdString();
            else
                EXPECT_FALSE(hasChinese(text)) << view.toStdString() << ": " << text.toStdString();
        }
    });
}

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
