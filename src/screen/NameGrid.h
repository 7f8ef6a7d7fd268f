#pragma once
// The name grid as a widget: a title and one page of names in rows and
// columns, painted off-screen and copied in one step.

#include "screen/NameGridState.h"

#include <QWidget>

class NameGrid : public QWidget
{
    Q_OBJECT
public:
    explicit NameGrid(QWidget* parent = nullptr);

    // Each operation repaints the grid.
    void setColours(const QColor& background, const QColor& text);
    void setGridFont(int sizeTenths, const QString& face);
    void setGrid(int rows, int columns);
    void setTitle(const QString& title);
    void setNames(const QStringList& names, int count);

    const NameGridState& state() const { return m_state; }
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NameGridState m_state;
};
