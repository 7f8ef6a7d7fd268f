#include "settings/Frmfound.h"

#include "core/ProgramFolder.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/NameFilter.h"
#include "speak/HallPicture.h"
#include "speak/SeatMap.h"
#include "ui/FileDialog.h"
#include "ui/PageBuilder.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int kCanvasHeight = 550;

SettingsTable loadedSettings()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    return settings;
}

} // namespace

Frmfound::Frmfound(QWidget* parent)
    : QWidget(parent), m_texts(QStringLiteral("Frmfound"), QStringLiteral("Msgclew"))
{
    setObjectName(QStringLiteral("Frmfound"));
    resize(818, 655);
    const PageTexts& texts = m_texts;

    m_map = new SeatMap;
    m_map->setObjectName(QLatin1String(kCanvas));
    m_map->setAccessibleName(texts("IDC_STATIC_CANVAS"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("CanvasScroll"));
    m_scroll->setAccessibleName(texts("IDC_STATIC_CANVAS"));
    m_scroll->setGeometry(0, 0, 818, kCanvasHeight);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(m_map);
    m_scroll->verticalScrollBar()->setSingleStep(SeatLayout::kSeatSize);

    auto* bar = new QGroupBox(this);
    bar->setObjectName(QStringLiteral("151"));
    bar->setGeometry(0, kCanvasHeight + 4, 818, 101);
    PageBuilder build(bar, texts);
    m_create = build.button(kCreateButton, {10, 14, 150, 34}, "BtnClewNew");
    m_update = build.button(kUpdateButton, {170, 14, 150, 34}, "IDC_UPDATE_SEAT");
    m_edit = build.button(kEditButton, {10, 56, 150, 34}, "BtnClewMove");
    m_picture = build.button(kPictureButton, {170, 56, 150, 34}, "BtnClewBmp");

    QLabel* custom = build.label("1179", "IDC_STATIC_CUSTOM", {340, 8, 468, 22});
    custom->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_perRow = build.edit(kPerRowEdit, {476, 36, 46, 28},
                          build.label("1180", "IDC_STATIC_LIST", {340, 36, 130, 28}), 3);
    m_columnGap = build.edit(kColumnGapEdit, {476, 66, 46, 28},
                             build.label("1181", "IDC_STATIC_LSTSPACE", {340, 66, 130, 28}), 3);
    m_rowGap = build.edit(kRowGapEdit, {756, 66, 46, 28},
                          build.label("1182", "IDC_STATIC_ROWSPACE", {540, 66, 210, 28}), 3);
    const SeatGrid defaults;
    m_perRow->setText(QString::number(defaults.perRow));
    m_columnGap->setText(QString::number(defaults.columnGap));
    m_rowGap->setText(QString::number(defaults.rowGap));
    for (QLineEdit* edit : {m_perRow, m_columnGap, m_rowGap})
        PageBuilder::keepFiltered(edit, &NameFilter::digitsOnly);

    connect(m_create, &QPushButton::clicked, this, &Frmfound::createOrDelete);
    connect(m_update, &QPushButton::clicked, this, &Frmfound::updateSeats);
    connect(m_edit, &QPushButton::clicked, this, &Frmfound::toggleEditing);
    connect(m_picture, &QPushButton::clicked, this, &Frmfound::choosePicture);

    const SettingsTable settings = loadedSettings();
    const bool has = settings.typed().seatLayout;
    bool damaged = false;
    if (has)
        m_map->setSeats(SeatLayout::load(layoutFile(), &damaged));
    m_map->setBackground(HallPicture::load(settings.ico));
    showHasLayout(has);
    // A damaged file would stack its seats in a corner: the grid is offered instead.
    if (damaged && m_texts.question("MsgSeatDamaged", layoutFile()))
        rebuildGrid();
}

QString Frmfound::layoutFile()
{
    return ProgramFolder::filePath(QStringLiteral("System/seat.ini"));
}

void Frmfound::createOrDelete()
{
    if (!m_hasLayout) {
        createLayout();
        return;
    }
    if (!m_texts.question("MsgDelSeatClew"))
        return;
    if (m_map->isEditing())
        toggleEditing();
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (!settings.update({{QStringLiteral("SeatYesORNo"), QStringLiteral("No")}}))
        return;
    m_map->setSeats(SeatLayout());
    showHasLayout(false);
}

void Frmfound::createLayout()
{
    if (!m_texts.question("MsgNewSeatClew"))
        return;
    rebuildGrid();
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (settings.update({{QStringLiteral("SeatYesORNo"), QStringLiteral("yes")}}))
        showHasLayout(true);
}

void Frmfound::updateSeats()
{
    // Rebuilding throws away the places set by hand, so it is asked first.
    if (m_texts.question("MsgUpSeat"))
        rebuildGrid();
}

void Frmfound::unitCountChanged()
{
    if (m_hasLayout)
        rebuildGrid();
    else
        createLayout();
}

void Frmfound::rebuildGrid()
{
    if (m_map->isEditing())
        toggleEditing();
    m_map->setSeats(SeatLayout::grid(storedUnitCount(), gridParameters()));
    saveLayout();
}

SeatGrid Frmfound::gridParameters() const
{
    SeatGrid grid;
    grid.perRow = qMax(1, m_perRow->text().toInt());
    grid.columnGap = m_columnGap->text().toInt();
    grid.rowGap = m_rowGap->text().toInt();
    return grid;
}

void Frmfound::toggleEditing()
{
    const bool editing = !m_map->isEditing();
    m_map->setEditing(editing);
    m_edit->setText(m_texts(editing ? "BtnClewrivet" : "BtnClewMove"));
    m_edit->setAccessibleName(m_edit->text());
    if (!editing)
        saveLayout();
}

void Frmfound::choosePicture()
{
    const QString path = FileDialog::getOpenFileName(
        this, m_texts("BtnClewBmp"), QString(),
        QStringLiteral("bmp(*.BMP *.bmp);;%1(*.bmp *.png *.jpg *.jpeg)").arg(m_texts("MsgPictureFiles")));
    if (path.isEmpty())
        return;
    const HallPicture::Imported imported = HallPicture::import(path);
    if (imported.result != HallPicture::Result::Copied) {
        m_texts.message(
            imported.result == HallPicture::Result::NotAPicture ? "MsgNotPicture" : "MsgPictureCopy", path);
        return;
    }
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    if (settings.update({{QStringLiteral("ico"), imported.fileName}}))
        m_map->setBackground(HallPicture::load(imported.fileName));
}

void Frmfound::saveLayout()
{
    if (!m_map->seats().save(layoutFile()))
        m_texts.message("MsgSeatFileErr", layoutFile());
}

void Frmfound::showHasLayout(bool has)
{
    m_hasLayout = has;
    m_create->setText(m_texts(has ? "BtnClewDel" : "BtnClewNew"));
    m_create->setAccessibleName(m_create->text());
    m_update->setEnabled(has);
    m_edit->setEnabled(has);
    emit layoutExistsChanged(has);
}

int Frmfound::storedUnitCount() const
{
    return loadedSettings().typed().unitCount;
}
