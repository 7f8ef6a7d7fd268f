#include "meeting/FrmManChe.h"

#include "meeting/HeldRound.h"
#include "meeting/UnitGrid.h"

#include "link/Link.h"
#include "prep/NameFilter.h"
#include "screen/HallScreen.h"
#include "ui/PageBuilder.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

const int kRowPixels = 19;
// Wider names than designed (70): Latin names were cut at "Delegat...".
const int kColumnWidths[FrmManChe::kGroupColumns] = {50, 100, 66};
// The name pages as designed: eight rows of three names.
const int kNameRows = 8;
const int kNameColumns = 3;
const QString kNameFace = QStringLiteral("粗体");
const QColor kSignedInColour(0x1b, 0x7a, 0x3d);
const QColor kQuorumMissedColour(0xb3, 0x26, 0x1e);

const char* const kStyle = R"(
QFrame#figures { background: white; border: 1px solid #c9d3e3; border-radius: 6px; }
QFrame#figures QLabel { background: transparent; border: none; }
QLabel[figure="true"] { color: #1d3a6b; font-size: 26px; font-weight: bold; }
QLabel[countdown="true"] { color: #1d3a6b; font-size: 24px; font-weight: bold; }
QLabel#quorum { font-size: 15px; font-weight: bold; }
)";

QString key(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

FrmManChe::FrmManChe(SignInSession& session, const Link& link, HallScreen& screen, QWidget* parent)
    : QWidget(parent), m_session(session), m_link(link), m_screen(screen),
      m_texts(QStringLiteral("FrmManChe"), QStringLiteral("clew"))
{
    setObjectName(QStringLiteral("FrmManChe"));
    setStyleSheet(QString::fromLatin1(kStyle));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    m_signedInMark = texts("MsgClew4");
    m_absentMark = QStringLiteral("-----");

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(key(kGrid));
    m_grid->setAccessibleName(texts("MsgGrid"));
    m_grid->setGeometry(10, 6, 798, 406);
    // Nineteen rows fill the grid exactly: no row cut, no gap, no vertical scroll bar.
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(kRowPixels);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::TabFocus);
    m_grid->setWordWrap(false);

    PageBuilder build(this, texts);
    m_start = build.button(kStartButton, {10, 424, 130, 34});
    m_fill = build.button(kFillButton, {146, 424, 130, 34});
    m_end = build.button(kEndButton, {282, 424, 130, 34});

    m_countdownGroup = new QGroupBox(this);
    m_countdownGroup->setObjectName(key(kCountdownGroup));
    m_countdownGroup->setGeometry(10, 466, 280, 46);
    build.setParent(m_countdownGroup);
    m_countdownCheck = build.check(kCountdownCheck, kCountdownCheck, {10, 11, 166, 24});
    m_countdownEdit = new QLineEdit(m_countdownGroup);
    m_countdownEdit->setObjectName(key(kCountdownEdit));
    m_countdownEdit->setGeometry(180, 9, 80, 28);
    m_countdownEdit->setMaxLength(5);
    m_countdownEdit->setAccessibleName(m_countdownCheck->text());
    build.setParent(this);
    m_countdownDisplay = new QLabel(SignInCount::countdownText(0), this);
    m_countdownDisplay->setObjectName(key(kCountdownDisplay));
    m_countdownDisplay->setProperty("countdown", true);
    m_countdownDisplay->setAlignment(Qt::AlignCenter);
    m_countdownDisplay->setGeometry(298, 466, 114, 46);

    QLabel* unitLabel = build.label(kUnitLabel, kUnitLabel, {10, 522, 124, 32});
    m_unitEdit = build.edit(kUnitEdit, {140, 524, 66, 28}, unitLabel, 3);
    m_unitButton = build.button(kUnitButton, {214, 522, 198, 32});

    const char* namesKeys[2] = {"IDC_NAMES_SIGNED", "IDC_NAMES_ABSENT"};
    const char* namesIds[2] = {kSignedInNames, kAbsentNames};
    const char* upIds[2] = {kSignedInUp, kAbsentUp};
    const char* downIds[2] = {kSignedInDown, kAbsentDown};
    for (int list = 0; list < 2; ++list) {
        const int y = 566 + list * 42;
        m_namesButtons[list] = build.button(namesIds[list], {10, y, 150, 32}, namesKeys[list]);
        m_upButtons[list] = build.button(upIds[list], {166, y, 120, 32}, "IDC_NAMES_UP");
        m_downButtons[list] = build.button(downIds[list], {292, y, 120, 32}, "IDC_NAMES_DOWN");
        const auto which = list == 0 ? SignInCount::NameList::SignedIn : SignInCount::NameList::Absent;
        connect(m_namesButtons[list], &QPushButton::clicked, this, [this, which] { showNames(which); });
        connect(m_upButtons[list], &QPushButton::clicked, this, &FrmManChe::previousNamePage);
        connect(m_downButtons[list], &QPushButton::clicked, this, &FrmManChe::nextNamePage);
    }

    // The figures: due, present and absent, each with its unit word; the quorum under them.
    auto* figures = new QFrame(this);
    figures->setObjectName(QStringLiteral("figures"));
    figures->setGeometry(424, 424, 384, 222);
    build.setParent(figures);
    const struct
    {
        const char* label;
        const char* unit;
        const char* value;
        QLabel** target;
    } rows[] = {{"IDC_STATIC_YDAO", "IDC_STATIC_YDAOR", kDue, &m_due},
                {"IDC_STATIC_YJDAO", "IDC_STATIC_YJDAOR", kPresent, &m_present},
                {"IDC_STATIC_WDAO", "IDC_STATIC_WDAOR", kAbsent, &m_absent}};
    int y = 10;
    for (const auto& row : rows) {
        build.label(row.label, row.label, {10, y, 150, 40});
        auto* value = new QLabel(QStringLiteral("0"), figures);
        value->setObjectName(key(row.value));
        value->setProperty("figure", true);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setGeometry(166, y, 100, 40);
        QLabel* unit = build.label(row.unit, row.unit, {274, y, 104, 40});
        unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        *row.target = value;
        y += 44;
    }
    m_quorum = new QLabel(figures);
    m_quorum->setObjectName(key(kQuorum));
    m_quorum->setAlignment(Qt::AlignCenter);
    m_quorum->setGeometry(10, 144, 368, 32);
    m_progress = new QProgressBar(figures);
    m_progress->setObjectName(key(kProgress));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setAccessibleName(texts("IDC_STATIC_YJDAO"));
    m_progress->setGeometry(10, 184, 368, 24);
    build.setParent(this);

    connect(m_start, &QPushButton::clicked, this, [this] { start(false); });
    connect(m_fill, &QPushButton::clicked, this, [this] { start(true); });
    connect(m_end, &QPushButton::clicked, &m_session, &SignInSession::end);
    connect(m_unitButton, &QPushButton::clicked, this, &FrmManChe::signInUnit);
    connect(m_countdownCheck, &QCheckBox::toggled, m_countdownEdit, &QLineEdit::setEnabled);
    PageBuilder::keepFiltered(m_unitEdit, &NameFilter::digitsOnly);
    PageBuilder::keepFiltered(m_countdownEdit, &NameFilter::digitsOnly);

    connect(&m_session, &SignInSession::stateChanged, this, &FrmManChe::updateControls);
    connect(&m_session, &SignInSession::countdownChanged, m_countdownDisplay, &QLabel::setText);
    connect(&m_session, &SignInSession::figuresChanged, this, &FrmManChe::showFigures);
    connect(&m_session, &SignInSession::unitChanged, this, &FrmManChe::showUnit);
    connect(&m_session, &SignInSession::screenLines, this,
            [this](const QString& first, const QString& second) {
                pushPanel(m_presenter.lines(first, second, colours()));
            });
    connect(&m_session, &SignInSession::screenFigures, this,
            [this](const QString& title, const QString& values, const QString& labels) {
                pushPanel(m_presenter.figures(title, values, labels, colours()));
            });
    connect(&m_session, &SignInSession::message, this, [this](const QString& text) { m_texts.inform(text); });
    connect(&m_session, &SignInSession::held, this, [this](const QString& reason) {
        offerHeldRound(
            m_texts, reason, [this] { return m_session.storeAgain(); }, [this] { m_session.discardHeld(); });
    });

    m_countdownEdit->setEnabled(false);
    updateControls();
}

void FrmManChe::openMeeting()
{
    buildGrid();
    showFigures(m_session.figures(), m_session.quorumText());
}

void FrmManChe::buildGrid()
{
    const PageTexts& texts = m_texts;
    m_gridUnits = qBound(0, m_link.unitCount(), Link::kHighestUnit);
    const int groups = UnitGrid::groupCount(m_gridUnits, SignInCount::kGridRows);
    m_grid->clear();
    m_grid->setRowCount(qMin(m_gridUnits, SignInCount::kGridRows));
    const bool fullColumn = m_grid->rowCount() == SignInCount::kGridRows;
    m_grid->verticalHeader()->setSectionResizeMode(fullColumn ? QHeaderView::Stretch : QHeaderView::Fixed);
    // Column 0 stays empty and hidden, so a group's columns are 1 + 3g.. as designed.
    m_grid->setColumnCount(1 + groups * kGroupColumns);
    m_grid->setColumnHidden(0, true);
    const QStringList titles = {texts("MsgClew1"), texts("MsgClew2"), texts("MsgClew3")};
    for (int group = 0; group < groups; ++group)
        for (int part = 0; part < kGroupColumns; ++part) {
            const int column = 1 + group * kGroupColumns + part;
            m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem(titles[part]));
            m_grid->setColumnWidth(column, kColumnWidths[part]);
        }
    for (int unit = 1; unit <= m_gridUnits; ++unit) {
        const UnitGrid::Place place = UnitGrid::place(unit, SignInCount::kGridRows);
        const int column = 1 + place.group * kGroupColumns;
        auto* number = new QTableWidgetItem(QString::number(unit));
        number->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(place.row, column, number);
        m_grid->setItem(place.row, column + 1, new QTableWidgetItem(m_session.delegateName(unit)));
        auto* mark = new QTableWidgetItem;
        mark->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(place.row, column + 2, mark);
    }
    refreshGrid();
}

void FrmManChe::refreshGrid()
{
    for (int unit = 1; unit <= m_gridUnits; ++unit)
        showUnit(unit, m_link.unit(unit).signedIn);
}

void FrmManChe::showUnit(int unit, bool signedIn)
{
    if (unit < 1 || unit > m_gridUnits)
        return;
    const UnitGrid::Place place = UnitGrid::place(unit, SignInCount::kGridRows);
    QTableWidgetItem* mark = m_grid->item(place.row, 1 + place.group * kGroupColumns + 2);
    const QString& text = signedIn ? m_signedInMark : m_absentMark;
    if (!mark || mark->text() == text)
        return;
    mark->setText(text);
    mark->setForeground(signedIn ? QBrush(kSignedInColour) : QBrush());
}

QString FrmManChe::gridText(int unit, int part) const
{
    if (unit < 1 || unit > m_gridUnits || part < 0 || part >= kGroupColumns)
        return QString();
    const UnitGrid::Place place = UnitGrid::place(unit, SignInCount::kGridRows);
    const QTableWidgetItem* item = m_grid->item(place.row, 1 + place.group * kGroupColumns + part);
    return item ? item->text() : QString();
}

void FrmManChe::start(bool supplementary)
{
    const bool countdown = m_countdownCheck->isChecked();
    const int seconds = m_countdownEdit->text().toInt();
    // A countdown of nothing would end the sign-in as it begins: the operator meant a length.
    if (countdown && seconds <= 0) {
        m_texts.message(QStringLiteral("MsgCountdownZero"));
        return;
    }
    m_session.setCountdown(countdown, seconds);
    if (supplementary)
        m_session.startSupplementary();
    else
        m_session.start();
}

void FrmManChe::signInUnit()
{
    bool ok = false;
    const int unit = m_unitEdit->text().toInt(&ok);
    if (!ok || unit < 1 || unit > m_link.unitCount()) {
        m_unitEdit->clear();
        return;
    }
    m_session.signInUnit(unit);
}

void FrmManChe::updateControls()
{
    const SignInSession::State state = m_session.state();
    const bool idle = state == SignInSession::State::Idle;
    m_start->setEnabled(idle);
    // From End until ControlEnd the last answers are read: say so rather than only greying the page.
    const bool closing = state == SignInSession::State::Closing || state == SignInSession::State::Writing;
    m_progress->setFormat(closing ? m_texts("MsgReading") : QStringLiteral("%p%"));
    m_fill->setEnabled(idle && m_session.hasEnded());
    m_end->setEnabled(state == SignInSession::State::Collecting);
    m_unitButton->setEnabled(m_session.canSignInManually());
    m_countdownGroup->setEnabled(idle);
    for (int list = 0; list < 2; ++list) {
        const bool shown =
            m_names == (list == 0 ? SignInCount::NameList::SignedIn : SignInCount::NameList::Absent);
        m_namesButtons[list]->setEnabled(idle);
        m_upButtons[list]->setEnabled(idle && shown);
        m_downButtons[list]->setEnabled(idle && shown);
    }
}

void FrmManChe::showFigures(const SignInCount::Figures& figures, const QString& quorumText)
{
    m_due->setText(QString::number(figures.due));
    m_present->setText(QString::number(figures.present));
    m_absent->setText(QString::number(figures.absent));
    m_quorum->setText(quorumText);
    QPalette palette = m_quorum->palette();
    palette.setColor(QPalette::WindowText,
                     figures.quorum == SignInCount::Quorum::Missed ? kQuorumMissedColour : kSignedInColour);
    m_quorum->setPalette(palette);
    const int share = figures.due > 0 ? qMin(100, figures.present * 100 / figures.due) : 0;
    m_progress->setValue(share);
}

void FrmManChe::bringScreen()
{
    if (!m_screen.isWindowShown())
        m_screen.showWindow();
}

PanelColours FrmManChe::colours() const
{
    return {m_screen.screenColour(), m_screen.screenTextColour()};
}

void FrmManChe::pushPanel(const ScreenPanelState& state)
{
    bringScreen();
    m_screen.showPanel();
    m_screen.setPanel(state);
}

void FrmManChe::showNames(SignInCount::NameList which)
{
    m_names = which;
    m_namePage = 0;
    paintNamePage();
    updateControls();
}

void FrmManChe::nextNamePage()
{
    if (!m_names)
        return;
    const int pages = SignInCount::pageCount(int(m_session.names(*m_names).size()));
    if (m_namePage + 1 < pages) {
        ++m_namePage;
        paintNamePage();
    }
}

void FrmManChe::previousNamePage()
{
    if (!m_names || m_namePage == 0)
        return;
    --m_namePage;
    paintNamePage();
}

void FrmManChe::paintNamePage()
{
    const QStringList names = m_session.names(*m_names);
    const bool signedIn = *m_names == SignInCount::NameList::SignedIn;
    // A hall screen 800 pixels wide takes the smaller font, as designed.
    const bool narrow = m_screen.scrSize().section(QLatin1Char('*'), 0, 0).trimmed() == QLatin1String("800");
    bringScreen();
    m_screen.showNameGrid();
    m_screen.setGridColours(m_screen.screenColour(), m_screen.screenTextColour());
    m_screen.setGridFont(narrow ? 320 : 450, kNameFace);
    m_screen.setGrid(kNameRows, kNameColumns);
    m_screen.setGridTitle(
        m_texts(signedIn ? QStringLiteral("MsgNamesSigned") : QStringLiteral("MsgNamesAbsent")));
    m_screen.setNames(SignInCount::namePage(names, m_namePage), SignInCount::kNamesPerPage);
}
