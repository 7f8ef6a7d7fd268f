#include "settings/Frmbasicset.h"

#include "core/LanguageTable.h"
#include "data/PasswordHash.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "link/Commands.h"
#include "link/Link.h"
#include "prep/NameFilter.h"
#include "screen/HallScreen.h"
#include "settings/BasicSettingsRules.h"
#include "settings/FrmWebset.h"
#include "ui/ColourCombo.h"
#include "ui/PageBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// The languages the console ships, each named in its own language.
const struct
{
    const char* code;
    const char* name;
} kLanguages[] = {{"0", "中文"}, {"1", "English"}, {"2", "Português"}};

SettingsTable settingsFile()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    return settings;
}

constexpr auto group = &PageBuilder::group;

} // namespace

Frmbasicset::Frmbasicset(Link& link, HallScreen& screen, QWidget* parent)
    : QWidget(parent), m_link(link), m_screen(screen),
      m_texts(QStringLiteral("Frmbasicset"), QStringLiteral("clew"))
{
    setObjectName(QStringLiteral("Frmbasicset"));
    resize(818, 655);
    const PageTexts& texts = m_texts;
    PageBuilder build(this, texts);
    auto okButton = [&](const char* id, const QRect& place) { return build.button(id, place, "BtnOk"); };

    // Units: counts and numbering.
    build.setParent(group(this, texts("IDC_STATIC_UNITSET"), "UnitGroup", {10, 4, 395, 158}));
    m_units = build.edit(kUnitEdit, {210, 28, 64, 28},
                         build.label("1145", "IDC_CELLNUM_STATIC", {8, 28, 196, 28}), 3);
    QPushButton* unitButton = okButton(kUnitButton, {284, 27, 100, 30});
    m_chairs =
        build.edit(kChairEdit, {210, 72, 64, 28}, build.label("1548", "IDC_STATIC_CIN", {8, 72, 196, 28}), 3);
    QPushButton* chairButton = okButton(kChairButton, {284, 71, 100, 30});
    m_number = build.edit(kNumberEdit, {210, 116, 64, 28},
                          build.label("1565", "IDC_STATIC_BLT", {8, 116, 196, 28}), 3);
    QPushButton* numberButton = build.button(kNumberButton, {284, 115, 100, 30}, "IDC_NUMBER_BUTTON");

    // Ports searched for the controller.
    build.setParent(group(this, texts("IDC_COMSET_STATIC"), "PortGroup", {10, 168, 395, 72}));
    m_portFrom = build.edit(kPortFromEdit, {70, 30, 56, 28},
                            build.label("1195", "IDC_STATIC_FROM", {8, 30, 56, 28}), 2);
    m_portTo = build.edit(kPortToEdit, {186, 30, 56, 28},
                          build.label("1196", "IDC_STATIC_TO", {130, 30, 50, 28}), 2);
    QPushButton* portButton = okButton(kPortButton, {284, 29, 100, 30});

    // Login password.
    build.setParent(group(this, texts("IDC_PASSSET_STATIC"), "PassGroup", {10, 246, 395, 196}));
    auto passEdit = [&](const char* id, const char* labelId, const char* key, int y) {
        QLineEdit* edit = build.edit(id, {210, y, 174, 28}, build.label(labelId, key, {8, y, 196, 28}), 50);
        edit->setEchoMode(QLineEdit::Password);
        return edit;
    };
    m_oldPass = passEdit(kOldPassEdit, "1205", "IDC_STATIC_PAST", 28);
    m_newPass = passEdit(kNewPassEdit, "1206", "IDC_STATIC_NEWPASS", 68);
    m_repeatPass = passEdit(kRepeatPassEdit, "1207", "IDC_STATIC_NEWPASSOK", 108);
    QPushButton* passButton = okButton(kPassButton, {174, 152, 100, 30});
    QPushButton* passCancel = build.button(kPassCancelButton, {284, 152, 100, 30}, "BtnCancel");

    // Language of the console.
    build.setParent(group(this, texts("IDC_STATIC_LANGSET"), "LanguageGroup", {10, 448, 395, 72}));
    QStringList languageNames;
    for (const auto& language : kLanguages)
        languageNames.append(QString::fromUtf8(language.name));
    m_language = build.combo(kLanguageCombo, {210, 30, 174, 28},
                             build.label("1613", "IDC_STATIC_LANGUAGE", {8, 30, 196, 28}), languageNames);

    // How quickly the link polls: the designed steady pace, or on as soon as a unit answered.
    build.setParent(group(this, texts("IDC_STATIC_LINKSET"), "LinkGroup", {10, 526, 395, 104}));
    m_answerPace = build.check(kAnswerPaceCheck, "IDC_ANSWER_PACE", {12, 26, 372, 28});
    m_webButton = build.button(kWebButton, {12, 62, 200, 30});
    m_webButton->setEnabled(false);

    // The hall screen.
    build.setParent(group(this, texts("IDC_SCRSET_STATIC"), "ScreenGroup", {415, 4, 393, 300}));
    m_size = build.combo(kSizeCombo, {190, 28, 190, 28},
                         build.label("1147", "IDC_STATIC_SCRSIZE", {8, 28, 176, 28}),
                         BasicSettingsRules::screenSizes());
    QList<ColourCombo::Named> named;
    const QColor colours[] = {
        Qt::black,         Qt::white,  QColor(0xc0, 0x00, 0x00), QColor(0x00, 0x80, 0x00),
        QColor(0, 0, 255), Qt::yellow, QColor(0x00, 0x00, 0x80), Qt::gray};
    for (int i = 0; i < 8; ++i)
        named.append({colours[i], texts(QStringLiteral("Colour%1").arg(i + 1))});
    auto colourCombo = [&](const char* id, const char* labelId, const char* key, int y) {
        QLabel* caption = build.label(labelId, key, {8, y, 176, 28});
        auto* combo = new ColourCombo(named, texts("ColourMore"), caption->parentWidget());
        combo->setObjectName(QLatin1String(id));
        combo->setGeometry(190, y, 190, 28);
        PageBuilder::nameAfter(combo, caption);
        return combo;
    };
    m_colour = colourCombo(kColourCombo, "1148", "IDC_STATIC_SCRBCKSET", 68);
    m_textColour = colourCombo(kTextColourCombo, "1149", "IDC_STATIC_SCRTEXTSET", 108);
    QLabel* previewLabel = build.label("1150", "IDC_STATIC_PREVIEW", {8, 148, 176, 28});
    m_preview = new QLabel(texts("IDC_STATIC_COLOR"), previewLabel->parentWidget());
    m_preview->setObjectName(QLatin1String(kPreview));
    m_preview->setGeometry(190, 148, 190, 96);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setWordWrap(true);
    m_preview->setAccessibleName(previewLabel->text());
    m_screenButton = build.button(kScreenButton, {190, 256, 190, 32}, "BtnClew1");

    // Points of the voting keys; the two display flags are kept as they are.
    build.setParent(group(this, texts("IDC_SETMARK_DEF"), "MarkGroup", {415, 310, 393, 262}));
    for (int i = 0; i < 5; ++i) {
        const QByteArray labelId = QByteArray::number(1439 + i);
        const QByteArray key = "IDC_STATIC_KEY" + QByteArray::number(i + 1);
        m_marks[i] =
            build.edit(kMarkEdits[i], {190, 26 + 36 * i, 64, 28},
                       build.label(labelId.constData(), key.constData(), {8, 26 + 36 * i, 176, 28}), 3);
        PageBuilder::keepFiltered(m_marks[i], &NameFilter::digitsOnly);
    }
    m_percentages = build.check("1460", "IDC_DEFVPRE_CHECK", {8, 0, 0, 0});
    m_showPass = build.check("1516", "IDC_DEFVPASS_CHECK", {8, 0, 0, 0});
    m_percentages->hide();
    m_showPass->hide();
    QPushButton* markButton = okButton(kMarkButton, {170, 218, 100, 30});
    QPushButton* markCancel = build.button(kMarkCancelButton, {280, 218, 100, 30}, "BtnCancel");

    // Each OK stores only its own group: this line says which value it stored.
    m_storedLine = new QLabel(this);
    m_storedLine->setObjectName(QLatin1String(kStoredLine));
    m_storedLine->setGeometry(415, 580, 393, 48);
    m_storedLine->setWordWrap(true);

    for (QLineEdit* edit : {m_portFrom, m_portTo, m_chairs})
        PageBuilder::keepFiltered(edit, &NameFilter::digitsOnly);

    // A refused or failed OK leaves no earlier "stored" standing.
    for (QPushButton* ok : {unitButton, chairButton, portButton, markButton})
        connect(ok, &QPushButton::clicked, m_storedLine, &QLabel::clear);
    connect(unitButton, &QPushButton::clicked, this, &Frmbasicset::storeUnitCount);
    connect(chairButton, &QPushButton::clicked, this, &Frmbasicset::storeChairCount);
    connect(numberButton, &QPushButton::clicked, this, &Frmbasicset::startNumbering);
    connect(portButton, &QPushButton::clicked, this, &Frmbasicset::storePortRange);
    connect(passButton, &QPushButton::clicked, this, &Frmbasicset::storePassword);
    connect(passCancel, &QPushButton::clicked, this, &Frmbasicset::clearPassword);
    connect(markButton, &QPushButton::clicked, this, &Frmbasicset::storeMarks);
    connect(markCancel, &QPushButton::clicked, this, &Frmbasicset::restoreMarks);
    connect(m_screenButton, &QPushButton::clicked, this, &Frmbasicset::toggleScreen);
    connect(m_webButton, &QPushButton::clicked, this, &Frmbasicset::openWebSettings);

    load();

    connect(m_size, &QComboBox::activated, this, [this] { chooseSize(m_size->currentText()); });
    connect(m_colour, &ColourCombo::colourChosen, this,
            [this](const QColor& colour) { chooseColour("ScrColor", colour); });
    connect(m_textColour, &ColourCombo::colourChosen, this,
            [this](const QColor& colour) { chooseColour("ScrTextColor", colour); });
    connect(m_language, &QComboBox::activated, this, &Frmbasicset::chooseLanguage);
    connect(m_answerPace, &QCheckBox::clicked, this, &Frmbasicset::chooseAnswerPace);
}

void Frmbasicset::load()
{
    SettingsTable settings = settingsFile();
    settings.load();
    m_units->setText(settings.cellnum);
    m_chairs->setText(settings.cinnum);
    m_portFrom->setText(settings.comlow);
    m_portTo->setText(settings.comHigh);

    const QString size =
        settings.ScrSize.isEmpty() ? BasicSettingsRules::screenSizes().first() : settings.ScrSize;
    if (m_size->findText(size) < 0)
        m_size->insertItem(0, size);
    m_size->setCurrentIndex(m_size->findText(size));
    const SystemSettings typed = settings.typed();
    m_colour->setColour(typed.screenColour);
    m_textColour->setColour(typed.screenTextColour);
    showPreview();
    showScreenCaption();

    m_acceptedMarks = BasicSettingsRules::marksOf(settings.mark);
    restoreMarks();
    m_percentages->setChecked(settings.per.trimmed() == QLatin1String("1"));
    m_showPass->setChecked(settings.Pass.trimmed() == QLatin1String("1"));

    m_answerPace->setChecked(typed.answerDrivenPace);
    for (int i = 0; i < int(std::size(kLanguages)); ++i) {
        if (LanguageTable::code() == QLatin1String(kLanguages[i].code))
            m_language->setCurrentIndex(i);
    }
}

void Frmbasicset::storeUnitCount()
{
    const std::optional<int> count = BasicSettingsRules::unitNumber(m_units->text());
    if (!count) {
        m_texts.message("Setcell_Clew");
        return;
    }
    if (!settingsFile().update({{QStringLiteral("cellnum"), *count}}))
        return;
    m_link.setUnitCount(*count);
    m_storedLine->setText(m_texts("MsgStoredUnits").arg(*count));
    emit unitCountStored(*count);
}

void Frmbasicset::storeChairCount()
{
    switch (BasicSettingsRules::checkChairCount(m_chairs->text(), m_units->text())) {
    case BasicSettingsRules::ChairCount::TooFew:
        m_texts.message("SetCin_clew1");
        return;
    case BasicSettingsRules::ChairCount::AboveUnits:
        m_texts.message("SetCin_clew2");
        return;
    case BasicSettingsRules::ChairCount::Accepted:
        break;
    }
    const int count = m_chairs->text().toInt();
    if (settingsFile().update({{QStringLiteral("cinnum"), count}})) {
        m_link.setChairCount(count);
        m_storedLine->setText(m_texts("MsgStoredChairs").arg(count));
    }
}

void Frmbasicset::storePortRange()
{
    switch (BasicSettingsRules::checkPortRange(m_portFrom->text(), m_portTo->text())) {
    case BasicSettingsRules::PortRange::FieldEmpty:
        m_texts.message("Setcom_empty");
        return;
    case BasicSettingsRules::PortRange::Reversed:
        m_texts.message("Setcom_clew");
        m_portFrom->setText(QStringLiteral("0"));
        m_portTo->setText(QStringLiteral("0"));
        return;
    case BasicSettingsRules::PortRange::Accepted:
        break;
    }
    // Takes effect at the next start, when the controller is searched for.
    const int from = m_portFrom->text().toInt();
    const int to = m_portTo->text().toInt();
    if (settingsFile().update({{QStringLiteral("comlow"), from}, {QStringLiteral("comHigh"), to}}))
        m_storedLine->setText(m_texts("MsgStoredPorts").arg(from).arg(to));
}

void Frmbasicset::storePassword()
{
    SettingsTable settings = settingsFile();
    settings.load();
    switch (BasicSettingsRules::checkPasswordChange(m_oldPass->text(), m_newPass->text(),
                                                    m_repeatPass->text(), settings.UserPass)) {
    case BasicSettingsRules::PasswordChange::FieldEmpty:
        m_texts.message("SetPass_cell3");
        return;
    case BasicSettingsRules::PasswordChange::Mismatch:
        m_texts.message("SetPass_clew");
        m_newPass->clear();
        m_repeatPass->clear();
        return;
    case BasicSettingsRules::PasswordChange::WrongOld:
        m_texts.message("SetPass_cell1");
        clearPassword();
        return;
    case BasicSettingsRules::PasswordChange::Accepted:
        break;
    }
    const bool stored =
        settings.update({{QStringLiteral("UserPass"), PasswordHash::hash(m_newPass->text())}});
    clearPassword();
    if (stored)
        m_texts.message("SetPass_cell2");
}

void Frmbasicset::clearPassword()
{
    m_oldPass->clear();
    m_newPass->clear();
    m_repeatPass->clear();
}

void Frmbasicset::storeMarks()
{
    QStringList marks;
    for (QLineEdit* edit : m_marks)
        marks.append(edit->text());
    const std::optional<QString> text = BasicSettingsRules::markText(marks);
    if (!text) {
        m_texts.message("SetMarkErr");
        return;
    }
    const bool stored = settingsFile().update({{QStringLiteral("per"), m_percentages->isChecked() ? 1 : 0},
                                               {QStringLiteral("Pass"), m_showPass->isChecked() ? 1 : 0},
                                               {QStringLiteral("mark"), *text}});
    if (stored) {
        m_acceptedMarks = BasicSettingsRules::marksOf(*text);
        m_storedLine->setText(m_texts("MsgStoredMarks").arg(m_acceptedMarks.join(QStringLiteral(", "))));
    }
}

void Frmbasicset::restoreMarks()
{
    for (int i = 0; i < 5; ++i)
        m_marks[i]->setText(m_acceptedMarks.value(i));
}

void Frmbasicset::startNumbering()
{
    const std::optional<int> start = BasicSettingsRules::unitNumber(m_number->text());
    if (!start) {
        m_texts.message("Setcell_Clew");
        return;
    }
    if (const std::optional<Command> command = Commands::startNumbering(*start))
        m_link.request(*command);
}

void Frmbasicset::toggleScreen()
{
    if (m_screen.isWindowShown()) {
        m_screen.hideWindow();
    } else {
        m_screen.placeWindow(m_size->currentText());
        m_screen.setScreenColours(m_colour->colour(), m_textColour->colour());
        m_screen.showWindow();
    }
    showScreenCaption();
}

void Frmbasicset::chooseSize(const QString& size)
{
    if (settingsFile().update({{QStringLiteral("ScrSize"), size}}))
        m_screen.placeWindow(size);
}

void Frmbasicset::chooseColour(const char* column, const QColor& colour)
{
    if (!settingsFile().update({{QLatin1String(column), colourToStored(colour)}}))
        return;
    m_screen.setScreenColours(m_colour->colour(), m_textColour->colour());
    showPreview();
}

void Frmbasicset::chooseLanguage(int index)
{
    const QString code = QLatin1String(kLanguages[index].code);
    if (code == LanguageTable::code())
        return;
    AppearanceTable appearance;
    appearance.setPath(Schema::kSystemDatabase);
    if (!appearance.storeLanguage(code))
        return;
    LanguageTable::setFile(LanguageTable::fileForCode(code));
    emit languageChanged(code);
    // Said in the new language: the open pages keep theirs until they open again.
    PageTexts(QStringLiteral("Frmbasicset"), QStringLiteral("clew"))
        .message(QStringLiteral("MsgLanguageNow"));
}

void Frmbasicset::chooseAnswerPace(bool on)
{
    if (settingsFile().update({{QStringLiteral("AnswerPace"), on ? 1 : 0}}))
        m_link.setAnswerDrivenPace(on);
    else
        m_answerPace->setChecked(!on);
}

void Frmbasicset::showPreview()
{
    m_preview->setStyleSheet(QStringLiteral("background: %1; color: %2; border: 1px solid #8a93a3;")
                                 .arg(m_colour->colour().name(), m_textColour->colour().name()));
}

void Frmbasicset::showScreenCaption()
{
    m_screenButton->setText(m_texts(m_screen.isWindowShown() ? "BtnClew2" : "BtnClew1"));
    m_screenButton->setAccessibleName(m_screenButton->text());
}

void Frmbasicset::setWebView(WebView* view)
{
    m_webView = view;
    m_webButton->setEnabled(view != nullptr);
}

void Frmbasicset::openWebSettings()
{
    if (!m_webView)
        return;
    auto* window = new FrmWebset(*m_webView, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}
