// The message boxes speak the language in use and put Enter where the page
// asks; the guide opens inside the program, with no web browser needed.

#include "ui/FrmHelp.h"
#include "ui/MessageBoxPrompter.h"

#include "support/ConsoleTest.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <memory>

namespace {

class PromptAndHelpTest : public ConsoleTest
{
protected:
    // What the next message box shows, and presses Enter on it.
    struct Seen
    {
        QStringList buttons;
        QString preferred;
    };
    void pressEnterOnNextBox()
    {
        auto seen = std::make_shared<Seen>();
        QTimer::singleShot(0, [seen] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(top);
                if (!box || !box->isVisible())
                    continue;
                for (QAbstractButton* button : box->buttons())
                    seen->buttons.append(button->text());
                seen->buttons.sort();
                seen->preferred = box->defaultButton()->text();
                box->defaultButton()->click();
            }
        });
        m_last = seen;
    }
    std::shared_ptr<Seen> m_last;
};

TEST_F(PromptAndHelpTest, MessageBoxesAnswerInTheLanguageInUseAndEnterKeepsCostlyStepsUndone)
{
    useLanguage(QStringLiteral("2"));
    MessageBoxPrompter boxes;
    pressEnterOnNextBox();
    EXPECT_FALSE(boxes.questionDefaultNo(QStringLiteral("c"), QStringLiteral("Print all?")));
    EXPECT_EQ(m_last->buttons, (QStringList{"Não", "Sim"}));
    EXPECT_EQ(m_last->preferred, QStringLiteral("Não"));

    pressEnterOnNextBox();
    EXPECT_TRUE(boxes.question(QStringLiteral("c"), QStringLiteral("Leave?")));
    EXPECT_EQ(m_last->preferred, QStringLiteral("Sim"));

    useLanguage(QStringLiteral("0"));
    pressEnterOnNextBox();
    boxes.information(QStringLiteral("c"), QStringLiteral("Stored"));
    EXPECT_EQ(m_last->buttons, QStringList{"确定"});
}

TEST_F(PromptAndHelpTest, GuideOpensInsideTheProgramWithEveryPartOfTheWork)
{
    QWidget owner;
    FrmHelp* help = FrmHelp::openGuide(programFile("Help.html"), &owner);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    const QString guide = help->browser()->toPlainText();
    for (const char* part : {"Preparing a meeting", "Signing in", "Votes", "Elections", "Speaking",
                             "Registers and exports", "Checking a meeting's record", "Training"})
        EXPECT_TRUE(guide.contains(QLatin1String(part))) << part;
    QPointer<FrmHelp> closing(help);
    help->findChild<QPushButton*>(FrmHelp::kCloseButton)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());

    EXPECT_EQ(FrmHelp::openGuide(programFile("Missing.html"), &owner), nullptr);
    EXPECT_TRUE(prompts.takeTexts().first().startsWith(QStringLiteral("The help file is missing")));
}

// How many sections, parts and list items a guide has.
QList<qsizetype> outline(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString html = QString::fromUtf8(file.readAll());
    return {html.count(QStringLiteral("<h2")), html.count(QStringLiteral("<h3")),
            html.count(QStringLiteral("<li>"))};
}

TEST_F(PromptAndHelpTest, EachLanguageOpensItsOwnGuideAndAFolderWithoutItTheEnglishOne)
{
    const struct
    {
        const char* code;
        const char* file;
        const char* heading;
    } guides[] = {{"0", "Help_zh.html", "会前准备"},
                  {"1", "Help.html", "Preparing a meeting"},
                  {"2", "Help_pt.html", "Preparar uma reunião"}};
    QWidget owner;
    for (const auto& guide : guides) {
        useLanguage(QString::fromLatin1(guide.code));
        EXPECT_EQ(FrmHelp::guidePath(), programFile(guide.file)) << guide.code;
        FrmHelp* help = FrmHelp::openGuide(FrmHelp::guidePath(), &owner);
        ASSERT_NE(help, nullptr);
        const QString text = help->browser()->toPlainText();
        EXPECT_TRUE(text.contains(QString::fromUtf8(guide.heading))) << guide.code;
        // Every guide covers the same ground: as many sections, parts and steps as the English one.
        EXPECT_EQ(outline(programFile(guide.file)), outline(programFile("Help.html"))) << guide.code;
        help->close();
    }
    // A program folder filled before the translated guides came keeps working in English.
    ASSERT_TRUE(QFile::remove(programFile("Help_pt.html")));
    EXPECT_EQ(FrmHelp::guidePath(), programFile("Help.html"));
}

} // namespace
