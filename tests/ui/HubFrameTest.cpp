#include "ui/HubFrame.h"
#include "ui/AccessibleNames.h"
#include "ui/PageBuilder.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Without a language table every caption is empty; the frame works the same.
TEST(HubFrameTest, CurrentPageIsMarkedLooksUnlikeAnUnavailableOneAndARefusedClickKeepsIt)
{
    HubFrame hub{QStringLiteral("NoSection"), "title"};
    QWidget* pages[3];
    QPushButton* buttons[3];
    bool refuse = false;
    const char* keys[] = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new QWidget;
        buttons[i] = hub.addButton(keys[i], 60 + 100 * i);
        hub.addPage(pages[i], buttons[i], QString());
        QObject::connect(buttons[i], &QPushButton::clicked, &hub, [&, i] {
            if (!refuse)
                hub.showPage(pages[i]);
        });
    }
    hub.setPageAvailable(pages[0], true);
    hub.setPageAvailable(pages[1], true);
    hub.showPage(pages[0]);
    hub.show();
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_FALSE(buttons[0]->isEnabled()); // pressing it again would do nothing
    EXPECT_TRUE(buttons[1]->isEnabled());
    EXPECT_FALSE(buttons[2]->isEnabled());

    const QImage shot = hub.grab().toImage();
    auto face = [&](QPushButton* b) { return shot.pixelColor(b->mapTo(&hub, QPoint(30, 25))); };
    const QColor current = face(buttons[0]), available = face(buttons[1]), unavailable = face(buttons[2]);
    EXPECT_GT(current.lightness() - unavailable.lightness(), 100);
    EXPECT_GT(current.lightness() - available.lightness(), 60);
    EXPECT_NE(available, unavailable);

    QTest::mouseClick(buttons[1], Qt::LeftButton);
    EXPECT_TRUE(pages[1]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_TRUE(buttons[0]->isEnabled());

    // A click the page refuses leaves the marks as they were.
    refuse = true;
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    EXPECT_TRUE(buttons[1]->isChecked());
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_EQ(hub.currentPage(), pages[1]);

    // A screen reader hears page tabs, the one on show selected, and its action switches the page.
    refuse = false;
    QAccessibleInterface* first = QAccessible::queryAccessibleInterface(buttons[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->role(), QAccessible::PageTab);
    EXPECT_FALSE(first->state().selected);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(buttons[1])->state().selected);
    ASSERT_EQ(first->actionInterface()->actionNames(),
              QStringList{QAccessibleActionInterface::pressAction()});
    first->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(hub.currentPage(), pages[0]);
    EXPECT_TRUE(first->state().selected);
    // A button that is no page's stays a plain button.
    QPushButton* other = hub.addButton("other", 400);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(other)->role(), QAccessible::Button);
}

TEST(PageBuilderTest, ComboBoxesAndEditsAreHeardByTheirLabel)
{
    QWidget page;
    const Texts none(QStringLiteral("NoSection"));
    PageBuilder build(&page, none);
    QLabel* sexLabel = build.label("sexLabel", "none", {0, 0, 80, 28});
    sexLabel->setText(QStringLiteral("Se&x:"));
    QComboBox* sex = build.combo("sex", {90, 0, 120, 28}, sexLabel, {"Male", "Female"});
    QLabel* nameLabel = build.label("nameLabel", "none", {0, 40, 80, 28});
    nameLabel->setText(QStringLiteral("Name:"));
    QLineEdit* name = build.edit("name", {90, 40, 120, 28}, nameLabel, 5);
    page.show();
    EXPECT_EQ(name->maxLength(), 5);
    EXPECT_EQ(heardName(name), "Name:");
    EXPECT_EQ(heardName(sex), "Sex:");
    sex->setCurrentIndex(1);
    EXPECT_EQ(heardName(sex), "Sex:");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(sex)->text(QAccessible::Value), "Female");
}

} // namespace

namespace {

// The title line of a training hub: the band gives way to the title; what still does not fit is elided.
TEST(HubFrameTest, TheTrainingBandMakesRoomForTheTitleAndALongerTitleIsElidedWhole)
{
    HubFrame hub{QStringLiteral("NoSection"), "title"};
    auto* page = new QWidget;
    auto* other = new QWidget;
    QPushButton* button = hub.addButton("first", 60);
    hub.addPage(page, button, QStringLiteral("Registo de presenças \u2014 Assembleia municipal"));
    hub.addPage(other, hub.addButton("second", 160),
                QStringLiteral("Registo de presenças \u2014 Assembleia municipal extraordinária de "
                               "Vila Nova de Gaia sobre o orçamento"));
    hub.setTrainingBand(QStringLiteral("ENSAIO \u2014 nada aqui é uma reunião real"));
    hub.showPage(page);
    hub.show();
    auto* title = hub.findChild<QLabel*>("title");
    auto* band = hub.findChild<QLabel*>("TrainingBand");
    ASSERT_NE(band, nullptr);
    const QFontMetrics metrics(title->font());
    EXPECT_EQ(title->text(), QStringLiteral("Registo de presenças \u2014 Assembleia municipal"));
    EXPECT_LE(metrics.horizontalAdvance(title->text()), title->width());
    EXPECT_LT(title->geometry().right(), band->x());
    EXPECT_TRUE(title->toolTip().isEmpty());

    hub.showPage(other);
    EXPECT_TRUE(title->text().endsWith(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(title->text()), title->width());
    EXPECT_TRUE(title->toolTip().endsWith(QStringLiteral("sobre o orçamento")));
    EXPECT_LT(title->geometry().right(), band->x());
    EXPECT_GE(band->width(), 200); // the band stays readable
}

TEST(HubFrameTest, ALongColumnHeadingTakesTwoLinesRatherThanATinyFont)
{
    HubFrame hub{QStringLiteral("NoSection"), "title"};
    QLabel* shortHeading = hub.setHeading("short", QStringLiteral("系统设置"));
    QLabel* longHeading = hub.setHeading("long", QStringLiteral("Configuração do sistema"));
    EXPECT_FALSE(shortHeading->wordWrap());
    EXPECT_GE(longHeading->font().pixelSize(), 14);
    EXPECT_GE(longHeading->font().pixelSize(), shortHeading->font().pixelSize() - 3);
    const QRect room(QPoint(), longHeading->size());
    const QRect used = QFontMetrics(longHeading->font())
                           .boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, longHeading->text());
    EXPECT_TRUE(room.contains(used)) << used.width() << "x" << used.height();
}

} // namespace
