#include "reports/FrmSysPre.h"

#include "core/PromptDefaultNo.h"
#include "ui/PageBuilder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The page as it would come out of the printer, at the screen's resolution.
class PageView : public QWidget
{
public:
    PageView(const RegisterPainter& painter, const int& page, QWidget* parent)
        : QWidget(parent), m_painter(painter), m_page(page)
    {
        setFixedSize(qRound(logicalDpiX() * 210 / 25.4), qRound(logicalDpiY() * 297 / 25.4));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), Qt::white);
        m_painter.paintPage(painter, m_page, logicalDpiX(), logicalDpiY());
    }

private:
    const RegisterPainter& m_painter;
    const int& m_page;
};

std::unique_ptr<QPrinter> defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

FrmSysPre::FrmSysPre(RegisterTable table, const RegisterHeading& heading, QWidget* parent)
    : QDialog(parent), m_texts(QStringLiteral("FrmSysPre"), QStringLiteral("MsgClew")),
      m_table(std::move(table)), m_painter(m_table, heading), m_printerSource(defaultPrinter)
{
    setObjectName(QStringLiteral("FrmSysPre"));
    setWindowTitle(m_texts("DlgText"));
    resize(1024, 741);
    setWindowState(windowState() | Qt::WindowMaximized);
    setAutoFillBackground(true);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, QColor(60, 69, 120));
    setPalette(frame);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PreviewBar"));
    bar->setStyleSheet(QStringLiteral("QLabel { color: white; }"));
    auto* row = new QHBoxLayout(bar);
    const auto command = [&](const char* name) {
        auto* button = new QPushButton(m_texts(QString::fromLatin1(name)), bar);
        button->setObjectName(QLatin1String(name));
        button->setAccessibleName(button->text());
        button->setMinimumHeight(32);
        row->addWidget(button);
        return button;
    };
    m_first = command(kFirstButton);
    m_previous = command(kPreviousButton);
    m_next = command(kNextButton);
    m_last = command(kLastButton);
    row->addSpacing(24);
    auto* numberLabel = new QLabel(m_texts("IDC_STATIC_PAGE"), bar);
    row->addWidget(numberLabel);
    m_number = new QSpinBox(bar);
    m_number->setObjectName(QLatin1String(kPageNumber));
    m_number->setRange(1, pageCount());
    m_number->setMinimumHeight(32);
    PageBuilder::nameAfter(m_number, numberLabel);
    row->addWidget(m_number);
    m_count = new QLabel(bar);
    m_count->setObjectName(QStringLiteral("PageCount"));
    row->addWidget(m_count);
    QPushButton* go = command(kGoButton);
    row->addStretch();
    QPushButton* print = command(kPrintButton);
    QPushButton* close = command(kCloseButton);

    auto* scroll = new QScrollArea(this);
    scroll->setAlignment(Qt::AlignHCenter);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: rgb(60, 69, 120); border: none; }"));
    m_view = new PageView(m_painter, m_page, scroll);
    m_view->setObjectName(QLatin1String(kPageView));
    scroll->setWidget(m_view);
    scroll->viewport()->setAutoFillBackground(false);

    auto* column = new QVBoxLayout(this);
    column->addWidget(bar);
    column->addWidget(scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { setPage(1); });
    connect(m_previous, &QPushButton::clicked, this, [this] { setPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { setPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { setPage(pageCount()); });
    connect(go, &QPushButton::clicked, this, [this] { setPage(m_number->value()); });
    connect(print, &QPushButton::clicked, this, &FrmSysPre::printAll);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    updateCommands();
}

FrmSysPre::~FrmSysPre() = default;

void FrmSysPre::setPage(int page)
{
    m_page = qBound(1, page, qMax(1, pageCount()));
    updateCommands();
    m_view->update();
}

void FrmSysPre::updateCommands()
{
    m_first->setEnabled(m_page > 1);
    m_previous->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < pageCount());
    m_last->setEnabled(m_page < pageCount());
    m_number->setValue(m_page);
    m_count->setText(QStringLiteral("/ %1").arg(pageCount()));
}

void FrmSysPre::printAll()
{
    if (!Prompt::questionDefaultNo(m_texts.caption(), m_texts(QStringLiteral("MsgClew1"))))
        return;
    const std::unique_ptr<QPrinter> printer = m_printerSource();
    if (!printer) {
        m_texts.message(QStringLiteral("MsgClewErr"));
        return;
    }
    printer->setFullPage(true);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    printer->setDocName(windowTitle());
    if (!m_painter.paintAll(*printer))
        m_texts.message(QStringLiteral("MsgPrintFailed"));
}
