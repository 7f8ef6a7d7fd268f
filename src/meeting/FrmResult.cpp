#include "meeting/FrmResult.h"

#include "core/LanguageTable.h"
#include "data/FieldList.h"
#include "meeting/ResultView.h"
#include "meeting/VoteCount.h"
#include "prep/MotionTable.h"
#include "screen/HallScreen.h"
#include "screen/ScreenGeometry.h"
#include "screen/ScreenPanel.h"
#include "ui/PageBuilder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kWhite(Qt::white);

// The room the preview may take; it keeps the hall screen's shape inside it.
const QRect kPreviewRoom(360, 84, 630, 500);

QString textOr(const Texts& texts, const char* key, const QString& designed)
{
    const QString text = texts(QString::fromLatin1(key));
    return text.isEmpty() ? designed : text;
}

QRect previewRect(const QString& scrSize)
{
    QSize screen = ScreenGeometry::windowRect(scrSize, 0).size();
    if (screen.width() <= 0 || screen.height() <= 0)
        screen = QSize(1024, 768);
    const QSize fitted = screen.scaled(kPreviewRoom.size(), Qt::KeepAspectRatio);
    return QRect(kPreviewRoom.topLeft(), fitted);
}

} // namespace

FrmResult::FrmResult(HallScreen& screen, const ResultRequest& request, QWidget* parent)
    : QDialog(parent), m_screen(screen), m_request(request)
{
    setObjectName(QStringLiteral("FrmResult"));
    const Texts texts(QStringLiteral("FrmResult"));
    const Texts common(QStringLiteral("Public"));
    const QString title = texts(QStringLiteral("DlgName"));
    setWindowTitle(request.meeting.isEmpty() ? title : QStringLiteral("%1 - %2").arg(title, request.meeting));

    PageBuilder build(this, texts);
    auto readOnly = [](QLineEdit* edit, const QString& text) {
        edit->setReadOnly(true);
        edit->setText(text);
        edit->setCursorPosition(0);
    };
    readOnly(build.edit(kMotionName, QRect(130, 12, 860, 0),
                        build.label("IDC_VOTE_NAME", "IDC_VOTE_NAME", {10, 12, 114, 28})),
             request.motionName);
    const QString kindName = request.kind >= 0 && request.kind < 7
                                 ? common(QStringLiteral("VoteType%1").arg(request.kind + 1))
                                 : QString();
    readOnly(build.edit(kKindName, QRect(130, 46, 220, 0),
                        build.label("IDC_STATIC_VOTETYPE", "IDC_STATIC_VOTETYPE", {10, 46, 114, 28})),
             kindName);
    readOnly(build.edit(kVoteTime, QRect(510, 46, 220, 0),
                        build.label("MsgClewVote", "MsgClewVote", {360, 46, 144, 28})),
             MotionTable::storedTime(request.votedAt));

    // Whole fields only, at most five; the rest stay empty.
    const QStringList candidates = request.candidates.mid(0, VoteCount::kMaxFields);
    for (int i = 0; i < 5; ++i) {
        const QByteArray key = QStringLiteral("IDC_STATIC_CANDIDATE%1").arg(i + 1).toLatin1();
        const int y = 84 + i * 34;
        readOnly(build.edit(kCandidates[size_t(i)], QRect(130, y, 220, 0),
                            build.label(key.constData(), key.constData(), {10, y, 114, 28})),
                 candidates.value(i));
    }

    m_views = new QButtonGroup(this);
    const std::array<std::pair<const char*, PanelKind>, 3> radios{
        {{kTextView, PanelKind::Table}, {kHistogramView, PanelKind::Histogram}, {kPieView, PanelKind::Pie}}};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(texts(QString::fromLatin1(radios[size_t(i)].first)), this);
        radio->setObjectName(QString::fromLatin1(radios[size_t(i)].first));
        radio->setAccessibleName(radio->text());
        // As wide as its caption: a click beside the caption would not choose it.
        radio->setGeometry(130, 270 + i * 32, qMin(220, radio->sizeHint().width()), 28);
        m_views->addButton(radio, int(radios[size_t(i)].second));
    }
    m_views->button(int(PanelKind::Table))->setChecked(true);
    connect(m_views, &QButtonGroup::idClicked, this, [this](int id) { showView(PanelKind(id)); });

    if (request.result.isEmpty()) {
        auto* hint = new QLabel(texts(QString::fromLatin1(kNotVoted)), this);
        hint->setObjectName(QString::fromLatin1(kNotVoted));
        hint->setWordWrap(true);
        hint->setGeometry(10, 380, 340, 60);
    }

    QPushButton* exit = build.button(kExit, QRect(130, 556, 160, 30));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);

    m_preview = new ScreenPanel(this);
    m_preview->setObjectName(QString::fromLatin1(kPreview));
    m_preview->setAccessibleName(title);
    // The hall screen's unit words, so the preview's table reads as the hall's.
    const Texts screenTexts(QStringLiteral("FrmScr"));
    m_preview->setUnitWords(textOr(screenTexts, "UnitPersons", QStringLiteral("人")),
                            textOr(screenTexts, "UnitVotes", QStringLiteral("票")));
    m_preview->setGeometry(previewRect(request.scrSize.isEmpty() ? screen.scrSize() : request.scrSize));

    setFixedSize(1000, 600);
    if (QScreen* display = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(display->availableGeometry().center() - rect().center());

    m_screen.showWindow();
    m_screen.showPanel();
    showView(PanelKind::Table);
}

void FrmResult::showView(PanelKind view)
{
    // The view may be chosen from outside the radio buttons: they follow.
    if (QAbstractButton* radio = m_views->button(int(view)))
        radio->setChecked(true);
    const Texts texts(QStringLiteral("FrmResult"));
    const Texts voting(QStringLiteral("FrmMeeVote"));
    ResultView::LabelTexts labels;
    // The voting page's labels; the dialog's own until that section has them.
    labels.due = textOr(voting, "strYD", texts(QStringLiteral("strYD")));
    labels.present = textOr(voting, "strQD", texts(QStringLiteral("strQD")));
    labels.yes = texts(QStringLiteral("MsgVote1"));
    labels.no = texts(QStringLiteral("MsgVote2"));
    labels.abstain = texts(QStringLiteral("MsgVote3"));
    labels.unpressed = texts(QStringLiteral("MsgVote4"));
    labels.noKey = texts(QStringLiteral("MsgClewNokey"));
    labels.meanMark = texts(QStringLiteral("MsgClewMark"));
    labels.satisfied = textOr(texts, "MsgSatisfied", labels.satisfied);
    labels.dissatisfied = textOr(texts, "MsgDissatisfied", labels.dissatisfied);
    labels.fairlySatisfied = textOr(texts, "MsgFairlySatisfied", labels.fairlySatisfied);
    // The elected are marked beside their names in every view.
    const QString candidates = FieldList::join(
        VoteCount::markElected(m_request.kind, m_request.candidates, m_request.result, m_request.seats,
                               Texts(QStringLiteral("Public"))(QStringLiteral("MsgElected"))));
    const ResultView::Display shown = ResultView::display(m_request.kind, view, candidates, labels);
    const QString heading = textOr(texts, "MsgTitle", QStringLiteral("投票结果"));
    const int percentages = m_request.showPercentages ? 1 : 2; // the screen's flag

    // The same calls on both panels. Setting the colours resets the kind, so they come first;
    // the heading is cleared in every view, so the preview, which starts empty, matches the hall.
    m_screen.setPanelColours(kBlue, kBlue);
    m_screen.setTopLine(heading, kWhite, 0);
    m_screen.setHeading(QString(), kWhite);
    m_screen.setShowPercentages(percentages);
    m_screen.setKind(shown.kind, shown.subKind);
    m_screen.setChart(shown.labels, m_request.result, kWhite);

    m_preview->setColours(kBlue, kBlue);
    m_preview->setTopLine(heading, kWhite, 0);
    m_preview->setHeading(QString(), kWhite);
    m_preview->setShowPercentages(percentages);
    m_preview->setKind(shown.kind, shown.subKind);
    m_preview->setChart(shown.labels, m_request.result, kWhite);
}
