#include "meeting/SignInScreenPresenter.h"

const ScreenPanelState& SignInScreenPresenter::lines(const QString& first, const QString& second,
                                                     const PanelColours& colours)
{
    m_shown.setColours(colours.screen, colours.screen);
    m_shown.setKind(PanelKind::ThreeLines, PanelSubKind::None);
    m_shown.setHeading(QString(), colours.text);
    m_shown.setTopLine(QString(), colours.text, 0);
    m_shown.setLines(first, QString(), second, colours.text);
    return m_shown;
}

const ScreenPanelState& SignInScreenPresenter::figures(const QString& title, const QString& values,
                                                       const QString& labels, const PanelColours& colours)
{
    m_shown.setColours(colours.screen, colours.screen);
    m_shown.setKind(PanelKind::Table, PanelSubKind::SignInFigures);
    m_shown.setTopLine(QString(), colours.text, 0);
    m_shown.setHeading(title, colours.text);
    m_shown.setChart(labels, values, colours.text);
    return m_shown;
}
