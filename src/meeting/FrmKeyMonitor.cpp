#include "meeting/FrmKeyMonitor.h"
#include "meeting/UnitGrid.h"

#include "core/LanguageTable.h"
#include "core/TimerService.h"
#include "link/Link.h"
#include "meeting/KeyMonitorModel.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kRefreshMs = 1000;
constexpr int kRowPixels = 25;
constexpr int kColumnWidths[KeyMonitor::kGroupColumns] = {50, 80, 60};
constexpr int kMaxColumnWidth = 160;

QString textOr(const Texts& texts, const char* key, const QString& designed)
{
    const QString text = texts(QString::fromLatin1(key));
    return text.isEmpty() ? designed : text;
}

} // namespace

FrmKeyMonitor::FrmKeyMonitor(Link& link, TimerService& timers, const QString& meeting, int kind,
                             QWidget* parent)
    : QDialog(parent), m_link(link), m_kind(kind)
{
    setObjectName(QStringLiteral("FrmKeyMonitor"));
    const Texts texts(QStringLiteral("FrmKeyMonitor"));
    const QString title = textOr(texts, "DlgName", QStringLiteral("在线监测按键情况"));
    setWindowTitle(title);
    m_notPressed = textOr(texts, "MsgNotPressed", QStringLiteral("----"));
    m_pressed = textOr(texts, "MsgPressed", QStringLiteral("已按键"));
    m_notSignedIn = texts(QStringLiteral("MsgNotSignedIn"));
    m_totalsFormat = textOr(texts, "MsgTotals", QStringLiteral("已按键 %1 / 已签到 %2"));

    DelegateTable delegates;
    delegates.setMeeting(meeting);
    // A failed read is reported by the data layer; the units are listed without names.
    m_names = KeyMonitor::namesByUnit(delegates.all().value_or(QList<Delegate>()));

    m_list = new QTableWidget(this);
    m_list->setObjectName(QString::fromLatin1(kList));
    m_list->setAccessibleName(title);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(kRowPixels);
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setShowGrid(true);
    m_list->setWordWrap(false);

    m_totals = new QLabel(this);
    m_totals->setObjectName(QString::fromLatin1(kTotals));

    auto* close = new QPushButton(textOr(texts, kClose, QStringLiteral("关闭")), this);
    close->setObjectName(QString::fromLatin1(kClose));
    close->setAccessibleName(close->text());
    close->setMinimumWidth(200);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_totals, 1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Filled at once rather than a second after opening.
    refresh();
    if (QScreen* display = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(display->availableGeometry().center() - rect().center());
    m_timer = timers.createTimer([this] { refresh(); });
    m_timer->start(kRefreshMs);
}

FrmKeyMonitor::~FrmKeyMonitor() = default;

void FrmKeyMonitor::build()
{
    const Texts texts(QStringLiteral("FrmKeyMonitor"));
    const QString titles[KeyMonitor::kGroupColumns] = {
        textOr(texts, "MsgUnit", QStringLiteral("单元号")), textOr(texts, "MsgName", QStringLiteral("姓名")),
        textOr(texts, "MsgKeyState", QStringLiteral("按键状态"))};
    m_units = qBound(0, m_link.unitCount(), Link::kHighestUnit);
    const int groups = UnitGrid::groupCount(m_units, KeyMonitor::kRows);
    m_list->clear();
    m_list->setRowCount(KeyMonitor::rowCount(m_units));
    m_list->setColumnCount(KeyMonitor::column(groups, 0));
    m_list->setColumnHidden(0, true);
    const QFontMetrics metrics = m_list->horizontalHeader()->fontMetrics();
    int nameWidth = 0;
    for (const QString& name : std::as_const(m_names))
        nameWidth = qMax(nameWidth, m_list->fontMetrics().horizontalAdvance(name));
    int stateWidth = 0;
    for (const QString& state : {m_notPressed, m_pressed, m_notSignedIn})
        stateWidth = qMax(stateWidth, m_list->fontMetrics().horizontalAdvance(state));
    for (int group = 0; group < groups; ++group) {
        for (int part = 0; part < KeyMonitor::kGroupColumns; ++part) {
            const int column = KeyMonitor::column(group, part);
            m_list->setHorizontalHeaderItem(column, new QTableWidgetItem(titles[part]));
            // The designed widths, wider where a title or the longest name needs it.
            const int needed = qMax(metrics.horizontalAdvance(titles[part]), part == 1   ? nameWidth
                                                                             : part == 2 ? stateWidth
                                                                                         : 0);
            m_list->setColumnWidth(column, qBound(kColumnWidths[part], needed + 14, kMaxColumnWidth));
        }
    }
    for (int unit = 1; unit <= m_units; ++unit) {
        const UnitGrid::Place place = UnitGrid::place(unit, KeyMonitor::kRows);
        const QString texts[KeyMonitor::kGroupColumns] = {QString::number(unit), m_names.value(unit),
                                                          QString()};
        for (int part = 0; part < KeyMonitor::kGroupColumns; ++part) {
            auto* item = new QTableWidgetItem(texts[part]);
            item->setTextAlignment(part == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            m_list->setItem(place.row, KeyMonitor::column(place.group, part), item);
        }
    }
    fitList();
}

void FrmKeyMonitor::fitList()
{
    // As large as the units need: 22 rows always fit (the designed list was 630
    // pixels high); the column groups scroll sideways where the display is narrower.
    int room = 1024;
    if (const QScreen* display = screen())
        room = qMax(400, display->availableGeometry().width() - 60);
    const int frame = 2 * m_list->frameWidth();
    int width = frame;
    for (int column = 0; column < m_list->columnCount(); ++column)
        width += m_list->isColumnHidden(column) ? 0 : m_list->columnWidth(column);
    const bool scrolls = width > room;
    m_list->setHorizontalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int scrollBar = scrolls ? m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    m_list->setFixedSize(qMin(width, room), frame + m_list->horizontalHeader()->sizeHint().height() +
                                                m_list->rowCount() * kRowPixels + scrollBar);
}

void FrmKeyMonitor::refresh()
{
    if (m_units != qBound(0, m_link.unitCount(), Link::kHighestUnit))
        build();
    const QList<KeyMonitor::KeyState> keys = KeyMonitor::keyStates(m_link, m_kind);
    const KeyMonitor::Totals figures = KeyMonitor::totals(keys);
    m_totals->setText(m_totalsFormat.arg(figures.pressed).arg(figures.signedIn));
    const QStringList states =
        KeyMonitor::keyStateTexts(keys, KeyMonitor::StateTexts{m_notPressed, m_pressed, m_notSignedIn});
    for (int unit = 1; unit <= states.size(); ++unit) {
        const UnitGrid::Place place = UnitGrid::place(unit, KeyMonitor::kRows);
        QTableWidgetItem* item = m_list->item(place.row, KeyMonitor::column(place.group, 2));
        // Only changed texts, so an unchanged list is not repainted every second.
        if (item && item->text() != states[unit - 1])
            item->setText(states[unit - 1]);
    }
}

QString FrmKeyMonitor::cellText(int unit, int part) const
{
    if (unit < 1 || unit > m_units || part < 0 || part >= KeyMonitor::kGroupColumns)
        return QString();
    const UnitGrid::Place place = UnitGrid::place(unit, KeyMonitor::kRows);
    const QTableWidgetItem* item = m_list->item(place.row, KeyMonitor::column(place.group, part));
    return item ? item->text() : QString();
}
