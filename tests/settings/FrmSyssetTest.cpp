// The settings hub as the operator works it: each group of the basic page
// checks, writes its own columns and only then reports; the seat editor
// creates, moves and keeps seats; the language choice reaches new windows.

#include "settings/FrmSysset.h"
#include "app/FrmMain.h"
#include "app/FrmPass.h"
#include "core/LanguageTable.h"
#include "data/DbAccess.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "screen/FrmScr.h"
#include "screen/ScreenPanel.h"
#include "settings/FrmWebset.h"
#include "settings/Frmbasicset.h"
#include "settings/Frmfound.h"
#include "speak/SeatMap.h"
#include "ui/ColourCombo.h"
#include "ui/PictureButton.h"
#include "web/ListenAddress.h"
#include "web/WebView.h"

#include "support/ConsoleTest.h"
#include "support/Screenshot.h"
#include "support/WidgetFinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>

namespace {

class FrmSyssetTest : public ConsoleTest
{
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        ASSERT_TRUE(Schema::ensureSystemDatabase());
        hallScreen = std::make_unique<FrmScr>();
        link.setUnitCount(40);
        link.setChairCount(1);
    }
    void TearDown() override
    {
        hub.reset();
        hallScreen.reset();
        ConsoleTest::TearDown();
    }
    void openHub(const char* type = "0")
    {
        hub = std::make_unique<FrmSysset>(link, *hallScreen, QString::fromLatin1(type));
        hub->show();
    }
    static SettingsTable stored()
    {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        settings.load();
        return settings;
    }
    static void store(const QString& column, const QVariant& value)
    {
        SettingsTable settings;
        settings.setPath(Schema::kSystemDatabase);
        ASSERT_TRUE(settings.update({{column, value}}));
    }
    QLineEdit* edit(const char* name) const { return findWidget<QLineEdit>(hub.get(), name); }
    QString storedLine() const { return findWidget<QLabel>(hub.get(), Frmbasicset::kStoredLine)->text(); }
    void type(const char* name, const QString& text) const
    {
        edit(name)->clear();
        QTest::keyClicks(edit(name), text);
    }
    void click(const char* name) const { clickButton(hub.get(), name); }
    QString text(const char* key) const { return LanguageTable::text(QStringLiteral("Frmbasicset"), key); }

    Link link;
    std::unique_ptr<FrmScr> hallScreen;
    std::unique_ptr<FrmSysset> hub;
};

TEST_F(FrmSyssetTest, InstallationTypeDecidesWhichPagesExistAndKeysDoNotCloseTheHub)
{
    openHub("1");
    EXPECT_EQ(hub->seatPage(), nullptr);
    EXPECT_FALSE(findWidget(hub.get(), FrmSysset::kSeatButton)->isVisible());
    EXPECT_FALSE(findWidget(hub.get(), FrmSysset::kCameraButton)->isVisible());
    EXPECT_TRUE(findWidget(hub.get(), FrmSysset::kExitButton)->isVisible());
    EXPECT_FALSE(findWidget(hub.get(), FrmSysset::kBasicButton)->isEnabled()); // the page on show
    QTest::keyClick(hub.get(), Qt::Key_Escape);
    QTest::keyClick(hub.get(), Qt::Key_Return);
    EXPECT_TRUE(hub->isVisible());
    click(FrmSysset::kExitButton);
    EXPECT_FALSE(hub->isVisible());
    EXPECT_EQ(hub->result(), QDialog::Accepted);

    openHub("2");
    ASSERT_NE(hub->seatPage(), nullptr);
    click(FrmSysset::kSeatButton);
    EXPECT_EQ(hub->currentPage(), hub->seatPage());
    EXPECT_FALSE(findWidget(hub.get(), FrmSysset::kSeatButton)->isEnabled());
    EXPECT_FALSE(findWidget<QLabel>(hub.get(), "HubHint")->text().isEmpty()); // no layout yet
}

TEST_F(FrmSyssetTest, UnitCountIsStoredBeforeItIsReportedAndThenLaysOutTheSeats)
{
    openHub();
    for (const char* refused : {"0", "251", "ab", ""}) {
        type(Frmbasicset::kUnitEdit, QString::fromLatin1(refused));
        click(Frmbasicset::kUnitButton);
        EXPECT_EQ(prompts.takeTexts(), QStringList{text("Setcell_Clew")}) << refused;
    }
    EXPECT_EQ(stored().cellnum, QStringLiteral("40"));

    type(Frmbasicset::kUnitEdit, QStringLiteral("250"));
    prompts.answerNext(true); // create the seat layout
    click(Frmbasicset::kUnitButton);
    const QList<PromptRecorder::Record> shown = prompts.take();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].question);
    EXPECT_EQ(stored().cellnum, QStringLiteral("250"));
    EXPECT_EQ(storedLine(), "Stored: 250 units.");
    EXPECT_EQ(link.unitCount(), 250);
    EXPECT_EQ(hub->currentPage(), hub->seatPage());
    EXPECT_EQ(stored().SeatYesORNo, QStringLiteral("yes"));
    EXPECT_EQ(SeatLayout::load(Frmfound::layoutFile()).count(), 250);

    // A failed write is reported by the database layer, never as a success.
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase, QStringLiteral("drop table sysbasicset")));
    hub->showBasic();
    type(Frmbasicset::kUnitEdit, QStringLiteral("12"));
    click(Frmbasicset::kUnitButton);
    const QStringList failure = prompts.takeTexts();
    ASSERT_EQ(failure.size(), 1);
    EXPECT_EQ(storedLine(), QString());
    EXPECT_EQ(link.unitCount(), 250);
}

TEST_F(FrmSyssetTest, PortsChairmenAndMarksAreCheckedAndWrittenByTheirOwnGroup)
{
    openHub();
    type(Frmbasicset::kPortFromEdit, QStringLiteral("3"));
    type(Frmbasicset::kPortToEdit, QStringLiteral("2"));
    click(Frmbasicset::kPortButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("Setcom_clew")});
    EXPECT_EQ(edit(Frmbasicset::kPortFromEdit)->text(), QStringLiteral("0"));
    EXPECT_EQ(edit(Frmbasicset::kPortToEdit)->text(), QStringLiteral("0"));
    edit(Frmbasicset::kPortToEdit)->clear();
    click(Frmbasicset::kPortButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("Setcom_empty")});
    EXPECT_FALSE(text("Setcom_empty").isEmpty());
    // Two-digit ports compare as numbers, not as text.
    type(Frmbasicset::kPortFromEdit, QStringLiteral("9"));
    type(Frmbasicset::kPortToEdit, QStringLiteral("12"));
    click(Frmbasicset::kPortButton);
    EXPECT_EQ(stored().comlow + QLatin1Char('-') + stored().comHigh, QStringLiteral("9-12"));
    EXPECT_EQ(storedLine(), "Stored: ports 9 to 12 are searched at the next start.");

    type(Frmbasicset::kChairEdit, QStringLiteral("1a2"));
    EXPECT_EQ(edit(Frmbasicset::kChairEdit)->text(), QStringLiteral("12"));
    type(Frmbasicset::kUnitEdit,
         QStringLiteral("30")); // typed, not stored: the chairmen are checked against it
    type(Frmbasicset::kChairEdit, QStringLiteral("31"));
    click(Frmbasicset::kChairButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("SetCin_clew2")});
    EXPECT_EQ(storedLine(), QString());
    type(Frmbasicset::kChairEdit, QStringLiteral("30"));
    click(Frmbasicset::kChairButton);
    EXPECT_EQ(stored().cinnum, QStringLiteral("30"));
    EXPECT_EQ(link.chairCount(), 30);
    EXPECT_EQ(storedLine(), "Stored: 30 chairman units.");
    EXPECT_EQ(stored().cellnum, QStringLiteral("40"));

    const char* marks[] = {"0", "25", "50", "75", "100"};
    for (int i = 0; i < 5; ++i)
        type(Frmbasicset::kMarkEdits[i], QString::fromLatin1(marks[i]));
    click(Frmbasicset::kMarkButton);
    EXPECT_EQ(stored().mark, QStringLiteral("0:25:50:75:100:"));
    EXPECT_EQ(storedLine(), "Stored: the points of the voting keys (0, 25, 50, 75, 100).");
    type(Frmbasicset::kMarkEdits[2], QStringLiteral("101"));
    click(Frmbasicset::kMarkButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("SetMarkErr")});
    EXPECT_EQ(stored().mark, QStringLiteral("0:25:50:75:100:"));
    click(Frmbasicset::kMarkCancelButton);
    EXPECT_EQ(edit(Frmbasicset::kMarkEdits[2])->text(), QStringLiteral("50"));
}

TEST_F(FrmSyssetTest, AnswerPaceIsOffInAnOlderFileAndItsCheckBoxStoresItAndSetsTheLink)
{
    // A settings file from before the column.
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      QStringLiteral("alter table sysbasicset drop column AnswerPace")));
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_FALSE(stored().typed().answerDrivenPace);
    openHub();
    auto* box = findWidget<QCheckBox>(hub.get(), Frmbasicset::kAnswerPaceCheck);
    ASSERT_FALSE(box->isChecked());
    box->click();
    EXPECT_TRUE(stored().typed().answerDrivenPace);
    EXPECT_TRUE(link.answerDrivenPace());
    saveScreenshot(*hub, QStringLiteral("basic-settings"));
}

TEST_F(FrmSyssetTest, ChangedPasswordIsStoredHashedAndNeededAtTheNextLogin)
{
    store(QStringLiteral("UserPass"), QStringLiteral("old1")); // as an older installation kept it
    openHub();
    type(Frmbasicset::kOldPassEdit, QStringLiteral("old1"));
    type(Frmbasicset::kNewPassEdit, QStringLiteral("New-2"));
    type(Frmbasicset::kRepeatPassEdit, QStringLiteral("New-3"));
    click(Frmbasicset::kPassButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("SetPass_clew")});
    EXPECT_EQ(edit(Frmbasicset::kOldPassEdit)->text(), QStringLiteral("old1"));
    EXPECT_TRUE(edit(Frmbasicset::kNewPassEdit)->text().isEmpty());

    type(Frmbasicset::kOldPassEdit, QStringLiteral("wrong"));
    type(Frmbasicset::kNewPassEdit, QStringLiteral("New-2"));
    type(Frmbasicset::kRepeatPassEdit, QStringLiteral("New-2"));
    click(Frmbasicset::kPassButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("SetPass_cell1")});
    EXPECT_EQ(stored().UserPass, QStringLiteral("old1"));

    type(Frmbasicset::kOldPassEdit, QStringLiteral("old1"));
    type(Frmbasicset::kNewPassEdit, QStringLiteral("New-2"));
    type(Frmbasicset::kRepeatPassEdit, QStringLiteral("New-2"));
    click(Frmbasicset::kPassButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("SetPass_cell2")});
    EXPECT_TRUE(stored().UserPass.startsWith(QStringLiteral("$argon2id$")));
    EXPECT_TRUE(edit(Frmbasicset::kOldPassEdit)->text().isEmpty());

    FrmPass login(clock);
    login.show();
    auto attempt = [&](const QString& typed) {
        auto* field = findWidget<QLineEdit>(&login, FrmPass::kPasswordEdit);
        field->clear();
        QTest::keyClicks(field, typed);
        QTest::mouseClick(findWidget<PictureButton>(&login, FrmPass::kLoginButton), Qt::LeftButton);
    };
    attempt(QStringLiteral("old1"));
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_TRUE(login.isVisible());
    attempt(QStringLiteral("New-2"));
    EXPECT_FALSE(login.isVisible());
}

TEST_F(FrmSyssetTest, ScreenCombosAndButtonActOnTheHallScreenAtOnce)
{
    openHub();
    auto* size = findWidget<QComboBox>(hub.get(), Frmbasicset::kSizeCombo);
    EXPECT_EQ(size->currentText(), QStringLiteral("1024*768")); // the shipped row
    size->setCurrentIndex(size->findText(QStringLiteral("1280*720")));
    emit size->activated(size->currentIndex());
    EXPECT_EQ(stored().ScrSize, QStringLiteral("1280*720"));
    EXPECT_EQ(hallScreen->wantedRect().size(), QSize(1280, 720));

    auto* background = findWidget<ColourCombo>(hub.get(), Frmbasicset::kColourCombo);
    background->setChooser([](const QColor&) { return QColor(10, 20, 30); });
    emit background->activated(background->count() - 1); // "More colours…"
    EXPECT_EQ(stored().ScrColor, QString::number(30 << 16 | 20 << 8 | 10));
    EXPECT_EQ(hallScreen->screenColour(), QColor(10, 20, 30));
    EXPECT_EQ(background->currentText(), QStringLiteral("#0A141E"));
    EXPECT_TRUE(findWidget<QLabel>(hub.get(), Frmbasicset::kPreview)->styleSheet().contains("#0a141e"));
    background->setChooser([](const QColor&) { return QColor(); }); // the dialog cancelled
    emit background->activated(background->count() - 1);
    EXPECT_EQ(hallScreen->screenColour(), QColor(10, 20, 30));

    auto* textColour = findWidget<ColourCombo>(hub.get(), Frmbasicset::kTextColourCombo);
    const int red = textColour->findText(QStringLiteral("Red"));
    emit textColour->activated(red);
    EXPECT_EQ(stored().ScrTextColor, QStringLiteral("192"));
    EXPECT_EQ(hallScreen->screenTextColour(), QColor(0xc0, 0, 0));

    auto* screenButton = findWidget(hub.get(), Frmbasicset::kScreenButton);
    EXPECT_EQ(screenButton->text(), text("BtnClew1"));
    click(Frmbasicset::kScreenButton);
    EXPECT_TRUE(hallScreen->isVisible());
    EXPECT_EQ(screenButton->text(), text("BtnClew2"));
    EXPECT_EQ(screenButton->accessibleName(), text("BtnClew2"));
    click(Frmbasicset::kScreenButton);
    EXPECT_FALSE(hallScreen->isVisible());
}

TEST_F(FrmSyssetTest, NumberingAsksTheLinkForItsModeWithTheStartNumber)
{
    openHub();
    type(Frmbasicset::kNumberEdit, QStringLiteral("0"));
    click(Frmbasicset::kNumberButton);
    EXPECT_EQ(prompts.takeTexts(), QStringList{text("Setcell_Clew")});
    EXPECT_FALSE(link.requestPending());
    type(Frmbasicset::kNumberEdit, QStringLiteral("17"));
    click(Frmbasicset::kNumberButton);
    EXPECT_TRUE(link.requestPending());
    EXPECT_EQ(link.operatingMode(), LinkMode::Numbering);
    EXPECT_EQ(link.pendingCommand(), 0xF80011u);
}

TEST_F(FrmSyssetTest, ChosenLanguageIsStoredAndReachesTheMainWindowAndNewWindows)
{
    FrmMain main(link, services);
    main.setAreaRunner([&](QDialog& area) {
        auto* language = findWidget<QComboBox>(&area, Frmbasicset::kLanguageCombo);
        EXPECT_EQ(language->currentText(), QStringLiteral("English"));
        language->setCurrentIndex(2);
        emit language->activated(2);
        return int(QDialog::Accepted);
    });
    main.openSettings();
    EXPECT_EQ(LanguageTable::code(), QStringLiteral("2"));
    // The operator is told, in the new language, when it applies.
    EXPECT_EQ(prompts.takeTexts(), QStringList{Texts("Frmbasicset")("MsgLanguageNow")});
    EXPECT_TRUE(Texts("Frmbasicset")("MsgLanguageNow").startsWith(QStringLiteral("O português")));
    // The hall screen, made at start-up, counts in the new language too.
    EXPECT_EQ(main.secondaryScreen()->panel()->state().personsWord, QStringLiteral("pessoas"));
    EXPECT_EQ(main.secondaryScreen()->panel()->state().votesWord, QStringLiteral("votos"));
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    appearance.load();
    EXPECT_EQ(appearance.borderism, QStringLiteral("2"));
    EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("IDC_STATIC_BTNSYSET"))->text(),
              QStringLiteral("Configuração"));
    EXPECT_EQ(main.button(FrmMain::kSettingsButton)->accessibleName(), QStringLiteral("Configuração"));

    openHub();
    EXPECT_EQ(hub->windowTitle(), QStringLiteral("Configuração do sistema"));
    EXPECT_EQ(findWidget(hub.get(), Frmbasicset::kUnitButton)->text(), QStringLiteral("OK"));
    EXPECT_EQ(findWidget<QComboBox>(hub.get(), Frmbasicset::kLanguageCombo)->currentText(),
              QStringLiteral("Português"));
}

class SeatEditorTest : public FrmSyssetTest
{
protected:
    void SetUp() override
    {
        FrmSyssetTest::SetUp();
        store(QStringLiteral("cellnum"), 25);
        openHub();
        click(FrmSysset::kSeatButton);
    }
    SeatMap* canvas() const { return hub->seatPage()->canvas(); }
    void createLayout()
    {
        prompts.answerNext(true);
        click(Frmfound::kCreateButton);
        ASSERT_EQ(prompts.take().size(), 1);
    }
};

TEST_F(SeatEditorTest, CreatedSeatsMovedInEditModeAreWhereTheyWerePutDownAfterReopening)
{
    EXPECT_FALSE(findWidget(hub.get(), Frmfound::kEditButton)->isEnabled());
    prompts.answerNext(false);
    click(Frmfound::kCreateButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_FALSE(hub->seatPage()->hasLayout());

    createLayout();
    EXPECT_EQ(canvas()->seats().count(), 25);
    EXPECT_EQ(findWidget(hub.get(), Frmfound::kCreateButton)->text(),
              LanguageTable::text(QStringLiteral("Frmfound"), QStringLiteral("BtnClewDel")));
    EXPECT_TRUE(findWidget<QLabel>(hub.get(), "HubHint")->text().isEmpty());

    // With editing off a click only reports the seat.
    QSignalSpy clicked(canvas(), &SeatMap::seatClicked);
    QTest::mouseClick(canvas(), Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.first().first().toInt(), 2);
    EXPECT_EQ(canvas()->seats().seat(2).button.topLeft(), QPoint(52, 0));

    click(Frmfound::kEditButton);
    QTest::mousePress(canvas(), Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(canvas()->liftedSeat(), 2);
    QTest::mouseMove(canvas(), QPoint(300, 420));
    QTest::mousePress(canvas(), Qt::LeftButton, {}, QPoint(300, 420));
    EXPECT_EQ(canvas()->liftedSeat(), 0);
    click(Frmfound::kEditButton); // fixing the seats writes them
    EXPECT_EQ(clicked.count(), 1);

    hub = std::make_unique<FrmSysset>(link, *hallScreen, QStringLiteral("0"));
    EXPECT_EQ(hub->seatPage()->canvas()->seats().seat(2).button.topLeft(), QPoint(300, 420));
    EXPECT_EQ(hub->seatPage()->canvas()->seats().seat(3).button.topLeft(), QPoint(104, 0));

    // Deleting asks, and a No keeps everything.
    prompts.answerNext(false);
    clickButton(hub.get(), Frmfound::kCreateButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(stored().SeatYesORNo, QStringLiteral("yes"));
    prompts.answerNext(true);
    clickButton(hub.get(), Frmfound::kCreateButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(stored().SeatYesORNo, QStringLiteral("No"));
    EXPECT_TRUE(hub->seatPage()->canvas()->seats().isEmpty());
    EXPECT_FALSE(findWidget(hub.get(), Frmfound::kUpdateButton)->isEnabled());
}

TEST_F(SeatEditorTest, RebuildTakesTheStoredCountAndGridAndTallHallsScroll)
{
    createLayout();
    store(QStringLiteral("cellnum"), 249);
    type(Frmfound::kPerRowEdit, QStringLiteral("10"));
    prompts.answerNext(true);
    click(Frmfound::kUpdateButton);
    EXPECT_EQ(prompts.take().size(), 1);
    ASSERT_EQ(canvas()->seats().count(), 249);
    EXPECT_EQ(canvas()->seats().seat(11).button.topLeft(), QPoint(0, 72));
    EXPECT_EQ(SeatLayout::load(Frmfound::layoutFile()).seat(11).button.topLeft(), QPoint(0, 72));
    auto* scroll = findWidget<QScrollArea>(hub.get(), "CanvasScroll");
    EXPECT_GE(scroll->verticalScrollBar()->maximum() + scroll->viewport()->height(),
              canvas()->seats().seat(249).label.bottom());
}

TEST_F(SeatEditorTest, PictureMustBeAPictureAndIsCopiedIntoTheProgramFolder)
{
    const QString notPicture = m_folder.filePath(QStringLiteral("notes.bmp"));
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a bitmap");
    file.close();
    const QString shipped = stored().ico;
    services.answerFiles({notPicture});
    click(Frmfound::kPictureButton);
    EXPECT_EQ(prompts.take().size(), 1);
    EXPECT_EQ(stored().ico, shipped);

    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(0x33, 0x66, 0x99));
    const QString hall = m_folder.filePath(QStringLiteral("hall.bmp"));
    ASSERT_TRUE(picture.save(hall));
    // A different picture already named so in the program folder is kept.
    ASSERT_TRUE(
        QImage(8, 8, QImage::Format_RGB32).save(programFile(QStringLiteral("System/photo/hall.bmp"))));
    services.answerFiles({hall});
    click(Frmfound::kPictureButton);
    EXPECT_EQ(stored().ico, QStringLiteral("hall_2.bmp"));
    EXPECT_EQ(QImage(programFile(QStringLiteral("System/photo/hall_2.bmp"))).pixelColor(5, 5),
              QColor(0x33, 0x66, 0x99));
    EXPECT_EQ(QImage(programFile(QStringLiteral("System/photo/hall.bmp"))).width(), 8);
    EXPECT_EQ(canvas()->grab().toImage().pixelColor(400, 500), QColor(0x33, 0x66, 0x99));
    services.takeFileRequests();
}

} // namespace

namespace {

class FrmWebsetTest : public FrmSyssetTest
{
protected:
    FrmWebset* openWebSettings()
    {
        openHub();
        hub->basicPage()->setWebView(&view);
        clickButton(hub.get(), Frmbasicset::kWebButton);
        return hub->findChild<FrmWebset*>();
    }
    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    WebView view;
};

TEST_F(FrmWebsetTest, AnOlderFileGetsTheColumnsAndTheWindowStartsTheServerWithAddressAndQrCode)
{
    ASSERT_TRUE(DbAccess::executeOnce(Schema::kSystemDatabase,
                                      QStringLiteral("alter table sysbasicset drop column WebPort")));
    ASSERT_TRUE(Schema::ensureSystemDatabase());
    EXPECT_FALSE(stored().typed().webOn);
    EXPECT_EQ(stored().WebPort, QStringLiteral("8080"));

    FrmWebset* window = openWebSettings();
    ASSERT_NE(window, nullptr);
    auto* status = findWidget<QLabel>(window, FrmWebset::kStatus);
    auto* qrCode = findWidget<QLabel>(window, FrmWebset::kQrCode);
    EXPECT_EQ(status->text(), Texts(QStringLiteral("FrmWebset"))(QStringLiteral("StatusOff")));
    EXPECT_EQ(findWidget<QComboBox>(window, FrmWebset::kAddressCombo)->currentIndex(),
              0); // this computer only

    const quint16 port = freePort();
    findWidget<QCheckBox>(window, FrmWebset::kOnCheck)->setChecked(true);
    findWidget<QLineEdit>(window, FrmWebset::kPortEdit)->setText(QString::number(port));
    clickButton(window, FrmWebset::kApplyButton);
    ASSERT_TRUE(view.server().isRunning()) << view.lastError().toStdString();
    const QString url =
        QStringLiteral("http://127.0.0.1:%1/hall?code=%2").arg(port).arg(view.server().viewingCode());
    // Only this computer can open a loopback address: it says so, and offers no code to a phone.
    const Texts texts(QStringLiteral("FrmWebset"));
    const QStringList lines = status->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << status->text().toStdString();
    EXPECT_EQ(lines[0], texts(QStringLiteral("StatusLocal")));
    EXPECT_EQ(lines[1], texts(QStringLiteral("PageHall")) + QStringLiteral(": ") + url);
    EXPECT_TRUE(lines[2].endsWith(QString(url).replace(QLatin1String("/hall"), QLatin1String("/chair"))));
    EXPECT_TRUE(lines[3].endsWith(QString(url).replace(QLatin1String("/hall"), QLatin1String("/overlay"))));
    EXPECT_TRUE(qrCode->pixmap().isNull());
    EXPECT_TRUE(stored().typed().webOn);
    EXPECT_EQ(stored().typed().webPort, port);
    saveScreenshot(*window, QStringLiteral("web-settings-local"));

    // Off again: no server, no code, no picture.
    findWidget<QCheckBox>(window, FrmWebset::kOnCheck)->setChecked(false);
    clickButton(window, FrmWebset::kApplyButton);
    EXPECT_FALSE(view.server().isRunning());
    EXPECT_TRUE(qrCode->pixmap().isNull());
}

TEST_F(FrmWebsetTest, OnANetworkTheWindowShowsTheAddressOfThatNetworkAndItsQrCode)
{
    const QList<ListenAddress::Choice> networks = ListenAddress::choices();
    if (networks.isEmpty())
        GTEST_SKIP() << "this machine has no network interface besides loopback";
    FrmWebset* window = openWebSettings();
    ASSERT_NE(window, nullptr);
    findWidget<QCheckBox>(window, FrmWebset::kOnCheck)->setChecked(true);
    findWidget<QLineEdit>(window, FrmWebset::kPortEdit)->setText(QString::number(freePort()));
    findWidget<QComboBox>(window, FrmWebset::kAddressCombo)->setCurrentIndex(1);
    clickButton(window, FrmWebset::kApplyButton);
    ASSERT_TRUE(view.server().isRunning()) << view.lastError().toStdString();
    EXPECT_EQ(view.server().address(), QHostAddress(networks[0].address));
    const QString status = findWidget<QLabel>(window, FrmWebset::kStatus)->text();
    EXPECT_TRUE(status.startsWith(Texts(QStringLiteral("FrmWebset"))(QStringLiteral("StatusOn")) +
                                  QLatin1Char('\n')));
    EXPECT_TRUE(status.contains(view.server().pageUrl().toString()));
    EXPECT_TRUE(status.contains(QLatin1String("http://") + networks[0].address));
    const QPixmap qrCode = findWidget<QLabel>(window, FrmWebset::kQrCode)->pixmap();
    EXPECT_FALSE(qrCode.isNull());
    EXPECT_EQ(stored().WebAddress, networks[0].name);
    saveScreenshot(*window, QStringLiteral("web-settings"));
}

TEST_F(FrmWebsetTest, APortInUseIsShownInTheWindowAndNothingElseStops)
{
    QTcpServer occupant;
    ASSERT_TRUE(occupant.listen(QHostAddress::LocalHost, 0));
    FrmWebset* window = openWebSettings();
    ASSERT_NE(window, nullptr);
    findWidget<QCheckBox>(window, FrmWebset::kOnCheck)->setChecked(true);
    findWidget<QLineEdit>(window, FrmWebset::kPortEdit)->setText(QString::number(occupant.serverPort()));
    clickButton(window, FrmWebset::kApplyButton);
    EXPECT_FALSE(view.server().isRunning());
    const QString said = findWidget<QLabel>(window, FrmWebset::kStatus)->text();
    EXPECT_TRUE(said.contains(view.lastError()) && !view.lastError().isEmpty()) << said.toStdString();
    EXPECT_TRUE(prompts.takeTexts().isEmpty()); // no message box: the meeting goes on
    EXPECT_TRUE(occupant.isListening());

    findWidget<QLineEdit>(window, FrmWebset::kPortEdit)->setText(QStringLiteral("70000"));
    clickButton(window, FrmWebset::kApplyButton);
    EXPECT_EQ(prompts.takeTexts().size(), 1);
}

} // namespace
