#pragma once
// A button drawn from pictures: one face for each state (normal, hover,
// pressed, disabled), a line icon and a painted caption, on the piece of the
// window's picture that lies behind it. Its accessible name is its caption.

#include "ui/Skin.h"

#include <QAbstractButton>
#include <QColor>

class BackgroundPicture;

class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Face
    {
        Normal,
        Hover,
        Pressed,
        Disabled,
    };

    explicit PictureButton(QWidget* parent = nullptr);

    void setFaces(const Skin::Faces& faces);
    // A line icon by name (Skin::icon), drawn centred, or left of the caption when there is one.
    void setGlyph(const QString& name, int size);
    QString glyphName() const { return m_glyphName; }
    int glyphSize() const { return m_glyphSize; }
    void setCaption(const QString& caption);
    QString caption() const { return text(); }
    void setCaptionColour(const QColor& colour);
    void setCaptionFont(const QFont& font);
    // The window's picture; the button paints the piece behind it first. Not owned.
    void setBackdrop(BackgroundPicture* picture);

    // Enter and Return click a focused button unless its window swallows them.
    void setClicksOnEnter(bool clicks) { m_clicksOnEnter = clicks; }

    Face currentFace() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Skin::Faces m_faces;
    QString m_glyphName;
    int m_glyphSize = 0;
    QPixmap m_glyph;
    QPixmap m_glyphDisabled;
    QColor m_captionColour;
    BackgroundPicture* m_backdrop = nullptr;
    bool m_hover = false;
    bool m_clicksOnEnter = true;
};
