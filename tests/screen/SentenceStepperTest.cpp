#include "screen/SentenceStepper.h"
#include "link/QtPrinters.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

TEST(SentenceStepperTest, StepsBothWaysAndEndsAtEveryStopSymbol)
{
    SentenceStepper stepper;
    auto current = [&] { return stepper.text().mid(stepper.start(), stepper.end() - stepper.start()); };
    const struct
    {
        QString stops, text;
        QStringList sentences;
    } cases[] = {
        {".!", "One. Two! Three.\n", {"One.", " Two!", " Three.", "\n"}},
        {"", "No stops. None!", {"No stops. None!"}},
        // Consecutive stop symbols give one-character sentences rather than stalling.
        {"!", "a!!b", {"a!", "!", "b"}},
    };
    for (const auto& c : cases) {
        stepper.setStopSymbols(c.stops);
        stepper.setText(c.text);
        EXPECT_FALSE(stepper.previous());
        QStringList forward, back;
        while (stepper.next())
            forward.append(current());
        EXPECT_EQ(forward, c.sentences);
        while (stepper.previous())
            back.prepend(current());
        EXPECT_EQ(back, c.sentences.mid(0, c.sentences.size() - 1)) << c.text.toStdString();
    }
    stepper.restore();
    EXPECT_FALSE(stepper.atEnd());
    ASSERT_TRUE(stepper.next());
    EXPECT_EQ(current(), "a!");
}

TEST(SentenceStepperTest, PaintsTheSentenceAndResetsTheRest)
{
    SentenceStepper stepper;
    stepper.setStopSymbols("。");
    stepper.setText("第一句。第二句。\n");
    QTextDocument document;
    document.setPlainText(stepper.text());
    auto painted = [&] {
        stepper.paint(&document, Qt::white, Qt::yellow);
        QString colours;
        for (int position = 1; position <= 8; ++position) {
            QTextCursor cursor(&document);
            cursor.setPosition(position);
            colours += cursor.charFormat().foreground().color() == Qt::yellow ? 'H' : 't';
        }
        return colours;
    };
    stepper.next();
    EXPECT_EQ(painted(), "HHHHtttt");
    stepper.next();
    EXPECT_EQ(painted(), "ttttHHHH");
    stepper.restore();
    EXPECT_EQ(painted(), "tttttttt");
}
