#pragma once
// What the hall sees, as data: the surface on show, the screen panel, the name
// grid, the text area's plain text and the training note. It is fed by the
// same calls that feed the hall screen (MirroredHallScreen forwards them), and
// it publishes a JSON snapshot and one small JSON change per call, for the
// browsers of the web view. The panel's figures come from the screen's own
// table and chart rules, so a browser shows exactly the rows the hall shows.
//
// Besides the hall's panel it keeps the last vote result and the last sign-in
// figures shown, for the chair's page, and the pages' own texts in the
// language in use.

#include "screen/NameGridState.h"
#include "screen/ScreenPanelState.h"

#include <QJsonObject>
#include <QObject>

class HallState : public QObject
{
    Q_OBJECT
public:
    enum class Surface
    {
        TextArea,
        Panel,
        NameGrid
    };

    void setSurface(Surface surface);
    void setScreenColours(const QColor& background, const QColor& text);
    void setText(const QString& plainText);
    void setTrainingNote(const QString& text);
    // Captions of the web pages themselves, by key.
    void setPageTexts(const QJsonObject& texts);

    // The screen panel and the name grid take the hall screen's own calls.
    void setUnitWords(const QString& persons, const QString& votes);
    // The whole panel in one change. One that changes nothing but the top line (a countdown's
    // tick) leaves the last result and the attendance as they were; any other states its figures.
    void setPanel(const ScreenPanelState& state);
    void setPanelColours(const QColor& window, const QColor& chartArea);
    void setKind(PanelKind kind, PanelSubKind subKind);
    void setHeading(const QString& text, const QColor& colour);
    void setTopLine(const QString& text, const QColor& colour, int fontSwitch);
    void setLines(const QString& line1, const QString& line2, const QString& line3, const QColor& colour);
    void setChart(const QString& labels, const QString& values, const QColor& colour);
    void setShowPercentages(int value);
    void setGridColours(const QColor& background, const QColor& text);
    void setGrid(int rows, int columns);
    void setGridTitle(const QString& title);
    void setNames(const QStringList& names, int count);
    // Not on the hall screen: for the chair's page.
    void setOpenMicrophones(const QStringList& speakers);

    // {"surface", "screen", "text", "training", "panel", "grid", "lastResult", "attendance",
    //  "microphones", "texts"}.
    QJsonObject snapshot() const;
    const ScreenPanelState& panel() const { return m_panel; }

signals:
    // One part of the snapshot that changed, under its own key.
    void changed(const QJsonObject& change);

private:
    QJsonObject panelJson() const;
    QJsonObject gridJson() const;
    // `figures`: the call changed what the figures are (kind, values, words), not how they are headed.
    void panelChanged(bool figures);
    void publish(const QString& key, const QJsonValue& value);

    Surface m_surface = Surface::TextArea;
    QColor m_background = QColor(0, 0, 255);
    QColor m_text = Qt::white;
    QString m_plainText;
    QString m_trainingNote;
    ScreenPanelState m_panel;
    NameGridState m_grid;
    QJsonObject m_lastResult;
    QJsonObject m_attendance;
    QStringList m_microphones;
    QJsonObject m_pageTexts;
};
