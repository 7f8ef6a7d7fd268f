#pragma once
// Top-level windows of the console open centred on the operator's screen: the
// main window is often hidden behind them, so centring on a parent would not do.

class QWidget;

namespace WindowPlacement {
void centreOnScreen(QWidget& window);
}
