#include "screen/SentenceStepper.h"
#include "RtfTestPrinters.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

QString current(const SentenceStepper& stepper)
{
    return stepper.text().mid(stepper.start(), stepper.end() - stepper.start());
}

QStringList allSentences(const QString& stopSymbols, const QString& text)
{
    SentenceStepper stepper;
    stepper.setStopSymbols(stopSymbols);
    stepper.setText(text);
    QStringList sentences;
    while (stepper.next())
        sentences.append(current(stepper));
    return sentences;
}

} // namespace

TEST(SentenceStepperTest, StepsForwardBackAndRestores)
{
    SentenceStepper stepper;
    stepper.setStopSymbols(".!");
    stepper.setText("One. Two! Three.\n");
    EXPECT_FALSE(stepper.previous());
    for (const char* sentence : {"One.", " Two!", " Three.", "\n"}) {
        ASSERT_TRUE(stepper.next());
        EXPECT_EQ(current(stepper), sentence);
    }
    EXPECT_TRUE(stepper.atEnd());
    EXPECT_FALSE(stepper.next());
    EXPECT_EQ(current(stepper), "\n");
    for (const char* sentence : {" Three.", " Two!", "One."}) {
        ASSERT_TRUE(stepper.previous());
        EXPECT_EQ(current(stepper), sentence);
    }
    EXPECT_FALSE(stepper.previous());
    EXPECT_EQ(current(stepper), "One.");

    stepper.restore();
    EXPECT_FALSE(stepper.atEnd());
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(stepper), "One.");
}

TEST(SentenceStepperTest, SentencesEndAtEachStopSymbol)
{
    EXPECT_EQ(allSentences("。！", "会议开始。请签到！\n"), QStringList({"会议开始。", "请签到！", "\n"}));
    // Without stop symbols, or with ones the text lacks, a step runs to the end.
    EXPECT_EQ(allSentences("", "No stops. None!"), QStringList({"No stops. None!"}));
    EXPECT_EQ(allSentences("#", "No stops. None!"), QStringList({"No stops. None!"}));
    EXPECT_EQ(allSentences(".", ""), QStringList());
    // Consecutive stop symbols give one-character sentences rather than stalling.
    EXPECT_EQ(allSentences("!", "a!!b"), QStringList({"a!", "!", "b"}));
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
    auto painted = [&] {
        stepper.paint(&document, text, highlight);
        QString colours;
        for (int position = 0; position < 8; ++position) {
            QTextCursor cursor(&document);
            cursor.setPosition(position + 1);
            colours += cursor.charFormat().foreground().color() == highlight ? 'H' : 't';
        }
        return colours;
    };

    stepper.next();
    EXPECT_EQ(painted(), "HHHHtttt");
    stepper.next();
    EXPECT_EQ(painted(), "ttttHHHH");
    stepper.restore();
    EXPECT_EQ(painted(), "tttttttt");

    // A document shorter than the text (the other view not loaded yet) is painted as far as it goes.
    QTextDocument shorter;
    shorter.setPlainText("第一");
    stepper.next();
    stepper.next();
    stepper.paint(&shorter, text, highlight);
    stepper.paint(nullptr, text, highlight);
    EXPECT_EQ(shorter.toPlainText(), "第一");
}
