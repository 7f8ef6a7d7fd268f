// Every control a person can reach has an accessible name in every language,
// and a button's accessible name is its visible caption, so screen readers and
// accessibility tools can work the console.

#include "app/AppContext.h"
#include "prep/DlgEditVote.h"
#include "EveryLanguageTest.h"
#include "link/FrmError.h"
#include "meeting/FrmFile.h"
#include "meeting/FrmInser.h"
#include "link/FrmLink.h"
#include "link/FrmLogo.h"
#include "app/FrmMain.h"
#include "prep/FrmMeeOut.h"
#include "prep/FrmNominee.h"
#include "app/FrmPass.h"
#include "screen/FrmScr.h"
#include "link/Link.h"
#include "data/Schema.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

namespace {

class AccessibilityTest : public EveryLanguageTest
{
protected:
    static bool isControl(QWidget* widget)
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

    static QString caption(QWidget* widget)
    {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        return button ? button->text().remove(QLatin1Char('&')) : QString();
    }

    static void expectNamed(QWidget& window)
    {
        int controls = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (!isControl(widget) || !widget->isVisibleTo(&window))
                continue;
            ++controls;
            const std::string where = window.objectName().toStdString() + " / " +
                                      widget->objectName().toStdString() + " (" +
                                      widget->metaObject()->className() + ")";
            EXPECT_FALSE(widget->accessibleName().trimmed().isEmpty()) << where;
            const QString shown = caption(widget);
            if (!shown.isEmpty()) {
                EXPECT_EQ(widget->accessibleName(), shown) << where;
            }
        }
        EXPECT_GT(controls, 0) << window.objectName().toStdString();
    }
};

TEST_P(AccessibilityTest, ShellAndLinkWindows)
{
    FrmMain main(link, clock);
    expectNamed(main);
    FrmPass login;
    expectNamed(login);
    FrmLogo status(link, clock, QString());
    expectNamed(status);
    FrmError noController;
    expectNamed(noController);
    FrmLink lineCheck(link, clock);
    expectNamed(lineCheck);
}

TEST_P(AccessibilityTest, PreparationWindows)
{
    FrmMeeOut hub;
    hub.showMeetings();
    expectNamed(hub);
    hub.showMotions();
    expectNamed(hub);
    hub.showDelegates();
    expectNamed(hub);

    FrmNominee candidates(3, QString(), false);
    expectNamed(candidates);
    DlgEditVote editor({DlgEditVote::Mode::Banner, QStringLiteral("Plenary"),
                        QStringLiteral("20261207090000"), QString(), QString()},
                       QSize(1024, 768), Qt::darkBlue, Qt::white);
    expectNamed(editor);
}

TEST_P(AccessibilityTest, DocumentWindows)
{
    FrmScr screen;
    FrmFile document(screen, clock);
    expectNamed(document);
    FrmInser insert(screen, Qt::darkBlue);
    expectNamed(insert);
}

INSTANTIATE_TEST_SUITE_P(Languages, AccessibilityTest, ::testing::Values("0", "1", "2"));

} // namespace
