#include "link/FrmLink.h"

#include "core/LanguageTable.h"
#include "link/Link.h"
#include "ui/DialogKeys.h"
#include "ui/PictureButton.h"
#include "ui/Skin.h"
#include "ui/TrainingBand.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QTableWidget>

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 741;
constexpr int kRowHeight = 18;
constexpr int kNumberWidth = 42;
constexpr int kStateWidth = 60;
constexpr int kFirstColumnWidth = 8;

QLineEdit* makeCount(QWidget* parent, const QString& name, const QString& accessible)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignCenter);
    edit->setText(QStringLiteral("0"));
    return edit;
}
} // namespace

FrmLink::FrmLink(Link& link, TimerService& timers, QWidget* parent)
    : QDialog(parent), m_link(link), m_check(link, timers)
{
    setObjectName(QStringLiteral("FrmLink"));
    // Its own taskbar button: a top-level window, not a child of the hidden main window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setWindowIcon(Skin::programIcon());
    setFixedSize(kWidth, kHeight);
    setStyleSheet(Skin::darkStyleSheet());
    m_picture.setResource(QStringLiteral("linecheck-backdrop"), QSize(kWidth, kHeight));

    const Texts texts(QStringLiteral("FrmLink"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_onlineText = texts(QStringLiteral("MsgClew4"));
    m_waitingText = texts(QStringLiteral("MsgWaiting"));
    m_finishedText = texts(QStringLiteral("MsgFinished"));

    m_heading = new QLabel(texts(QStringLiteral("DlgName")), this);
    m_heading->setObjectName(QStringLiteral("heading"));
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPointSize(17);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setGeometry(84, 18, 600, 36);

    m_grid = new QTableWidget(kRows, 1 + 2 * kPairs, this);
    m_grid->setObjectName(QLatin1String(kGrid));
    m_grid->setAccessibleName(texts(QStringLiteral("DlgName")));
    m_grid->setShowGrid(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont gridFont(QStringLiteral("Arial"));
    gridFont.setPointSize(9);
    m_grid->setFont(gridFont);
    QStringList headers{QString()};
    for (int pair = 0; pair < kPairs; ++pair)
        headers << texts(QStringLiteral("MsgClew1")) << texts(QStringLiteral("MsgClew2"));
    m_grid->setHorizontalHeaderLabels(headers);
    m_grid->setColumnWidth(0, kFirstColumnWidth);
    for (int pair = 0; pair < kPairs; ++pair) {
        m_grid->setColumnWidth(1 + 2 * pair, kNumberWidth);
        m_grid->setColumnWidth(2 + 2 * pair, kStateWidth);
    }
    // A little room for the frame; the last column takes what is left.
    const int gridWidth = kFirstColumnWidth + kPairs * (kNumberWidth + kStateWidth) + 16;
    const int gridHeight = m_grid->horizontalHeader()->sizeHint().height() + kRows * kRowHeight + 2;
    m_grid->setGeometry((kWidth - gridWidth) / 2, 72, gridWidth, gridHeight);
    m_grid->setRowCount(0);

    // The counts: label, edit, unit word, for online, offline and total.
    QFont countFont(QStringLiteral("Arial"));
    countFont.setPointSize(11);
    const int countsTop = 72 + gridHeight + 18;
    struct CountRow
    {
        const char* labelNumber;
        const char* labelKey;
        const char* editNumber;
        const char* unitNumber;
        QLineEdit** edit;
    };
    const CountRow rows[] = {{"1381", "IDC_STATIC_ONLINE", kOnlineCount, "1384", &m_online},
                             {"1382", "IDC_STATIC_BEOUT", kOfflineCount, "1385", &m_offline},
                             {"1383", "IDC_STATIC_POOL", kTotalCount, "1386", &m_total}};
    int x = (kWidth - gridWidth) / 2;
    for (const CountRow& row : rows) {
        const QString caption = texts(QString::fromLatin1(row.labelKey));
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(row.labelKey));
        label->setFont(countFont);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(x, countsTop, 96, 30);
        *row.edit = makeCount(this, QString::fromLatin1(row.editNumber), caption);
        (*row.edit)->setFont(countFont);
        (*row.edit)->setGeometry(x + 104, countsTop, 60, 30);
        auto* unit = new QLabel(texts(QStringLiteral("MsgClew3")), this);
        unit->setObjectName(QString::fromLatin1(row.unitNumber));
        unit->setFont(countFont);
        unit->setGeometry(x + 170, countsTop, 44, 30);
        x += 214;
    }
    m_total->setText(QString::number(m_check.unitCount()));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QLatin1String(kProgressBar));
    m_progress->setAccessibleName(texts(QStringLiteral("DlgName")));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setGeometry((kWidth - gridWidth) / 2, countsTop + 62, gridWidth - 2 * 150 - 40, 10);

    // What the check is doing, and that it has finished.
    m_status = new QLabel(this);
    m_status->setObjectName(QLatin1String(kStatus));
    m_status->setFont(countFont);
    m_status->setGeometry((kWidth - gridWidth) / 2, countsTop + 36, gridWidth - 2 * 150 - 40, 24);

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPointSize(11);
    const Skin::Faces faces = Skin::faces(Skin::FaceKind::Push, QSize(150, 40));
    const int right = (kWidth + gridWidth) / 2;
    m_start = new PictureButton(this);
    m_start->setObjectName(QLatin1String(kStartButton));
    m_start->setFaces(faces);
    m_start->setCaptionFont(buttonFont);
    m_start->setGlyph(QStringLiteral("linecheck"), 20);
    m_start->setCaption(texts(QStringLiteral("DlgName")));
    m_start->setBackdrop(&m_picture);
    m_start->setGeometry(right - 2 * 150 - 12, countsTop + 30, 150, 40);

    m_exit = new PictureButton(this);
    m_exit->setObjectName(QLatin1String(kExitButton));
    m_exit->setFaces(faces);
    m_exit->setCaptionFont(buttonFont);
    m_exit->setGlyph(QStringLiteral("exit"), 20);
    m_exit->setCaption(texts(QStringLiteral("IDC_SYSSET_EXIT")));
    m_exit->setBackdrop(&m_picture);
    m_exit->setGeometry(right - 150, countsTop + 30, 150, 40);

    m_start->setClicksOnEnter(false);
    m_exit->setClicksOnEnter(false);
    connect(m_start, &QAbstractButton::clicked, this, &FrmLink::startCheck);
    connect(m_exit, &QAbstractButton::clicked, this, &FrmLink::leave);

    connect(&m_check, &LineCheckProcedure::stateChanged, this,
            [this, texts](LineCheckProcedure::State state) {
                m_start->setEnabled(state == LineCheckProcedure::State::Idle);
                if (state == LineCheckProcedure::State::Arming)
                    m_status->setText(texts(QStringLiteral("MsgChecking")));
            });
    connect(&m_check, &LineCheckProcedure::finished, this, [this] {
        m_status->setText(m_finishedText.arg(m_check.onlineCount()).arg(m_check.offlineCount()));
    });
    connect(&m_check, &LineCheckProcedure::progressChanged, m_progress, &QProgressBar::setValue);
    connect(&m_check, &LineCheckProcedure::unitsChanged, this, &FrmLink::refreshStates);
    WindowPlacement::centreOnScreen(*this);
}

FrmLink::~FrmLink() = default;

void FrmLink::startCheck()
{
    // The rows appear with the first check.
    if (m_check.start())
        fillGrid();
}

void FrmLink::fillGrid()
{
    m_grid->clearContents();
    const int unitCount = m_check.unitCount();
    m_grid->setRowCount(qMin(kRows, unitCount));
    for (int unit = 1; unit <= unitCount; ++unit) {
        auto* number = new QTableWidgetItem(QString::asprintf("%d", unit));
        number->setTextAlignment(Qt::AlignCenter);
        auto* state = new QTableWidgetItem(offlineText());
        state->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(rowOf(unit), numberColumnOf(unit), number);
        m_grid->setItem(rowOf(unit), numberColumnOf(unit) + 1, state);
    }
    refreshStates();
}

void FrmLink::setTrainingBand(const QString& text)
{
    new TrainingBand(text, QRect(0, 0, kWidth, TrainingBand::kHeight), this);
    m_heading->move(m_heading->x(), TrainingBand::kHeight + 2);
}

void FrmLink::refreshStates()
{
    // Until the poll cycle has ended, a unit that has not answered may not have been asked yet.
    const bool polling = m_check.state() == LineCheckProcedure::State::Arming ||
                         m_check.state() == LineCheckProcedure::State::Polling;
    for (int unit = 1; unit <= m_check.unitCount(); ++unit) {
        const bool answered = m_check.isOnline(unit);
        if (QTableWidgetItem* state = m_grid->item(rowOf(unit), numberColumnOf(unit) + 1)) {
            state->setText(answered ? m_onlineText : polling ? m_waitingText : offlineText());
            state->setForeground(answered ? Skin::accent() : QColor(0x7a, 0x88, 0x9c));
        }
    }
    m_online->setText(QString::number(m_check.onlineCount()));
    m_offline->setText(polling ? QString() : QString::number(m_check.offlineCount()));
    m_total->setText(QString::number(m_check.unitCount()));
}

void FrmLink::leave()
{
    if (m_left)
        return;
    m_left = true;
    m_check.leave();
    m_link.requestShowMainWindow();
    hide();
    deleteLater();
}

void FrmLink::reject() {}

void FrmLink::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::isEnterOrEscape(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmLink::closeEvent(QCloseEvent* event)
{
    event->accept();
    leave();
}

void FrmLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.paint(painter, QSize(kWidth, kHeight));
}
