#include "prep/FrmManinfo.h"

#include "core/Prompt.h"
#include "prep/DelegatePhoto.h"
#include "prep/DelegateSheet.h"
#include "prep/NameFilter.h"
#include "ui/FileDialog.h"
#include "ui/PageBuilder.h"
#include "ui/RecordList.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

namespace {

// The few texts that stay as they are in every language.
const QString kFormatCaption = QStringLiteral("Error");
const QString kFormatMessage = QStringLiteral("Please Check the format of the Excel file!");
const QString kSaveFilter = QStringLiteral("excel 2007 file(*.xlsx)");
const QString kOpenFilter =
    QStringLiteral("excel file(*.xlsx *.xls);;excel 2007 file(*.xlsx);;excel file(*.xls)");

// Together narrower than the list less its vertical scroll bar, and the last
// column takes what is left, so the list never scrolls sideways.
const int kColumnWidths[Delegate::kListedFields] = {64, 92, 60, 92, 92, 70, 74, 90, 76, 56};

} // namespace

FrmManinfo::FrmManinfo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmManinfo"));
    const PageTexts& texts = m_texts;
    resize(818, 655);

    m_list = new QTableView(this);
    m_list->setObjectName(QLatin1String(kList));
    m_list->setGeometry(10, 10, 798, 300);
    for (int c = 0; c < Delegate::kListedFields; ++c)
        m_headings << texts(QStringLiteral("LstText%1").arg(c + 1));
    RecordList::setUp(*m_list, m_delegates, m_headings);
    for (int c = 0; c < Delegate::kListedFields; ++c)
        m_list->setColumnWidth(c, kColumnWidths[c]);
    m_list->setAccessibleName(texts("Perlist"));
    connect(m_list, &QTableView::clicked, this, [this](const QModelIndex& index) { showRow(index.row()); });
    connect(&m_delegates, &QAbstractItemModel::modelReset, this, &FrmManinfo::listShown);
    // After the model has read the whole list again.
    connect(&m_table, &DelegateTable::changed, this, &FrmManinfo::countDelegates);

    // Count and paging under the list.
    PageBuilder build(this, texts);
    auto label = [&](const char* key, const QRect& place) { return build.label(key, key, place); };
    m_countField = build.edit(kCountField, {115, 318, 50, 28}, label("IDC_STATIC_SUN", {10, 318, 100, 28}));
    m_countField->setReadOnly(true);
    m_countField->setAlignment(Qt::AlignCenter);
    label("IDC_STATIC_SUNP", {170, 318, 80, 28})->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto pageButton = [&](const char* id, const char* textKey, QStyle::StandardPixmap icon, int x, int delta,
                          bool toEnd) {
        auto* b = new QPushButton(this);
        b->setObjectName(QLatin1String(id));
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(texts(QLatin1String(textKey)));
        b->setAccessibleName(b->toolTip());
        b->setGeometry(x, 316, 44, 32);
        connect(b, &QPushButton::clicked, this, [this, delta, toEnd] {
            if (!toEnd) {
                step(delta);
            } else if (m_delegates.rowCount() > 0) {
                showRow(delta < 0 ? 0 : m_delegates.rowCount() - 1);
            }
        });
    };
    pageButton(kFirstButton, "BtnFirst", QStyle::SP_MediaSkipBackward, 620, -1, true);
    pageButton(kPreviousButton, "BtnPrev", QStyle::SP_MediaSeekBackward, 667, -1, false);
    pageButton(kNextButton, "BtnNext", QStyle::SP_MediaSeekForward, 714, 1, false);
    pageButton(kLastButton, "BtnLast", QStyle::SP_MediaSkipForward, 761, 1, true);

    // Fields in two columns, the photo on the right; the sex sits third in the first column.
    static const char* const kFieldLabels[9] = {
        "IDC_STATIC_MAINNAME", "IDC_STATIC_NAMEINFO",  "IDC_STATIC_FOLKINFO",
        "IDC_STATIC_JOBUNIT",  "IDC_STATIC_DUTYINFO",  "IDC_STATIC_PHONEINFO",
        "IDC_STATIC_DELEGACY", "IDC_STATIC_MDELEGACY", "IDC_STATIC_SEATINFO"};
    const int maxLengths[9] = {5, 50, 40, 40, 20, 30, 30, 30, 30};
    const int rowY[5] = {362, 398, 434, 470, 506};
    for (int i = 0; i < 9; ++i) {
        if (i == 2) // made here, so Tab reaches it between the name and the ethnic group
            m_sex = build.combo(kSexCombo, {115, rowY[2], 160, 28},
                                label("IDC_STATIC_SEXINFO", {10, rowY[2], 100, 28}),
                                {texts("cbSex1"), texts("cbSex2")});
        const bool right = i >= 4;
        const int y = rowY[right ? i - 4 : (i < 2 ? i : i + 1)];
        m_fields[i] = build.edit(kFieldEdits[i], {right ? 395 : 115, y, right ? 170 : 160, 28},
                                 label(kFieldLabels[i], {right ? 290 : 10, y, 100, 28}), maxLengths[i]);
    }
    // Digits only while typing; a stored value (an imported "abc") is still shown as it is.
    connect(m_fields[0], &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString digits = NameFilter::digitsOnly(text);
        if (digits != text) {
            const int cursor = m_fields[0]->cursorPosition() - int(text.size() - digits.size());
            m_fields[0]->setText(digits);
            m_fields[0]->setCursorPosition(qMax(0, cursor));
        }
    });

    m_photoFrame = new QLabel(this);
    m_photoFrame->setObjectName(QLatin1String(kPhoto));
    m_photoFrame->setGeometry(590, 362, 218, 136);
    m_photoFrame->setFrameShape(QFrame::Box);
    m_photoFrame->setAlignment(Qt::AlignCenter);
    m_photoFrame->setAccessibleName(texts("IDC_STATIC_PHOTO"));
    auto* loadPhoto = build.button(kLoadPhotoButton, {590, 504, 106, 32});
    auto* removePhoto = build.button(kRemovePhotoButton, {702, 504, 106, 32});

    // Find.
    m_searchBy = build.combo(kSearchByCombo, {115, 554, 160, 28},
                             label("IDC_STATIC_PRESS", {10, 554, 100, 28}), {m_headings[0], m_headings[1]});
    m_searchBy->setCurrentIndex(-1);
    m_searchText =
        build.edit(kSearchTextEdit, {395, 554, 170, 28}, label("IDC_STATIC_INPUT", {290, 554, 100, 28}), 50);
    auto* find = build.button(kFindButton, {590, 552, 106, 32});

    // Actions; the designed Return button stays out, the hub has its own buttons.
    m_new = build.button(kNewButton, {10, 607, 125, 32});
    m_change = build.button(kChangeButton, {144, 607, 125, 32});
    m_delete = build.button(kDeleteButton, {278, 607, 125, 32});
    m_clearAll = build.button(kClearAllButton, {412, 607, 125, 32});
    auto* exportButton = build.button(kExportButton, {546, 607, 128, 32});
    auto* importButton = build.button(kImportButton, {680, 607, 128, 32});

    connect(m_new, &QPushButton::clicked, this, &FrmManinfo::onNew);
    connect(m_change, &QPushButton::clicked, this, &FrmManinfo::onChange);
    connect(m_delete, &QPushButton::clicked, this, &FrmManinfo::onDelete);
    connect(m_clearAll, &QPushButton::clicked, this, &FrmManinfo::onClearAll);
    connect(loadPhoto, &QPushButton::clicked, this, &FrmManinfo::onLoadPhoto);
    connect(removePhoto, &QPushButton::clicked, this, [this] {
        clearPhoto();
        m_photoRemoved = true;
    });
    connect(find, &QPushButton::clicked, this, &FrmManinfo::onFind);
    connect(exportButton, &QPushButton::clicked, this, &FrmManinfo::onExport);
    connect(importButton, &QPushButton::clicked, this, &FrmManinfo::onImport);

    setSelectionActions(false);
    m_clearAll->setEnabled(false);
    m_countField->setText(QStringLiteral("0"));
}

void FrmManinfo::openMeeting(const QString& meetingName, const QString& /*meetingKey*/)
{
    if (meetingName != m_meeting)
        clearFields();
    m_meeting = meetingName;
    m_table.setMeeting(meetingName);
    m_delegates.reload();
    countDelegates();
}

void FrmManinfo::setSelectionActions(bool enabled)
{
    m_change->setEnabled(enabled);
    m_delete->setEnabled(enabled);
}

void FrmManinfo::countDelegates()
{
    m_count = m_delegates.rowCount();
    m_countField->setText(QString::number(m_count));
    m_clearAll->setEnabled(m_count > 0);
}

void FrmManinfo::listShown()
{
    m_row = -1;
    m_selectedId = 0;
    m_list->clearSelection();
    setSelectionActions(false);
}

void FrmManinfo::showRow(int row)
{
    if (row < 0 || row >= m_delegates.rowCount())
        return;
    clearPhoto();
    m_photoRemoved = false;
    m_row = row;
    m_list->selectRow(row);
    m_list->setFocus();
    const std::optional<Delegate> found = m_table.byId(m_delegates.delegates()[row].id);
    if (!found)
        return; // gone meanwhile
    const Delegate& d = *found;
    const QString values[9] = {d.unit,  d.name,       d.ethnicGroup, d.workUnit, d.position,
                               d.phone, d.delegation, d.presidium,   d.seat};
    for (int i = 0; i < 9; ++i)
        m_fields[i]->setText(values[i]);
    m_selectedId = d.id;
    m_selectedUnit = d.unit;
    m_selectedSex = d.sex;
    // A sex that is neither item shows no item and is kept on Change.
    m_sex->setCurrentIndex(m_sex->findText(d.sex, Qt::MatchExactly));
    setPhoto(m_table.photo(d.id));
    setSelectionActions(true);
}

void FrmManinfo::clearFields()
{
    for (QLineEdit* field : m_fields)
        field->clear();
    m_sex->setCurrentIndex(0);
    m_selectedSex.clear();
    clearPhoto();
    m_photoRemoved = false;
}

void FrmManinfo::clearPhoto()
{
    m_photo.clear();
    m_photoFrame->clear();
}

void FrmManinfo::setPhoto(const QByteArray& bytes)
{
    m_photo = bytes;
    const QImage image = DelegatePhoto::toImage(bytes);
    if (image.isNull()) {
        m_photoFrame->clear();
        return;
    }
    const QSize room = m_photoFrame->contentsRect().size() - QSize(4, 4);
    m_photoFrame->setPixmap(
        QPixmap::fromImage(image.size().boundedTo(room) == image.size()
                               ? image
                               : image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

bool FrmManinfo::readFields(Delegate& delegate, bool refuseZero)
{
    const QString typed = m_fields[0]->text().trimmed();
    const QString name = m_fields[1]->text().trimmed();
    bool digits = !typed.isEmpty();
    for (const QChar c : typed)
        digits = digits && c >= u'0' && c <= u'9';
    // "007" is unit 7: store the number, so a unit cannot appear under two spellings.
    QString unit = typed;
    while (unit.size() > 1 && unit.startsWith(u'0'))
        unit.remove(0, 1);
    if (!digits || name.isEmpty() || (refuseZero && unit == QLatin1String("0"))) {
        m_texts.message("MsgClewNew1");
        return false;
    }
    if (unit.size() > 3 || unit.toInt() > DelegateTable::kMaxUnitNumber) {
        m_texts.message("MsgClewNew2");
        return false;
    }
    delegate.unit = unit;
    delegate.name = name;
    delegate.sex = m_sex->currentIndex() >= 0 ? m_sex->currentText() : m_selectedSex;
    QString* rest[] = {&delegate.ethnicGroup, &delegate.workUnit,  &delegate.position, &delegate.phone,
                       &delegate.delegation,  &delegate.presidium, &delegate.seat};
    for (int i = 0; i < 7; ++i)
        *rest[i] = m_fields[i + 2]->text();
    delegate.group = m_group;
    return true;
}

void FrmManinfo::onNew()
{
    Delegate delegate;
    if (!readFields(delegate, true))
        return;
    if (m_table.exists(delegate.unit)) {
        m_texts.message("MsgClewNew3");
        return;
    }
    if (!m_table.insert(delegate))
        return; // reported by the database layer
    if (!m_photo.isEmpty())
        m_table.setPhoto(delegate.id, m_photo);
    m_texts.message("MsgClewNew4");
    clearPhoto();
    m_photoRemoved = false;
}

void FrmManinfo::onChange()
{
    if (m_selectedId == 0)
        return;
    Delegate delegate;
    if (!readFields(delegate, false))
        return;
    if (delegate.unit != m_selectedUnit && m_table.exists(delegate.unit)) {
        m_texts.message("MsgClewNew3");
        return;
    }
    delegate.id = m_selectedId;
    if (!m_table.update(delegate))
        return;
    // The photo follows what the page shows: a new one is stored, a removed one goes.
    if (!m_photo.isEmpty() || m_photoRemoved)
        m_table.setPhoto(delegate.id, m_photo);
    // Show the changed delegate again; after a Find its row number in the full list differs.
    const QList<Delegate>& shown = m_delegates.delegates();
    for (int row = 0; row < shown.size(); ++row)
        if (shown[row].id == delegate.id)
            showRow(row);
    Prompt::information(QString(), m_texts("MsgClewEdit"));
}

void FrmManinfo::onDelete()
{
    if (m_selectedId == 0)
        return;
    // The shown delegate goes (by row), whatever the unit number field holds now.
    m_table.removeById(m_selectedId);
    clearFields();
}

void FrmManinfo::onClearAll()
{
    if (!m_texts.question("MsgClewDel1"))
        return;
    m_table.removeAll();
    clearFields();
}

void FrmManinfo::onLoadPhoto()
{
    const QString path = FileDialog::getOpenFileName(this, m_texts("IDC_ACCPHOTO_BUTTON"), QString(),
                                                     QStringLiteral("BMP Files (*.bmp);;All Files (*)"));
    QByteArray bytes;
    if (path.isEmpty() || !DelegatePhoto::readFile(path, bytes))
        return;
    setPhoto(bytes);
    m_photoRemoved = false;
}

void FrmManinfo::step(int delta)
{
    const int target = m_row + delta;
    if (target < 0) {
        m_texts.message("MsgUp");
        return;
    }
    if (target >= m_delegates.rowCount()) {
        m_texts.message("MsgNext");
        return;
    }
    showRow(target);
}

void FrmManinfo::onFind()
{
    if (m_searchBy->currentIndex() < 0) {
        m_texts.message("MsgClewLook");
        return;
    }
    const QString value = m_searchText->text();
    if (value.isEmpty()) {
        m_texts.message("MsgClewLook1");
        return;
    }
    m_delegates.showMatching(value, m_searchBy->currentIndex() == 0 ? DelegateTable::FindBy::UnitNumber
                                                                    : DelegateTable::FindBy::Name);
}

void FrmManinfo::onExport()
{
    const QString chosen =
        FileDialog::getSaveFileName(this, m_texts("IDC_EDUCE_EXCEL"), QString(), kSaveFilter);
    if (chosen.isEmpty())
        return;
    bool renamed = false;
    const QString path = DelegateSheet::workbookPath(chosen, &renamed);
    // The dialog confirmed the name it was given, not the one we made of it.
    if (path != chosen && QFileInfo::exists(path) && !m_texts.question("MsgExcelReplace", path))
        return;
    // What the list shows, a found few or all.
    QList<QStringList> rows;
    for (const Delegate& delegate : m_delegates.delegates())
        rows << delegate.listed();
    QString detail;
    if (DelegateSheet::exportList(path, m_headings, rows, &detail) != DelegateSheet::Outcome::Done) {
        m_texts.message("MegClewExcel", detail);
        return;
    }
    if (renamed)
        m_texts.message("MsgExcelAsXlsx", path);
}

void FrmManinfo::onImport()
{
    const QString path =
        FileDialog::getOpenFileName(this, m_texts("IDC_LEAD_BUTTON"), QString(), kOpenFilter);
    if (path.isEmpty())
        return;
    QString detail;
    switch (DelegateSheet::importFile(path, DelegateSheet::headings(), m_table, m_group, nullptr, &detail)) {
    case DelegateSheet::Outcome::Done:
        clearFields();
        break;
    case DelegateSheet::Outcome::WrongHeadings:
        Prompt::information(kFormatCaption, kFormatMessage);
        break;
    case DelegateSheet::Outcome::NoSheet:
        m_texts.message("MsgExcelNoSheet", path);
        break;
    case DelegateSheet::Outcome::TooLarge:
        m_texts.message("MsgExcelTooLarge", path);
        break;
    case DelegateSheet::Outcome::CannotRead:
        m_texts.message("MsgClewErr", detail);
        break;
    case DelegateSheet::Outcome::StoreFailed: // the database layer has said why
    case DelegateSheet::Outcome::CannotWrite:
        break;
    }
}
