#include "settings/FrmWebset.h"

#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "prep/NameFilter.h"
#include "ui/PageBuilder.h"
#include "web/ListenAddress.h"
#include "web/QrCode.h"
#include "web/WebView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <utility>

namespace {

SettingsTable settingsFile()
{
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    return settings;
}

} // namespace

FrmWebset::FrmWebset(WebView& view, QWidget* parent)
    : QDialog(parent), m_view(view), m_texts(QStringLiteral("FrmWebset"), QStringLiteral("DlgName"))
{
    setObjectName(QStringLiteral("FrmWebset"));
    setWindowTitle(m_texts(QStringLiteral("DlgName")));
    setFixedSize(560, 580);
    PageBuilder build(this, m_texts);
    m_on = build.check(kOnCheck, kOnCheck, {16, 14, 528, 28});
    m_port = build.edit(kPortEdit, {200, 52, 90, 28},
                        build.label("PortLabel", "IDC_STATIC_WEBPORT", {16, 52, 176, 28}), 5);
    PageBuilder::keepFiltered(m_port, &NameFilter::digitsOnly);
    QStringList places{m_texts(QStringLiteral("LocalOnly"))};
    for (const ListenAddress::Choice& choice : ListenAddress::choices())
        places.append(QStringLiteral("%1 (%2)").arg(choice.name, choice.address));
    m_address = build.combo(kAddressCombo, {200, 90, 344, 28},
                            build.label("AddressLabel", "IDC_STATIC_WEBADDRESS", {16, 90, 176, 28}), places);
    QPushButton* applyButton = build.button(kApplyButton, {444, 128, 100, 30}, "BtnOk");

    m_status = new QLabel(this);
    m_status->setObjectName(QLatin1String(kStatus));
    m_status->setGeometry(16, 168, 528, 120);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_qrCode = new QLabel(this);
    m_qrCode->setObjectName(QLatin1String(kQrCode));
    m_qrCode->setGeometry(16, 296, 528, 268);
    m_qrCode->setAlignment(Qt::AlignCenter);
    m_qrCode->setAccessibleName(m_texts(QStringLiteral("QrCode")));

    SettingsTable settings = settingsFile();
    settings.load();
    const SystemSettings typed = settings.typed();
    m_on->setChecked(typed.webOn);
    m_port->setText(QString::number(typed.webPort));
    for (int i = 1; i < m_address->count(); ++i)
        if (m_address->itemText(i).startsWith(typed.webInterface + QStringLiteral(" (")))
            m_address->setCurrentIndex(i);

    connect(applyButton, &QPushButton::clicked, this, &FrmWebset::apply);
    connect(&m_view, &WebView::statusChanged, this, &FrmWebset::showStatus);
    showStatus();
}

void FrmWebset::apply()
{
    const int port = m_port->text().toInt();
    if (port < 1 || port > 65535) {
        m_texts.message(QStringLiteral("MsgPortErr"));
        return;
    }
    const QString interfaceName = m_address->currentIndex() == 0
                                      ? QString()
                                      : m_address->currentText().section(QStringLiteral(" ("), 0, 0);
    if (!settingsFile().update({{QStringLiteral("WebOn"), m_on->isChecked() ? 1 : 0},
                                {QStringLiteral("WebPort"), port},
                                {QStringLiteral("WebAddress"), interfaceName}}))
        return;
    m_view.apply(m_on->isChecked(), port, interfaceName);
}

void FrmWebset::showStatus()
{
    const WebServer& server = m_view.server();
    if (server.isRunning()) {
        // A phone cannot open this computer's loopback address: no code to point a camera at.
        const bool local = server.address().isLoopback();
        QStringList lines{m_texts(local ? QStringLiteral("StatusLocal") : QStringLiteral("StatusOn"))};
        for (const auto& [key, page] : {std::pair{"PageHall", "hall"}, std::pair{"PageChair", "chair"},
                                        std::pair{"PageOverlay", "overlay"}})
            lines.append(m_texts(QLatin1String(key)) + QStringLiteral(": ") +
                         server.pageUrl(QLatin1String(page)).toString());
        m_status->setText(lines.join(QLatin1Char('\n')));
        if (local)
            m_qrCode->clear();
        else
            m_qrCode->setPixmap(QPixmap::fromImage(qrCodeImage(server.pageUrl().toString(), 6)));
    } else {
        m_status->setText(m_view.lastError().isEmpty()
                              ? m_texts(QStringLiteral("StatusOff"))
                              : m_texts(QStringLiteral("StatusErr")).arg(m_view.lastError()));
        m_qrCode->clear();
    }
}
