#pragma once
// The web view's settings, opened from the basic settings: on or off, the
// port and where to listen (this computer only, or one network interface).
// While the server runs the window shows its address with this start's
// viewing code and, when it listens on a network, a QR code of it for a
// phone's camera; when it could not start, the reason, while the meeting goes on.

#include "ui/PageTexts.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class WebView;

class FrmWebset : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kOnCheck = "IDC_WEB_ON";
    static constexpr const char* kPortEdit = "IDC_WEB_PORT";
    static constexpr const char* kAddressCombo = "IDC_WEB_ADDRESS";
    static constexpr const char* kApplyButton = "IDC_WEB_APPLY";
    static constexpr const char* kStatus = "IDC_WEB_STATUS";
    static constexpr const char* kQrCode = "IDC_WEB_QR";

    explicit FrmWebset(WebView& view, QWidget* parent = nullptr);

    // Checks the port, stores the three columns, then starts or stops the server.
    void apply();

private:
    void showStatus();

    WebView& m_view;
    PageTexts m_texts;
    QCheckBox* m_on;
    QLineEdit* m_port;
    QComboBox* m_address;
    QLabel* m_status;
    QLabel* m_qrCode;
};
