// Every caption of the shell's windows fits its control in all three languages,
// so no text is cut off on the operator's screen.

#include "link/FrmError.h"
#include "link/FrmLink.h"
#include "link/FrmLogo.h"
#include "app/FrmMain.h"
#include "app/FrmPass.h"
#include "ui/PictureButton.h"
#include "data/Schema.h"

#include "app/AppContext.h"
#include "EveryLanguageTest.h"
#include "link/Link.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace {

class TextFitTest : public EveryLanguageTest
{
protected:
    static void expectFits(QWidget& window)
    {
        window.show();
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text().isEmpty() || !label->isVisible())
                continue;
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(room.width()), room.height())
                    << window.objectName().toStdString() << " " << label->objectName().toStdString();
            } else {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), room.width())
                    << window.objectName().toStdString() << " " << label->objectName().toStdString();
            }
        }
        for (PictureButton* button : window.findChildren<PictureButton*>()) {
            if (button->caption().isEmpty())
                continue;
            // The glyph and the gap beside it, and a margin on both sides.
            const int glyph = button->glyphName().isEmpty() ? 0 : button->glyphSize() + 8;
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->caption()) + glyph,
                      button->width() - 12)
                << window.objectName().toStdString() << " " << button->objectName().toStdString();
        }
        for (QTableWidget* table : window.findChildren<QTableWidget*>())
            for (int column = 1; column < table->columnCount(); ++column) {
                const QTableWidgetItem* header = table->horizontalHeaderItem(column);
                if (header) {
                    EXPECT_LE(table->horizontalHeader()->fontMetrics().horizontalAdvance(header->text()) + 6,
                              table->columnWidth(column))
                        << window.objectName().toStdString() << " column " << column;
                }
            }
        const QString folder = qEnvironmentVariable("CONSOLE_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window.grab().save(QStringLiteral("%1/%2-%3.png").arg(folder, window.objectName(), GetParam()));
    }
};

TEST_P(TextFitTest, ShellWindows)
{
    AppContext::setStartup({QStringLiteral("0"), QStringLiteral("main.png"), QStringLiteral("logo.png")});
    {
        FrmMain window(link, clock);
        expectFits(window);
    }
    {
        FrmPass window;
        expectFits(window);
    }
    {
        FrmLogo window(link, clock, QString());
        expectFits(window);
    }
    {
        FrmError window;
        expectFits(window);
    }
    {
        FrmLink window(link, clock);
        window.startCheck();
        expectFits(window);
        window.leave();
    }
    AppContext::setStartup({});
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest, ::testing::Values("0", "1", "2"));

} // namespace
