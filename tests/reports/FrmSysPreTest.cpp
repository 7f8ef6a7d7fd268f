// The print preview: page commands, going to a page by number, and printing
// through a printer the test supplies (a PDF file) or none at all.

#include "reports/FrmSysPre.h"
#include "ReportTestData.h"
#include "reports/RegisterLayout.h"
#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"
#include "ui/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class FrmSysPreTest : public ConsoleTest
{
protected:
    void open(int rows)
    {
        RegisterTable table;
        table.addColumn(QStringLiteral("No."), 40, true);
        table.addColumn(QStringLiteral("Motion"), 320);
        for (int i = 1; i <= rows; ++i)
            table.rows << QStringList{QString::number(i), QStringLiteral("Motion %1").arg(i)};
        preview = std::make_unique<FrmSysPre>(
            table, RegisterHeading{QStringLiteral("Plenary"), QStringLiteral("Vote results"),
                                   QStringLiteral("2026-03-01"), QStringLiteral("Printed "),
                                   QStringLiteral("Page %1 of %2"), QString()});
        preview->setPrinterSource([this]() -> std::unique_ptr<QPrinter> {
            ++printerAsked;
            if (printerFile.isEmpty())
                return nullptr;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printerFile);
            return printer;
        });
        preview->show();
    }
    // first, previous, next, last
    QList<bool> commands()
    {
        QList<bool> enabled;
        for (const char* name : {FrmSysPre::kFirstButton, FrmSysPre::kPreviousButton, FrmSysPre::kNextButton,
                                 FrmSysPre::kLastButton})
            enabled << findWidget(preview.get(), name)->isEnabled();
        return enabled;
    }
    void TearDown() override
    {
        preview.reset();
        ConsoleTest::TearDown();
    }

    std::unique_ptr<FrmSysPre> preview;
    QString printerFile;
    int printerAsked = 0;
    QTemporaryDir out;
};

TEST_F(FrmSysPreTest, PageCommandsLeadOnlyWhereThereIsAPageAndCloseLeaves)
{
    open(3);
    EXPECT_EQ(preview->pageCount(), 1);
    EXPECT_EQ(commands(), (QList<bool>{false, false, false, false}));

    open(RegisterLayout::rowsPerPage() * 3 + 1);
    ASSERT_EQ(preview->pageCount(), 4);
    EXPECT_EQ(commands(), (QList<bool>{false, false, true, true}));
    clickButton(preview.get(), FrmSysPre::kNextButton);
    EXPECT_EQ(preview->page(), 2);
    EXPECT_EQ(commands(), (QList<bool>{true, true, true, true}));

    // The last page by number.
    findWidget<QSpinBox>(preview.get(), FrmSysPre::kPageNumber)->setValue(4);
    clickButton(preview.get(), FrmSysPre::kGoButton);
    EXPECT_EQ(preview->page(), 4);
    EXPECT_EQ(commands(), (QList<bool>{true, true, false, false}));
    saveScreenshot(*preview, QStringLiteral("preview_last_page"));
    clickButton(preview.get(), FrmSysPre::kFirstButton);
    EXPECT_EQ(preview->page(), 1);

    // Close leaves without printing.
    clickButton(preview.get(), FrmSysPre::kCloseButton);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->result(), QDialog::Rejected);
    EXPECT_EQ(printerAsked, 0);
    EXPECT_TRUE(prompts.takeTexts().isEmpty());
}

TEST_F(FrmSysPreTest, PrintingWithoutADefaultPrinterSaysSoAndPrintsNothing)
{
    open(3);
    prompts.answerNext(false);
    clickButton(preview.get(), FrmSysPre::kPrintButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("FrmSysPre")("MsgClew1")});
    EXPECT_EQ(printerAsked, 0);

    // With the program's message box, Enter answers No: nothing is printed.
    MessageBoxPrompter boxes;
    services.prompter = &boxes;
    QString enterAnswers;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        enterAnswers = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    clickButton(preview.get(), FrmSysPre::kPrintButton);
    services.prompter = &prompts;
    EXPECT_EQ(enterAnswers, QStringLiteral("No"));
    EXPECT_EQ(printerAsked, 0);

    prompts.answerNext(true);
    clickButton(preview.get(), FrmSysPre::kPrintButton);
    EXPECT_EQ(prompts.takeTexts(),
              (QStringList{Texts("FrmSysPre")("MsgClew1"), Texts("FrmSysPre")("MsgClewErr")}));
}

TEST_F(FrmSysPreTest, PrintingSendsEveryPageToThePrinter)
{
    printerFile = out.filePath(QStringLiteral("printed.pdf"));
    open(RegisterLayout::rowsPerPage() + 5);
    prompts.answerNext(true);
    clickButton(preview.get(), FrmSysPre::kPrintButton);
    prompts.take();
    EXPECT_EQ(ReportTestData::pdfPages(printerFile), 2);
    EXPECT_TRUE(ReportTestData::pdfText(printerFile, 2)
                    .contains(QStringLiteral("Motion %1").arg(RegisterLayout::rowsPerPage() + 5)));
}

} // namespace
