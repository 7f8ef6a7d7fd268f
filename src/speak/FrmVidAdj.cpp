#include "speak/FrmVidAdj.h"

#include "core/LanguageTable.h"
#include "ui/PageBuilder.h"

#include <QCloseEvent>

namespace {

constexpr int kMargin = 10;

} // namespace

FrmVidAdj::FrmVidAdj(Link& link, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("FrmVidAdj"));
    const Texts texts(QStringLiteral("FrmVidAdj"));
    setWindowTitle(texts(QStringLiteral("DlgVidAdjText")));
    PageBuilder build(this, texts);
    const QSize pad = CameraPad::build(build, link, kPad, {kMargin, kMargin}, {110, 32}, 8);
    setFixedSize(pad.width() + 2 * kMargin, pad.height() + 2 * kMargin);
}

void FrmVidAdj::closeEvent(QCloseEvent* event)
{
    // A plain close hides the window; it is never destroyed here.
    event->accept();
    emit closedByOperator();
}
