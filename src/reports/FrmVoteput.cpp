#include "reports/FrmVoteput.h"

#include "data/Schema.h"
#include "reports/FrmSysPre.h"
#include "reports/RecordCheck.h"
#include "reports/RegisterList.h"
#include "reports/RegisterSave.h"
#include "reports/VoteRegister.h"
#include "ui/PageBuilder.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

FrmVoteput::FrmVoteput(QWidget* parent)
    : QWidget(parent), m_texts(QStringLiteral("FrmVoteput"), QStringLiteral("MsgClew")),
      m_voteTexts(VoteTexts::fromLanguageTables()), m_runPreview([](FrmSysPre& preview) { preview.exec(); })
{
    setObjectName(QStringLiteral("FrmVoteput"));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    PageBuilder build(this, texts);
    QStringList categories;
    for (int c = 1; c <= VoteRegister::kCategories; ++c)
        categories << texts(QStringLiteral("MsgResult%1").arg(c));
    m_categories = build.combo(kCategory, {130, 8, 170, 32},
                               build.label("IDC_STATIC_SETOVETYPE", "IDC_STATIC_SETOVETYPE", {5, 8, 119, 32}),
                               categories);
    m_categories->setCurrentIndex(-1);
    m_categories->setPlaceholderText(texts("MsgHintCategory"));
    QPushButton* all = build.button(kShowAllButton, {310, 8, 120, 32});
    QPushButton* voted = build.button(kShowVotedButton, {436, 8, 150, 32});
    QPushButton* exportButton = build.button(kExportButton, {592, 8, 104, 32});
    m_print = build.button(kPrintButton, {702, 8, 104, 32});
    m_print->setEnabled(false);
    QPushButton* back = build.button(kBackButton, {702, 612, 104, 34});

    const Texts vote(QStringLiteral("FrmMeeVote"));
    for (int c = 1; c <= VoteRegister::kCategories; ++c) {
        auto* list = new QTableWidget(this);
        list->setObjectName(QStringLiteral("VoteputList%1").arg(c));
        list->setGeometry(5, 50, 808, 550);
        RegisterList::setUp(*list, 25);
        RegisterList::setColumns(*list, VoteRegister::emptyTable(c, texts, vote));
        list->setAccessibleName(categories[c - 1]);
        list->hide();
        m_lists << list;
    }

    m_record = new QLabel(this);
    m_record->setObjectName(QLatin1String(kRecordLine));
    m_record->setGeometry(10, 612, 680, 34);

    connect(m_categories, &QComboBox::activated, this, [this](int index) { chooseCategory(index + 1); });
    connect(all, &QPushButton::clicked, this, &FrmVoteput::showAll);
    connect(voted, &QPushButton::clicked, this, &FrmVoteput::showVoted);
    connect(exportButton, &QPushButton::clicked, this, &FrmVoteput::exportList);
    connect(m_print, &QPushButton::clicked, this, &FrmVoteput::print);
    connect(back, &QPushButton::clicked, this, &FrmVoteput::back);
}

void FrmVoteput::openMeeting(const QString& meetingName)
{
    m_meeting = meetingName;
    for (QTableWidget* list : m_lists)
        list->setRowCount(0);
    m_shown.rows.clear();

    const RecordCheck::Verdict verdict = RecordCheck::check(meetingName);
    m_record->setText(verdict.outcome == RecordCheck::Verdict::Outcome::Missing
                          ? QString()
                          : RecordCheck::text(verdict, Texts(QStringLiteral("Public"))));
    m_record->setStyleSheet(verdict.outcome == RecordCheck::Verdict::Outcome::Intact
                                ? QStringLiteral("color: #1e6b34;")
                                : QStringLiteral("color: #b02a1e; font-weight: bold;"));
    // The register opens on a list: the category last chosen, else the first.
    chooseCategory(m_category ? m_category : 1);
    fill(false);
}

void FrmVoteput::chooseCategory(int category)
{
    m_category = category >= 1 && category <= VoteRegister::kCategories ? category : 0;
    m_categories->setCurrentIndex(m_category - 1);
    for (int c = 1; c <= VoteRegister::kCategories; ++c)
        m_lists[c - 1]->setVisible(c == m_category);
    m_print->setEnabled(VoteRegister::printable(m_category));
    m_shown = VoteRegister::emptyTable(m_category, m_texts, Texts(QStringLiteral("FrmMeeVote")));
    if (m_category)
        m_lists[m_category - 1]->setRowCount(0);
}

void FrmVoteput::showAll()
{
    fill(false);
}

void FrmVoteput::showVoted()
{
    fill(true);
}

void FrmVoteput::fill(bool votedOnly)
{
    if (!m_category) {
        m_texts.message(QStringLiteral("MsgChooseCategory"));
        return;
    }
    const VoteRegister::Motions motions = VoteRegister::load(m_meeting, m_voteTexts.words);
    m_shown.rows = VoteRegister::rows(m_category, motions.motions, votedOnly, m_voteTexts, motions.rounds);
    RegisterList::showRows(*m_lists[m_category - 1], m_shown);
}

RegisterHeading FrmVoteput::heading() const
{
    return RegisterSave::heading(m_meeting, m_texts("MsgTitle") + QStringLiteral(" \u2014 ") +
                                                m_categories->itemText(m_category - 1));
}

void FrmVoteput::exportList()
{
    if (!m_category)
        return;
    RegisterSave::run(this, m_texts, m_texts(kExportButton), m_shown, heading());
}

void FrmVoteput::print()
{
    if (!VoteRegister::printable(m_category) || m_shown.rows.isEmpty())
        return;
    FrmSysPre preview(m_shown, heading(), this);
    m_runPreview(preview);
}
