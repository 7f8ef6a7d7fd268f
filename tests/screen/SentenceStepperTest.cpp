#include "screen/SentenceStepper.h"
#include "RtfTestPrinters.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString current(const SentenceStepper& stepper)
{
    return stepper.text().mid(stepper.start(), stepper.end() - stepper.start());
}

} // namespace

TEST(SentenceStepperTest, StepsForwardSentenceBySentenceIncludingTheStopSymbol)
{
    SentenceStepper stepper;
    stepper.setStopSymbols("。！");
    stepper.setText("会议开始。请签到！\n");
    EXPECT_EQ(stepper.start(), 0);
    EXPECT_EQ(stepper.end(), 0);

    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), "会议开始。");
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), "请签到！");
    // The rest after the last stop symbol is a sentence of its own.
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), "\n");
    EXPECT_TRUE(stepper.atEnd());
    EXPECT_FALSE(stepper.next());
    EXPECT_EQ(current(stepper), "\n");

    // Restore: the next step highlights the first sentence again.
    stepper.restore();
    EXPECT_FALSE(stepper.atEnd());
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), "会议开始。");
}

TEST(SentenceStepperTest, StepsBackToThePreviousSentence)
{
    SentenceStepper stepper;
    stepper.setStopSymbols(".!");
    stepper.setText("One. Two! Three.");
    EXPECT_FALSE(stepper.previous());
    stepper.next();
    stepper.next();
    stepper.next();
    EXPECT_EQ(current(stepper), " Three.");
    ASSERT_TRUE(stepper.previous());
    EXPECT_EQ(current(stepper), " Two!");
    ASSERT_TRUE(stepper.previous());
    EXPECT_EQ(current(stepper), "One.");
    EXPECT_FALSE(stepper.previous());
    EXPECT_EQ(current(stepper), "One.");
    // Forward again from there.
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), " Two!");
}

TEST(SentenceStepperTest, WithoutStopSymbolsAStepRunsToTheEnd)
{
    SentenceStepper stepper;
    stepper.setText("No stop symbols here. None at all!");
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), stepper.text());
    EXPECT_FALSE(stepper.next());

    // Symbols the text does not contain behave the same; so does an empty text.
    stepper.setStopSymbols("#");
    stepper.restore();
    ASSERT_TRUE(stepper.next());
    EXPECT_TRUE(stepper.atEnd());
    stepper.setText("");
    EXPECT_TRUE(stepper.atEnd());
    EXPECT_FALSE(stepper.next());
    EXPECT_FALSE(stepper.previous());

    // Consecutive stop symbols give one-character sentences rather than stalling.
    stepper.setStopSymbols("!");
    stepper.setText("a!!b");
    QStringList sentences;
    while (stepper.next())
        sentences.append(current(stepper));
    EXPECT_EQ(sentences, QStringList({"a!", "!", "b"}));
}

TEST(SentenceStepperTest, PaintsTheSentenceAndResetsTheRest)
{
    SentenceStepper stepper;
    stepper.setStopSymbols("。");
    stepper.setText("第一句。第二句。\n");
    QTextDocument document;
    document.setPlainText(stepper.text());
    const QColor text(Qt::white);
    const QColor highlight(Qt::yellow);

    auto colourAt = [&document](int position) {
        QTextCursor cursor(&document);
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    };

    stepper.next();
    stepper.paint(&document, text, highlight);
    EXPECT_EQ(colourAt(0), highlight);
    EXPECT_EQ(colourAt(3), highlight);
    EXPECT_EQ(colourAt(4), text);

    stepper.next();
    stepper.paint(&document, text, highlight);
    EXPECT_EQ(colourAt(3), text);
    EXPECT_EQ(colourAt(4), highlight);
    EXPECT_EQ(colourAt(7), highlight);

    stepper.restore();
    stepper.paint(&document, text, highlight);
    for (int position = 0; position < 8; ++position)
        EXPECT_EQ(colourAt(position), text) << position;

    // A document shorter than the text (the other view not loaded yet) is painted as far as it goes.
    QTextDocument shorter;
    shorter.setPlainText("第一");
    stepper.next();
    stepper.next();
    stepper.paint(&shorter, text, highlight);
    stepper.paint(nullptr, text, highlight);
    EXPECT_EQ(shorter.toPlainText(), "第一");
}

TEST(SentenceStepperTest, AutoIntervalFromPace)
{
    EXPECT_EQ(SentenceStepper::autoInterval(0), 1000);
    EXPECT_EQ(SentenceStepper::autoInterval(-4), 1000);
    EXPECT_EQ(SentenceStepper::autoInterval(3), 3000);
}
