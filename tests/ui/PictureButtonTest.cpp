// Picture buttons, the window picture behind them, and the compiled-in artwork.

#include "ui/PictureButton.h"
#include "ui/BackgroundPicture.h"
#include "ui/Skin.h"

#include <QEnterEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A picture whose every pixel tells where it is: red = x, green = y.
QString writeCoordinatePicture(const QTemporaryDir& dir)
{
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(x % 256, y, 128));
    const QString path = dir.filePath("picture.png");
    image.save(path);
    return path;
}

TEST(PictureButton, FaceFollowsTheState)
{
    PictureButton button;
    const Skin::Faces faces = Skin::faces(Skin::FaceKind::Push, QSize(100, 36));
    button.setFaces(faces);
    button.resize(100, 36);
    button.show();
    auto middle = [&] { return button.grab().toImage().pixelColor(50, 4); };
    EXPECT_EQ(middle(), faces.normal.toImage().pixelColor(50, 4));

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_EQ(middle(), faces.hover.toImage().pixelColor(50, 4));

    button.setDown(true);
    EXPECT_EQ(middle(), faces.pressed.toImage().pixelColor(50, 4));
    button.setDown(false);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.currentFace(), PictureButton::Face::Normal);

    button.setEnabled(false);
    EXPECT_EQ(middle(), faces.disabled.toImage().pixelColor(50, 4));
}

TEST(PictureButton, EnterClicksAFocusedButtonUnlessItsWindowSwallowsEnter)
{
    PictureButton button;
    button.resize(100, 36);
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    button.show();
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    button.setClicksOnEnter(false);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "a disabled button does not act";
}

TEST(PictureButton, BackgroundIsThePieceOfTheWindowPictureBehindIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BackgroundPicture picture;
    picture.setFile(writeCoordinatePicture(dir));
    QWidget window;
    window.resize(300, 200);
    auto* panel = new QWidget(&window);
    panel->setGeometry(40, 30, 200, 150);
    auto* button = new PictureButton(panel);
    button->setGeometry(60, 20, 80, 40);
    button->setBackdrop(&picture);
    window.show();
    // No faces: what shows is the backdrop alone. The button sits at (40+60, 30+20) in the window.
    const QImage drawn = button->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(0, 0), QColor(100, 50, 128));
    EXPECT_EQ(drawn.pixelColor(79, 39), QColor(179, 89, 128));
    button->move(0, 0);
    EXPECT_EQ(button->grab().toImage().pixelColor(5, 7), QColor(45, 37, 128));
}

} // namespace
