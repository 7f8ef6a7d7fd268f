#include "speak/FrmVid.h"

#include "core/Prompt.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "speak/CameraWords.h"
#include "ui/PageBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

FrmVid::FrmVid(Link& link, QWidget* parent)
    : QWidget(parent), m_link(link), m_texts(QStringLiteral("FrmVid"), QStringLiteral("MsgClew0"))
{
    setObjectName(QStringLiteral("FrmVid"));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    PageBuilder build(this, texts);
    auto send = [this](quint8 code) { return [this, code] { m_link.request(Commands::camera(code)); }; };

    // Which camera the controller drives.
    build.setParent(PageBuilder::group(this, texts("GroupCamera"), "CameraGroup", {10, 4, 395, 76}));
    QStringList cameras;
    for (int k = 1; k <= CameraPresets::kCameras; ++k)
        cameras.append(texts(QStringLiteral("MsgClew%1").arg(k)));
    m_camera = build.combo(kCameraList, {176, 30, 120, 28},
                           build.label("IDC_STATIC_SETVID", "IDC_STATIC_SETVID", {8, 30, 162, 28}), cameras);
    QPushButton* apply = build.button(kApplyButton, {304, 29, 80, 30});

    // The controller's port to the cameras: each choice is sent at once.
    QGroupBox* port = PageBuilder::group(this, texts("GroupPort"), "PortGroup", {10, 88, 395, 110});
    build.setParent(port);
    const struct
    {
        const char* labelKey;
        int y;
        const char* names[2];
        quint8 codes[2];
    } choices[] = {
        {"IDC_STATIC_TYPE", 30, {"RS422", "RS232"}, {CameraWords::kRs422, CameraWords::kRs232}},
        {"IDC_STATIC_PROTOCOL", 68, {"PELCOD", "VISCA"}, {CameraWords::kPelcoD, CameraWords::kVisca}}};
    for (const auto& choice : choices) {
        build.label(choice.labelKey, choice.labelKey, {8, choice.y, 196, 28});
        auto* buttons = new QButtonGroup(port);
        for (int i = 0; i < 2; ++i) {
            auto* radio = new QRadioButton(QLatin1String(choice.names[i]), port);
            radio->setObjectName(QLatin1String(choice.names[i]));
            radio->setAccessibleName(radio->text());
            radio->setGeometry(214 + 88 * i, choice.y, 84, 28);
            buttons->addButton(radio);
            connect(radio, &QRadioButton::clicked, this, send(choice.codes[i]));
        }
    }

    // Presets: open a unit, move the camera onto its seat, save.
    build.setParent(PageBuilder::group(this, texts("GroupPresets"), "PresetGroup", {10, 206, 395, 240}));
    m_presetCheck = build.check(kPresetCheck, "IDC_CHECK_PREP", {12, 28, 372, 28});
    // Only the box and its caption take a click.
    m_presetCheck->resize(qMin(m_presetCheck->sizeHint().width(), 372), 28);
    m_unit = build.edit(kUnitEdit, {134, 66, 64, 28},
                        build.label("IDC_STATIC_CLEWCELL", "IDC_STATIC_CLEWCELL", {8, 66, 120, 28}), 3);
    m_open = build.button(kOpenButton, {208, 65, 176, 30});
    m_save = build.button(kSaveButton, {208, 103, 176, 30});
    m_clear = build.button(kClearButton, {12, 147, 180, 30});
    m_list = build.button(kListButton, {204, 147, 180, 30});
    QLabel* hint = build.label("PresetHint", "MsgPresetHint", {12, 185, 372, 46});
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hint->setWordWrap(true);

    // Moving the camera, and its panorama position.
    build.setParent(PageBuilder::group(this, texts("GroupMove"), "MoveGroup", {415, 4, 393, 330}));
    const QSize pad = CameraPad::build(build, link, kPad, {12, 30}, {116, 34}, 10);
    QPushButton* panorama = build.button(kPanoramaButton, {12, 30 + pad.height() + 20, pad.width(), 34});

    allowPresets(false);
    connect(apply, &QPushButton::clicked, this, &FrmVid::applyCamera);
    connect(panorama, &QPushButton::clicked, this, send(CameraWords::kPanorama));
    connect(m_presetCheck, &QCheckBox::toggled, this, &FrmVid::allowPresets);
    connect(m_open, &QPushButton::clicked, this, &FrmVid::openUnit);
    connect(m_save, &QPushButton::clicked, this, &FrmVid::savePreset);
    connect(m_clear, &QPushButton::clicked, this, &FrmVid::clearPresets);
    connect(m_list, &QPushButton::clicked, this, &FrmVid::listPresets);
}

void FrmVid::refresh()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    m_unitCount = settings.typed().unitCount;
    m_cameraIndex = m_presets.selectedCamera();
    m_camera->setCurrentIndex(m_cameraIndex);
}

void FrmVid::allowPresets(bool allowed)
{
    for (QPushButton* button : {m_open, m_clear, m_list})
        button->setEnabled(allowed);
    // Saving needs a unit opened first.
    m_save->setEnabled(false);
    m_openedUnit = 0;
}

void FrmVid::applyCamera()
{
    const int index = m_camera->currentIndex();
    if (index < 0)
        return;
    m_link.request(Commands::camera(CameraWords::select(index)));
    m_cameraIndex = index;
    if (!m_presets.selectCamera(index))
        fileNotWritten();
}

void FrmVid::openUnit()
{
    const std::optional<int> unit = CameraPresets::unitNumber(m_unit->text(), m_unitCount);
    const std::optional<Command> speakerOn =
        unit ? Commands::speakerOn(*unit, m_unitCount, LinkMode::Camera) : std::nullopt;
    if (!speakerOn) {
        m_texts.message("MsgClew9");
        return;
    }
    m_link.request(*speakerOn);
    m_openedUnit = *unit;
    m_save->setEnabled(true);
}

void FrmVid::savePreset()
{
    if (m_openedUnit == 0 || !m_texts.question("MsgClew11"))
        return;
    // The controller stores the position for the unit it opened, whatever the field says now.
    m_link.request(Commands::camera(CameraWords::kStorePreset));
    if (!m_presets.savePreset(m_cameraIndex, m_openedUnit))
        fileNotWritten();
    m_unit->setText(QString::number(m_openedUnit + 1));
    m_openedUnit = 0;
    m_save->setEnabled(false);
}

void FrmVid::clearPresets()
{
    if (!m_texts.question("MsgClew10"))
        return;
    m_link.request(Commands::camera(CameraWords::kClearPresets));
    if (!m_presets.clearPresets(m_cameraIndex))
        fileNotWritten();
}

void FrmVid::listPresets()
{
    const CameraPresets::Overview lists = m_presets.overview(m_cameraIndex, m_unitCount);
    Prompt::information(
        m_texts("MsgClew13"),
        QStringList{m_texts("MsgClew12"), lists.withPreset, m_texts("MsgClew14"), lists.withoutPreset}.join(
            u'\n'));
}

void FrmVid::fileNotWritten() const
{
    m_texts.message("MsgFileErr", QLatin1String(CameraPresets::kFile));
}
