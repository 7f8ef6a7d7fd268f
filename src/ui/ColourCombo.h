#pragma once
// A colour chooser in a combo box: a short list of named colours, each with
// its swatch, and a last entry that opens the colour dialog for any other
// colour. A colour that is not in the list is shown as an extra entry first.

#include <QColor>
#include <QComboBox>
#include <functional>

class ColourCombo : public QComboBox
{
    Q_OBJECT
public:
    struct Named
    {
        QColor colour;
        QString name;
    };
    // `moreText` captions the entry that opens the dialog.
    ColourCombo(const QList<Named>& colours, const QString& moreText, QWidget* parent = nullptr);

    QColor colour() const { return m_colour; }
    // Shows this colour without telling anyone.
    void setColour(const QColor& colour);

    // What asks for another colour (the colour dialog in the program); an invalid answer is a cancel.
    void setChooser(std::function<QColor(const QColor& current)> chooser) { m_chooser = std::move(chooser); }

signals:
    // The operator picked a colour (not sent by setColour).
    void colourChosen(const QColor& colour);

private:
    void onActivated(int index);
    void showColour();

    QList<Named> m_named;
    QColor m_colour;
    std::function<QColor(const QColor&)> m_chooser;
};
