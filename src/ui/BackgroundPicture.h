#pragma once
// A window's background picture: a file under the program folder read from
// disk on first use, or a compiled-in picture. It is painted from the top-left
// corner and lends the picture buttons in front of it their background.
// A missing file draws nothing and says nothing.

#include <QPixmap>
#include <QString>

class QPainter;

class BackgroundPicture
{
public:
    // Absolute path of a picture file, read on the first call of pixmap().
    void setFile(const QString& path);
    // A compiled-in picture (Skin::picture), rendered at `size` on first use.
    void setResource(const QString& name, const QSize& size);

    // Null when the picture is missing.
    const QPixmap& pixmap();
    // Copies at most `size` pixels of the picture to (0, 0).
    void paint(QPainter& painter, const QSize& size);

private:
    QString m_file;
    QString m_resource;
    QSize m_size;
    bool m_loaded = false;
    QPixmap m_pixmap;
};
